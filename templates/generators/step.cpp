#include "templates/generators/step.h"

#include "base/element_list.h"
#include "base/precision.h"
#include "templates/shape_output.h"
#include "templates/template_tabs.h"

namespace kvd {

double StepInnerToolDiameter = 0.0;

namespace {

void Emit(std::uint16_t code, long double x, long double y) {
    CurrentElement.Kind = code;
    CurrentElement.X = x;
    CurrentElement.Y = y;
    AddShapeElement();
}

void Rectangle(long double x0, long double y0, long double x1, long double y1) {
    Emit(ecStart, x0, y0);
    Emit(ecLine, x1, y0);
    Emit(ecLine, x1, y1);
    Emit(ecLine, x0, y1);
    Emit(ecLine, x0, y0);
}

}  // namespace

void GenerateStep(const TemplateParameters& p) {
    MarkingIndex = kKindStep;
    ClearCurrentElement();
    const long double W = p.StepWidth, H = p.StepHeight;
    if (RoundToPrecision(W) == 0 || RoundToPrecision(H) == 0) return;
    Rectangle(0, 0, W, H);

    long double exit = 0;
    if (p.StepSideExit == kStepExitRadius)
        exit = StepInnerToolDiameter / 2;
    else if (p.StepSideExit == kStepExitDiameter)
        exit = StepInnerToolDiameter;
    const long double ss = p.StepTopShoulder, sb = p.StepBottomShoulder, wf = p.StepBottomWidth;
    const long double right = W + exit, top = H - sb;
    if (RoundToPrecision(right - wf) == 0 || RoundToPrecision(top - ss) == 0) return;
    // Starts on the open side, which the tool leaves by.
    Emit(ecStart, right, ss);
    Emit(ecLine, right, top);
    Emit(ecLine, wf, top);
    Emit(ecLine, wf, ss);
    Emit(ecLine, right, ss);
}

}  // namespace kvd
