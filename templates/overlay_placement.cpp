#include "templates/overlay_placement.h"

#include <cmath>

#include "ui/text_controls.h"

namespace kvd {

namespace {

struct FormPoint {
    int x, y;
};

FormPoint ToForm(const OverlayContext& ctx, double x, double y) {
    const ui::Point p = ctx.geometry.ToPixel(x, y);
    return {ctx.image.left + p.x, ctx.image.top + p.y};
}

FormPoint MarkMidpoint(const OverlayContext& ctx, const DimensionMark& m) {
    return ToForm(ctx, (static_cast<double>(m.X1) + m.X2) / 2, (static_cast<double>(m.Y1) + m.Y2) / 2);
}

OverlayPlacement CentreRule(const OverlayContext& ctx, FormPoint p, int w, int h) {
    OverlayPlacement r;
    r.visible = true;
    const int imageW = ctx.image.Width(), imageH = ctx.image.Height();
    r.left = (ctx.image.left + imageW / 2 < p.x + w / 2) ? p.x - w - 20 : p.x + 20;
    r.top = (ctx.image.top + imageH / 2 < p.y + h / 2) ? p.y - h - 10 : p.y + 10;
    return r;
}

bool In(int t, int lo, int hi) { return t >= lo && t <= hi; }

// Side of a kitchen side-wall inclination edit (1..4), 0 for other types.
int SideOfType(int t) {
    if (In(t, 157, 160)) return 1;
    if (In(t, 164, 167)) return 2;
    if (In(t, 168, 171)) return 3;
    if (In(t, 172, 175)) return 4;
    return 0;
}

bool KitchenPosition(int t, FormPoint p, int w, int h, OverlayPlacement& r) {
    r.visible = true;
    switch (t) {
        case 157: case 164: case 168: case 172: r.left = p.x - w / 2; r.top = p.y + 20; return true;
        case 158: case 165: case 169: case 173: r.left = p.x - w - 10; r.top = p.y - h / 2; return true;
        case 160: case 167: case 171: case 175: r.left = p.x + 10; r.top = p.y - h / 2; return true;
        case 159: case 166: case 170: case 174: r.left = p.x - w / 2; r.top = p.y - h - 20; return true;
        case 90: r.left = p.x - w / 2; r.top = p.y + 10; return true;
        case 161: r.left = p.x - w - 20; r.top = p.y - h / 2; return true;
        case 162: r.left = p.x - w / 2; r.top = p.y - 2 * (h / 2) - 10; return true;
        case 163: r.left = p.x + 20; r.top = p.y - h / 2; return true;
        default:
            if (In(t, 176, 183)) {
                r.left = p.x - w / 2;
                r.top = p.y - h / 2;
                return true;
            }
    }
    r.visible = false;
    return false;
}

}  // namespace

OverlayPlacement ComputeOverlayPlacement(const DimensionBox& box, int w, int h, const OverlayContext& ctx) {
    const int t = box.type;
    if (!ctx.geometry.valid) return {};
    if (ctx.tab == TemplateTab::Irregolare && ctx.irregularKind == 5 && box.element && (t == 13 || t == 120))
        return CentreRule(ctx, ToForm(ctx, box.element->X.ToDouble(), box.element->Y.ToDouble()), w, h);
    if (ctx.tab == TemplateTab::Copertina && box.mark && (In(t, 141, 144) || In(t, 149, 151)))
        return CentreRule(ctx, MarkMidpoint(ctx, *box.mark), w, h);
    if (ctx.tab == TemplateTab::PianoCucina && ctx.sideWallsVisible && box.mark && (t == 90 || In(t, 157, 183))) {
        const int side = SideOfType(t);
        if (side == 0 || ctx.sideTicked[side - 1]) {
            OverlayPlacement r;
            if (KitchenPosition(t, MarkMidpoint(ctx, *box.mark), w, h, r)) return r;
        }
    }
    return {};
}

void PlaceOverlays(std::deque<DimensionBox>& boxes, const OverlayContext& ctx) {
    for (DimensionBox& b : boxes) {
        if (!b.overlay) continue;
        const OverlayPlacement r = ComputeOverlayPlacement(b, b.overlay->Width(), b.overlay->Height(), ctx);
        if (r.visible) {
            b.overlay->SetLeft(r.left);
            b.overlay->SetTop(r.top);
        }
        b.overlay->SetVisible(r.visible);
    }
}

}  // namespace kvd
