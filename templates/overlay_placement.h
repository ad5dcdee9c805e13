// Where the overlay edits of the dimension boxes go on the preview, and
// whether they are shown.
//
// Dialog side: after painting, call PlaceOverlays with the boxes, Image1's
// rectangle in form coordinates, the geometry of the painting, the active
// tab, the "Irregolare" polygon kind and the kitchen's "Alzatine" state.
#pragma once
#include <deque>

#include "templates/dimension_marks.h"
#include "templates/preview_geometry.h"
#include "templates/template_tabs.h"

namespace kvd {

struct OverlayContext {
    TemplateTab tab = TemplateTab::Rettangolo;
    int irregularKind = 0;       // RadioGroup1 of "Irregolare"
    ui::Rect image;              // Image1: left, top, right, bottom in form coordinates
    PreviewGeometry geometry;
    bool sideWallsVisible = false;  // page "Alzatine" shown (option bit 6)
    bool sideTicked[4] = {false, false, false, false};  // CheckListBox1, sides 1..4
};

struct OverlayPlacement {
    bool visible = false;
    int left = 0;
    int top = 0;
};

// The rule for one box whose overlay is w x h pixels.
OverlayPlacement ComputeOverlayPlacement(const DimensionBox& box, int w, int h, const OverlayContext& ctx);
// Moves and shows or hides every box's overlay edit.
void PlaceOverlays(std::deque<DimensionBox>& boxes, const OverlayContext& ctx);

}  // namespace kvd
