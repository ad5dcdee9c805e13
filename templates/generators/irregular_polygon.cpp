#include "templates/generators/irregular_polygon.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/containers.h"
#include "base/element_list.h"
#include "base/log.h"
#include "base/precision.h"
#include "templates/dimension_marks.h"
#include "templates/generators/plane_vector.h"
#include "templates/shape_output.h"
#include "templates/template_tabs.h"

namespace kvd {

IrregularPolygonState IrregularPolygon;

namespace {

bool Positive(long double v) { return RoundToPrecision(v) > 0; }

// Heron: the squared area of the triangle with sides a, b, c (negative when
// they make no triangle).
long double HeronSquared(long double a, long double b, long double c) {
    const long double p = (a + b + c) / 2;
    return p * (p - a) * (p - b) * (p - c);
}

TTempElement* Emit(std::uint16_t code, Vec at) {
    CurrentElement.Kind = code;
    CurrentElement.X = at.x;
    CurrentElement.Y = at.y;
    CurrentElement.Bulge = 0.0L;
    return AddShapeElement();
}

// Kinds 0 to 3: the side T on y = 0 from the origin, the side L ending at it.
void EmitQuadrilateral(long double T, Vec p3, Vec p4, const Vec* extra = nullptr) {
    Emit(ecStart, {0, 0});
    Emit(ecLine, {T, 0});
    if (extra) Emit(ecLine, *extra);
    Emit(ecLine, p3);
    Emit(ecLine, p4);
    Emit(ecLine, {0, 0});
}

// The box's overlay sits at the end of the segment just emitted.
void AnchorBox(int type) {
    AddDimensionMark(type);
    if (DimensionBox* box = FindDimensionBox(type))
        box->element = CurrentContainer ? static_cast<TTempElement*>(CurrentContainer->ElementsTail) : nullptr;
}

// "4 lati diversi": two triangles on the diagonal D from the origin to P3.
// The feet of the heights are placed by the cosine rule, so an obtuse angle
// at either end of the diagonal keeps the sides their lengths.
void FourSides(QuadrilateralSet& set, IrregularShownValues& shown, IrregularTrigger trigger) {
    const long double T = set.Slot[kSlotTop], L = set.Slot[kSlotLeft], R = set.Slot[kSlotRight],
                      B = set.Slot[kSlotBottom];
    long double A = set.Slot[kSlotAlignment];
    if (trigger == IrregularTrigger::kAlignmentEdit && Positive(L - A)) {
        // The lower left corner sits at x = A, the lower side runs along x.
        const long double h2 = L * L - A * A;
        if (h2 >= 0) {
            set.Slot[kSlotDiagonal] = static_cast<double>(std::sqrt(h2 + (A + B) * (A + B)));
            shown.diagonal = true;
            shown.diagonalValue = set.Slot[kSlotDiagonal];
        } else {
            WriteLog("Irregolare: alignment " + std::to_string(static_cast<double>(A)) +
                     " is longer than the left side " + std::to_string(static_cast<double>(L)) +
                     ", diagonal kept");
        }
    }
    const long double D = set.Slot[kSlotDiagonal];
    const long double first = HeronSquared(T, R, D);
    if (!Positive(first) || !Positive(T) || !Positive(L) || !Positive(R) || !Positive(B) || !Positive(D)) return;
    const long double h1 = 2 * std::sqrt(first) / T;
    const Vec p3{(T * T + D * D - R * R) / (2 * T), h1};

    const long double second = HeronSquared(B, L, D);
    if (!Positive(second)) return;
    const long double h2 = 2 * std::sqrt(second) / D;
    const long double k = (B * B + D * D - L * L) / (2 * D);
    const Vec u = Unit({-p3.x, -p3.y});
    const Vec n = Unit({-p3.y, p3.x});
    const Vec p4{p3.x + k * u.x + h2 * n.x, p3.y + k * u.y + h2 * n.y};

    EmitQuadrilateral(T, p3, p4);
    if (trigger == IrregularTrigger::kDiagonalEdit) {
        A = p4.x;
        set.Slot[kSlotAlignment] = static_cast<double>(A);
        shown.alignment = true;
        shown.alignmentValue = set.Slot[kSlotAlignment];
    } else if (trigger == IrregularTrigger::kAlignmentEdit) {
        shown.diagonal = true;
        shown.diagonalValue = set.Slot[kSlotDiagonal];
    }
}

// "1 angolo a 90°": right angle at the origin; the triangle (B, R, D) on the
// diagonal from (0, L) to (T, 0).
void OneRightAngle(QuadrilateralSet& set) {
    const long double T = set.Slot[kSlotTop], L = set.Slot[kSlotLeft], R = set.Slot[kSlotRight],
                      B = set.Slot[kSlotBottom];
    const long double D = std::sqrt(T * T + L * L);
    set.Slot[kSlotDiagonal] = static_cast<double>(D);
    const long double area2 = HeronSquared(B, R, D);
    if (!Positive(area2) || !Positive(T) || !Positive(L) || !Positive(R) || !Positive(B) || !Positive(D)) return;
    const long double h = 2 * std::sqrt(area2) / D;
    const long double c = (B * B + D * D - R * R) / (2 * D);
    const Vec u = Unit({T, -L});
    const Vec foot{c * u.x, L + c * u.y};
    const Vec n{-u.y, u.x};
    EmitQuadrilateral(T, {foot.x + h * n.x, foot.y + h * n.y}, {0, L});
}

void TwoRightAngles(const QuadrilateralSet& set) {
    const long double T = set.Slot[kSlotTop], L = set.Slot[kSlotLeft], R = set.Slot[kSlotRight];
    if (!Positive(T) || !Positive(L) || !Positive(R)) return;
    EmitQuadrilateral(T, {T, R}, {0, L});
}

void ThreeRightAngles(const QuadrilateralSet& set) {
    const long double T = set.Slot[kSlotTop], L = set.Slot[kSlotLeft], R = set.Slot[kSlotRight],
                      B = set.Slot[kSlotBottom];
    if (!Positive(T) || !Positive(L) || !Positive(R) || !Positive(B)) return;
    const Vec corner{T, R};
    EmitQuadrilateral(T, {B, L}, {0, L}, &corner);
}

// "3 lati diversi": the side B on y = 0, the apex below it.
void Triangle(const QuadrilateralSet& set) {
    const long double L = set.Slot[kSlotLeft], R = set.Slot[kSlotRight], B = set.Slot[kSlotBottom];
    if (!Positive(L) || !Positive(R) || !Positive(B)) return;
    if (RoundToPrecision(L + R - B) < 0 || RoundToPrecision(R + B - L) < 0 || RoundToPrecision(B + L - R) < 0)
        return;
    // A flat triangle passes the checks with an area that rounding may make
    // slightly negative.
    const long double h = 2 * std::sqrt(std::max(HeronSquared(L, R, B), 0.0L)) / B;
    const long double x = (L * L + B * B - R * R) / (2 * B);
    Emit(ecStart, {0, 0});
    Emit(ecLine, {x, -h});
    Emit(ecLine, {B, 0});
    Emit(ecLine, {0, 0});
}

// "trapezio sghembo": the lower side B runs along x from the lower left
// corner (A, h) to (A + B, h), h being the height of the left side; the right
// side reaches the upper side at (A + B + D, h - hR).
void SkewTrapezoid(QuadrilateralSet& set, IrregularShownValues& shown) {
    const long double D = set.Slot[kSlotDiagonal], A = set.Slot[kSlotAlignment], L = set.Slot[kSlotLeft],
                      R = set.Slot[kSlotRight], B = set.Slot[kSlotBottom];
    const long double hL2 = L * L - A * A, hR2 = R * R - D * D;
    long double T;
    Vec p2, p3, p4;
    if (hL2 > 0 && hR2 > 0) {
        const long double hL = std::sqrt(hL2), hR = std::sqrt(hR2);
        p2 = {B + A + D, hL - hR};
        T = std::hypot(p2.x, p2.y);
        p3 = {A + B, hL};
        p4 = {A, hL};
    } else {
        // An offset as long as its side: no such trapezoid; the sides are
        // drawn as the upright figure with the left side as height.
        T = B;
        p2 = {B + A + D, 0};
        p3 = {T - D, L};
        p4 = {A, L};
    }
    set.Slot[kSlotTop] = static_cast<double>(T);

    Emit(ecStart, {0, 0});
    Emit(ecLine, p2);
    Emit(ecLine, p3);
    AnchorBox(kAlignmentBoxType);
    Emit(ecLine, p4);
    AnchorBox(kDiagonalBoxType);
    Emit(ecLine, {0, 0});

    shown.top = shown.diagonal = shown.alignment = true;
    shown.topValue = set.Slot[kSlotTop];
    shown.diagonalValue = set.Slot[kSlotDiagonal];
    shown.alignmentValue = set.Slot[kSlotAlignment];
}

}  // namespace

void GenerateIrregularPolygon(const TemplateParameters&) {
    MarkingIndex = kKindIrregular;
    ClearCurrentElement();
    IrregularPolygonState& st = IrregularPolygon;
    st.shown = IrregularShownValues{};
    const IrregularTrigger trigger = st.trigger;
    st.trigger = IrregularTrigger::kOtherChange;
    if (st.kind < 0 || st.kind >= kQuadrilateralKinds) {
        WriteLog("Irregolare: unknown polygon kind " + std::to_string(st.kind) + ", nothing drawn");
        return;
    }
    QuadrilateralSet& set = WorkingQuadSets[st.kind];
    switch (st.kind) {
        case kQuadFourSides: FourSides(set, st.shown, trigger); break;
        case kQuadOneRightAngle: OneRightAngle(set); break;
        case kQuadTwoRightAngles: TwoRightAngles(set); break;
        case kQuadThreeRightAngles: ThreeRightAngles(set); break;
        case kQuadTriangle: Triangle(set); break;
        case kQuadSkewTrapezoid: SkewTrapezoid(set, st.shown); break;
    }
}

}  // namespace kvd
