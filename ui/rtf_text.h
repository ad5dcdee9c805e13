// Plain text lines of a rich-text (RTF) document, for the language files that
// come as rich text. Paragraphs and line breaks end lines; formatting, font,
// colour and style tables, pictures and other hidden groups are dropped.
// Characters given as \'hh take the code page of their font's character set
// (or of \ansicpg), \uN characters are Unicode. The result is UTF-8.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kvd::ui {

std::vector<std::string> RtfToLines(std::string_view rtf);

}  // namespace kvd::ui
