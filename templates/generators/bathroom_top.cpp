#include "templates/generators/bathroom_top.h"

#include <algorithm>
#include <cmath>

#include "base/arcs.h"
#include "base/containers.h"
#include "base/contour_reversal.h"
#include "base/element_list.h"
#include "base/ellipse_arcs.h"
#include "base/precision.h"
#include "templates/generators/ellipse.h"
#include "templates/generators/plane_vector.h"
#include "templates/shape_output.h"
#include "templates/template_tabs.h"

namespace kvd {

namespace {

using V = Vec;
long double Length(V a) { return std::hypot(a.x, a.y); }
long double Dot(V a, V b) { return a.x * b.x + a.y * b.y; }
bool IsZero(V a) { return a.x == 0 && a.y == 0; }
// Foot of the perpendicular from p on the line through a and b (a != b).
V Foot(V p, V a, V b) {
    const V d = b - a;
    return a + (Dot(p - a, d) / Dot(d, d)) * d;
}

bool Greater(long double a, long double b) { return RoundToPrecision(a - b) > 0; }

TTempElement* Tail() {
    return CurrentContainer ? static_cast<TTempElement*>(CurrentContainer->ElementsTail) : nullptr;
}

V CurrentPoint() {
    const TTempElement* t = Tail();
    return t ? V{t->X.ToLongDouble(), t->Y.ToLongDouble()} : V{};
}

TTempElement* Emit(std::uint16_t code, V to, Real48 bulge = Real48(0.0L)) {
    CurrentElement.Kind = code;
    CurrentElement.X = to.x;
    CurrentElement.Y = to.y;
    CurrentElement.Bulge = bulge;
    return AddShapeElement();
}
void Start(V at) { Emit(ecStart, at); }
void Line(V to) { Emit(ecLine, to); }
// An arc from the current point to `to` about `centre`, in the code's sense.
void Arc(std::uint16_t code, V centre, V to) {
    const V from = CurrentPoint();
    Real48 b;
    BulgeFromCentre(code, b, centre.x, centre.y, from.x, from.y, to.x, to.y);
    Emit(code, to, b);
}
// The rounding of the corner `corner` between the edge arriving from `in`
// and the edge leaving towards `out`, turning in the positive sense: a line
// to the first tangent point and the arc to the second when `fits` accepts
// them, otherwise a line to the corner itself.
template <class Fits>
void OuterFillet(V in, V corner, V out, long double r, Fits fits) {
    if (r > 0) {
        const V a = Unit(out - corner), b = Unit(in - corner);
        const V o = Unit(a + b);
        const long double c = Dot(a, o);
        // Edges of no length, a straight corner (o = 0) or a corner folded
        // back on itself (c = 1) have no fillet.
        if (!IsZero(a) && !IsZero(b) && !IsZero(o) && 1 - c * c > 0) {
            const long double d = r / std::sqrt(1 - c * c), v = d * c;
            const V t1 = corner + v * b, t2 = corner + v * a;
            Line(t1);
            if (fits(t1, t2)) {
                Arc(ecArcNeg, corner + d * o, t2);
                return;
            }
        }
    }
    Line(corner);
}

// The concave fillet of radius r between the segment from p to q (of
// direction `along`, normal `n` towards the outside) and the bow: its centre
// lies on the segment's line shifted by r, at r from the bow circle. Its
// tangent point on the segment goes to t1, on the bow to t2.
bool InnerFillet(V p, V q, V n, V towards, long double r, const BathroomBow& bow, V& centre, V& t1, V& t2) {
    if (r <= 0 || bow.radius <= 0 || IsZero(n) || IsZero(towards)) return false;
    const V c{bow.cx, bow.cy};
    const V f0 = Foot(c, p + r * n, q + r * n);
    const long double d0 = Length(c - f0);
    const long double disc = (bow.radius + r) * (bow.radius + r) - d0 * d0;
    if (disc <= 0) return false;
    centre = f0 + std::sqrt(disc) * towards;
    t1 = Foot(centre, p, q);
    t2 = centre + r * Unit(c - centre);
    return true;
}

void Outline(const TemplateParameters& p, const BathroomBow& bow) {
    const long double W = p.BathWidth, H = p.BathHeight;
    const long double dL = p.BathLeftFromLeft, wL = p.BathLeftWidth, tL = p.BathLeftFromTop, aL = p.BathLeftSlope;
    const long double dR = p.BathRightFromRight, wR = p.BathRightWidth, tR = p.BathRightFromTop,
                      aR = p.BathRightSlope;
    const V wallRight{W, 0}, wallLeft{0, 0};
    const V cr{W - dR, tR}, ir{W - dR - wR, tR + aR};
    const V cl{dL, tL}, il{dL + wL, tL + aL};

    Start(wallRight);
    OuterFillet(wallRight, cr, ir, p.BathRightRadius,
                [&](V t1, V t2) { return t1.x > dL + wL && t1.x <= W && t2.y < H; });

    V fc{}, p1{}, p2{};
    bool fillet = InnerFillet(cr, ir, Unit({aR, wR}), Unit({wR, -aR}), p.BathInnerRightRadius, bow, fc, p1, p2);
    if (fillet) {
        Line(p1);
        fillet = p1.x > dL + wL && p2.x < W - dR && p1.y < H;
        if (fillet) Arc(ecArcPos, fc, p2);
    }
    if (!fillet) Line(ir);

    // The bow runs to the left inner fillet, or straight to the left inner
    // corner when that fillet is not drawn.
    fillet = InnerFillet(cl, il, Unit({-aL, wL}), Unit({-wL, -aL}), p.BathInnerLeftRadius, bow, fc, p1, p2) &&
             p2.x >= 0 && p1.x < W - wR - dR && p1.y < H;
    if (bow.radius > 0) Arc(ecArcNeg, {bow.cx, bow.cy}, fillet ? p2 : il);
    if (fillet)
        Arc(ecArcPos, fc, p1);
    else
        Line(il);

    OuterFillet(il, cl, wallLeft, p.BathLeftRadius,
                [&](V t1, V t2) { return t2.x >= 0 && t2.y >= 0 && t1.x < dL + wL; });
    Line(wallLeft);
    Line(wallRight);
}

void Sink(const TemplateParameters& p) {
    const double w = p.BathSinkWidth, h = p.BathSinkHeight;
    // A sink of no size would leave a lone point, which the host takes for a
    // drilling position.
    if (!Greater(w, 0) || !Greater(h, 0)) return;
    TTempElement* before = Tail();
    // The true ellipse points the ellipse output at AddShapeElement; the top
    // puts back what it found.
    const ShapeElementSink saved = EllipseShapeElementSink;
    AddEllipseOutline(kKindBathroom, p.BathSinkCentreX, p.BathHeight - h / 2 - p.BathSinkFromBottom, w, h,
                      p.BathSinkFillet);
    EllipseShapeElementSink = saved;
    TTempElement* start = before ? static_cast<TTempElement*>(before->Next) : FirstContainerElements();
    // Built in the outline's sense; the cut-out runs against it.
    if (start) ReverseContourAt(start, true);
}

void Taps(const TemplateParameters& p) {
    const int n = std::clamp<int>(p.BathTapCount, 0, 3);
    for (int k = 0; k < n; ++k) {
        const long double x = p.BathTaps[k].X, y = p.BathTaps[k].FromTop;
        if (Greater(x, 0) && Greater(p.BathWidth, x) && Greater(y, 0) && Greater(p.BathHeight, y)) Start({x, y});
    }
}

}  // namespace

BathroomBow CentralBow(const TemplateParameters& p) {
    BathroomBow bow;
    const long double H = p.BathHeight;
    const long double bl = H - p.BathLeftFromTop - p.BathLeftSlope;
    const long double br = H - p.BathRightFromTop - p.BathRightSlope;
    const long double wc = p.BathWidth - p.BathLeftFromLeft - p.BathLeftWidth - p.BathRightWidth - p.BathRightFromRight;
    if (!Greater(bl, 0) || !Greater(br, 0)) return bow;
    long double s;
    if (RoundToPrecision(bl - br) == 0) {
        s = wc / 2;
    } else {
        // The circle tangent to y = H through both inner corners: s is the
        // distance of its lowest point from the left inner corner.
        const long double k = (br - bl) / (bl * br), u = wc / br;
        const long double K = bl - br - br * u * u;
        const long double q = u * u - k * K;
        if (!(q > 0) || k == 0) return bow;
        s = (std::sqrt(q) - u) / k;
    }
    bow.radius = (s * s + bl * bl) / (2 * bl);
    bow.cx = p.BathLeftFromLeft + p.BathLeftWidth + s;
    bow.cy = H - bow.radius;
    return bow;
}

void GenerateBathroomTop(const TemplateParameters& p) {
    MarkingIndex = kKindBathroom;
    ClearCurrentElement();
    const long double W = p.BathWidth, H = p.BathHeight;
    if (Greater(p.BathLeftFromLeft + p.BathLeftWidth + p.BathRightWidth + p.BathRightFromRight, W) ||
        Greater(p.BathLeftFromTop + p.BathLeftSlope, H) || Greater(p.BathRightFromTop + p.BathRightSlope, H))
        return;
    Outline(p, CentralBow(p));
    ClearCurrentElement();
    Sink(p);
    ClearCurrentElement();
    Taps(p);
}

}  // namespace kvd
