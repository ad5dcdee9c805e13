// Number texts for dimension labels and for the texts sent to other programs.
#pragma once
#include <cstdint>
#include <string>

namespace kvd {

struct TNumberFormat {
    std::int32_t Decimals = 3;         // working number of decimals
    std::uint8_t ZeroWithDecimal = 1;  // zero is written "0.0"
    std::uint8_t TrailingPoint = 0;    // integral values get a trailing "."
    std::uint8_t PlusSign = 0;         // positive values get a leading "+"
};
extern TNumberFormat NumberFormat;

// Label texts are short strings of the host: at most this many characters.
inline constexpr std::size_t kShortStringMax = 255;

// Decimal text of a 64-bit integer.
std::string Int64ToText(std::int64_t value);

// Label text of x: fixed notation with `decimals` decimals (exact halves
// rounded away from zero), trailing zeros and a trailing point removed,
// "-0" written as "0", then NumberFormat's zero, point and sign rules. With
// keepDecimals the text is padded back to `decimals` decimals.
std::string FormatReal(int decimals, bool keepDecimals, long double x);
std::string FormatRealFixed(int decimals, long double x);
// With NumberFormat.Decimals.
std::string FormatRealDefault(long double x);

}  // namespace kvd
