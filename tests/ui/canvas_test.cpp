// Drawing into pictures, checked pixel by pixel, and picture files.
#include <gtest/gtest.h>

#include <QImage>
#include <fstream>

#include "kvd/error.h"
#include "ui/canvas.h"
#include "ui/picture.h"
#include "ui_fixture.h"

using namespace kvd::ui;
using kvd::ui::test::UiTest;

namespace {
class Drawing : public UiTest {};

int CountAlongTop(const Picture& p, int y, int x0, int x1, Color c) {
    int n = 0;
    for (int x = x0; x <= x1; ++x) n += p.Pixel(x, y) == c;
    return n;
}
}  // namespace

TEST_F(Drawing, FilledPolygonWithADashedOutline) {
    Picture pic(100, 80, clWhite);
    Canvas& c = pic.GetCanvas();
    c.brush = {clYellow, BrushStyle::Solid};
    c.pen = {clBlue, 1, PenStyle::Dash};
    const Point square[] = {{10, 10}, {90, 10}, {90, 70}, {10, 70}};
    c.Polygon(square);
    EXPECT_EQ(pic.Pixel(50, 40), clYellow) << "inside";
    EXPECT_EQ(pic.Pixel(5, 5), clWhite) << "outside";
    EXPECT_EQ(pic.Pixel(95, 75), clWhite);
    int dashes = CountAlongTop(pic, 10, 12, 88, clBlue);
    int gaps = CountAlongTop(pic, 10, 12, 88, clYellow) + CountAlongTop(pic, 10, 12, 88, clWhite);
    EXPECT_GT(dashes, 20) << "the outline is drawn";
    EXPECT_GT(gaps, 10) << "and it is dashed";
    EXPECT_EQ(dashes + gaps, 77);

    // A solid outline with the same brush has no gaps.
    Picture solid(100, 80, clWhite);
    solid.GetCanvas().brush = {clYellow, BrushStyle::Solid};
    solid.GetCanvas().pen = {clBlue, 1, PenStyle::Solid};
    solid.GetCanvas().Polygon(square);
    EXPECT_EQ(CountAlongTop(solid, 10, 12, 88, clBlue), 77);
}

TEST_F(Drawing, RectanglesExcludeTheirRightAndBottomEdges) {
    Picture pic(30, 30, clWhite);
    Canvas& c = pic.GetCanvas();
    c.brush = {clRed, BrushStyle::Solid};
    c.pen = {clBlack, 1, PenStyle::Solid};
    c.Rectangle(10, 10, 20, 20);
    EXPECT_EQ(pic.Pixel(10, 10), clBlack);
    EXPECT_EQ(pic.Pixel(19, 19), clBlack);
    EXPECT_EQ(pic.Pixel(15, 15), clRed);
    EXPECT_EQ(pic.Pixel(20, 20), clWhite);
    EXPECT_EQ(pic.Pixel(20, 15), clWhite);
    c.brush.style = BrushStyle::Clear;
    c.pen.color = clGreen;
    c.Rectangle(0, 0, 30, 30);
    EXPECT_EQ(pic.Pixel(15, 15), clRed) << "a clear brush leaves the inside";
    EXPECT_EQ(pic.Pixel(29, 0), clGreen);
}

TEST_F(Drawing, AClipPolygonLimitsLaterDrawing) {
    Picture pic(40, 40, clWhite);
    Canvas& c = pic.GetCanvas();
    const Point triangle[] = {{0, 0}, {39, 0}, {0, 39}};
    c.SetClipPolygon(triangle);
    c.brush = {clGreen, BrushStyle::Solid};
    c.FillRect({0, 0, 40, 40});
    EXPECT_EQ(pic.Pixel(5, 5), clGreen);
    EXPECT_EQ(pic.Pixel(35, 35), clWhite);
    c.SetPixel(35, 35, clRed);
    EXPECT_EQ(pic.Pixel(35, 35), clWhite) << "pixels obey the clip too";
    c.ClearClip();
    c.FillRect({30, 30, 40, 40});
    EXPECT_EQ(pic.Pixel(35, 35), clGreen);
}

TEST_F(Drawing, TilesMirrorEverySecondColumnAndRow) {
    Picture tile(2, 2, clWhite);
    tile.SetPixel(0, 0, clRed);  // a marker in the top-left corner
    Picture pic(8, 4, clBlack);
    pic.GetCanvas().TileDraw({0, 0, 8, 4}, tile, 2, 2, true);
    EXPECT_EQ(pic.Pixel(0, 0), clRed);
    EXPECT_EQ(pic.Pixel(3, 0), clRed) << "second tile mirrored left-right";
    EXPECT_EQ(pic.Pixel(4, 0), clRed);
    EXPECT_EQ(pic.Pixel(0, 3), clRed) << "second row mirrored top-bottom";
    EXPECT_EQ(pic.Pixel(3, 3), clRed);
    EXPECT_EQ(pic.Pixel(1, 1), clWhite);
    Picture plain(8, 4, clBlack);
    plain.GetCanvas().TileDraw({0, 0, 8, 4}, tile, 2, 2, false);
    EXPECT_EQ(plain.Pixel(2, 0), clRed);
    EXPECT_EQ(plain.Pixel(3, 0), clWhite);
}

TEST_F(Drawing, PicturesStretchCopyAndKeepTheirTransparentColour) {
    Picture stamp(2, 2, clWhite);
    stamp.SetPixel(1, 1, clBlue);
    stamp.transparent = true;
    stamp.transparentColor = clWhite;
    Picture pic(10, 10, clRed);
    Canvas& c = pic.GetCanvas();
    c.Draw(0, 0, stamp);
    EXPECT_EQ(pic.Pixel(0, 0), clRed) << "the transparent colour is not drawn";
    EXPECT_EQ(pic.Pixel(1, 1), clBlue);
    stamp.transparent = false;
    c.StretchDraw({4, 4, 8, 8}, stamp);
    EXPECT_EQ(pic.Pixel(4, 4), clWhite);
    EXPECT_EQ(pic.Pixel(7, 7), clBlue);
    c.CopyRect({0, 6, 2, 8}, c, {6, 6, 8, 8});
    EXPECT_EQ(pic.Pixel(1, 7), clBlue);
    EXPECT_EQ(pic.Pixel(-1, 0), kInvalidPixel);
}

TEST_F(Drawing, PicturesLoadFromJpegBmpAndPngByContent) {
    QImage img(6, 4, QImage::Format_RGB32);
    img.fill(QColor(200, 10, 10));
    struct Case {
        const char* format;
        const char* name;  // deliberately not matching the content for one of them
    };
    for (Case c : {Case{"PNG", "a.png"}, Case{"BMP", "b.bmp"}, Case{"JPEG", "c.jpg"}, Case{"BMP", "d.JPG"}}) {
        ASSERT_TRUE(img.save(QString::fromStdString(Path(c.name)), c.format));
        Picture p;
        p.LoadFromFile(Path(c.name));
        EXPECT_EQ(p.Width(), 6) << c.name;
        EXPECT_EQ(p.Height(), 4) << c.name;
        EXPECT_NEAR(RedOf(p.Pixel(2, 2)), 200, 8) << c.name;
    }
    std::ofstream(Path("junk.png")) << "not a picture";
    try {
        Picture p;
        p.LoadFromFile(Path("junk.png"));
        FAIL();
    } catch (const kvd::Error& e) {
        EXPECT_NE(std::string(e.what()).find("junk.png"), std::string::npos);
    }
    Picture saved(3, 3, clAqua);
    saved.SavePng(Path("out.png"));
    Picture back;
    back.LoadFromFile(Path("out.png"));
    EXPECT_EQ(back.Pixel(1, 1), clAqua);
    EXPECT_THROW(Picture().SavePng(Path("empty.png")), kvd::Error);
    EXPECT_FALSE(std::filesystem::exists(Path("empty.png")));
}
