// Length-prefixed single-byte strings of the host's records: one length byte
// followed by up to N Windows-1252 characters, N + 1 bytes in all. The bytes
// are kept as they are; conversion to UTF-8 happens at the edges.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kvd {

#pragma pack(push, 1)
template <std::size_t N>
struct ShortString {
    static_assert(N >= 1 && N <= 255);
    static constexpr std::size_t kMaxLength = N;

    std::uint8_t length = 0;
    char chars[N] = {};

    // The characters; a length byte beyond N (a damaged record) gives N.
    std::size_t size() const { return std::min<std::size_t>(length, N); }
    bool empty() const { return size() == 0; }
    std::string_view view() const { return {chars, size()}; }
    std::string str() const { return std::string(view()); }
    // Takes at most N characters; the bytes after them are cleared.
    void assign(std::string_view text) {
        std::size_t n = std::min(text.size(), N);
        std::memset(chars, 0, N);
        std::memcpy(chars, text.data(), n);
        length = static_cast<std::uint8_t>(n);
    }
    ShortString& operator=(std::string_view text) {
        assign(text);
        return *this;
    }
};
#pragma pack(pop)

static_assert(sizeof(ShortString<30>) == 31);
static_assert(sizeof(ShortString<128>) == 129);

// A short string stored as raw bytes (N + 1 of them) at `data`.
inline std::string_view ShortStringView(const std::uint8_t* data, std::size_t maxLength) {
    std::size_t n = std::min<std::size_t>(data[0], maxLength);
    return {reinterpret_cast<const char*>(data + 1), n};
}

}  // namespace kvd
