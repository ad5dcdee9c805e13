#include "base/geometry.h"

#include <cmath>

namespace kvd {

long double Dot2(const TRealPoint2& a, const TRealPoint2& b) {
    return a.X.ToLongDouble() * b.X.ToLongDouble() + a.Y.ToLongDouble() * b.Y.ToLongDouble();
}

long double Dot3(const TRealPoint3& a, const TRealPoint3& b) {
    return a.X.ToLongDouble() * b.X.ToLongDouble() + a.Y.ToLongDouble() * b.Y.ToLongDouble() +
           a.Z.ToLongDouble() * b.Z.ToLongDouble();
}

long double VectorLength2(const TRealPoint2& p) { return std::sqrt(Dot2(p, p)); }

double VectorLength3(const TRealPoint3& p) { return static_cast<double>(std::sqrt(Dot3(p, p))); }

void Normalize2(TRealPoint2& p) {
    const long double len = VectorLength2(p);
    if (len == 0.0L) {
        p.X = 0.0L;
        p.Y = 0.0L;
        return;
    }
    p.X = p.X.ToLongDouble() / len;
    p.Y = p.Y.ToLongDouble() / len;
}

void Normalize3(TRealPoint3& p) {
    const long double len = VectorLength3(p);
    if (len == 0.0L) {
        p.X = 0.0L;
        p.Y = 0.0L;
        p.Z = 0.0L;
        return;
    }
    p.X = p.X.ToLongDouble() / len;
    p.Y = p.Y.ToLongDouble() / len;
    p.Z = p.Z.ToLongDouble() / len;
}

void Negate2(TRealPoint2& p) {
    p.X = -p.X.ToLongDouble();
    p.Y = -p.Y.ToLongDouble();
}

void Negate3(TRealPoint3& p) {
    p.X = -p.X.ToLongDouble();
    p.Y = -p.Y.ToLongDouble();
    p.Z = -p.Z.ToLongDouble();
}

long double PointDistance(long double x1, long double y1, long double x2, long double y2) {
    const double dx = static_cast<double>(x2 - x1);
    const double dy = static_cast<double>(y2 - y1);
    return std::sqrt(static_cast<long double>(dx) * dx + static_cast<long double>(dy) * dy);
}

long double SignOf(long double x) { return x >= 0.0L ? 1.0L : -1.0L; }

long double AngleOf(long double dy, long double dx) {
    long double a = std::atan2(dy, dx);
    if (a < 0.0L) a += kTwoPi;
    return Real48(a).ToLongDouble();
}

long double FootOnLine(TRealPoint2& foot, const TRealPoint2& p, const TRealPoint2& a, const TRealPoint2& b) {
    const long double ax = a.X, ay = a.Y;
    const long double dx = b.X.ToLongDouble() - ax;
    const long double dy = b.Y.ToLongDouble() - ay;
    const long double px = p.X, py = p.Y;
    const long double len2 = dx * dx + dy * dy;
    long double fx = ax, fy = ay;
    if (len2 > 0.0L) {
        const long double t = ((px - ax) * dx + (py - ay) * dy) / len2;
        fx = ax + t * dx;
        fy = ay + t * dy;
    }
    foot.X = fx;
    foot.Y = fy;
    return std::hypot(px - fx, py - fy);
}

}  // namespace kvd
