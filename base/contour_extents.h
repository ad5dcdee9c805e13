// The box that holds every contour of a list, arcs included.
#pragma once

#include "base/geometry.h"
#include "kvd/element.h"

namespace kvd {

// Which element gave one bound, and the other coordinate at that point
// (the Y at the X bounds, the X at the Y bounds; 0 for the Z bounds).
struct TExtentSide {
    TTempElement* Element = nullptr;
    long double Other = 0.0L;
};

// What the last ContourListExtents call found besides the bounds.
struct TContourExtentsInfo {
    TExtentSide MinX, MaxX, MinY, MaxY, MinZ, MaxZ;
    long double LargestRadius = 0.0L;  // largest arc radius met
};
extern TContourExtentsInfo ContourExtentsInfo;

// Smallest box holding every contour of the list: end points of all
// geometric elements and the extreme points of arcs at 0, 90, 180 and 270
// degrees. Elements before the first start element are not looked at; a
// list without a start element leaves min and max as they were.
void ContourListExtents(TTempElement* head, TRealPoint3& min, TRealPoint3& max);

}  // namespace kvd
