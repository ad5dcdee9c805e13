// Where a translated copy of some contours touches them: the pitch at which
// copies of a drawing can be laid side by side without overlapping.
#pragma once

#include "base/contour_selection.h"

namespace kvd {

// The signed displacement (along X for 0 and 180 degrees, along Y for 90 and
// 270) at which a copy of the selected contours, moved in that direction,
// touches them: the widest extent of the contours along that axis on any one
// line parallel to it. Exact for lines and arcs, convex or concave outlines
// alike; a W x H rectangle gives W, -W, H and -H. A contour counts as closed
// (an outline) when it ends within the working precision of its start;
// other contours are strokes. Arcs flatter than a bulge of 2e-7 are taken as
// their chords, spline points as the corners of a polyline. 0 for an empty
// selection, a selection without segments, or any other direction. The work
// grows with the square of the segments that share levels: meant for the
// outlines of a piece, not for whole imported drawings.
long double ContactDistance(const ContourSelection& selection, int directionDegrees);

}  // namespace kvd
