// The "Scalino" generator: a rectangular step and its inner pocket, open
// toward the side x = W so that the inner machining's tool can leave it
// sideways ("Uscita laterale interna").
#pragma once
#include "templates/template_parameters.h"

namespace kvd {

// Tool diameter of the step's inner machining ("Lavorazione interna"): the
// dialog stores the first value of that machining record here when it loads
// it (on show and when the machining is chosen), 0 when none is loaded.
extern double StepInnerToolDiameter;

// StepSideExit values.
enum StepSideExitKind : int { kStepExitNone = 0, kStepExitRadius = 1, kStepExitDiameter = 2 };

// Sets MarkingIndex to 9 and emits the outer rectangle (0, 0)-(W, H), then
// the pocket from x = wf to W + e and y = ss to H - sb, e being 0, half the
// tool diameter or the tool diameter. Nothing when W or H is zero at the
// working precision; no pocket when it has no width or no height.
void GenerateStep(const TemplateParameters& p);

}  // namespace kvd
