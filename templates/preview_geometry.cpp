#include "templates/preview_geometry.h"

#include <algorithm>
#include <cmath>

namespace kvd {

namespace {
int RoundInt(long double v) { return static_cast<int>(std::llrint(v)); }
}  // namespace

ui::Point PreviewGeometry::ToPixel(double x, double y) const {
    return {offX + RoundInt((static_cast<long double>(x) - minX) * S),
            offY + RoundInt((static_cast<long double>(y) - minY) * S)};
}

PreviewGeometry ComputePreviewGeometry(int imageWidth, int imageHeight, const DrawingMeasures& m) {
    PreviewGeometry g;
    if (!m.HasExtent()) return g;
    g.S = (imageWidth - 15) / m.W;
    if (RoundInt(g.S * m.H) > imageHeight - 15) g.S = (imageHeight - 10) / m.H;
    // Integer division as the image size and the scaled box are pixels.
    g.offX = (imageWidth - RoundInt(g.S * m.W)) / 2;
    g.offY = (imageHeight - RoundInt(g.S * m.H)) / 2;
    g.minX = m.Mar1.X.ToDouble();
    g.minY = m.Mar1.Y.ToDouble();
    g.valid = true;
    return g;
}

int ArcPointCount(long double sweep, long double radius, double S) {
    const long double v = std::fabs(sweep) * std::fabs(radius) * S * 0.1L;
    if (!(v < 30.0L)) return 30;  // NaN too
    return std::clamp(RoundInt(v), 4, 30);
}

}  // namespace kvd
