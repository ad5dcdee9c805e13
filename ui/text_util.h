// Small text helpers of the layer: case-insensitive comparison of ASCII
// names, upper case, trimming and splitting.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kvd::ui {

bool EqualsNoCase(std::string_view a, std::string_view b);
std::string UpperAscii(std::string_view s);
std::string Trim(std::string_view s);
std::vector<std::string> SplitLines(std::string_view text);  // "\r\n", "\n" or "\r"; no empty last line
std::vector<std::string> SplitWords(std::string_view s);     // on blanks and tabs

}  // namespace kvd::ui
