// The regeneration step of the templates dialog, without its controls.
//
// Dialog side (TimerRitracciaTimer): disable the timer; set the three matrix
// buttons' captions to MatrixButtonCaption(); call RegenerateDrawing(tab);
// set the pop-up menu (Lapide) and enable BitBtn8 when TemplateModified; then
// call MeasureAndPaintPreview with Image1's canvas and rectangle and use the
// returned caption for Label14 (leave Label14 alone when it is empty), after
// setting Label14's colour to silver and the two machining buttons' hints.
#pragma once
#include <functional>
#include <string>

#include "templates/measurements.h"
#include "templates/overlay_placement.h"
#include "templates/preview_painter.h"
#include "templates/template_tabs.h"

namespace kvd {

// Set by any edit or tab change (initially true), cleared after a send to the
// sibling program; the OK button is enabled only while it is set.
extern bool TemplateModified;

// Bit 9 of the host's option word 869 (the word whose bit 8 is CheckBox6):
// set while the drawing is a set of straight cuts.
inline constexpr std::uint32_t kHostOptionStraightCuts = 1u << 9;
inline constexpr std::uint16_t kHostOptionWordId = 869;

// Steps 3-8: disposes the container chain and the marks, MarkingIndex -1,
// CurrentElement cleared, the straight-cuts option bit, the tab's generator,
// the matrix seam (MatrixApplied), bit 17 of the first element cleared.
void RegenerateDrawing(TemplateTab tab);

struct PreviewRequest {
    TemplateTab tab = TemplateTab::Rettangolo;
    ui::Rect image;            // Image1 in form coordinates (its size is the canvas's)
    std::string materialName;  // the host's material name (picture of the other tabs)
    int screenWidth = 1024;
    int irregularKind = 0;
    bool sideWallsVisible = false;
    bool sideTicked[4] = {false, false, false, false};
    std::function<void(ui::Canvas&)> paintItems;  // "Lapide" items
};

struct PreviewResult {
    DrawingMeasures measures;
    PreviewGeometry geometry;
    std::string caption;  // for Label14; empty: leave the label as it is
};

// Step 11: measures the first container's list, clears the preview, and when
// the drawing has an extent paints it and places the overlay edits of
// DimensionBoxes(); otherwise the overlays are left as they are.
PreviewResult MeasureAndPaintPreview(ui::Canvas& canvas, const PreviewRequest& request);

}  // namespace kvd
