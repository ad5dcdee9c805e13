// Arc geometry in terms of the bulge of the element record: an arc element
// stores its end point and a signed bulge whose magnitude is tan(sweep / 4);
// its turning sense is that of its code (2 from +X towards +Y, 3 the other way).
#pragma once

#include "kvd/real48.h"

namespace kvd {

// Start and end angle of the last arc computed by BulgeFromCentre (zero after
// a call that had no chord), its signed sweep, and the last bulge computed,
// published for display.
extern Real48 LastArcStartAngle;
extern Real48 LastArcEndAngle;
extern long double CurrentSweep;
extern long double CurrentBulge;

// Bulge of the arc of `code` about (cx, cy) from (x0, y0) to (x1, y1): the
// minor or major arc as the sweep in the code's sense says. Code 2 gives a
// negative bulge, code 3 a positive one. False (bulge 0) when the chord is 0.
bool BulgeFromCentre(unsigned code, Real48& bulge, long double cx, long double cy, long double x0, long double y0,
                     long double x1, long double y1);

// Bulge of the minor arc of radius r from (x0, y0) to (x1, y1). A radius
// shorter than half the chord gives the half circle. False (bulge 0) when
// the chord is 0.
bool BulgeFromRadius(unsigned code, Real48& bulge, long double x0, long double y0, long double x1, long double y1,
                     long double r);

// Centre and radius of an arc element from (x0, y0) to (x1, y1). True only
// for codes 2 and 3 with a non-zero bulge and chord; r is 0 otherwise and
// the centre is left alone.
bool CentreFromBulge(Real48& cx, Real48& cy, Real48& r, unsigned code, long double bulge, long double x0,
                     long double y0, long double x1, long double y1);

// Signed sweep of the arc of `code` about the centre, with its start and end
// angles in [0, 2*pi). Code 3 runs clockwise (negative sweep), any other code
// counter-clockwise. A start point equal to the end point is a full turn.
long double ArcSweep(unsigned code, Real48& startAngle, Real48& endAngle, long double cx, long double cy,
                     long double x0, long double y0, long double x1, long double y1);

// True when `angle` lies on the closed sweep from startAngle to endAngle in
// the arc's sense (code 3 clockwise, otherwise counter-clockwise). Equal
// start and end angles make a sweep of zero, which holds only that angle.
bool ArcPassesAngle(unsigned code, long double radius, long double angle, long double startAngle,
                    long double endAngle);

}  // namespace kvd
