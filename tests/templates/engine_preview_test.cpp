// Measurements, the caption of the measurement label, the preview geometry,
// the preview painter, dimension marks and overlay placement.
#include <cmath>
#include <cstdlib>

#include "engine_fixture.h"
#include "templates/measurements.h"
#include "templates/overlay_placement.h"
#include "templates/preview_painter.h"
#include "templates/regeneration.h"
#include "ui/canvas.h"
#include "ui/picture.h"

namespace kvd::test {
namespace {

class Preview : public EngineTest {
protected:
    void Rectangle500x300() {
        TemplateParams.RectWidth = 500;
        TemplateParams.RectHeight = 300;
        TemplateParams.RectFillet = 0;
        RegenerateDrawing(TemplateTab::Rettangolo);
    }
};

TEST_F(Preview, CaptionOfThe500By300RectangleAndItsMatrixForm) {
    Rectangle500x300();
    const DrawingMeasures m = MeasureDrawing(FirstContainerElements(), TemplateTab::Rettangolo, TemplateParams);
    EXPECT_DOUBLE_EQ(static_cast<double>(m.area), 150000);
    EXPECT_DOUBLE_EQ(static_cast<double>(m.perimeter), 1600);
    EXPECT_EQ(m.W, 500);
    EXPECT_EQ(m.H, 300);
    const std::string want = "A" + FormatRealDefault(150000) + "mm\u00B2 = " + FormatRealDefault(0.15L) +
                             "m\u00B2   L" + FormatRealDefault(1600) + "mm = " + FormatRealDefault(1.6L) + "m    [" +
                             FormatRealDefault(500) + " X " + FormatRealDefault(300) + "]";
    EXPECT_EQ(MeasurementCaption(m, false, 0), want);
    EXPECT_EQ(want, "A150000mm\u00B2 = 0.15m\u00B2   L1600mm = 1.6m    [500 X 300]");
    EXPECT_EQ(MeasurementCaption(m, true, 6), "{6 pcs} x {" + want + "}");

    DrawingMeasures empty;
    EXPECT_EQ(MeasurementCaption(empty, false, 0), "");
}

TEST_F(Preview, TombstoneExtentIsTheSlab) {
    TemplateParams.SlabWidth = 600;
    TemplateParams.SlabHeight = 900;
    const DrawingMeasures m = MeasureDrawing(nullptr, TemplateTab::Lapide, TemplateParams);
    EXPECT_EQ(m.W, 600);
    EXPECT_EQ(m.H, 900);
    EXPECT_EQ(m.area, 0);
}

TEST_F(Preview, OpenContourIsClosedByALineForTheArea) {
    CurrentElement.Kind = ecStart;
    AddShapeElement();
    CurrentElement.Kind = ecLine;
    CurrentElement.X = 100;
    AddShapeElement();
    CurrentElement.Y = 50;
    AddShapeElement();
    EXPECT_NEAR(static_cast<double>(FirstContourArea(FirstContainerElements())), 2500, 1e-9);
}

TEST_F(Preview, ArcPointCountRule) {
    EXPECT_EQ(ArcPointCount(2 * M_PI, 10, 1), 6);  // round(6.28)
    EXPECT_EQ(ArcPointCount(-2 * M_PI, 10, 1), 6);
    EXPECT_EQ(ArcPointCount(0.1, 10, 1), 4);
    EXPECT_EQ(ArcPointCount(2 * M_PI, 1000, 1), 30);
}

TEST_F(Preview, GeometryFitsTheWidthOrTheHeight) {
    DrawingMeasures m;
    m.Mar2 = RealPoint2(100, 50);
    m.W = 100;
    m.H = 50;
    PreviewGeometry g = ComputePreviewGeometry(200, 150, m);
    EXPECT_DOUBLE_EQ(g.S, 1.85);
    EXPECT_EQ(g.offX, 7);
    EXPECT_EQ(g.offY, 29);
    m.Mar2 = RealPoint2(100, 200);
    m.H = 200;
    g = ComputePreviewGeometry(200, 150, m);
    EXPECT_DOUBLE_EQ(g.S, 140.0 / 200);
    EXPECT_EQ(g.ToPixel(0, 0).y, g.offY);
    EXPECT_FALSE(ComputePreviewGeometry(200, 150, DrawingMeasures{}).valid);
}

class Painting : public Preview {
protected:
    void SetUp() override {
        Preview::SetUp();
        setenv("KVD_HOST_DIR", dir_.c_str(), 1);
        std::filesystem::create_directories(dir_ / "KOVA/UTILS/MATERIAL");
        ui::Picture stone(8, 8, kStone);
        stone.SavePng(MaterialPicturePath("GRANITO"));
    }
    void TearDown() override {
        unsetenv("KVD_HOST_DIR");
        Preview::TearDown();
    }
    // Paints the drawing as the regeneration step does; returns the request's result.
    PreviewResult Paint(TemplateTab tab, const std::string& material) {
        PreviewRequest r;
        r.tab = tab;
        r.image = {0, 0, picture.Width(), picture.Height()};
        r.materialName = material;
        return MeasureAndPaintPreview(picture.GetCanvas(), r);
    }
    static constexpr ui::Color kStone = 0x208040;
    ui::Picture picture{200, 150};
};

TEST_F(Painting, ClosedRectangleIsFilledWithTheMaterialAndOutlined) {
    TemplateParams.RectWidth = 100;
    TemplateParams.RectHeight = 50;
    RegenerateDrawing(TemplateTab::Rettangolo);
    const PreviewResult r = Paint(TemplateTab::Rettangolo, "GRANITO");
    ASSERT_TRUE(r.geometry.valid);
    EXPECT_EQ(picture.Pixel(100, 75), kStone);
    EXPECT_EQ(picture.Pixel(20, 40), kStone);
    EXPECT_EQ(picture.Pixel(3, 3), kPreviewBackground);
    EXPECT_EQ(picture.Pixel(100, 10), kPreviewBackground);
    EXPECT_EQ(picture.Pixel(7, 75), ui::clBlack);    // left side at offX
    EXPECT_EQ(picture.Pixel(100, 29), ui::clBlack);  // top side at offY
    EXPECT_FALSE(r.caption.empty());
}

TEST_F(Painting, StraightCutsAreNeverFilled) {
    TemplateParams.RectWidth = 100;
    TemplateParams.RectHeight = 50;
    RegenerateDrawing(TemplateTab::Rettangolo);  // the same closed outline
    Paint(TemplateTab::TagliRettilinei, "GRANITO");
    EXPECT_EQ(picture.Pixel(100, 75), kPreviewBackground);
    EXPECT_EQ(picture.Pixel(7, 75), ui::clBlack);
}

TEST_F(Painting, WithoutAPictureTheFillIsTheBrushColour) {
    TemplateParams.RectWidth = 100;
    TemplateParams.RectHeight = 50;
    RegenerateDrawing(TemplateTab::Rettangolo);
    const PreviewResult r = Paint(TemplateTab::Rettangolo, "MISSING");
    ui::Canvas& c = picture.GetCanvas();
    c.brush = {ui::clYellow, ui::BrushStyle::Solid};
    PreviewStyle style;
    PaintPreview(c, FirstContainerElements(), r.geometry, style);
    EXPECT_EQ(picture.Pixel(100, 75), ui::clYellow);
    EXPECT_EQ(c.brush.color, ui::clYellow);
}

TEST_F(Painting, EmptyDrawingLeavesTheClearedImageAndNoCaption) {
    picture.GetCanvas().brush = {ui::clRed, ui::BrushStyle::Solid};
    picture.GetCanvas().FillRect({0, 0, 200, 150});
    const PreviewResult r = Paint(TemplateTab::Copertina, "GRANITO");
    EXPECT_FALSE(r.geometry.valid);
    EXPECT_TRUE(r.caption.empty());
    EXPECT_EQ(picture.Pixel(100, 75), kPreviewBackground);
    EXPECT_EQ(picture.Pixel(0, 0), ui::clBlack);  // the frame of the clearing rectangle
}

TEST_F(Painting, SinglePointIsACrossAndInclinedSidesGetARedMark) {
    // A lone start point at the centre of a 200 x 100 frame.
    CurrentElement.Kind = ecStart;
    AddShapeElement();
    CurrentElement.Kind = ecLine;
    CurrentElement.X = 200;
    AddShapeElement();
    CurrentElement.Y = 100;
    CurrentElement.Inclination = 45;  // the right side is inclined
    AddShapeElement();
    CurrentElement.Inclination = 0;
    CurrentElement.Kind = ecStart;
    CurrentElement.X = 100;
    CurrentElement.Y = 50;
    AddShapeElement();
    const PreviewResult r = Paint(TemplateTab::TagliRettilinei, "");
    const ui::Point centre = r.geometry.ToPixel(100, 50);
    const int arm = static_cast<int>(std::lround(30 * r.geometry.S));
    EXPECT_EQ(picture.Pixel(centre.x + arm - 1, centre.y), ui::clBlack);
    EXPECT_EQ(picture.Pixel(centre.x, centre.y - arm + 1), ui::clBlack);
    EXPECT_EQ(picture.Pixel(centre.x + arm + 3, centre.y), kPreviewBackground);
    const ui::Point mid = r.geometry.ToPixel(200, 50);
    bool red = false;
    for (int dx = -4; dx <= 4; ++dx)
        for (int dy = -4; dy <= 4; ++dy) red = red || picture.Pixel(mid.x + dx, mid.y + dy) == kPreviewInclination;
    EXPECT_TRUE(red);
}

TEST_F(Preview, DimensionMarkRecordsTheLastSegment) {
    AddDimensionBox(nullptr, nullptr, 141);
    CurrentElement.Kind = ecStart;
    CurrentElement.X = 10;
    AddShapeElement();
    CurrentElement.Kind = ecLine;
    CurrentElement.X = 110;
    CurrentElement.Y = 40;
    AddShapeElement();
    EXPECT_EQ(AddDimensionMark(999), nullptr);
    DimensionMark* m = AddDimensionMark(141);
    ASSERT_NE(m, nullptr);
    const auto* raw = reinterpret_cast<const std::uint8_t*>(m);
    EXPECT_EQ(raw[1], 193);
    EXPECT_EQ(m->X1, 10.0f);
    EXPECT_EQ(m->Y1, 0.0f);
    EXPECT_EQ(m->X2, 110.0f);
    EXPECT_EQ(m->Y2, 40.0f);
    EXPECT_EQ(FindDimensionBox(141)->mark, m);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(m) >> 32, 0u);  // low heap
    AddDimensionMark(141);
    EXPECT_EQ(DimensionMarkCount(), 2u);
    DisposeDimensionMarks();
    EXPECT_EQ(DimensionMarkCount(), 0u);
    EXPECT_EQ(FindDimensionBox(141)->mark, nullptr);
}

TEST_F(Preview, OverlayPlacementRules) {
    OverlayContext ctx;
    ctx.image = {100, 50, 500, 350};  // 400 x 300 at (100, 50)
    ctx.geometry.valid = true;
    ctx.geometry.S = 1;
    DimensionMark mark{};
    mark.X1 = 0;
    mark.X2 = 20;
    mark.Y1 = mark.Y2 = 10;  // midpoint (10, 10) -> form (110, 60)
    DimensionBox box;
    box.mark = &mark;
    struct Case {
        TemplateTab tab;
        int type;
        bool walls;
        bool ticked;
        bool visible;
        int left, top;
    };
    const Case cases[] = {
        {TemplateTab::Copertina, 141, false, false, true, 130, 70},   // centre rule: right and below
        {TemplateTab::Copertina, 90, false, false, false, 0, 0},      // not a coping type
        {TemplateTab::PianoCucina, 157, true, true, true, 90, 80},    // px - w/2, py + 20
        {TemplateTab::PianoCucina, 157, true, false, false, 0, 0},    // side 1 not ticked
        {TemplateTab::PianoCucina, 162, true, false, true, 90, 30},   // py - 2*(h/2) - 10
        {TemplateTab::PianoCucina, 90, false, false, false, 0, 0},    // page not shown
        {TemplateTab::Rettangolo, 141, false, false, false, 0, 0},
    };
    for (const auto& c : cases) {
        ctx.tab = c.tab;
        ctx.sideWallsVisible = c.walls;
        ctx.sideTicked[0] = c.ticked;
        box.type = c.type;
        const OverlayPlacement p = ComputeOverlayPlacement(box, 40, 20, ctx);
        EXPECT_EQ(p.visible, c.visible) << c.type;
        if (c.visible) {
            EXPECT_EQ(p.left, c.left) << c.type;
            EXPECT_EQ(p.top, c.top) << c.type;
        }
    }
    // Past the middle of the image the box goes to the left and above.
    mark.X1 = mark.X2 = 390;
    mark.Y1 = mark.Y2 = 290;
    ctx.tab = TemplateTab::Copertina;
    box.type = 150;
    const OverlayPlacement p = ComputeOverlayPlacement(box, 40, 20, ctx);
    EXPECT_EQ(p.left, 490 - 40 - 20);
    EXPECT_EQ(p.top, 340 - 20 - 10);
}

}  // namespace
}  // namespace kvd::test
