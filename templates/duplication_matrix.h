// The duplication matrix of "Regolare", "Rettangolo" and "Irregolare": the
// regeneration step copies the generated drawing into a grid of columns and
// rows with the pitch of WorkingMatrix, either plain or measured from the
// position where two copies touch ("Dal contatto").
#pragma once
#include <cstdint>
#include <string>

#include "kvd/real48.h"

namespace kvd {

// True when the last regeneration applied the matrix.
extern bool MatrixApplied;
// True when the last PrepareMatrix refused a grid of too many elements.
extern bool MatrixTooLarge;

// The contact distances of the last PrepareMatrix (0 unless computed).
extern Real48 HorizontalContactDistance;
extern Real48 VerticalContactDistance;

// The most elements a drawing may have with its copies: a larger grid is
// not applied (and logged), so a mistyped count cannot exhaust the memory
// the drawing lives in or stall every regeneration.
inline constexpr std::int64_t kMaxMatrixElements = 1 << 20;

// Decides whether the matrix applies to the first container's drawing and
// computes the contact distances; the engine's selection is left empty.
bool PrepareMatrix();
// Appends the copies of the drawing to the current container, column by
// column, each column row by row towards smaller Y. Bit 17 of Flags marks
// the copied elements whose kind has bits 0, 2 and 4 clear (start elements
// of class 0 among them). A count below 1 means no repetition in that
// direction, as 1 does.
void DuplicateMatrix();

// The pieces the grid makes: columns x rows, each at least 1.
std::int64_t MatrixPieceCount();

// Caption of the three matrix buttons: columns "x" rows of WorkingMatrix ("3x2").
std::string MatrixButtonCaption();

}  // namespace kvd
