// The host's language file: KOVA/<language>.DZN in the folder of the host
// executable, one section of texts per form. Plain files are UTF-8 (with or
// without byte-order mark) or, when not valid UTF-8, Windows-1252; rich-text
// files are turned into their text lines. The file can also switch the
// user-interface font to one that suits the language.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "ui/font.h"

namespace kvd::ui {

// What the host settings say about the language (the host settings record
// fills it: the font switch, the font name and its character set).
struct LanguageSettings {
    bool useLanguageFont = false;
    std::string fontName;
    int fontCharset = 0;
};

struct LanguageText {
    std::string path;  // the file loaded, empty when none
    std::vector<std::string> lines;
    bool rtf = false;
    std::optional<Font> font;  // the language font (name and character set) when one is in force
};

// <hostFolder>/KOVA/<languageName>.DZN
std::string LanguageFilePath(const std::string& hostFolder, const std::string& languageName);

// True when the first line of the file (at most 255 characters) contains "{\rtf".
bool IsRtfFile(const std::string& path);

// Loads the language text unless the file name in upper case contains
// "ITALIANO" (the built-in texts are Italian), the path equals the one loaded before,
// or names no file; then applies the language font: the hint, menu and icon
// fonts of the application take it.
void LoadLanguageFile(const std::string& path, const LanguageSettings& settings = {});

const LanguageText& CurrentLanguage();
// Forgets the loaded text (the next load reads the file again).
void UnloadLanguage();

}  // namespace kvd::ui
