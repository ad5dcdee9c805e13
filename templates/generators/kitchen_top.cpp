#include "templates/generators/kitchen_top.h"

#include <algorithm>

#include "base/containers.h"
#include "base/contour_reversal.h"
#include "base/element_list.h"
#include "base/precision.h"
#include "templates/dimension_marks.h"
#include "templates/shape_output.h"
#include "templates/template_tabs.h"

namespace kvd {

namespace {

// Comparisons of lengths at the working precision, so that a value typed to
// the last decimal is not lost to binary rounding (1000.1 + 1999.9 <= 3000).
bool Greater(long double a, long double b) { return RoundToPrecision(a - b) > 0; }
bool AtLeast(long double a, long double b) { return RoundToPrecision(a - b) >= 0; }

TTempElement* Emit(std::uint16_t code, long double x, long double y, float inclination = 0.0f) {
    CurrentElement.Kind = code;
    CurrentElement.X = x;
    CurrentElement.Y = y;
    CurrentElement.Bulge = Real48(0.0L);
    CurrentElement.Inclination = inclination;
    return AddShapeElement();
}

// A box is anchored only to a side that was emitted: a dropped zero-length
// side would leave the mark on the segment before it.
void Anchor(const TTempElement* side, int type) {
    if (side) AddDimensionMark(type);
}

long double CurrentX() {
    const TTempElement* t = CurrentContainer ? static_cast<TTempElement*>(CurrentContainer->ElementsTail) : nullptr;
    return t ? t->X.ToLongDouble() : 0.0L;
}

void Outline(const TemplateParameters& p, long double W, long double H) {
    const float* inc = p.KitchenInclination;
    const int notches = std::clamp<int>(p.KitchenJointCutCount, 0, 2);
    Emit(ecStart, 0, 0);
    TTempElement* top = Emit(ecLine, W, 0, inc[0]);
    if (notches == 0) {
        Anchor(top, kKitchenInclinationBoxes[0]);
        Anchor(Emit(ecLine, W, H, inc[1]), kKitchenInclinationBoxes[1]);
        Anchor(Emit(ecLine, 0, H, inc[2]), kKitchenInclinationBoxes[2]);
    } else {
        // The sides keep their inclinations up to the notch; the notch's own
        // edges are cut square. One notch per corner: a second entry that
        // also reaches the corner would fold the outline over itself.
        bool right = false;
        for (int k = 0; k < notches && !right; ++k) {
            const BarItem& n = p.KitchenJointCuts[k];
            const long double x = n.X, y = n.Y, len = n.Length;
            if (Greater(W, x) && AtLeast(x + len, W)) {
                Emit(ecLine, W, H - y, inc[1]);
                Emit(ecLine, W - len, H - y);
                Emit(ecLine, W - len - y, H);
                right = true;
            }
        }
        if (!right) Emit(ecLine, W, H, inc[1]);
        bool left = false;
        for (int k = 0; k < notches && !left; ++k) {
            const BarItem& n = p.KitchenJointCuts[k];
            const long double x = n.X, y = n.Y, len = n.Length;
            if (AtLeast(0, x) && Greater(CurrentX(), x + len + y)) {
                Emit(ecLine, len + y, H, inc[2]);
                Emit(ecLine, len, H - y);
                Emit(ecLine, 0, H - y);
                left = true;
            }
        }
        if (!left) Emit(ecLine, 0, H, inc[2]);
    }
    TTempElement* closing = Emit(ecLine, 0, 0, inc[3]);
    if (notches == 0) Anchor(closing, kKitchenInclinationBoxes[3]);
}

void CutOuts(const TemplateParameters& p, long double H) {
    const bool centred = (p.OptionBits & kOptionCentredHorizontal) != 0;
    const int n = std::clamp<int>(p.KitchenHoleCount, 0, 3);
    long double previousRight = 0;
    for (int k = 0; k < n; ++k) {
        const HoleItem& h = p.KitchenHoles[k];
        const long double x = h.X, y = h.Y, w = h.Width, ht = h.Height;
        if (!AtLeast(x, 0) || !AtLeast(y, 0) || !Greater(w, 0) || !Greater(ht, 0)) continue;
        // Without the centre box each cut-out is placed from the right edge
        // of the one before it.
        const long double c = centred ? x - w / 2 : previousRight + x;
        const long double y0 = H - y, y1 = H - y - ht;
        Emit(ecStart, c, y0);
        Emit(ecLine, c, y1);
        Emit(ecLine, c + w, y1);
        Emit(ecLine, c + w, y0);
        Emit(ecLine, c, y0);
        if (h.Special & 1) {
            Emit(ecStart, c + 15, y0);
            Emit(ecLine, c + 15, y1);
        }
        if (h.Special & 2) {
            Emit(ecStart, c + w - 15, y0);
            Emit(ecLine, c + w - 15, y1);
        }
        previousRight = c + w;
    }
}

void HorizontalLines(const BarItem* items, int count, int most, long double W, long double H) {
    const int n = std::clamp(count, 0, most);
    for (int k = 0; k < n; ++k) {
        const long double x = items[k].X, y = items[k].Y, len = items[k].Length;
        if (!Greater(len, 0) || !AtLeast(x, 0) || !Greater(y, 0) || !AtLeast(W, x + len) || !Greater(H, y)) continue;
        Emit(ecStart, x, y);
        Emit(ecLine, x + len, y);
    }
}

void VerticalLines(const BarItem* items, int count, int most, long double W, long double H) {
    const int n = std::clamp(count, 0, most);
    for (int k = 0; k < n; ++k) {
        const long double x = items[k].X, y = items[k].Y, len = items[k].Length;
        if (!Greater(len, 0) || !Greater(x, 0) || !AtLeast(y, 0) || !Greater(W, x) || !AtLeast(H, y + len)) continue;
        Emit(ecStart, x, y);
        Emit(ecLine, x, y + len);
    }
}

void SideWalls(const TemplateParameters& p, long double W, long double H) {
    if (!(p.OptionBits & kOptionSideWalls)) return;
    const bool general = (p.OptionBits & kOptionGeneralHeight) != 0;
    const long double d = p.SideWallDistance;
    for (int k = 0; k < 4; ++k) {
        const SideWallItem& s = p.SideWalls[k];
        if (!(s.Flags & 1)) continue;
        const long double h = general ? p.SideWallGeneralHeight : s.Height;
        // A side wall of no height (or a negative one, which would lie on the
        // top itself) is no piece to cut.
        if (!Greater(h, 0)) continue;
        struct P {
            long double x, y;
        };
        // Start and the three further corners; the fourth side runs back to the start.
        const P walls[4][4] = {
            {{0, -d}, {W, -d}, {W, -d - h}, {0, -d - h}},                  // "Alto"
            {{W + d, 0}, {W + d + h, 0}, {W + d + h, H}, {W + d, H}},      // "Destra"
            {{0, H + d}, {W, H + d}, {W, H + d + h}, {0, H + d + h}},      // "Basso"
            {{-d, 0}, {-d - h, 0}, {-d - h, H}, {-d, H}},                  // "Sinistra"
        };
        const P* c = walls[k];
        TTempElement* start = Emit(ecStart, c[0].x, c[0].y);
        for (int i = 0; i < 4; ++i) {
            const P& to = c[(i + 1) % 4];
            Anchor(Emit(ecLine, to.x, to.y, s.Inclination[i]), kSideWallInclinationBoxes[k][i]);
        }
        // The walls above and to the left are built against the top's sense.
        if (k == 0 || k == 3) ReverseContourAt(start, true);
    }
}

}  // namespace

void GenerateKitchenTop(const TemplateParameters& p) {
    MarkingIndex = kKindKitchen;
    ClearCurrentElement();
    const long double W = p.KitchenWidth, H = p.KitchenHeight;
    Outline(p, W, H);
    ClearCurrentElement();
    CutOuts(p, H);
    ClearCurrentElement();
    HorizontalLines(p.KitchenHorizontalBars, p.KitchenHorizontalBarCount, 6, W, H);
    VerticalLines(p.KitchenVerticalBars, p.KitchenVerticalBarCount, 8, W, H);
    HorizontalLines(p.KitchenHorizontalThrough, p.KitchenHorizontalThroughCount, 2, W, H);
    VerticalLines(p.KitchenVerticalThrough, p.KitchenVerticalThroughCount, 2, W, H);
    ClearCurrentElement();
    SideWalls(p, W, H);
    if (CurrentContainer && CurrentContainer->Elements) {
        TTempElement* first = CurrentContainer->Elements;
        if (p.OptionBits & kOptionSingleGroup)
            first->Flags |= kFlagSingleGroup;
        else
            first->Flags &= ~kFlagSingleGroup;
    }
}

}  // namespace kvd
