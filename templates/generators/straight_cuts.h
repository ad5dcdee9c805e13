// The "Tagli rettilinei" generator: a family of parallel horizontal saw cuts
// and a family of parallel vertical ones, each cut an open contour of a start
// point and one line, both families starting on the axes.
#pragma once
#include "templates/template_parameters.h"

namespace kvd {

// Cuts per family beyond which the count is taken as damaged input: the
// family is drawn with this many cuts and a log line says so.
inline constexpr int kMaxCutsPerFamily = 10000;

// Sets MarkingIndex to 0; horizontal cuts (y = 0, p, 2p ...) from x = 0 to the
// length, then vertical cuts (x = 0, q, 2q ...) from y = 0 to the length. The
// pitch is the distance, plus CutWidth when "Spessore del taglio" is ticked
// (option bit 0). A family with a count, distance or length not above zero
// is left out.
void GenerateStraightCuts(const TemplateParameters& p);

}  // namespace kvd
