// Points of 6-byte reals and the small vector and angle routines that the
// contour builders share. Arithmetic is extended precision; the 6-byte
// fields convert on every read and write.
#pragma once
#include <cstddef>

#include "kvd/real48.h"

namespace kvd {

inline constexpr long double kPi = 3.141592653589793238462643383279502884L;
inline constexpr long double kTwoPi = 2.0L * kPi;

#pragma pack(push, 1)
// Each coordinate sits in an 8-byte slot (6-byte real, 2 spare bytes).
struct TRealPoint2 {
    Real48 X;
    std::uint8_t PadX[2] = {0, 0};
    Real48 Y;
    std::uint8_t PadY[2] = {0, 0};
};
struct TRealPoint3 {
    Real48 X;
    std::uint8_t PadX[2] = {0, 0};
    Real48 Y;
    std::uint8_t PadY[2] = {0, 0};
    Real48 Z;
    std::uint8_t PadZ[2] = {0, 0};
};
#pragma pack(pop)
static_assert(sizeof(TRealPoint2) == 16);
static_assert(offsetof(TRealPoint2, X) == 0);
static_assert(offsetof(TRealPoint2, Y) == 8);
static_assert(sizeof(TRealPoint3) == 24);
static_assert(offsetof(TRealPoint3, X) == 0);
static_assert(offsetof(TRealPoint3, Y) == 8);
static_assert(offsetof(TRealPoint3, Z) == 16);

inline TRealPoint2 RealPoint2(long double x, long double y) {
    TRealPoint2 p;
    p.X = x;
    p.Y = y;
    return p;
}
inline TRealPoint3 RealPoint3(long double x, long double y, long double z) {
    TRealPoint3 p;
    p.X = x;
    p.Y = y;
    p.Z = z;
    return p;
}

long double Dot2(const TRealPoint2& a, const TRealPoint2& b);
long double Dot3(const TRealPoint3& a, const TRealPoint3& b);
long double VectorLength2(const TRealPoint2& p);
double VectorLength3(const TRealPoint3& p);
// Divides every component by the length; a zero vector becomes all zeros.
void Normalize2(TRealPoint2& p);
void Normalize3(TRealPoint3& p);
void Negate2(TRealPoint2& p);
void Negate3(TRealPoint3& p);

// Distance of two points; the differences are rounded to double first.
long double PointDistance(long double x1, long double y1, long double x2, long double y2);

// +1 when x >= 0, else -1.
long double SignOf(long double x);

// atan2(dy, dx) in [0, 2*pi), rounded through the 6-byte form as it is stored.
long double AngleOf(long double dy, long double dx);

// Foot of the perpendicular from p to the line through a and b; returns the
// distance of p from that line. When a and b coincide the foot is a and the
// distance is |p - a|.
long double FootOnLine(TRealPoint2& foot, const TRealPoint2& p, const TRealPoint2& a, const TRealPoint2& b);

}  // namespace kvd
