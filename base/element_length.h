// Length of the segment that ends at an element.
#pragma once

#include "kvd/element.h"

namespace kvd {

// Lines and spline elements: the distance from the previous end point.
// Arcs: |sweep| * radius; an arc whose bulge is 0 is its chord. Start
// elements, non-geometric records and elements without a predecessor: 0.
long double ElementLength(const TTempElement* e);

}  // namespace kvd
