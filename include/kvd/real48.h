// The 6-byte real of the host's records.
//
// Byte 0 is the exponent biased by 129 (0 means the value 0.0), bytes 1..5
// hold a 39-bit fraction, least significant byte first, and the top bit of
// byte 5 is the sign: value = (-1)^s * (1 + f / 2^39) * 2^(e - 129).
#pragma once
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

}  // namespace kvd
