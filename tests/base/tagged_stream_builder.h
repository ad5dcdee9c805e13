// Builds tagged record streams byte by byte for the reader tests.
#pragma once
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace kvd::test {

class TaggedBytes {
public:
    TaggedBytes& Record(std::uint16_t id, std::initializer_list<std::uint8_t> payload) {
        return Record(id, std::vector<std::uint8_t>(payload));
    }
    TaggedBytes& Record(std::uint16_t id, const std::vector<std::uint8_t>& payload) {
        return Header(id, static_cast<std::uint16_t>(payload.size())).Raw(payload);
    }
    template <typename T>
    TaggedBytes& Value(std::uint16_t id, T v) {
        std::vector<std::uint8_t> p(sizeof v);
        std::memcpy(p.data(), &v, sizeof v);
        return Record(id, p);
    }
    // A header whose length need not match what follows.
    TaggedBytes& Header(std::uint16_t id, std::uint16_t length) {
        return Raw({static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(id >> 8),
                    static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8)});
    }
    TaggedBytes& Raw(const std::vector<std::uint8_t>& b) {
        bytes.insert(bytes.end(), b.begin(), b.end());
        return *this;
    }
    TaggedBytes& Raw(std::initializer_list<std::uint8_t> b) { return Raw(std::vector<std::uint8_t>(b)); }

    std::vector<std::uint8_t> bytes;
};

}  // namespace kvd::test
