// Drawing on a picture, the way the dialogs paint their previews: brush,
// pen, font, rectangles, polygons and polylines, a polygon clip region,
// pictures drawn plain, stretched or tiled, rectangle copies and pixel access.
// Coordinates are pixels; right and bottom edges of rectangles are exclusive.
#pragma once
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "ui/color.h"
#include "ui/font.h"

class QPainter;

namespace kvd::ui {

class Picture;

enum class BrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };
enum class PenStyle { Solid, Dash, Dot, DashDot, Clear };

struct Brush {
    Color color = clWhite;
    BrushStyle style = BrushStyle::Solid;
};
struct Pen {
    Color color = clBlack;
    int width = 1;
    PenStyle style = PenStyle::Solid;
};
struct Point {
    int x = 0;
    int y = 0;
};
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// The value Pixel gives outside the picture.
inline constexpr Color kInvalidPixel = 0xFFFFFFFF;

class Canvas {
public:
    explicit Canvas(Picture& target);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    Brush brush;
    Pen pen;
    Font font;

    int Width() const;
    int Height() const;

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // Outline with the pen, inside with the brush.
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const Rect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    // The brush only.
    void FillRect(const Rect& r);
    void Ellipse(int x1, int y1, int x2, int y2);
    // Closed and filled (alternate rule), outlined with the pen.
    void Polygon(std::span<const Point> points);
    void Polyline(std::span<const Point> points);
    // Text with its top-left corner at (x, y), on the brush unless the brush is clear.
    void TextOut(int x, int y, const std::string& text);
    int TextWidth(const std::string& text) const;
    int TextHeight(const std::string& text) const;

    // Limits every later drawing to the inside of the polygon (alternate rule).
    void SetClipPolygon(std::span<const Point> points);
    void ClearClip();
    bool HasClip() const;

    // A transparent picture leaves its transparent colour undrawn.
    void Draw(int x, int y, const Picture& picture);
    void StretchDraw(const Rect& dest, const Picture& picture);
    // Tiles `area` from its top-left corner with the picture scaled to
    // tileWidth x tileHeight; with `mirrorAlternate` every second tile of a row
    // is mirrored left-right and every second row top-bottom.
    void TileDraw(const Rect& area, const Picture& picture, int tileWidth, int tileHeight, bool mirrorAlternate);
    // Copies `sourceRect` of another canvas (or this one) stretched into `dest`.
    void CopyRect(const Rect& dest, const Canvas& source, const Rect& sourceRect);

    Color Pixel(int x, int y) const;
    void SetPixel(int x, int y, Color c);

    // Runs after every drawing (an image control repaints itself).
    std::function<void()> onChange;

private:
    friend class Picture;
    bool Begin(QPainter& p, bool withPen, bool withBrush);
    void Changed();
    Picture& target_;
    Point penPos_;
    struct Clip;
    std::unique_ptr<Clip> clip_;
};

}  // namespace kvd::ui
