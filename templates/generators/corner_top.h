// The "Top ad angolo" generator: an L-shaped worktop (a bar across the full
// width and a leg of the full height, placed by the signs of the ledge
// values) whose inner corner is square ("Angolo") or cut ("Smusso"), with
// rectangular cut-outs and reinforcement grooves; with a cut corner, items
// marked "Allineato" are turned to follow the cut.
#pragma once
#include "templates/template_parameters.h"

namespace kvd {

// Sets MarkingIndex to 3 and emits the outline, the cut-outs with their
// relief lines and the reinforcements through CurrentElement and
// AddShapeElement.
void GenerateCornerTop(const TemplateParameters& p);

// Direction of the corner cut in [0, 2*pi) as the last GenerateCornerTop
// found it on its outline (0 without an outline).
long double CornerCutAngle();

}  // namespace kvd
