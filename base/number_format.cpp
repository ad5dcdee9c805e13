#include "base/number_format.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace kvd {

TNumberFormat NumberFormat;

namespace {

// Widest number of decimals that can still show in a short string.
constexpr int kMaxDecimals = static_cast<int>(kShortStringMax);

// |x| in fixed notation with `decimals` decimals, exact halves rounded away
// from zero. The value is first printed with many more digits than asked
// (enough that a long double which is not exactly half-way is seen to be on
// one side), then rounded in decimal.
std::string FixedMagnitude(long double a, int decimals) {
    const int extra = 2 * decimals + 30;
    const int n = std::snprintf(nullptr, 0, "%.*Lf", decimals + extra, a);
    if (n <= 0) return "0";
    std::vector<char> buffer(static_cast<std::size_t>(n) + 1);
    std::snprintf(buffer.data(), buffer.size(), "%.*Lf", decimals + extra, a);
    const std::string s(buffer.data(), static_cast<std::size_t>(n));

    const std::size_t point = s.find('.');
    std::string digits = s.substr(0, point) + s.substr(point + 1, static_cast<std::size_t>(decimals));
    const bool up = s[point + 1 + static_cast<std::size_t>(decimals)] >= '5';
    if (up) {
        std::size_t i = digits.size();
        while (i > 0) {
            --i;
            if (digits[i] == '9') {
                digits[i] = '0';
            } else {
                ++digits[i];
                break;
            }
            if (i == 0) digits.insert(digits.begin(), '1');
        }
    }
    const std::size_t intLen = digits.size() - static_cast<std::size_t>(decimals);
    std::string out = digits.substr(0, intLen);
    if (decimals > 0) out += "." + digits.substr(intLen);
    return out;
}

std::string Fixed(long double x, int decimals) {
    if (std::isnan(x)) return "NAN";
    if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
    std::string s = FixedMagnitude(std::fabs(x), decimals);
    if (std::signbit(x)) s.insert(s.begin(), '-');
    return s;
}

}  // namespace

std::string Int64ToText(std::int64_t value) { return std::to_string(value); }

std::string FormatReal(int decimals, bool keepDecimals, long double x) {
    const int d = decimals < 0 ? 0 : (decimals > kMaxDecimals ? kMaxDecimals : decimals);
    std::string s = Fixed(x, d);

    while (s.find('.') != std::string::npos && (s.back() == '0' || s.back() == '.') && s.size() > 1) s.pop_back();
    if (s == "-0") s = "0";
    if (NumberFormat.ZeroWithDecimal && s == "0") s = "0.0";
    if (NumberFormat.TrailingPoint && s.find('.') == std::string::npos) s += '.';
    if (keepDecimals) {
        if (s.find('.') == std::string::npos) s += '.';
        while (s.size() - s.find('.') - 1 < static_cast<std::size_t>(d)) s += '0';
    }
    if (NumberFormat.PlusSign && s.front() != '-') s.insert(s.begin(), '+');
    if (s.size() > kShortStringMax) s.resize(kShortStringMax);
    return s;
}

std::string FormatRealFixed(int decimals, long double x) { return FormatReal(decimals, false, x); }

std::string FormatRealDefault(long double x) { return FormatReal(NumberFormat.Decimals, false, x); }

}  // namespace kvd
