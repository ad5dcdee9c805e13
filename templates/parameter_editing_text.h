// Number texts of the templates dialog's edits. Numbers are decimal text
// with "." as the decimal separator whatever the locale; blanks around the
// number are allowed.
//
// What a text that is not a number does: an empty (or blank) edit reads as
// 0, so clearing an edit clears its value; any other text that is not a
// whole number in the field's range ("abc", "12x", "1,5", "-", "1e999") is
// not read at all: the field keeps its value and nothing is written into the
// record. A person half-way through typing "-5" therefore loses nothing.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace kvd::templates {

// A finite decimal number, 0 for a blank text, nothing otherwise.
std::optional<long double> ReadDecimal(std::string_view text);
// A whole number within 32 bits, 0 for a blank text, nothing otherwise.
std::optional<std::int32_t> ReadInteger(std::string_view text);
// ReadDecimal with 0 for anything unreadable (the linked hole position and
// the "Auto" buttons count unreadable text as 0).
long double DecimalOrZero(std::string_view text);

}  // namespace kvd::templates
