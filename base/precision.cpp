#include "base/precision.h"

#include <cfenv>
#include <cmath>
#include <limits>

#include "base/number_format.h"
#include "kvd/real48.h"

namespace kvd {

double PrecisionStep = 0.0;  // set below from the default decimals
double InvPrecisionStep = 0.0;
double Pow10 = 1000.0;
double InvPow10 = 0.001;
double Pow10Minus1 = 100.0;
double Pow10Minus2 = 10.0;
double Pow10Plus1 = 10000.0;
double Pow10Plus2 = 100000.0;

namespace {

long double IntPower10(int n) {
    long double r = 1.0L;
    long double base = n < 0 ? 0.1L : 10.0L;
    for (long long k = n < 0 ? -static_cast<long long>(n) : n; k > 0; k >>= 1) {
        if (k & 1) r *= base;
        base *= base;
        if (r == 0.0L || std::isinf(r)) break;
    }
    return r;
}

// The 6-byte step the host computes: 1.0 times 0.1, d times, stored back
// into 6-byte form after each step.
long double SixByteStep(int d) {
    if (d < 1) return 0.0L;
    Real48 step = 1.0L;
    for (int i = 0; i < d && !step.IsZero(); ++i) step = step.ToLongDouble() * 0.1L;
    return step.ToLongDouble();
}

struct DefaultFactors {
    DefaultFactors() { SetPrecisionFactors(); }
} const defaultFactors;

}  // namespace

void SetPrecisionFactors() {
    const int d = NumberFormat.Decimals;
    PrecisionStep = static_cast<double>(SixByteStep(d));
    if (PrecisionStep > 0.0) InvPrecisionStep = 1.0 / PrecisionStep;
    Pow10 = static_cast<double>(IntPower10(d));
    InvPow10 = static_cast<double>(1.0L / IntPower10(d));
    Pow10Minus1 = static_cast<double>(d <= 1 ? IntPower10(d) : IntPower10(d - 1));
    Pow10Minus2 = d <= 2 ? Pow10Minus1 : static_cast<double>(IntPower10(d - 2));
    Pow10Plus1 = static_cast<double>(IntPower10(d + 1));
    Pow10Plus2 = static_cast<double>(IntPower10(d + 2));
}

std::int64_t RoundToPrecision(long double x) {
    const long double v = x * static_cast<long double>(Pow10);
    if (std::isnan(v)) return 0;
    constexpr long double kLimit = 0x1p63L;
    if (v >= kLimit) return std::numeric_limits<std::int64_t>::max();
    if (v < -kLimit) return std::numeric_limits<std::int64_t>::min();
    // nearbyint follows the rounding mode; make sure it is to-nearest-even.
    const int mode = std::fegetround();
    if (mode != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    const long double r = std::nearbyint(v);
    if (mode != FE_TONEAREST) std::fesetround(mode);
    if (r >= kLimit) return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(r);
}

}  // namespace kvd
