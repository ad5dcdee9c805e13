// The "Irregolare" generator: a quadrilateral, a rectangle with slanted
// corners, a triangle or a skew trapezoid, from side lengths.
//
// Dialog side:
// - before each regeneration set IrregularPolygon.kind to RadioGroup1's item
//   (LastItemIndex) and IrregularPolygon.trigger to the edit whose change
//   scheduled it (kDiagonalEdit for Edit13, kAlignmentEdit for Edit120,
//   kOtherChange for anything else); the generator reads the working set
//   WorkingQuadSets[kind] and resets the trigger to kOtherChange;
// - after it, with Putting set, write every value of IrregularPolygon.shown
//   whose flag is set into its edit (FormatReal): "Diagonale" Edit13,
//   "Allineamento" Edit120, "Lato sopra" Edit9. The values are already stored
//   in the working set.
// For the skew trapezoid (kind 5) the boxes of Edit120 and Edit13 get the
// element their overlay is placed at (DimensionBox::element).
#pragma once
#include "templates/template_parameters.h"

namespace kvd {

enum IrregularKind : int {
    kQuadFourSides = 0,      // "4 lati diversi"
    kQuadOneRightAngle = 1,  // "1 angolo a 90°"
    kQuadTwoRightAngles = 2, // "2 angoli a 90°"
    kQuadThreeRightAngles = 3,  // "3 angoli a 90°"
    kQuadTriangle = 4,       // "3 lati diversi"
    kQuadSkewTrapezoid = 5,  // "trapezio sghembo"
};

// Slots of a QuadrilateralSet.
enum QuadSlot : int {
    kSlotDiagonal = 2,   // "Diagonale"; right offset of the skew trapezoid
    kSlotAlignment = 3,  // "Allineamento"; left offset of the skew trapezoid
    kSlotTop = 4,        // "Lato sopra"
    kSlotLeft = 5,       // "Lato sinistro"
    kSlotRight = 6,      // "Lato destro"
    kSlotBottom = 7,     // "Lato sotto"
};

enum class IrregularTrigger : int { kOtherChange = 0, kDiagonalEdit = 1, kAlignmentEdit = 2 };

// Values the generator derived and the dialog is to show.
struct IrregularShownValues {
    bool diagonal = false;  // Edit13
    bool alignment = false; // Edit120
    bool top = false;       // Edit9
    double diagonalValue = 0;
    double alignmentValue = 0;
    double topValue = 0;
};

struct IrregularPolygonState {
    int kind = kQuadFourSides;
    IrregularTrigger trigger = IrregularTrigger::kOtherChange;
    IrregularShownValues shown;  // rewritten by every run
};
extern IrregularPolygonState IrregularPolygon;

// Dimension box types of the two offset edits.
inline constexpr int kDiagonalBoxType = 13;
inline constexpr int kAlignmentBoxType = 120;

// Sets MarkingIndex to 7 and emits the outline of IrregularPolygon.kind from
// WorkingQuadSets; nothing when the kind's sides do not make a figure. The
// parameter record is not read: the working sets are the live values.
void GenerateIrregularPolygon(const TemplateParameters& p);

}  // namespace kvd
