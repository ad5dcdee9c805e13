// The "Top bagno" generator: a vanity top straight against the wall (y = 0)
// whose front has a side zone at each end, with an inclined segment and
// optional fillets, and a central bow that reaches the full depth; an oval,
// elliptical or circular sink cut-out running against the outline; and up to
// three tap positions.
#pragma once
#include "templates/template_parameters.h"

namespace kvd {

// The circle of the central bow: its lowest point (largest y) lies at the
// full depth. radius 0: the front between the inner corners is straight.
struct BathroomBow {
    long double radius = 0;
    long double cx = 0, cy = 0;
};
BathroomBow CentralBow(const TemplateParameters& p);

// Sets MarkingIndex to 2 and emits the outline, the sink and the taps through
// CurrentElement and AddShapeElement; nothing when the side zones do not fit
// in the width or reach beyond the depth.
void GenerateBathroomTop(const TemplateParameters& p);

}  // namespace kvd
