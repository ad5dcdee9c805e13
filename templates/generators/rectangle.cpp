#include "templates/generators/rectangle.h"

#include <algorithm>
#include <cstdlib>

#include "base/arcs.h"
#include "base/element_list.h"
#include "base/geometry.h"
#include "base/precision.h"
#include "templates/shape_output.h"
#include "templates/template_tabs.h"

namespace kvd {

namespace {

void Emit(std::uint16_t code, long double x, long double y, const Real48* bulge = nullptr) {
    CurrentElement.Kind = code;
    CurrentElement.X = x;
    CurrentElement.Y = y;
    CurrentElement.Bulge = bulge ? *bulge : Real48(0.0L);
    AddShapeElement();
}

void Outline(long double W, long double H, long double r, bool chamfer) {
    if (r == 0.0L) {
        Emit(ecStart, 0, 0);
        Emit(ecLine, W, 0);
        Emit(ecLine, W, H);
        Emit(ecLine, 0, H);
        Emit(ecLine, 0, 0);
        return;
    }
    const long double sW = SignOf(W), sH = SignOf(H);
    // A mirrored rectangle runs in the opposite sense, so the radius turns with it.
    const long double re = (sW != sH) ? -r : r;
    std::uint16_t corner;
    long double c;
    if (chamfer) {
        corner = ecLine;
        c = re;
    } else if (re < 0) {
        corner = ecArcPos;  // a notch centred on the corner
        c = 0;
    } else {
        corner = ecArcNeg;  // a fillet
        c = re;
    }
    const long double v = std::abs(r);
    Real48 b;
    BulgeFromCentre(corner, b, W - c, H - c, W, H - v, W - v, H);

    Emit(ecStart, W, H / 2);
    Emit(ecLine, W, H - v * sH);
    Emit(corner, W - v * sW, H, &b);
    Emit(ecLine, v * sW, H);
    Emit(corner, 0, H - v * sH, &b);
    Emit(ecLine, 0, v * sH);
    Emit(corner, v * sW, 0, &b);
    Emit(ecLine, W - v * sW, 0);
    Emit(corner, W, v * sH, &b);
    Emit(ecLine, W, H / 2);
}

void Holes(const TemplateParameters& p, long double W, long double H) {
    // The table has eight entries; a count beyond them (a damaged settings
    // file) must not read past it.
    const int n = std::clamp<int>(p.CircularHoleCount, 0, 8);
    const long double d = p.CircularHoleDiameter;
    const Real48 half(1.0L);
    for (int k = 0; k < n; ++k) {
        const CircularHoleItem& h = p.CircularHoles[k];
        const bool right = h.Corner == 1 || h.Corner == 3;
        const bool top = h.Corner == 2 || h.Corner == 3;
        const long double cx = right ? W - h.X.ToLongDouble() : h.X.ToLongDouble();
        const long double cy = top ? h.Y.ToLongDouble() : H - h.Y.ToLongDouble();
        Emit(ecStart, cx - d / 2, cy);
        if (d > 0) {
            Emit(ecArcNeg, cx + d / 2, cy, &half);
            Emit(ecArcNeg, cx - d / 2, cy, &half);
        }
    }
}

}  // namespace

void GenerateRectangle(const TemplateParameters& p) {
    MarkingIndex = kKindRectangle;
    ClearCurrentElement();
    const long double W = p.RectWidth, H = p.RectHeight, r = p.RectFillet;
    if (RoundToPrecision(W) == 0 || RoundToPrecision(H) == 0) return;
    Outline(W, H, r, (p.OptionBits & kOptionChamfer) != 0);
    ClearCurrentElement();
    Holes(p, W, H);
}

}  // namespace kvd
