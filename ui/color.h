// Colours as the forms and the host records hold them: 0x00BBGGRR (red in the
// low byte). Values with the high byte 0xFF name a system colour of the
// palette (button face, window, window text).
#pragma once
#include <cstdint>

class QColor;

namespace kvd::ui {

using Color = std::uint32_t;

inline constexpr Color clBlack = 0x000000;
inline constexpr Color clMaroon = 0x000080;
inline constexpr Color clGreen = 0x008000;
inline constexpr Color clOlive = 0x008080;
inline constexpr Color clNavy = 0x800000;
inline constexpr Color clPurple = 0x800080;
inline constexpr Color clTeal = 0x808000;
inline constexpr Color clGray = 0x808080;
inline constexpr Color clSilver = 0xC0C0C0;
inline constexpr Color clRed = 0x0000FF;
inline constexpr Color clLime = 0x00FF00;
inline constexpr Color clYellow = 0x00FFFF;
inline constexpr Color clBlue = 0xFF0000;
inline constexpr Color clFuchsia = 0xFF00FF;
inline constexpr Color clAqua = 0xFFFF00;
inline constexpr Color clWhite = 0xFFFFFF;
// System colours.
inline constexpr Color clBtnFace = 0xFF00000F;
inline constexpr Color clWindow = 0xFF000005;
inline constexpr Color clWindowText = 0xFF000008;
inline constexpr Color clBtnText = 0xFF000012;
inline constexpr Color clDefault = 0x20000000;  // the widget's own colour

inline constexpr Color RGB(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
inline constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }
inline constexpr bool IsSystemColor(Color c) { return (c & 0xFF000000u) == 0xFF000000u || c == clDefault; }

// System colours resolve through the application palette.
QColor ToQColor(Color c);
Color FromQColor(const QColor& c);

}  // namespace kvd::ui
