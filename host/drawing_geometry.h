// Geometry of element lists for the host's views: contours as polylines
// (arcs sampled from their bulges) and the extent that holds them.
#pragma once
#include <QPointF>

#include <cstdint>
#include <limits>
#include <vector>

#include "kvd/element.h"

namespace kvdhost {

struct Extent {
    double minX = std::numeric_limits<double>::max(), minY = minX;
    double maxX = -std::numeric_limits<double>::max(), maxY = maxX;
    void Add(double x, double y);
    bool Empty() const { return minX > maxX; }
};

struct ContourPath {
    std::vector<QPointF> points;  // drawing coordinates
    std::uint32_t colour = 0;     // $00BBGGRR
    bool closed = false;
};

// True for the line, arc and spline elements that a view draws.
bool IsDrawnElement(const kvd::TTempElement& e);

// The contours of a list; arcs are sampled finely enough for a view.
std::vector<ContourPath> ContourPaths(const std::vector<kvd::TTempElement>& elements);

// The box of every drawn point, arcs sampled.
Extent DrawingExtent(const std::vector<kvd::TTempElement>& elements);

// Area enclosed by a contour (shoelace over its sampled points, absolute).
double ContourArea(const ContourPath& c);

}  // namespace kvdhost
