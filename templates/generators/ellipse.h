// The "Ellisse" generator and the elliptical outline it shares with the
// bathroom top's oval sink: a circle, a four-centre oval of circular arcs, or
// an arc approximation of the true ellipse.
#pragma once
#include "templates/template_parameters.h"

namespace kvd {

// Sets MarkingIndex to markingIndex and emits one closed contour centred on
// (cx, cy), |w| across in x and |h| across in y, running counter-clockwise
// from the middle of its lowest side, through CurrentElement and
// AddShapeElement:
// - w == h: a circle of two half-circle arcs;
// - otherwise r <= 0: the true ellipse through EllipseToArcs (mode 3; the
//   routine points EllipseShapeElementSink at AddShapeElement before the call);
// - otherwise: an oval of five arcs whose four small arcs have radius r
//   (at most 0.49 times the shorter side).
// Nothing when w or h is zero at the working precision.
void AddEllipseOutline(int markingIndex, double cx, double cy, double w, double h, double r);

// The tab: AddEllipseOutline(8, 0, 0, width, height, fillet).
void GenerateEllipse(const TemplateParameters& p);

}  // namespace kvd
