#include "base/appender.h"

#include <cmath>
#include <cstring>

#include "base/arcs.h"
#include "base/element_list.h"
#include "base/geometry.h"

namespace kvd {

TTempElement* CurrentListHead = nullptr;
TTempElement* CurrentListTail = nullptr;
TTempElement* CurrentContourStart = nullptr;
std::uint8_t CurrentColorIndex = 0;
std::uint8_t CurrentLayerMode = lmNone;
Real48 CurrentZ;
std::uint16_t ForcedDepthWord = 0;
float ForcedDepth = 0.0f;
bool InchUnits = false;
bool KeepY = false;
bool CorrectionActive = false;
Real48 CorrectionValue;
bool ElevationActive = false;
Real48 ElevationValue;
bool InclinationActive = false;
Real48 InclinationValue;
std::uint8_t MarkingTextSlot = 0;
std::uint8_t MarkingTextExtra = 0;
TInsertTransform InsertTransform;

namespace {
constexpr long double kMillimetresPerInch = 25.4L;
}

void ResetInsertTransform() { InsertTransform = TInsertTransform{}; }

void ResetAppenderState() {
    CurrentListHead = nullptr;
    CurrentListTail = nullptr;
    CurrentContourStart = nullptr;
    CurrentColorIndex = 0;
    CurrentLayerMode = lmNone;
    CurrentZ = 0.0L;
    ForcedDepthWord = 0;
    ForcedDepth = 0.0f;
    InchUnits = false;
    KeepY = false;
    CorrectionActive = false;
    CorrectionValue = 0.0L;
    ElevationActive = false;
    ElevationValue = 0.0L;
    InclinationActive = false;
    InclinationValue = 0.0L;
    MarkingTextSlot = 0;
    MarkingTextExtra = 0;
    ResetInsertTransform();
}

void ApplyInsertTransform(long double& x, long double& y) {
    const TInsertTransform& t = InsertTransform;
    // Most elements come without rotation; cos 0 and sin 0 are exact, so the
    // short way gives the same values.
    long double c = 1.0L, s = 0.0L;
    if (!t.Rotation.IsZero()) {
        const long double theta = t.Rotation.ToLongDouble() * kPi / 180.0L;
        c = std::cos(theta);
        s = std::sin(theta);
    }
    const long double nx = t.ScaleX.ToLongDouble() * (t.OffsetX.ToLongDouble() + x * c - y * s);
    const long double ny = t.ScaleY.ToLongDouble() * (t.OffsetY.ToLongDouble() + x * s + y * c);
    x = nx;
    y = ny;
}

namespace {

bool InsertTransformIsIdentity() {
    static const TInsertTransform identity{};
    return std::memcmp(&InsertTransform, &identity, sizeof identity) == 0;
}

void ApplyLayerMode(TTempElement& e) {
    switch (CurrentLayerMode) {
        case lmNonWorkable:
            e.Kind = static_cast<std::uint16_t>(WithClass(e.Kind, clsNonWorkable) & ~kfWorkable);
            break;
        case lmOrdinary:
            e.Kind |= kfWorkable;
            break;
        case lmSlabContour:
            e.Kind = static_cast<std::uint16_t>((e.Kind & ~kfWorkable) | kfSlabContour);
            break;
        default:
            e.Kind = static_cast<std::uint16_t>(e.Kind & ~(kfWorkable | kfSlabContour));
            break;
    }
}

void ExtendTransformed(long double x, long double y) {
    ApplyInsertTransform(x, y);
    ExtendExtents(static_cast<double>(x), static_cast<double>(y));
}

// Bulge of an arc element, and the arc's extreme points added to the drawing
// extents. The bulge is taken in the untransformed frame, where rotation and
// offset do not change it; a mirroring insert flips the arc afterwards.
void StampArc(TTempElement& e, long double r, long double cx, long double cy, long double prevX, long double prevY) {
    const unsigned code = KindCode(e.Kind);
    long double x1 = e.X, y1 = e.Y;
    long double x2 = x1, y2 = y1;
    // An arc without a chord has no sweep to test (its angles are zero);
    // only its end point counts.
    if (BulgeFromCentre(code, e.Bulge, cx, cy, prevX, prevY, e.X, e.Y)) {
        r = std::fabs(r);
        const long double a0 = LastArcStartAngle, a1 = LastArcEndAngle;
        if (ArcPassesAngle(code, r, kPi, a0, a1)) x1 = cx - r;
        if (ArcPassesAngle(code, r, 0.0L, a0, a1)) x2 = cx + r;
        if (ArcPassesAngle(code, r, 0.5L * kPi, a0, a1)) y1 = cy + r;
        if (ArcPassesAngle(code, r, 1.5L * kPi, a0, a1)) y2 = cy - r;
    }
    ExtendTransformed(x1, y1);
    ExtendTransformed(x2, y2);
    if (InsertTransform.ScaleX.ToLongDouble() * InsertTransform.ScaleY.ToLongDouble() < 0.0L) {
        // Only the element code turns (2 <-> 3); class and flag bits stay.
        e.Bulge = -e.Bulge.ToLongDouble();
        e.Kind = static_cast<std::uint16_t>((e.Kind & ~0xFu) | (5u - code));
    }
}

void StampGeometric(TTempElement& e, long double r, long double cx, long double cy, long double prevX,
                    long double prevY) {
    ApplyLayerMode(e);
    if (IsArcCode(KindCode(e.Kind))) StampArc(e, r, cx, cy, prevX, prevY);
    // The identity gives back the stored values exactly; skip the round trip.
    if (!InsertTransformIsIdentity()) {
        long double x = e.X, y = e.Y;
        ApplyInsertTransform(x, y);
        e.X = x;
        e.Y = y;
    }
    if (CorrectionActive) e.Correction = static_cast<float>(CorrectionValue.ToLongDouble());
    if (ElevationActive) e.Inclination = static_cast<float>(ElevationValue.ToLongDouble());
    if (InclinationActive) e.Inclination = static_cast<float>(InclinationValue.ToLongDouble());
}

}  // namespace

TTempElement* AddElement(std::uint16_t kind, long double x, long double y, long double r, long double cx,
                         long double cy, long double prevX, long double prevY) {
    TTempElement e{};
    if (InchUnits && kind != rkMarkingName && kind != rkText) {
        x *= kMillimetresPerInch;
        y *= kMillimetresPerInch;
        r *= kMillimetresPerInch;
        cx *= kMillimetresPerInch;
        cy *= kMillimetresPerInch;
        prevX *= kMillimetresPerInch;
        prevY *= kMillimetresPerInch;
    }
    if (kind < 10 && !KeepY) {
        prevY = -prevY;
        cy = -cy;
        y = -y;
    }
    e.X = x;
    e.Y = y;
    e.Z = CurrentZ;
    e.Kind = kind;

    if (kind == rkMarkingName || kind == rkText) {
        e.Bulge = r;
        e.Correction = static_cast<float>(cx);
        e.Inclination = static_cast<float>(cy);
        e.Aux = static_cast<float>(prevX);
        e.Z = prevY;
        if (kind == rkMarkingName) {
            e.Slot = MarkingTextSlot;
            e.Extra51 = MarkingTextExtra;
        } else {
            e.Correction = CurrentLayerMode > 0 ? 1.0f : 0.0f;
        }
    } else if (kind == rkMarking) {
        e.Z = r;
        e.Correction = static_cast<float>(cx);
        e.Inclination = static_cast<float>(cy);
        e.Aux = static_cast<float>(prevX);
        e.Bulge = prevY;
    } else if (!IsNonGeometricKind(kind)) {
        StampGeometric(e, r, cx, cy, prevX, prevY);
    }
    // Other non-geometric kinds (continuations, closing record) keep X, Y
    // and Z as given: a layer class or transform would make them something else.

    TTempElement* added = AppendElement(CurrentListHead, CurrentListTail, e);
    if (KindCode(added->Kind) == ecStart) {
        CurrentContourStart = added;
        added->SetColorIndex(CurrentColorIndex);
        if (ForcedDepthWord == kForcedDepthActive) {
            added->Z = ForcedDepth;
            added->Kind = static_cast<std::uint16_t>((added->Kind & 0xFu) | (clsForcedDepth << 4));
        }
    }
    if (kind == rkMarkingName) ResetInsertTransform();
    return added;
}

}  // namespace kvd
