// The 6-byte real of the host's records.
//
// Byte 0 is the exponent biased by 129 (0 means the value 0.0), bytes 1..5
// hold a 39-bit fraction, least significant byte first, and the top bit of
// byte 5 is the sign: value = (-1)^s * (1 + f / 2^39) * 2^(e - 129).
#pragma once
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

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

#if defined(__x86_64__) && LDBL_MANT_DIG == 64
// x87 extended format: a 64-bit mantissa with an explicit leading bit, then a
// 16-bit word holding the sign and a 15-bit exponent biased by 16383. The
// conversions work on those bits directly: they run in every record field
// access, so they must be cheap.
inline Real48 Real48::FromLongDouble(long double v) {
    Real48 r;
    unsigned char raw[16] = {};
    std::memcpy(raw, &v, 10);
    std::uint64_t mant;
    std::uint16_t se;
    std::memcpy(&mant, raw, 8);
    std::memcpy(&se, raw + 8, 2);
    const bool negative = (se & 0x8000u) != 0;
    const int e = se & 0x7FFF;
    if (e == 0x7FFF) {
        if ((mant << 1) != 0) return r;  // NaN stores as 0
        mant = ~std::uint64_t{0};        // infinity saturates below
    } else if (e == 0 || !(mant >> 63)) {
        return r;  // zero, denormals (far below the smallest normal) and unnormals
    }
    int exponent = (e == 0x7FFF) ? 256 : e - 16383 + 129;
    if (exponent < 1) return r;  // below the smallest normal
    std::uint64_t frac = mant & ~(std::uint64_t{1} << 63);
    std::uint64_t q = frac >> 24;
    const std::uint64_t rem = frac & 0xFFFFFFu;
    if (rem > 0x800000u || (rem == 0x800000u && (q & 1))) ++q;  // nearest, ties to even
    if (q >= real48_detail::kFractionOne) {
        q = 0;
        ++exponent;
    }
    if (exponent > 255) {  // beyond the format: saturate rather than wrap
        exponent = 255;
        q = real48_detail::kFractionOne - 1;
    }
    r.bytes[0] = static_cast<std::uint8_t>(exponent);
    for (int i = 1; i <= 5; ++i) {
        r.bytes[i] = static_cast<std::uint8_t>(q & 0xFF);
        q >>= 8;
    }
    if (negative) r.bytes[5] |= 0x80;
    return r;
}

inline long double Real48::ToLongDouble() const {
    if (bytes[0] == 0) return 0.0L;
    std::uint64_t frac = 0;
    for (int i = 5; i >= 1; --i) frac = (frac << 8) | bytes[i];
    frac &= real48_detail::kFractionOne - 1;
    const std::uint64_t mant = (std::uint64_t{1} << 63) | (frac << 24);
    const std::uint16_t se = static_cast<std::uint16_t>((bytes[0] - 129 + 16383) | ((bytes[5] & 0x80) ? 0x8000 : 0));
    unsigned char raw[16] = {};
    std::memcpy(raw, &mant, 8);
    std::memcpy(raw + 8, &se, 2);
    long double v;
    std::memcpy(&v, raw, sizeof v);
    return v;
}
#else
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
    if (exponent > 255) {
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
#endif

}  // namespace kvd
