// The 6-byte real of the host's records.
//
// Byte 0 is the exponent biased by 129 (0 means the value 0.0), bytes 1..5
// hold a 39-bit fraction, least significant byte first, and the top bit of
// byte 5 is the sign: value = (-1)^s * (1 + f / 2^39) * 2^(e - 129).
#pragma once
#include <cmath>
#include <cstdint>

namespace kvd {

#pragma pack(push, 1)
struct Real48 {
    std::uint8_t bytes[6] = {0, 0, 0, 0, 0, 0};

    Real48() = default;
    Real48(long double v) { *this = FromLongDouble(v); }  // NOLINT: fields convert on assignment

    static Real48 FromLongDouble(long double v);
    long double ToLongDouble() const;
    double ToDouble() const { return static_cast<double>(ToLongDouble()); }
    operator long double() const { return ToLongDouble(); }  // NOLINT
    bool IsZero() const { return bytes[0] == 0; }
};
#pragma pack(pop)
static_assert(sizeof(Real48) == 6);

// Largest magnitude a 6-byte real holds; larger values saturate to it.
inline constexpr long double kReal48Max = 0x1p127L - 0x1p87L;  // (2 - 2^-39) * 2^126

namespace real48_detail {
inline constexpr std::uint64_t kFractionOne = std::uint64_t{1} << 39;
inline constexpr long double kSmallestNormal = 0x1p-128L;  // exponent byte 1, fraction 0
}  // namespace real48_detail

inline Real48 Real48::FromLongDouble(long double v) {
    Real48 r;
    if (std::isnan(v)) return r;
    const bool negative = std::signbit(v);
    long double a = std::fabs(v);
    if (a < real48_detail::kSmallestNormal) return r;

    int e = 0;
    long double m = std::frexp(a, &e);  // a = m * 2^e, 0.5 <= m < 1
    int exponent = e + 128;             // a = (2m) * 2^(exponent - 129)
    long double scaled = (2.0L * m - 1.0L) * static_cast<long double>(real48_detail::kFractionOne);
    auto fraction = static_cast<std::uint64_t>(std::nearbyint(scaled));  // ties to even
    if (fraction >= real48_detail::kFractionOne) {
        fraction = 0;
        ++exponent;
    }
    if (exponent > 255) {  // beyond the format: saturate rather than wrap
        exponent = 255;
        fraction = real48_detail::kFractionOne - 1;
    }
    r.bytes[0] = static_cast<std::uint8_t>(exponent);
    for (int i = 1; i <= 5; ++i) {
        r.bytes[i] = static_cast<std::uint8_t>(fraction & 0xFF);
        fraction >>= 8;
    }
    if (negative) r.bytes[5] |= 0x80;
    return r;
}

inline long double Real48::ToLongDouble() const {
    if (bytes[0] == 0) return 0.0L;
    std::uint64_t fraction = 0;
    for (int i = 5; i >= 1; --i) fraction = (fraction << 8) | bytes[i];
    fraction &= real48_detail::kFractionOne - 1;
    long double m = 1.0L + static_cast<long double>(fraction) / static_cast<long double>(real48_detail::kFractionOne);
    long double v = std::ldexp(m, static_cast<int>(bytes[0]) - 129);
    return (bytes[5] & 0x80) ? -v : v;
}

}  // namespace kvd
