// Bit-set routines for the packed option words. Bit numbers run from 0 to
// 31; a bit beyond the width of the value reads as clear and is never set.
#pragma once
#include <cstdint>

namespace kvd {

namespace bits_detail {
template <typename T>
constexpr bool InRange(int bit) {
    return bit >= 0 && bit < static_cast<int>(8 * sizeof(T));
}
template <typename T>
constexpr T Mask(int bit) {
    return InRange<T>(bit) ? static_cast<T>(T{1} << bit) : T{0};
}
template <typename T>
constexpr void Set(T& v, bool on, int bit) {
    v = on ? static_cast<T>(v | Mask<T>(bit)) : static_cast<T>(v & static_cast<T>(~Mask<T>(bit)));
}
}  // namespace bits_detail

constexpr bool BitIsSet64(int bit, std::uint64_t value) {
    return (value & bits_detail::Mask<std::uint64_t>(bit)) != 0;
}
constexpr bool BitIsClear32(std::uint32_t value, int bit) {
    return (value & bits_detail::Mask<std::uint32_t>(bit)) == 0;
}

constexpr void SetBit8(std::uint8_t& v, bool on, int bit) { bits_detail::Set(v, on, bit); }
constexpr void SetBit16(std::uint16_t& v, bool on, int bit) { bits_detail::Set(v, on, bit); }
constexpr void SetBit32(std::uint32_t& v, bool on, int bit) { bits_detail::Set(v, on, bit); }

constexpr void IncludeBit8(std::uint8_t& v, int bit) { SetBit8(v, true, bit); }
constexpr void IncludeBit16(std::uint16_t& v, int bit) { SetBit16(v, true, bit); }
constexpr void IncludeBit32(std::uint32_t& v, int bit) { SetBit32(v, true, bit); }

constexpr void ExcludeBit8(std::uint8_t& v, int bit) { SetBit8(v, false, bit); }
constexpr void ExcludeBit16(std::uint16_t& v, int bit) { SetBit16(v, false, bit); }
constexpr void ExcludeBit32(std::uint32_t& v, int bit) { SetBit32(v, false, bit); }

constexpr void ToggleBit16(std::uint16_t& v, int bit) {
    v = static_cast<std::uint16_t>(v ^ bits_detail::Mask<std::uint16_t>(bit));
}

}  // namespace kvd
