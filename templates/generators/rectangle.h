// The "Rettangolo" generator: a rectangle from the origin with sharp,
// filleted, chamfered or notched corners, then up to eight circular holes.
#pragma once
#include "templates/template_parameters.h"

namespace kvd {

// Sets MarkingIndex to 6 and emits the outline and the holes through
// CurrentElement and AddShapeElement. Nothing when the width or the height
// is zero at the working precision.
void GenerateRectangle(const TemplateParameters& p);

}  // namespace kvd
