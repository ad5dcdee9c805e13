// Windows-1252 text: the single-byte strings of the host's records, DXF files
// and older language files. Conversions to and from UTF-8, which Qt and the
// logs use.
#pragma once
#include <string>
#include <string_view>

namespace kvd {

// Every byte becomes one character. The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// number, as Windows does, so that a round trip keeps every byte.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters that Windows-1252 cannot hold become `replacement`; `lossy`
// (when given) tells whether that happened. Invalid UTF-8 sequences count as
// characters that cannot be held.
std::string Utf8ToCp1252(std::string_view utf8, char replacement = '?', bool* lossy = nullptr);

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Text of a file whose encoding is not declared: UTF-8 (a leading byte-order
// mark is dropped) when the bytes are valid UTF-8, otherwise Windows-1252.
std::string DecodeUtf8OrCp1252(std::string_view bytes);

// One code point as UTF-8 (code points above U+10FFFF and surrogates become U+FFFD).
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace kvd
