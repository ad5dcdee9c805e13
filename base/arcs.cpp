#include "base/arcs.h"

#include <cmath>

#include "base/geometry.h"
#include "kvd/element.h"

namespace kvd {

Real48 LastArcStartAngle;
Real48 LastArcEndAngle;
long double CurrentSweep = 0.0L;
long double CurrentBulge = 0.0L;

namespace {

// Angle difference reduced to [0, 2*pi).
long double Turn(long double a) {
    long double r = std::fmod(a, kTwoPi);
    if (r < 0.0L) r += kTwoPi;
    if (r >= kTwoPi) r -= kTwoPi;
    return r;
}

void ClearArcAngles() {
    LastArcStartAngle = 0.0L;
    LastArcEndAngle = 0.0L;
}

}  // namespace

bool BulgeFromCentre(unsigned code, Real48& bulge, long double cx, long double cy, long double x0, long double y0,
                     long double x1, long double y1) {
    const long double c = std::hypot(x1 - x0, y1 - y0);
    const long double r = std::hypot(x1 - cx, y1 - cy);
    if (!(c > 0.0L)) {
        bulge = 0.0L;
        ClearArcAngles();
        return false;
    }
    long double t = c / 2.0L;
    const long double u = std::sqrt((t + r) * std::fabs(r - t));  // distance of the centre from the chord
    if (KindCode(static_cast<std::uint16_t>(code)) == ecArcNeg) t = -t;
    CurrentSweep = ArcSweep(code, LastArcStartAngle, LastArcEndAngle, cx, cy, x0, y0, x1, y1);
    // (r - u) / t loses every digit when the arc is nearly straight (r far
    // above the chord); t / (r + u) is the same value, since u^2 = r^2 - t^2,
    // without the cancellation.
    long double b;
    if (std::fabs(CurrentSweep) >= kPi) {
        b = (r + u) / t;
    } else if (r >= std::fabs(t)) {
        b = t / (r + u);
    } else {
        b = (r - u) / t;
    }
    bulge = b;
    CurrentBulge = b;
    return true;
}

bool BulgeFromRadius(unsigned code, Real48& bulge, long double x0, long double y0, long double x1, long double y1,
                     long double r) {
    const long double h = std::hypot(x1 - x0, y1 - y0) / 2.0L;
    if (!(h > 0.0L)) {
        bulge = 0.0L;
        CurrentBulge = 0.0L;
        ClearArcAngles();
        return false;
    }
    // A radius below half the chord cannot reach both points; the nearest
    // arc that does is the half circle. Without this the formula below turns
    // the arc round (a bulge of the wrong sign) for such radii.
    long double radius = std::fabs(r);
    if (radius < h) radius = h;
    long double b = (radius - std::sqrt((radius + h) * std::fabs(radius - h))) / h;
    if (KindCode(static_cast<std::uint16_t>(code)) == ecArcNeg) b = -b;
    bulge = b;
    CurrentBulge = b;
    return true;
}

bool CentreFromBulge(Real48& cx, Real48& cy, Real48& r, unsigned code, long double bulge, long double x0,
                     long double y0, long double x1, long double y1) {
    r = 0.0L;
    if (bulge == 0.0L || !IsArcCode(KindCode(static_cast<std::uint16_t>(code)))) return false;
    const long double c = std::hypot(x1 - x0, y1 - y0);
    if (!(c > 0.0L)) return false;
    const long double s = std::fabs(bulge * c / 2.0L);  // sagitta
    if (!(s > 0.0L)) return false;
    const long double radius = std::fabs(c / 4.0L * (bulge + 1.0L / bulge));
    const long double mx = (x0 + x1) / 2.0L, my = (y0 + y1) / 2.0L;
    const long double dx = (x1 - x0) / c, dy = (y1 - y0) / c;
    const long double d = radius - s;  // negative for arcs longer than a half circle
    if (KindCode(static_cast<std::uint16_t>(code)) == ecArcNeg) {
        cx = mx - d * dy;
        cy = my + d * dx;
    } else {
        cx = mx + d * dy;
        cy = my - d * dx;
    }
    r = radius;
    return true;
}

long double ArcSweep(unsigned code, Real48& startAngle, Real48& endAngle, long double cx, long double cy,
                     long double x0, long double y0, long double x1, long double y1) {
    startAngle = AngleOf(y0 - cy, x0 - cx);
    endAngle = AngleOf(y1 - cy, x1 - cx);
    const long double d = endAngle.ToLongDouble() - startAngle.ToLongDouble();
    if (KindCode(static_cast<std::uint16_t>(code)) == ecArcPos) return d < 0.0L ? d : d - kTwoPi;
    return d > 0.0L ? d : d + kTwoPi;
}

bool ArcPassesAngle(unsigned code, long double radius, long double angle, long double startAngle,
                    long double endAngle) {
    (void)radius;  // the angular tolerance (tolerance / radius) is 0 in this system
    if (KindCode(static_cast<std::uint16_t>(code)) == ecArcPos)
        return Turn(startAngle - angle) <= Turn(startAngle - endAngle);
    return Turn(angle - startAngle) <= Turn(endAngle - startAngle);
}

}  // namespace kvd
