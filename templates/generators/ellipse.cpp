#include "templates/generators/ellipse.h"

#include <algorithm>
#include <cmath>

#include "base/arcs.h"
#include "base/element_list.h"
#include "base/ellipse_arcs.h"
#include "base/host_settings.h"
#include "base/precision.h"
#include "templates/generators/plane_vector.h"
#include "templates/shape_output.h"
#include "templates/template_tabs.h"

namespace kvd {

namespace {

// The code bits of Kind; the caller's other Kind bits stay on every element.
void SetCode(std::uint16_t code) {
    CurrentElement.Kind = static_cast<std::uint16_t>((CurrentElement.Kind & ~0xFu) | code);
}

// Appends CurrentElement with the code and end point (cx, cy) + at; an arc
// gets the ecArcNeg bulge about (cx, cy) + centre from the previous end point.
class Outline {
public:
    Outline(long double cx, long double cy) : cx_(cx), cy_(cy) {}
    void Start(Vec at) {
        SetCode(ecStart);
        Put(at, Real48(0.0L));
    }
    void Arc(Vec centre, Vec to) {
        Real48 bulge;
        BulgeFromCentre(ecArcNeg, bulge, cx_ + centre.x, cy_ + centre.y, cx_ + last_.x, cy_ + last_.y, cx_ + to.x,
                        cy_ + to.y);
        SetCode(ecArcNeg);
        Put(to, bulge);
    }

private:
    void Put(Vec at, Real48 bulge) {
        CurrentElement.X = cx_ + at.x;
        CurrentElement.Y = cy_ + at.y;
        CurrentElement.Bulge = bulge;
        AddShapeElement();
        last_ = at;
    }
    long double cx_, cy_;
    Vec last_{0, 0};
};

void Circle(long double cx, long double cy, long double w) {
    const long double rho = w / 2;
    Outline o(cx, cy);
    o.Start({0, -rho});
    o.Arc({0, 0}, {0, rho});
    o.Arc({0, 0}, {0, -rho});
}

void TrueEllipse(long double cx, long double cy, long double w, long double h) {
    const long double aw = std::fabs(w), ah = std::fabs(h);
    EllipseMinX = cx - aw / 2;
    EllipseMaxX = cx + aw / 2;
    EllipseMinY = cy - ah / 2;
    EllipseMaxY = cy + ah / 2;
    ResetEllipseInputs();
    EllipseTolerance = Host.EllipseTolerance();
    EllipseParallelTolerance = Host.ParallelTolerance();
    EllipseShapeElementSink = AddShapeElement;
    SetCode(ecStart);
    EllipseToArcs(emShapeElement);
}

// Four-centre oval: two large arcs of radius L across the long sides and
// four small arcs of radius rho at the ends, tangent where they meet.
void Oval(long double cx, long double cy, long double w, long double h, long double r) {
    const long double e = std::fabs(w), g = std::fabs(h);
    Outline out(cx, cy);
    if (e > g) {
        const long double rho = std::min(r, 0.49L * g);  // 0.49 keeps 2 rho - g away from 0
        const long double L = (e * rho - (e * e + g * g) / 4) / (2 * rho - g);
        const long double m = e / 2 - rho, o = L - g / 2;
        const long double t = rho * o / (L - rho), u = L * m / (L - rho);
        out.Start({0, -g / 2});
        out.Arc({0, o}, {u, -t});
        out.Arc({m, 0}, {u, t});
        out.Arc({0, -o}, {-u, t});
        out.Arc({-m, 0}, {-u, -t});
        out.Arc({0, o}, {0, -g / 2});
    } else {
        const long double rho = std::min(r, 0.49L * e);
        const long double L = (g * rho - (e * e + g * g) / 4) / (2 * rho - e);
        const long double m = g / 2 - rho, o = L - e / 2;
        const long double t = rho * o / (L - rho), u = L * m / (L - rho);
        out.Start({0, -g / 2});
        out.Arc({0, -m}, {t, -u});
        out.Arc({-o, 0}, {t, u});
        out.Arc({0, m}, {-t, u});
        out.Arc({o, 0}, {-t, -u});
        out.Arc({0, -m}, {0, -g / 2});
    }
}

}  // namespace

void AddEllipseOutline(int markingIndex, double cx, double cy, double w, double h, double r) {
    MarkingIndex = markingIndex;
    // A zero side leaves no outline (the oval's formulas would divide by it).
    if (RoundToPrecision(w) == 0 || RoundToPrecision(h) == 0) return;
    if (w == h)
        Circle(cx, cy, w);
    else if (!(r > 0))
        TrueEllipse(cx, cy, w, h);
    else
        Oval(cx, cy, w, h, r);
}

void GenerateEllipse(const TemplateParameters& p) {
    ClearCurrentElement();
    AddEllipseOutline(kKindEllipse, 0.0, 0.0, p.EllipseWidth.ToDouble(), p.EllipseHeight.ToDouble(),
                      p.EllipseFillet.ToDouble());
}

}  // namespace kvd
