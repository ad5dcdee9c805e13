// The geometry behind EllipseToArcs: an ellipse as a contour of circular arcs
// that pass exactly through sample points of the ellipse and join without a
// kink. One quarter is built in a frame with the longer semi-axis along x,
// mirrored into the other three, trimmed to a parameter range, rotated and,
// for a rotated closed contour, restarted at its lowest point.
//
// Frames. The box and every result are in record orientation (the frame of
// the element records, centred on the ellipse). The rotation and the
// parameters describe the ellipse as the DXF file does, in the frame whose Y
// the records reverse: the point of parameter t is
//     (a cos t, b sin t) rotated by `rotation` counter-clockwise in that frame,
// a being the semi-axis along the box's X and b the one along its Y, and the
// range runs counter-clockwise there from startParam to endParam. In record
// orientation the contour always turns from +X towards +Y (code 2), so a
// partial ellipse begins at the point of endParam and ends at the point of
// startParam.
#pragma once
#include <vector>

namespace kvd {

struct EllipseShape {
    long double a = 0;         // semi-axis along the box's X
    long double b = 0;         // semi-axis along the box's Y
    long double rotation = 0;  // radians
    long double startParam = 0;
    long double endParam = 0;
    // Negative: the ellipse's plane faces away (DXF extrusion 0, 0, -1), so
    // its parameters run clockwise in the file's frame.
    long double extrusionZ = 1;
    long double tolerance = 0;          // semi-axes not larger than this give no ellipse
    long double parallelTolerance = 0;  // sine of the angle below which two lines count as parallel
    bool restartAtLowestPoint = true;   // rotated closed contours start where the tangent is +X
};

// One node of the contour: the first holds the start point; every further
// one is an arc from the previous node's point to its own, turning from +X
// towards +Y about (cx, cy). Coordinates are relative to the ellipse centre.
struct EllipseArcNode {
    long double x = 0, y = 0;
    long double cx = 0, cy = 0;
};

struct EllipseContour {
    std::vector<EllipseArcNode> nodes;
    bool closed = false;
    int samples = 0;  // sample points per quarter (N)
};

enum class EllipseStatus {
    Built,
    TooSmall,            // a semi-axis not larger than the tolerance
    TooFlat,             // axis ratio above kMaxEllipseAxisRatio
    EmptyRange,          // equal start and end parameters, or a stretch too short to hold an arc
    ConstructionFailed,  // parallel lines, or arcs that would not form a convex contour
};

// Whole parameter range of a full ellipse: a span at least this long is the
// whole contour.
inline constexpr long double kFullEllipseSpan = 6.283085307179586L;

// Flatter ellipses are lines to the arcs' bulges: their flattest arcs would
// sweep less than the angles of the arc routines resolve (about 3e-12 rad
// through the 6-byte form) and come out as full turns.
inline constexpr long double kMaxEllipseAxisRatio = 1e9L;

// Number of sample points per quarter for semi-axes U >= V > 0: 4 for a
// circle, approaching 20 for very flat ellipses.
int EllipseSampleCount(long double u, long double v);

EllipseStatus BuildEllipseContour(const EllipseShape& shape, EllipseContour& out);

}  // namespace kvd
