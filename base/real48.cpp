#include "kvd/real48.h"

#include <cmath>

namespace kvd {

namespace {
constexpr std::uint64_t kFractionOne = std::uint64_t{1} << 39;
constexpr long double kSmallestNormal = 0x1p-128L;  // exponent byte 1, fraction 0
}  // namespace

Real48 Real48::FromLongDouble(long double v) {
    Real48 r;
    if (std::isnan(v)) return r;
    const bool negative = std::signbit(v);
    long double a = std::fabs(v);
    if (a < kSmallestNormal) return r;

    int e = 0;
    long double m = std::frexp(a, &e);  // a = m * 2^e, 0.5 <= m < 1
    int exponent = e + 128;             // a = (2m) * 2^(exponent - 129)
    long double scaled = (2.0L * m - 1.0L) * static_cast<long double>(kFractionOne);
    auto fraction = static_cast<std::uint64_t>(std::nearbyint(scaled));  // ties to even
    if (fraction >= kFractionOne) {
        fraction = 0;
        ++exponent;
    }
    if (exponent > 255) {  // beyond the format: saturate rather than wrap
        exponent = 255;
        fraction = kFractionOne - 1;
    }
    r.bytes[0] = static_cast<std::uint8_t>(exponent);
    for (int i = 1; i <= 5; ++i) {
        r.bytes[i] = static_cast<std::uint8_t>(fraction & 0xFF);
        fraction >>= 8;
    }
    if (negative) r.bytes[5] |= 0x80;
    return r;
}

long double Real48::ToLongDouble() const {
    if (bytes[0] == 0) return 0.0L;
    std::uint64_t fraction = 0;
    for (int i = 5; i >= 1; --i) fraction = (fraction << 8) | bytes[i];
    fraction &= kFractionOne - 1;
    long double m = 1.0L + static_cast<long double>(fraction) / static_cast<long double>(kFractionOne);
    long double v = std::ldexp(m, static_cast<int>(bytes[0]) - 129);
    return (bytes[5] & 0x80) ? -v : v;
}

}  // namespace kvd
