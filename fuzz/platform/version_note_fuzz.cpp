// Any bytes as an ELF image: the note reader must neither crash nor read
// outside the buffer, and whatever it finds must format.
#include <cstddef>
#include <cstdint>

#include "platform/file_version.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (auto v = kvd::platform::ParseVersionNote(data, size)) (void)kvd::platform::FormatFileVersion(*v);
    return 0;
}
