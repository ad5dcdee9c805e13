// Version text of a file, read from the version note that every deliverable
// embeds (layout in docs/version-note.md): "1.0.0.1", then " debug",
// " beta", " private" and " special" for the flags that are set.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kvd::platform {

// Bits of the note's flags word.
inline constexpr std::uint32_t kVersionFlagDebug = 0x1;
inline constexpr std::uint32_t kVersionFlagPreRelease = 0x2;
inline constexpr std::uint32_t kVersionFlagPrivateBuild = 0x4;
inline constexpr std::uint32_t kVersionFlagSpecialBuild = 0x8;

// Owner name (with its terminating NUL), note type and smallest descriptor.
inline constexpr char kVersionNoteOwner[] = "KVD";
inline constexpr std::uint32_t kVersionNoteType = 1;
inline constexpr std::uint32_t kVersionNoteDescSize = 20;

inline constexpr char kNoVersionInfo[] = "NoVersionInfo";

struct FileVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t release = 0;
    std::uint32_t build = 0;
    std::uint32_t flags = 0;
    bool operator==(const FileVersion&) const = default;
};

// The version note of an ELF image held in memory (32- or 64-bit, either byte
// order), found through the section headers and, failing that, the program
// headers. Never reads outside [image, image + size).
std::optional<FileVersion> ParseVersionNote(const void* image, std::size_t size);
// The same for a file; nothing when it cannot be read or is not a regular file.
std::optional<FileVersion> ReadVersionNote(const std::string& path);

// "major.minor.release.build" followed by the flag words.
std::string FormatFileVersion(const FileVersion& version);

// The version text of a file, or "NoVersionInfo". A bare module name
// ("KvdTemplates") is looked up among the loaded modules first.
std::string GetFileVersionText(const std::string& fileName);

}  // namespace kvd::platform
