#include "host/drawing_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kvdhost {

using kvd::TTempElement;

void Extent::Add(double x, double y) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
}

bool IsDrawnElement(const TTempElement& e) { return !kvd::IsNonGeometricKind(e.Kind) && kvd::KindCode(e.Kind) <= 6; }

namespace {

// Appends the points of an arc from p0 to p1 (excluding p0).
void SampleArc(std::vector<QPointF>& out, QPointF p0, QPointF p1, unsigned code, double bulge) {
    double b = std::fabs(bulge);
    double dx = p1.x() - p0.x(), dy = p1.y() - p0.y();
    double c = std::hypot(dx, dy);
    if (b == 0 || c == 0) {
        out.push_back(p1);
        return;
    }
    // Code 2 turns from +X towards +Y: its centre is left of the chord for |b| < 1.
    double sweep = 4 * std::atan(b);
    double d = c * (1 - b * b) / (4 * b);  // centre's distance from the chord's midpoint
    double nx = -dy / c, ny = dx / c;      // left normal
    if (code == kvd::ecArcPos) {
        nx = -nx;
        ny = -ny;
        sweep = -sweep;
    }
    double cx = (p0.x() + p1.x()) / 2 + d * nx, cy = (p0.y() + p1.y()) / 2 + d * ny;
    double r = c * (1 + b * b) / (4 * b);
    double a0 = std::atan2(p0.y() - cy, p0.x() - cx);
    int n = std::clamp(static_cast<int>(std::fabs(sweep) / (std::numbers::pi / 90)), 4, 720);
    for (int i = 1; i < n; ++i) {
        double a = a0 + sweep * i / n;
        out.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a));
    }
    out.push_back(p1);
}

}  // namespace

std::vector<ContourPath> ContourPaths(const std::vector<TTempElement>& elements) {
    std::vector<ContourPath> out;
    for (const TTempElement& e : elements) {
        if (!IsDrawnElement(e)) continue;
        unsigned code = kvd::KindCode(e.Kind);
        QPointF p(e.X.ToDouble(), e.Y.ToDouble());
        if (code == kvd::ecStart || out.empty()) {
            out.push_back({});
            out.back().colour = e.ColorR | (std::uint32_t{e.ColorG} << 8) | (std::uint32_t{e.ColorB} << 16);
            out.back().points.push_back(p);
            if (code == kvd::ecStart) continue;
        }
        ContourPath& c = out.back();
        if (kvd::IsArcCode(code)) {
            SampleArc(c.points, c.points.back(), p, code, e.Bulge.ToDouble());
        } else {
            c.points.push_back(p);
        }
    }
    for (ContourPath& c : out) {
        c.closed = c.points.size() > 2 && std::hypot(c.points.front().x() - c.points.back().x(),
                                                     c.points.front().y() - c.points.back().y()) < 1e-6;
    }
    return out;
}

Extent DrawingExtent(const std::vector<TTempElement>& elements) {
    Extent box;
    for (const ContourPath& c : ContourPaths(elements))
        for (const QPointF& p : c.points) box.Add(p.x(), p.y());
    return box;
}

double ContourArea(const ContourPath& c) {
    double a = 0;
    for (std::size_t i = 0; i < c.points.size(); ++i) {
        const QPointF& p = c.points[i];
        const QPointF& q = c.points[(i + 1) % c.points.size()];
        a += p.x() * q.y() - q.x() * p.y();
    }
    return std::fabs(a) / 2;
}

}  // namespace kvdhost
