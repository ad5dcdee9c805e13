// Row helpers for the tables of the templates form: every tab lays out its
// controls in rows of a label and an edit, so the tables name a row number
// instead of repeating pixel positions. Two narrow columns (col 1) are used
// where a page pairs short values.
#pragma once
#include <span>
#include <string_view>

#include "ui/form.h"

namespace kvd::templates::layout {

using ui::ControlClass;
using ui::ControlSpec;

inline constexpr int kTop = 8;        // first row
inline constexpr int kRowH = 24;      // row pitch
inline constexpr int kLabelX = 8;
inline constexpr int kLabelW = 176;
inline constexpr int kEditX = 188;
inline constexpr int kEditW = 84;
inline constexpr int kTabW = 372;     // width of the tab column (PageControl1)
inline constexpr int kTabH = 660;
inline constexpr int kPageW = kTabW - 16;  // inner page controls
inline constexpr int kColW = 172;     // second column offset

constexpr int RowY(int row) { return kTop + row * kRowH; }

// A label in front of the edit of `row`.
constexpr ControlSpec Lbl(std::string_view name, std::string_view parent, std::string_view caption, int row,
                          int col = 0) {
    return {name, ControlClass::Label, parent, caption, kLabelX + col * kColW, RowY(row) + 3,
            col ? 96 : kLabelW, 16};
}
// A number edit; the hint repeats the label so the overlay boxes on the
// preview, which show it as tool tip, say what they hold.
constexpr ControlSpec Num(std::string_view name, std::string_view parent, int row, std::string_view hint,
                          int col = 0) {
    return {name, ControlClass::Edit, parent, "", col ? kLabelX + col * kColW + 98 : kEditX, RowY(row),
            col ? 62 : kEditW, 21, hint};
}
// A text edit over the whole row after the label.
constexpr ControlSpec Text(std::string_view name, std::string_view parent, int row, std::string_view hint,
                           int maxLength) {
    return {name, ControlClass::Edit, parent, "", kEditX, RowY(row), kPageW - kEditX - 12, 21, hint, {},
            maxLength};
}
constexpr ControlSpec Check(std::string_view name, std::string_view parent, std::string_view caption, int row,
                            int col = 0, int width = kLabelW) {
    return {name, ControlClass::CheckBox, parent, caption, kLabelX + col * kColW, RowY(row), width, 20};
}
constexpr ControlSpec Radio(std::string_view name, std::string_view parent, std::string_view caption, int row,
                            int rows, std::string_view items, int columns = 1, int x = kLabelX,
                            int width = kPageW - 28) {
    return {name, ControlClass::RadioGroup, parent, caption, x, RowY(row), width, rows * kRowH - 4, {}, items, 0,
            columns};
}
constexpr ControlSpec Button(std::string_view name, std::string_view parent, std::string_view caption, int row,
                             int x, int width, std::string_view hint = {}) {
    return {name, ControlClass::BitButton, parent, caption, x, RowY(row) - 1, width, 23, hint};
}
constexpr ControlSpec Colour(std::string_view name, std::string_view parent, int row) {
    return {name, ControlClass::ColorBox, parent, "", kEditX, RowY(row), 120, 22};
}
constexpr ControlSpec Pages(std::string_view name, std::string_view parent, int row, int rows) {
    return {name, ControlClass::PageControl, parent, "", 4, RowY(row), kPageW - 8, rows * kRowH + 28};
}
constexpr ControlSpec Sheet(std::string_view name, std::string_view pages, std::string_view caption) {
    return {name, ControlClass::TabSheet, pages, caption};
}

}  // namespace kvd::templates::layout
