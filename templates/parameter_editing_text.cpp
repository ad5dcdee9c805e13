#include "templates/parameter_editing_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kvd::templates {
namespace {

std::string_view Trim(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    return t;
}

}  // namespace

std::optional<long double> ReadDecimal(std::string_view text) {
    text = Trim(text);
    if (text.empty()) return 0.0L;
    if (text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    // Only digits, one point, a leading minus and an exponent: from_chars
    // would also take "inf" and "nan".
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E' || c == '+'))
            return std::nullopt;
    long double v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
    if (ec != std::errc{} || p != text.data() + text.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<std::int32_t> ReadInteger(std::string_view text) {
    text = Trim(text);
    if (text.empty()) return 0;
    if (text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    std::int32_t v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 10);
    if (ec != std::errc{} || p != text.data() + text.size()) return std::nullopt;
    return v;
}

long double DecimalOrZero(std::string_view text) { return ReadDecimal(text).value_or(0.0L); }

}  // namespace kvd::templates
