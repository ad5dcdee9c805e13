// Reversing a contour in place: the elements stay linked where they are and
// exchange their data, so that the contour starts at its former end point,
// runs through the same points in the opposite order, and every segment keeps
// its attributes (an arc its circle, with its sense flipped and its bulge
// negated). Reversed elements have the reversed mark (Flags bit 7) toggled.
#pragma once
#include <cstdint>

#include "kvd/element.h"

namespace kvd {

// The contour ReverseContour works on: its start element and its last element.
extern TTempElement* ReverseFirst;
extern TTempElement* ReverseLast;

// Bit 0 set: Param (the group number) is not exchanged with the points, so
// every element, the start element first, keeps its own.
inline constexpr std::uint32_t kReverseKeepsParam = 1u << 0;
extern std::uint32_t ReverseOptions;

// Code 2 becomes 3 and 3 becomes 2; other codes and all other bits unchanged.
void FlipArc(TTempElement& e);
// Exchanges the Kind words of n and m, then flips the arcs of both.
void SwapKinds(TTempElement& n, TTempElement& m);

// Reverses the elements from ReverseFirst to ReverseLast. Does nothing when
// ReverseFirst is nil or has no next element, when both are the same, or when
// ReverseLast cannot be reached from ReverseFirst.
void ReverseContour();

// Reverses the contour that holds e (non-geometric records at its end are
// left where they are); with clearMark the reversed mark ends up clear on it.
void ReverseContourAt(TTempElement* e, bool clearMark);

// Clears the reversed mark from `first` up to, not including, `stop` (to the
// end of the list when stop is nil or not met).
void ClearReversedMark(TTempElement* first, const TTempElement* stop);

}  // namespace kvd
