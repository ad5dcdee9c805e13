// Hand-made ELF images for the version-note tests: 32- or 64-bit, either byte
// order, with the note reachable through sections, segments or both.
#pragma once
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_version.h"

namespace kvd::testing {

struct ElfImageSpec {
    bool is64 = true;
    bool bigEndian = false;
    bool withSections = true;
    bool withSegments = true;
    std::optional<platform::FileVersion> version;  // no version note when empty
    std::uint32_t descSize = platform::kVersionNoteDescSize;
    bool foreignNoteFirst = true;  // a GNU build-id note ahead of ours, as linkers write
};

class ElfWriter {
public:
    explicit ElfWriter(bool bigEndian) : big_(bigEndian) {}
    std::vector<std::uint8_t> bytes;

    void put(std::size_t at, std::uint64_t v, int size) {
        if (bytes.size() < at + size) bytes.resize(at + size);
        for (int i = 0; i < size; ++i) {
            int shift = big_ ? 8 * (size - 1 - i) : 8 * i;
            bytes[at + i] = static_cast<std::uint8_t>(v >> shift);
        }
    }
    std::size_t append(const void* data, std::size_t n) {
        std::size_t at = bytes.size();
        bytes.insert(bytes.end(), static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + n);
        return at;
    }
    std::size_t append32(std::uint32_t v) {
        std::size_t at = bytes.size();
        put(at, v, 4);
        return at;
    }
    void alignTo(std::size_t a) {
        while (bytes.size() % a) bytes.push_back(0);
    }

private:
    bool big_;
};

inline std::vector<std::uint8_t> MakeElfImage(const ElfImageSpec& spec) {
    ElfWriter w(spec.bigEndian);
    const bool is64 = spec.is64;
    const int word = is64 ? 8 : 4;
    const std::size_t ehsize = is64 ? 64 : 52, phentsize = is64 ? 56 : 32, shentsize = is64 ? 64 : 40;

    const std::uint8_t ident[16] = {0x7F, 'E', 'L', 'F', static_cast<std::uint8_t>(is64 ? 2 : 1),
                                    static_cast<std::uint8_t>(spec.bigEndian ? 2 : 1), 1};
    w.append(ident, sizeof ident);
    w.bytes.resize(ehsize);
    w.put(16, 3, 2);  // ET_DYN
    w.put(18, is64 ? 62 : 3, 2);
    w.put(20, 1, 4);

    const std::size_t phoff = w.bytes.size();
    if (spec.withSegments) w.bytes.resize(phoff + phentsize);

    w.alignTo(4);
    const std::size_t notesAt = w.bytes.size();
    if (spec.foreignNoteFirst) {
        w.append32(4);
        w.append32(8);
        w.append32(3);  // NT_GNU_BUILD_ID
        w.append("GNU", 4);
        const std::uint8_t id[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        w.append(id, sizeof id);
    }
    if (spec.version) {
        w.append32(4);
        w.append32(spec.descSize);
        w.append32(platform::kVersionNoteType);
        w.append("KVD", 4);
        const platform::FileVersion& v = *spec.version;
        const std::uint32_t words[5] = {v.major, v.minor, v.release, v.build, v.flags};
        for (std::uint32_t i = 0; i < spec.descSize / 4; ++i) w.append32(i < 5 ? words[i] : 0);
        for (std::uint32_t i = 0; i < spec.descSize % 4; ++i) w.bytes.push_back(0);
        w.alignTo(4);
    }
    const std::size_t notesSize = w.bytes.size() - notesAt;

    if (spec.withSegments) {
        w.put(phoff, 4, 4);  // PT_NOTE
        w.put(phoff + (is64 ? 8 : 4), notesAt, word);
        w.put(phoff + (is64 ? 32 : 16), notesSize, word);
        w.put(phoff + (is64 ? 48 : 28), 4, word);
        w.put(is64 ? 32 : 28, phoff, word);
        w.put(is64 ? 54 : 42, phentsize, 2);
        w.put(is64 ? 56 : 44, 1, 2);
    }

    if (spec.withSections) {
        const char names[] = "\0.note.kvd.version\0.shstrtab";
        const std::size_t strtabAt = w.append(names, sizeof names);
        w.alignTo(8);
        const std::size_t shoff = w.bytes.size();
        w.bytes.resize(shoff + 3 * shentsize);
        auto section = [&](int index, std::uint32_t name, std::uint32_t type, std::uint64_t offset, std::uint64_t size) {
            std::size_t at = shoff + index * shentsize;
            w.put(at, name, 4);
            w.put(at + 4, type, 4);
            w.put(at + (is64 ? 24 : 16), offset, word);
            w.put(at + (is64 ? 32 : 20), size, word);
            w.put(at + (is64 ? 48 : 32), 4, word);
        };
        section(1, 1, 7, notesAt, notesSize);                    // SHT_NOTE
        section(2, 19, 3, strtabAt, sizeof names);               // SHT_STRTAB
        w.put(is64 ? 40 : 32, shoff, word);
        w.put(is64 ? 58 : 46, shentsize, 2);
        w.put(is64 ? 60 : 48, 3, 2);
        w.put(is64 ? 62 : 50, 2, 2);
    }
    w.put(is64 ? 52 : 40, ehsize, 2);
    return w.bytes;
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace kvd::testing
