#include "base/version_text.h"

#include <charconv>

#include "platform/file_version.h"

namespace kvd {

namespace {

LibraryVersion& Version() {
    static LibraryVersion v;
    return v;
}

// A part made of digits only, as a number; anything else (or a number too big) counts as 0.
std::uint32_t PartNumber(const std::string& part) {
    if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos) return 0;
    std::uint32_t n = 0;
    auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), n);
    return ec == std::errc() && end == part.data() + part.size() ? n : 0;
}

}  // namespace

void SetLibraryVersion(const std::string& fileName) {
    const std::string versionPart = platform::GetFileVersionText(fileName);
    LibraryVersion& v = Version();
    v.text = "v." + versionPart;
    v.numbers = {};
    // The flag words ("1.0.0.1 debug") follow a blank; the numbers are what stands before it,
    // so a flagged build keeps its build number.
    const std::string numbers = versionPart.substr(0, versionPart.find(' '));
    std::array<std::string, 4> parts;
    std::size_t dots = 0;
    for (char c : numbers) {
        if (c == '.') {
            if (++dots > 3) break;
        } else if (dots <= 3) {
            parts[dots] += c;
        }
    }
    if (dots != 3) return;
    for (std::size_t i = 0; i < 4; ++i) v.numbers[i] = PartNumber(parts[i]);
}

const LibraryVersion& GetLibraryVersion() { return Version(); }

}  // namespace kvd
