#include "templates/generators/coping.h"

#include <cmath>
#include <string>

#include "base/arcs.h"
#include "base/containers.h"
#include "base/element_list.h"
#include "base/log.h"
#include "base/precision.h"
#include "templates/dimension_marks.h"
#include "templates/generators/plane_vector.h"
#include "templates/shape_output.h"
#include "templates/template_tabs.h"

namespace kvd {

namespace {

Vec Mirror(Vec p) { return {-p.x, p.y}; }

void Emit(std::uint16_t kind, Vec at, Real48 bulge = Real48(0.0L)) {
    CurrentElement.Kind = kind;
    CurrentElement.X = at.x;
    CurrentElement.Y = at.y;
    CurrentElement.Bulge = bulge;
    AddShapeElement();
}

struct ArcSide {
    unsigned code;
    Vec from, to;
    Real48 bulge;
};

// A groove along an arc side, `width` inside it (toward the centre for the
// outer arc, away from it for the inner one) and shortened at both ends.
void ArcGroove(const ArcSide& side, long double width, const char* name) {
    Real48 cx, cy, radius;
    if (!CentreFromBulge(cx, cy, radius, side.code, side.bulge.ToLongDouble(), side.from.x, side.from.y, side.to.x,
                         side.to.y))
        return;
    const long double R = radius;
    Real48 a0s, a1s;
    const long double s = ArcSweep(side.code, a0s, a1s, cx, cy, side.from.x, side.from.y, side.to.x, side.to.y);
    if (s == 0 || !(R > 0)) return;
    const long double delta = width / (2 * s * R);
    // The ends move toward each other by delta each; once they meet the
    // groove would run the long way round, across the piece.
    if (std::fabs(2 * delta) >= std::fabs(s)) {
        WriteLog(std::string("Copertina: groove \"") + name + "\" longer than its side, not drawn");
        return;
    }
    const long double a0 = a0s.ToLongDouble() + delta, a1 = a1s.ToLongDouble() - delta;
    const long double rg = side.code == ecArcNeg ? R - width : R + width;
    const Vec c{cx.ToLongDouble(), cy.ToLongDouble()};
    const Vec start = c + rg * Vec{std::cos(a0), std::sin(a0)};
    const Vec end = c + rg * Vec{std::cos(a1), std::sin(a1)};
    Real48 bulge;
    BulgeFromCentre(side.code, bulge, c.x, c.y, start.x, start.y, end.x, end.y);
    Emit(ecStart | kKindGrooveContour, start);
    Emit(static_cast<std::uint16_t>(side.code), end, bulge);
}

// A groove along a straight end from `from` to `to`, `width` inside it and
// `width` short of either end.
void LineGroove(Vec from, Vec to, long double width) {
    const Vec e = Unit(to - from);
    const Vec q{-e.y, e.x};
    Emit(ecStart | kKindGrooveContour, from + width * e + width * q);
    Emit(ecLine, to - width * e + width * q);
}

}  // namespace

void GenerateCoping(const TemplateParameters& p) {
    MarkingIndex = kKindCoping;
    ClearCurrentElement();
    const long double Wa = p.CopingAxialWidth, Ra = p.CopingAxialRadius;
    const long double Rs = p.CopingUpperRadius, Ri = p.CopingLowerRadius;
    const long double wl = p.CopingLeftWidth, wr = p.CopingRightWidth;
    if (RoundToPrecision(Wa) == 0) return;

    // The axis: the minor arc of radius Ra over the chord (-Wa/2, 0)-(Wa/2, 0).
    const Vec axisLeft{-Wa / 2, 0}, axisRight{Wa / 2, 0};
    Real48 b0, acx, acy, ar;
    BulgeFromRadius(ecArcNeg, b0, axisLeft.x, axisLeft.y, axisRight.x, axisRight.y, Ra);
    if (!CentreFromBulge(acx, acy, ar, ecArcNeg, b0.ToLongDouble(), axisLeft.x, axisLeft.y, axisRight.x,
                         axisRight.y))
        return;
    const Vec C{acx.ToLongDouble(), acy.ToLongDouble()};
    const Vec u = Unit(axisLeft - C);

    if (DimensionMark* m = AddDimensionMark(kAxialWidthBoxType)) {
        m->X1 = static_cast<float>(axisLeft.x);
        m->Y1 = static_cast<float>(axisLeft.y);
        m->X2 = static_cast<float>(axisRight.x);
        m->Y2 = static_cast<float>(axisRight.y);
    }

    const Vec P1 = C + (Ra + wl / 2) * u;
    const Vec P2 = Mirror(P1);
    const Vec P3 = Mirror(C + (Ra - wr / 2) * u);
    const Vec P4 = C + (Ra - wl / 2) * u;
    ArcSide outer{ecArcNeg, P1, P2, {}};
    ArcSide inner{ecArcPos, P3, P4, {}};
    BulgeFromRadius(ecArcNeg, outer.bulge, P1.x, P1.y, P2.x, P2.y, Rs);
    BulgeFromRadius(ecArcPos, inner.bulge, P3.x, P3.y, P4.x, P4.y, Ri);

    Emit(ecStart, P1);
    Emit(ecArcNeg, P2, outer.bulge);
    Emit(ecLine, P3);
    AddDimensionMark(kRightWidthBoxType);
    Emit(ecArcPos, P4, inner.bulge);
    Emit(ecLine, P1);
    AddDimensionMark(kLeftWidthBoxType);

    const std::uint8_t bits = p.CopingReinforcementBits;
    if (bits & kGrooveTop) ArcGroove(outer, p.CopingTopReinforcement.ToLongDouble(), "rinforzo sopra");
    if (bits & kGrooveBottom) ArcGroove(inner, p.CopingBottomReinforcement.ToLongDouble(), "rinforzo sotto");
    if (bits & kGrooveRight) LineGroove(P2, P3, p.CopingRightReinforcement.ToLongDouble());
    if (bits & kGrooveLeft) LineGroove(P4, P1, p.CopingLeftReinforcement.ToLongDouble());
}

}  // namespace kvd
