// The preview painter: clears the preview image and draws the element list
// on it (material picture in closed contours, pens by contour flags, arcs as
// points, crosses for single points, inclination marks).
//
// Dialog side: pass the canvas of Image1, the list, the geometry from
// ComputePreviewGeometry and a PreviewStyle with the active tab, the
// background picture path (MaterialPicturePath(material name) on every tab
// but "Lapide", the tombstone's background image there), the screen width
// (ui::App().ScreenWidth()) and, for "Irregolare", the polygon kind.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "kvd/element.h"
#include "templates/preview_geometry.h"
#include "templates/template_tabs.h"
#include "ui/canvas.h"

namespace kvd {

inline constexpr ui::Color kPreviewBackground = 0xF0CAA6;
inline constexpr ui::Color kPreviewGrey = 0x808080;
inline constexpr ui::Color kPreviewDashed = 0x00FFFF;
inline constexpr ui::Color kPreviewInclination = 0x0000FF;
inline constexpr int kPreviewMaxContourPoints = 999;
inline constexpr double kPreviewCrossMm = 60.0;

// Host folder + "/KOVA/UTILS/MATERIAL/" + name + ".BMP".
std::string MaterialPicturePath(std::string_view materialName);

// Brush 0xF0CAA6, pen black of width 1, a rectangle over the whole image.
void ClearPreview(ui::Canvas& canvas);

struct PreviewStyle {
    TemplateTab tab = TemplateTab::Rettangolo;
    // Picture for the closed contours; empty or a missing file: contours are
    // filled with the canvas brush colour as the caller left it.
    std::string backgroundPicture;
    int screenWidth = 1024;  // size of the inclination marks (screen width / 300)
    int irregularKind = 0;   // RadioGroup1 of "Irregolare": 0 draws the diagonal
    // "Lapide": the picture and relief items, painted over the contours.
    std::function<void(ui::Canvas&)> paintItems;
};

void PaintPreview(ui::Canvas& canvas, const TTempElement* head, const PreviewGeometry& g, const PreviewStyle& style);

// The marker circles of the "Rettangolo" hole page: Shape1 on the reference
// corner of the selected hole, Shape2 on its centre; pixel rectangles in the
// image (add Image1.Left/Top for form coordinates).
struct HoleMarkers {
    bool visible = false;
    ui::Rect corner;  // Shape1: half-size imageWidth div 100
    ui::Rect centre;  // Shape2: half-size round(1.2 * diameter)
};
// `selectedHole` is RadioGroup21's item index (-1 none).
HoleMarkers ComputeHoleMarkers(const PreviewGeometry& g, int imageWidth, int selectedHole);

}  // namespace kvd
