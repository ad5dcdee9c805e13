// A control's font as the forms set it: name, size in points, style, the
// character set of the language files (kept; Qt text is Unicode) and colour.
#pragma once
#include <string>

#include "ui/color.h"

class QFont;

namespace kvd::ui {

struct Font {
    std::string name;  // empty: keep the family
    int size = 0;      // points; 0: keep the size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 1;  // DEFAULT_CHARSET
    Color color = clWindowText;
};

// `base` supplies what the font leaves open (empty name, size 0).
QFont ToQFont(const Font& f, const QFont& base);
Font FromQFont(const QFont& q, Color color = clWindowText, int charset = 1);

}  // namespace kvd::ui
