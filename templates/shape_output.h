// The generators' output path: every generator fills CurrentElement
// (base/element_list.h) and appends a copy with AddShapeElement, which drops
// segments of zero length at the working precision.
//
// Dialog side: nothing to pass; MarkingIndex tells which kind was generated
// last (-1 before a generator ran).
#pragma once
#include <cstdint>

#include "kvd/element.h"

namespace kvd {

// The template kind of the last regeneration (TemplateKind), -1 before a
// generator ran.
extern std::int32_t MarkingIndex;

// Appends a copy of CurrentElement to the current container (the first
// container is made when the chain is empty) and returns it. A segment
// (any code but ecStart) whose end point lies within 10^-d of the last
// element's end point (d = configured decimals) is not appended: nullptr.
TTempElement* AddShapeElement();

}  // namespace kvd
