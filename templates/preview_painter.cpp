#include "templates/preview_painter.h"

#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

#include "base/arcs.h"
#include "base/precision.h"
#include "kvd/error.h"
#include "platform/host_folder.h"
#include "templates/template_parameters.h"
#include "ui/picture.h"

namespace kvd {

namespace {

constexpr std::uint32_t kContourRoleMask = 0x3;  // low bits of a start element's Flags
constexpr std::uint32_t kRoleSlabOutline = 1;
constexpr std::uint32_t kRoleGrey = 2;
constexpr std::uint16_t kKindDashed = 1u << 12;

int RoundInt(long double v) { return static_cast<int>(std::llrint(v)); }

// The background picture, kept between paintings while its file stays the same.
struct PictureCache {
    std::string path;
    std::filesystem::file_time_type stamp{};
    std::unique_ptr<ui::Picture> picture;
};

// Counts the pictures loaded, so that what is made from one knows when it changed.
unsigned PictureGeneration = 0;

const ui::Picture* BackgroundPicture(const std::string& path) {
    static PictureCache cache;
    if (path.empty()) return nullptr;
    std::error_code ec;
    const auto stamp = std::filesystem::last_write_time(path, ec);
    if (ec) return nullptr;
    if (cache.picture && cache.path == path && cache.stamp == stamp) return cache.picture.get();
    cache.picture.reset();
    ++PictureGeneration;
    cache.path = path;
    cache.stamp = stamp;
    try {
        auto p = std::make_unique<ui::Picture>();
        p->LoadFromFile(path);
        if (!p->Empty()) cache.picture = std::move(p);
    } catch (const Error&) {
        // An unreadable picture paints like a missing one: plain fill.
    }
    return cache.picture.get();
}

struct Painter {
    ui::Canvas& canvas;
    const PreviewGeometry& g;
    const PreviewStyle& style;
    const ui::Picture* picture;
    std::vector<ui::Point> points;

    void Add(ui::Point p) {
        if (points.size() < static_cast<std::size_t>(kPreviewMaxContourPoints)) points.push_back(p);
    }

    void AddElement(const TTempElement& e, const TTempElement* prev) {
        const unsigned code = KindCode(e.Kind);
        const double x = e.X.ToDouble(), y = e.Y.ToDouble();
        if (IsArcCode(code) && prev) {
            const long double x0 = prev->X, y0 = prev->Y;
            Real48 cx, cy, r;
            if (CentreFromBulge(cx, cy, r, code, e.Bulge, x0, y0, x, y)) {
                Real48 a0, a1;
                const long double sweep = ArcSweep(code, a0, a1, cx, cy, x0, y0, x, y);
                const long double start = std::atan2(y0 - cy.ToLongDouble(), x0 - cx.ToLongDouble());
                const int n = ArcPointCount(sweep, r, g.S);
                for (int i = 1; i < n; ++i) {
                    const long double a = start + sweep * i / n;
                    Add(g.ToPixel(static_cast<double>(cx + r * std::cos(a)), static_cast<double>(cy + r * std::sin(a))));
                }
            }
        }
        Add(g.ToPixel(x, y));  // the end point (the last of an arc's points)
    }

    static ui::Rect BoundsOf(const std::vector<ui::Point>& pts) {
        ui::Rect r{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
        for (const auto& p : pts) {
            r.left = std::min(r.left, p.x);
            r.top = std::min(r.top, p.y);
            r.right = std::max(r.right, p.x);
            r.bottom = std::max(r.bottom, p.y);
        }
        return r;
    }

    // The material tiled over the whole image from its top left (every second
    // tile and row mirrored), made once per picture, scale and image size and
    // then only copied through each contour's clip.
    const ui::Picture& TiledLayer() const {
        struct Layer {
            unsigned generation = 0;
            double S = 0;
            int w = 0, h = 0;
            ui::Picture picture;
        };
        static Layer layer;
        const int w = canvas.Width(), h = canvas.Height();
        if (layer.generation != PictureGeneration || layer.S != g.S || layer.w != w || layer.h != h) {
            layer.picture = ui::Picture(w, h);
            const int tw = std::max(1, RoundInt(picture->Width() * g.S));
            const int th = std::max(1, RoundInt(picture->Height() * g.S));
            layer.picture.GetCanvas().TileDraw({0, 0, w, h}, *picture, tw, th, true);
            layer.generation = PictureGeneration;
            layer.S = g.S;
            layer.w = w;
            layer.h = h;
        }
        return layer.picture;
    }

    void EndContour(bool fill, bool stretch) {
        if (points.empty()) return;
        if (points.size() == 1) {
            Cross(points[0]);
        } else {
            const bool closed = points.size() > 3 && points.front().x == points.back().x &&
                                points.front().y == points.back().y;
            if (fill && closed) {
                if (picture) {
                    canvas.SetClipPolygon(points);
                    if (stretch) {
                        canvas.StretchDraw(BoundsOf(points), *picture);
                    } else {
                        canvas.Draw(0, 0, TiledLayer());
                    }
                    canvas.ClearClip();
                } else {
                    const ui::Pen pen = canvas.pen;
                    canvas.pen.style = ui::PenStyle::Clear;
                    canvas.Polygon(points);
                    canvas.pen = pen;
                }
            }
            canvas.Polyline(points);
        }
        points.clear();
        canvas.pen = {ui::clBlack, 2, ui::PenStyle::Solid};
    }

    void Cross(ui::Point p) {
        const int h = RoundInt(kPreviewCrossMm / 2 * g.S);
        canvas.MoveTo(p.x - h, p.y);
        canvas.LineTo(p.x + h, p.y);
        canvas.MoveTo(p.x, p.y - h);
        canvas.LineTo(p.x, p.y + h);
    }
};

bool Geometric(const TTempElement& e) { return !IsNonGeometricKind(e.Kind) && KindCode(e.Kind) <= ecArcPos; }

// Inclination triangle of one segment (codes 1-3 with a previous element).
void InclinationMark(ui::Canvas& canvas, const PreviewGeometry& g, int c, const TTempElement& e,
                     const TTempElement& prev) {
    const unsigned code = KindCode(e.Kind);
    const long double x0 = prev.X, y0 = prev.Y, x1 = e.X, y1 = e.Y;
    long double mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
    long double tx = x1 - x0, ty = y1 - y0;
    Real48 cx, cy, r;
    if (IsArcCode(code) && CentreFromBulge(cx, cy, r, code, e.Bulge, x0, y0, x1, y1)) {
        Real48 a0, a1;
        const long double sweep = ArcSweep(code, a0, a1, cx, cy, x0, y0, x1, y1);
        const long double a = std::atan2(y0 - cy.ToLongDouble(), x0 - cx.ToLongDouble()) + sweep / 2;
        mx = cx + r * std::cos(a);
        my = cy + r * std::sin(a);
        const long double rx = mx - cx, ry = my - cy;
        if (code == ecArcNeg) {
            tx = -ry;
            ty = rx;
        } else {
            tx = ry;
            ty = -rx;
        }
    }
    const long double len = std::hypot(tx, ty);
    if (len > 0) {
        tx /= len;
        ty /= len;
    } else {
        tx = ty = 0;
    }
    long double dx, dy;
    if (e.Inclination > 0) {
        dx = -ty;
        dy = tx;
    } else {
        dx = ty;
        dy = -tx;
    }
    const ui::Point m = g.ToPixel(static_cast<double>(mx), static_cast<double>(my));
    const ui::Point tri[3] = {
        {m.x - RoundInt(c * dx), m.y - RoundInt(c * dy)},
        {m.x + RoundInt(c * (dx + dy)), m.y + RoundInt(c * (dy - dx))},
        {m.x + RoundInt(c * (dx - dy)), m.y + RoundInt(c * (dx + dy))},
    };
    canvas.Polygon(tri);
}

}  // namespace

std::string MaterialPicturePath(std::string_view materialName) {
    return platform::JoinHostPath(platform::HostFolder(), "KOVA/UTILS/MATERIAL/" + std::string(materialName) + ".BMP");
}

void ClearPreview(ui::Canvas& canvas) {
    canvas.brush = {kPreviewBackground, ui::BrushStyle::Solid};
    canvas.pen = {ui::clBlack, 1, ui::PenStyle::Solid};
    canvas.Rectangle(0, 0, canvas.Width(), canvas.Height());
}

void PaintPreview(ui::Canvas& canvas, const TTempElement* head, const PreviewGeometry& g, const PreviewStyle& style) {
    if (!g.valid) return;
    const ui::Brush callerBrush = canvas.brush;
    Painter p{canvas, g, style, BackgroundPicture(style.backgroundPicture), {}};
    bool fill = style.tab != TemplateTab::TagliRettilinei;
    const bool lapide = style.tab == TemplateTab::Lapide;
    canvas.pen = {ui::clBlack, 2, ui::PenStyle::Solid};

    auto walkContour = [&](const TTempElement* start) -> const TTempElement* {
        p.Add(g.ToPixel(start->X.ToDouble(), start->Y.ToDouble()));
        const TTempElement* prev = start;
        const TTempElement* e = start->Next;
        for (; e && KindCode(e->Kind) != ecStart; e = e->Next) {
            if (!Geometric(*e)) continue;
            p.AddElement(*e, prev);
            prev = e;
        }
        return e;
    };

    if (lapide) {
        for (const TTempElement* e = head; e; e = e->Next) {
            if (KindCode(e->Kind) == ecStart && !IsNonGeometricKind(e->Kind) &&
                (e->Flags & kContourRoleMask) == kRoleSlabOutline) {
                canvas.pen = {kPreviewGrey, 2, ui::PenStyle::Solid};
                walkContour(e);
                p.EndContour(fill, true);
                break;
            }
        }
        fill = false;
    }

    std::vector<ui::Point> lastContour;
    const TTempElement* e = head;
    while (e && (KindCode(e->Kind) != ecStart || IsNonGeometricKind(e->Kind))) e = e->Next;
    while (e) {
        const std::uint32_t role = e->Flags & kContourRoleMask;
        if (role == kRoleSlabOutline) {
            e = e->Next;
            while (e && KindCode(e->Kind) != ecStart) e = e->Next;
            continue;
        }
        if (e->Kind & kKindDashed)
            canvas.pen = {kPreviewDashed, 2, ui::PenStyle::Dash};
        else
            canvas.pen = {role == kRoleGrey ? kPreviewGrey : ui::clBlack, 2, ui::PenStyle::Solid};
        const TTempElement* next = walkContour(e);
        lastContour = p.points;
        p.EndContour(fill, lapide);
        e = next;
    }

    if (lapide && style.paintItems) style.paintItems(canvas);

    // Inclination marks.
    canvas.pen = {kPreviewInclination, 2, ui::PenStyle::Solid};
    canvas.brush = {kPreviewInclination, ui::BrushStyle::Solid};
    const int c = style.screenWidth / 300;
    for (const TTempElement* q = head; q; q = q->Next) {
        const unsigned code = KindCode(q->Kind);
        if (IsNonGeometricKind(q->Kind) || code < ecLine || code > ecArcPos || !q->Prev) continue;
        if (RoundToPrecision(q->Inclination) == 0) continue;
        InclinationMark(canvas, g, c, *q, *q->Prev);
    }

    if (style.tab == TemplateTab::Irregolare && style.irregularKind == 0 && lastContour.size() > 3) {
        canvas.MoveTo(lastContour[0].x, lastContour[0].y);
        canvas.LineTo(lastContour[2].x, lastContour[2].y);
    }
    canvas.brush = callerBrush;
}

HoleMarkers ComputeHoleMarkers(const PreviewGeometry& g, int imageWidth, int selectedHole) {
    HoleMarkers m;
    const TemplateParameters& p = TemplateParams;
    if (!g.valid || p.CircularHoleCount < 1 || selectedHole < 0 || selectedHole >= 8 ||
        selectedHole >= p.CircularHoleCount)
        return m;
    const CircularHoleItem& h = p.CircularHoles[selectedHole];
    const double W = p.RectWidth.ToDouble(), H = p.RectHeight.ToDouble();
    const bool right = h.Corner == 1 || h.Corner == 3;
    const bool top = h.Corner == 2 || h.Corner == 3;
    const double rx = right ? W : 0, ry = top ? 0 : H;
    const double hx = right ? W - h.X.ToDouble() : h.X.ToDouble();
    const double hy = top ? h.Y.ToDouble() : H - h.Y.ToDouble();
    const ui::Point c = g.ToPixel(rx, ry);
    const int s1 = imageWidth / 100;
    m.corner = {c.x - s1, c.y - s1, c.x + s1, c.y + s1};
    const ui::Point d = g.ToPixel(hx, hy);
    const int s2 = RoundInt(1.2L * p.CircularHoleDiameter.ToLongDouble());
    m.centre = {d.x - s2, d.y - s2, d.x + s2, d.y + s2};
    m.visible = true;
    return m;
}

}  // namespace kvd
