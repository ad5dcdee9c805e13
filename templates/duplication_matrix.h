// The duplication matrix seam of the regeneration step. The grid itself is
// not built yet: PrepareMatrix answers false and DuplicateMatrix appends
// nothing, so a ticked "Matrice" leaves the drawing single.
#pragma once
#include <string>

namespace kvd {

// True when the last regeneration applied the matrix.
extern bool MatrixApplied;

// Decides whether the matrix applies to the first container's drawing.
bool PrepareMatrix();
// Appends the copies of the drawing (after PrepareMatrix returned true).
void DuplicateMatrix();

// Caption of the three matrix buttons: columns "x" rows of WorkingMatrix ("3x2").
std::string MatrixButtonCaption();

}  // namespace kvd
