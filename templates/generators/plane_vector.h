// A point or direction of the drawing plane, in extended precision, for the
// generators' construction geometry.
#pragma once
#include <cmath>

namespace kvd {

struct Vec {
    long double x, y;
};
inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator*(long double k, Vec a) { return {k * a.x, k * a.y}; }
// Length 1, or the zero vector for a zero vector.
inline Vec Unit(Vec a) {
    const long double l = std::hypot(a.x, a.y);
    return l > 0 ? Vec{a.x / l, a.y / l} : Vec{0, 0};
}

}  // namespace kvd
