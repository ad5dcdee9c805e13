#include "templates/generators/regular_polygon.h"

#include <cmath>

#include "base/arcs.h"
#include "base/containers.h"
#include "base/element_list.h"
#include "base/geometry.h"
#include "templates/generators/plane_vector.h"
#include "templates/shape_output.h"
#include "templates/template_tabs.h"

namespace kvd {

namespace {

void Emit(std::uint16_t code, Vec at, const Real48* bulge = nullptr) {
    CurrentElement.Kind = code;
    CurrentElement.X = at.x;
    CurrentElement.Y = at.y;
    CurrentElement.Bulge = bulge ? *bulge : Real48(0.0L);
    AddShapeElement();
}

}  // namespace

void GenerateRegularPolygon(const TemplateParameters& p) {
    MarkingIndex = kKindRegular;
    const unsigned n = p.PolygonSides;
    const long double s = p.PolygonSide;
    const long double r = p.PolygonFillet;
    const long double a = p.PolygonRotation.ToLongDouble() * kPi / 180.0L;
    if (n <= 2 || !(s > 0)) return;

    DisposeAllContainers();
    ClearCurrentElement();
    const long double h = kPi / n;
    const long double R = s * 0.5L / std::sin(h);
    auto vertex = [&](unsigned k) { return Vec{R * std::cos(a + 2 * h * k), R * std::sin(a + 2 * h * k)}; };

    if (!(r > 0)) {
        Emit(ecStart, vertex(0));
        for (unsigned k = 1; k <= n; ++k) Emit(ecLine, vertex(k));
        return;
    }

    // t: from a vertex to its fillet's tangent points along the sides (r tan h);
    // c: from a vertex to its fillet's centre toward the middle (r / cos h).
    const long double t = s * (r * 0.5L) / R / std::cos(h);
    const long double c = 2 * R * t / s;
    for (unsigned i = 0; i < n; ++i) {
        const Vec A = vertex(i), B = vertex(i + 1), C = vertex(i + 2);
        const Vec t1 = B + t * Unit(A - B);
        const Vec t2 = B + t * Unit(C - B);
        const Vec m = B + c * Unit(Vec{-B.x, -B.y});
        const Vec e = C - t * Unit(C - B);
        if (i == 0) Emit(ecStart, t1);
        Real48 bulge;
        BulgeFromCentre(ecArcNeg, bulge, m.x, m.y, t1.x, t1.y, t2.x, t2.y);
        Emit(ecArcNeg, t2, &bulge);
        Emit(ecLine, e);
    }
}

}  // namespace kvd
