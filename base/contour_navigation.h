// Finding the ends of a contour: a start element and the elements after it
// up to the next start element or the end of the list.
#pragma once

#include "kvd/element.h"

namespace kvd {

// The element FindContourEnd returned last.
extern TTempElement* LastContourEnd;

// Moves forward while the next element exists and is not a start element;
// returns that element (nil for nil) and notes it in LastContourEnd.
TTempElement* FindContourEnd(TTempElement* e);

// The start element of the contour after the one holding e, or nil.
TTempElement* NextContour(TTempElement* e);

}  // namespace kvd
