#include "ui/canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <vector>

#include "ui/picture.h"
#include "ui/qt_convert.h"

namespace kvd::ui {

struct Canvas::Clip {
    QRegion region;
};

namespace {
QPolygon ToPolygon(std::span<const Point> points) {
    QPolygon poly;
    poly.reserve(static_cast<int>(points.size()));
    for (const Point& p : points) poly << QPoint(p.x, p.y);
    return poly;
}

Qt::BrushStyle QtBrushStyle(BrushStyle s) {
    switch (s) {
    case BrushStyle::Solid: return Qt::SolidPattern;
    case BrushStyle::Clear: return Qt::NoBrush;
    case BrushStyle::Horizontal: return Qt::HorPattern;
    case BrushStyle::Vertical: return Qt::VerPattern;
    case BrushStyle::FDiagonal: return Qt::FDiagPattern;
    case BrushStyle::BDiagonal: return Qt::BDiagPattern;
    case BrushStyle::Cross: return Qt::CrossPattern;
    case BrushStyle::DiagCross: return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

Qt::PenStyle QtPenStyle(PenStyle s) {
    switch (s) {
    case PenStyle::Solid: return Qt::SolidLine;
    case PenStyle::Dash: return Qt::DashLine;
    case PenStyle::Dot: return Qt::DotLine;
    case PenStyle::DashDot: return Qt::DashDotLine;
    case PenStyle::Clear: return Qt::NoPen;
    }
    return Qt::SolidLine;
}

// The picture's pixels with its transparent colour made see-through.
QImage Drawable(const Picture& pic) {
    if (!pic.transparent) return pic.Image();
    QImage img = pic.Image().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgb(RedOf(pic.transparentColor), GreenOf(pic.transparentColor), BlueOf(pic.transparentColor));
    for (int y = 0; y < img.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((row[x] & 0xFFFFFF) == (key & 0xFFFFFF)) row[x] = 0;
    }
    return img;
}
}  // namespace

QPen MakeQPen(const Pen& pen) {
    if (pen.style == PenStyle::Clear) return QPen(Qt::NoPen);
    QPen p(ToQColor(pen.color));
    p.setWidth(pen.width <= 1 ? 0 : pen.width);  // width 0: exactly one pixel
    p.setStyle(QtPenStyle(pen.style));
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

QBrush MakeQBrush(const Brush& brush) {
    if (brush.style == BrushStyle::Clear) return QBrush(Qt::NoBrush);
    return QBrush(ToQColor(brush.color), QtBrushStyle(brush.style));
}

Canvas::Canvas(Picture& target) : target_(target) {}
Canvas::~Canvas() = default;

int Canvas::Width() const { return target_.Width(); }
int Canvas::Height() const { return target_.Height(); }

bool Canvas::Begin(QPainter& p, bool withPen, bool withBrush) {
    if (target_.Empty()) return false;
    p.begin(&target_.MutableImage());
    p.setRenderHint(QPainter::Antialiasing, false);
    if (clip_) p.setClipRegion(clip_->region);
    p.setPen(withPen ? MakeQPen(pen) : QPen(Qt::NoPen));
    p.setBrush(withBrush ? MakeQBrush(brush) : QBrush(Qt::NoBrush));
    return true;
}

void Canvas::Changed() {
    if (onChange) onChange();
}

void Canvas::MoveTo(int x, int y) { penPos_ = {x, y}; }

void Canvas::LineTo(int x, int y) {
    QPainter p;
    if (Begin(p, true, false)) {
        p.drawLine(penPos_.x, penPos_.y, x, y);
        p.end();
        Changed();
    }
    penPos_ = {x, y};
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    QPainter p;
    if (!Begin(p, false, true)) return;
    p.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), MakeQBrush(brush));
    if (pen.style != PenStyle::Clear) {
        p.setBrush(Qt::NoBrush);
        p.setPen(MakeQPen(pen));
        p.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    }
    p.end();
    Changed();
}

void Canvas::FillRect(const Rect& r) {
    QPainter p;
    if (!Begin(p, false, true)) return;
    p.fillRect(QRect(r.left, r.top, r.Width(), r.Height()), MakeQBrush(brush));
    p.end();
    Changed();
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2) {
    QPainter p;
    if (!Begin(p, true, true)) return;
    p.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    p.end();
    Changed();
}

void Canvas::Polygon(std::span<const Point> points) {
    if (points.empty()) return;
    QPainter p;
    if (!Begin(p, true, true)) return;
    p.drawPolygon(ToPolygon(points), Qt::OddEvenFill);
    p.end();
    Changed();
}

void Canvas::Polyline(std::span<const Point> points) {
    if (points.size() < 2) return;
    QPainter p;
    if (!Begin(p, true, false)) return;
    p.drawPolyline(ToPolygon(points));
    p.end();
    penPos_ = points.back();
    Changed();
}

void Canvas::TextOut(int x, int y, const std::string& text) {
    QPainter p;
    if (!Begin(p, false, false)) return;
    QFont f = ToQFont(font, p.font());
    p.setFont(f);
    QFontMetrics fm(f);
    QString s = QString::fromStdString(text);
    if (brush.style != BrushStyle::Clear) p.fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), MakeQBrush(brush));
    p.setPen(ToQColor(IsSystemColor(font.color) ? clBlack : font.color));
    p.drawText(x, y + fm.ascent(), s);
    p.end();
    Changed();
}

int Canvas::TextWidth(const std::string& text) const {
    QFontMetrics fm(ToQFont(font, QFont()));
    return fm.horizontalAdvance(QString::fromStdString(text));
}

int Canvas::TextHeight(const std::string&) const {
    QFontMetrics fm(ToQFont(font, QFont()));
    return fm.height();
}

void Canvas::SetClipPolygon(std::span<const Point> points) {
    clip_ = std::make_unique<Clip>();
    clip_->region = QRegion(ToPolygon(points), Qt::OddEvenFill);
}

void Canvas::ClearClip() { clip_.reset(); }
bool Canvas::HasClip() const { return clip_ != nullptr; }

void Canvas::Draw(int x, int y, const Picture& picture) {
    if (picture.Empty()) return;
    QImage img = Drawable(picture);
    QPainter p;
    if (!Begin(p, false, false)) return;
    p.drawImage(x, y, img);
    p.end();
    Changed();
}

void Canvas::StretchDraw(const Rect& dest, const Picture& picture) {
    if (picture.Empty() || dest.Width() <= 0 || dest.Height() <= 0) return;
    QImage img = Drawable(picture);
    QPainter p;
    if (!Begin(p, false, false)) return;
    p.drawImage(QRect(dest.left, dest.top, dest.Width(), dest.Height()), img);
    p.end();
    Changed();
}

void Canvas::TileDraw(const Rect& area, const Picture& picture, int tileWidth, int tileHeight, bool mirrorAlternate) {
    if (picture.Empty() || tileWidth <= 0 || tileHeight <= 0 || area.Width() <= 0 || area.Height() <= 0) return;
    QImage tile = Drawable(picture).scaled(tileWidth, tileHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage variants[2][2] = {{tile, tile}, {tile, tile}};  // [mirror rows][mirror columns]
    if (mirrorAlternate) {
        variants[0][1] = tile.mirrored(true, false);
        variants[1][0] = tile.mirrored(false, true);
        variants[1][1] = tile.mirrored(true, true);
    }
    QPainter p;
    if (!Begin(p, false, false)) return;
    QRegion limit(QRect(area.left, area.top, area.Width(), area.Height()));
    p.setClipRegion(clip_ ? clip_->region.intersected(limit) : limit);
    int row = 0;
    for (int y = area.top; y < area.bottom; y += tileHeight, ++row) {
        int col = 0;
        for (int x = area.left; x < area.right; x += tileWidth, ++col) p.drawImage(x, y, variants[row & 1][col & 1]);
    }
    p.end();
    Changed();
}

void Canvas::CopyRect(const Rect& dest, const Canvas& source, const Rect& sourceRect) {
    if (source.target_.Empty() || dest.Width() == 0 || dest.Height() == 0) return;
    // A copy first, so that a canvas can copy from itself.
    QImage src = source.target_.Image().copy(QRect(sourceRect.left, sourceRect.top, sourceRect.Width(), sourceRect.Height()));
    QPainter p;
    if (!Begin(p, false, false)) return;
    p.drawImage(QRect(dest.left, dest.top, dest.Width(), dest.Height()), src);
    p.end();
    Changed();
}

Color Canvas::Pixel(int x, int y) const { return target_.Pixel(x, y); }

void Canvas::SetPixel(int x, int y, Color c) {
    if (clip_ && !clip_->region.contains(QPoint(x, y))) return;
    target_.SetPixel(x, y, c);
    Changed();
}

}  // namespace kvd::ui
