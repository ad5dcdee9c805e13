// The library's own version text ("v.1.0.0.1"), shown in dialog captions.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace kvd {

struct LibraryVersion {
    std::string text;                        // "v." + the file's version text; empty until set
    std::array<std::uint32_t, 4> numbers{};  // major, minor, release, build; zeros when unknown
};

// Reads the version of `fileName` (a path, or a loaded module's name such as
// "KvdTemplates") and stores "v." + its version text, and its four numbers
// when the text has them.
void SetLibraryVersion(const std::string& fileName);
const LibraryVersion& GetLibraryVersion();

}  // namespace kvd
