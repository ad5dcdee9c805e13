// The "Regolare" generator: a regular polygon of n equal sides about the
// origin, its first vertex at the rotation angle, optionally with every
// corner rounded by a fillet.
#pragma once
#include "templates/template_parameters.h"

namespace kvd {

// Sets MarkingIndex to 5; for n >= 3 and a positive side emits one closed
// contour running counter-clockwise (n lines, or n fillets and n lines)
// through CurrentElement and AddShapeElement. Fillets are not limited: a
// radius too large for the sides gives a self-crossing outline.
void GenerateRegularPolygon(const TemplateParameters& p);

}  // namespace kvd
