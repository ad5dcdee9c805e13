// EllipseToArcs: the ellipse described by the input globals below, emitted
// as one contour of tangent-continuous arcs of code 2 (see ellipse_contour.h
// for the construction and its frames).
//
// Callers: the DXF import (mode 2, through AddElement, with rotation and a
// parameter range) and the ellipse generator of the templates (mode 3,
// through the templates' AddShapeElement, an axis-parallel full ellipse).
#pragma once

#include "kvd/element.h"
#include "kvd/real48.h"

namespace kvd {

// ---- inputs, set by the caller before each call -------------------------

// The ellipse's box in record orientation (the DXF import negates the file's
// centre Y): centre = the box's midpoint, semi-axes = half its sides.
extern Real48 EllipseMinX;
extern Real48 EllipseMinY;
extern Real48 EllipseMaxX;
extern Real48 EllipseMaxY;
// Rotation of the box's X semi-axis, radians, counter-clockwise in the file's
// frame (0 for the templates).
extern Real48 EllipseRotation;
// Parameter range in radians, counter-clockwise in the file's frame; 0 and
// 2*pi for a full ellipse.
extern Real48 EllipseStartParam;
extern Real48 EllipseEndParam;
// Z of the DXF extrusion: negative when the ellipse's plane faces away, which
// runs its parameters clockwise. 1 by default.
extern Real48 EllipseExtrusionZ;
// Host setting 20: semi-axes not larger than it give no ellipse.
extern Real48 EllipseTolerance;
// Host setting 11: two lines whose angle has a sine not above it count as
// parallel in the construction, which then fails.
extern Real48 EllipseParallelTolerance;
// A rotated closed ellipse starts at its lowest point (where its tangent
// points along +X), as an unrotated one does; false keeps the start where the
// construction put it.
extern bool EllipseRestartAtLowestPoint;

// Rotation 0, parameters 0 and 2*pi, extrusion Z 1: what the DXF import
// restores after each ellipse. The box and the tolerances are left alone.
void ResetEllipseInputs();

// ---- emission ------------------------------------------------------------

enum EllipseMode : int {
    emHostList = 0,      // append to the caller's list (host drawing path)
    emHostListAlt = 1,   // the same
    emAddElement = 2,    // AddElement, in the DXF import's sign convention
    emShapeElement = 3,  // CurrentElement and EllipseShapeElementSink
};

// Mode 3's output: appends a copy of CurrentElement and returns it, or nil
// when it drops it (a zero-length segment). The templates library sets it to
// its AddShapeElement before calling EllipseToArcs; nothing is emitted in
// mode 3 while it is nil.
using ShapeElementSink = TTempElement* (*)();
extern ShapeElementSink EllipseShapeElementSink;

// Emits the ellipse of the input globals in `mode`:
// - modes 0 and 1: a start element and arcs of code 2 (bulges set, all other
//   fields zero) appended at the tail of the list whose head `list` points to;
// - mode 2: AddElement kind 0 at the start point, then kind 2 per arc with its
//   end point, radius, centre and start point, Y handed over as in the file
//   (AddElement reverses it); arcs that end where the previous one ended, as
//   6-byte reals, are left out;
// - mode 3: while CurrentElement has code 0 (the caller set ecStart), a start
//   element at the contour's first point; then per arc CurrentElement gets
//   code 2 (its other Kind bits kept), the bulge and the end point and goes
//   to EllipseShapeElementSink. The caller's other fields (Z, colour, flags)
//   are carried on every element.
// Returns true when a contour was emitted. Nothing is emitted, and a log line
// says why, when a semi-axis is not larger than EllipseTolerance, the axis
// ratio is above 1e9, the parameter range is empty, the construction fails,
// the ellipse is too small to resolve at its coordinates, or the mode is
// unknown.
bool EllipseToArcs(int mode, TTempElement** list = nullptr);

}  // namespace kvd
