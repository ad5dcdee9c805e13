// The working precision: factors derived from NumberFormat.Decimals and the
// rounding through which every zero and equality test of lengths goes.
#pragma once
#include <cstdint>

namespace kvd {

// Defaults are those of 3 decimals; SetPrecisionFactors recomputes them.
extern double PrecisionStep;     // 10^-d, built by repeated * 0.1 in 6-byte form; 0 when d < 1
extern double InvPrecisionStep;  // 1 / PrecisionStep (left unchanged when the step is 0)
extern double Pow10;             // 10^d
extern double InvPow10;          // 10^-d
extern double Pow10Minus1;       // 10^(d-1), or 10^d when d <= 1
extern double Pow10Minus2;       // 10^(d-2), or Pow10Minus1 when d <= 2
extern double Pow10Plus1;        // 10^(d+1)
extern double Pow10Plus2;        // 10^(d+2)

// Recomputes the factors from NumberFormat.Decimals.
void SetPrecisionFactors();

// x * Pow10 to the nearest 64-bit integer, ties to even. Values beyond the
// 64-bit range saturate; NaN gives 0.
std::int64_t RoundToPrecision(long double x);

}  // namespace kvd
