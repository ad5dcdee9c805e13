// The "Copertina" generator: a curved coping laid along a circular axis,
// bounded by an outer and an inner arc and two ends on the radial lines
// through the axis ends, with optional reinforcement grooves along each side.
#pragma once
#include <cstdint>

#include "templates/template_parameters.h"

namespace kvd {

// Bit 12 of Kind on the start element of a groove (the preview draws such
// contours dashed).
inline constexpr std::uint16_t kKindGrooveContour = 1u << 12;

// CopingReinforcementBits.
inline constexpr std::uint8_t kGrooveTop = 1 << 0;     // "rinforzo sopra", along the outer arc
inline constexpr std::uint8_t kGrooveBottom = 1 << 1;  // "rinforzo sotto", along the inner arc
inline constexpr std::uint8_t kGrooveRight = 1 << 2;   // "rinforzo destra"
inline constexpr std::uint8_t kGrooveLeft = 1 << 3;    // "rinforzo sinistra"

// Dimension box types of the width edits.
inline constexpr int kAxialWidthBoxType = 141;  // "Larghezza assiale", the axis chord
inline constexpr int kLeftWidthBoxType = 142;   // "Larghezza sinistra", the left end
inline constexpr int kRightWidthBoxType = 143;  // "Larghezza destra", the right end

// Sets MarkingIndex to 10; emits the outline (outer arc, right end, inner arc,
// left end) and the ticked grooves, and anchors the three width boxes.
// Nothing when the axis chord is zero at the working precision.
void GenerateCoping(const TemplateParameters& p);

}  // namespace kvd
