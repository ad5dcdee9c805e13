// The "Piano cucina" generator: a rectangular worktop with an inclination on
// each edge, joint notches at its lower corners, rectangular cut-outs with
// relief cuts, reinforcement grooves and through cuts as open lines, and up to
// four upstands ("Alzatine") drawn as rectangles beside it.
#pragma once
#include "templates/template_parameters.h"

namespace kvd {

// Box types (the number of the dialog edit) of the outline's inclination
// edits: "Inclinazione alto", "destra", "basso", "sinistra".
inline constexpr int kKitchenInclinationBoxes[4] = {90, 161, 162, 163};
// Box types of the four inclination slots of each upstand ("Alto", "Destra",
// "Basso", "Sinistra"), in the order the upstand's sides are emitted.
inline constexpr int kSideWallInclinationBoxes[4][4] = {
    {159, 158, 157, 160},
    {164, 165, 166, 167},
    {168, 169, 170, 171},
    {172, 175, 174, 173},
};
// Bit of the first element's Flags that asks the host to keep the whole
// drawing in one group ("Esporta in un solo gruppo").
inline constexpr std::uint32_t kFlagSingleGroup = 1u << 2;

// Sets MarkingIndex to 1 and emits, through CurrentElement and
// AddShapeElement, the outline, the cut-outs, the grooves and cuts and the
// upstands, anchoring the inclination boxes with AddDimensionMark.
void GenerateKitchenTop(const TemplateParameters& p);

}  // namespace kvd
