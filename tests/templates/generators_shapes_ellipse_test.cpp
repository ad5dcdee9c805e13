// The ellipse, oval and circle generator.
#include <cmath>

#include "base/contour_extents.h"
#include "base/ellipse_arcs.h"
#include "generators_shapes_fixture.h"
#include "templates/generators/ellipse.h"

namespace kvd::test {
namespace {

class Ellipse : public EngineTest {
protected:
    void Generate(double w, double h, double r) {
        TemplateParams.EllipseWidth = w;
        TemplateParams.EllipseHeight = h;
        TemplateParams.EllipseFillet = r;
        RegenerateDrawing(TemplateTab::Ellisse);
    }
    static void ExpectExtents(double x0, double y0, double x1, double y1, const std::string& what) {
        TRealPoint3 mn = RealPoint3(1e9, 1e9, 0), mx = RealPoint3(-1e9, -1e9, 0);
        ContourListExtents(FirstContainerElements(), mn, mx);
        EXPECT_NEAR(mn.X.ToDouble(), x0, 0.001) << what;
        EXPECT_NEAR(mn.Y.ToDouble(), y0, 0.001) << what;
        EXPECT_NEAR(mx.X.ToDouble(), x1, 0.001) << what;
        EXPECT_NEAR(mx.Y.ToDouble(), y1, 0.001) << what;
    }
    // Every arc meets the next without a kink: the centres of two arcs and
    // their common point lie on one line.
    static void ExpectTangentContinuous(const std::string& what) {
        auto e = Elements();
        for (std::size_t i = 1; i + 1 < e.size(); ++i) {
            const ArcCircle a = CircleOf(e[i]), b = CircleOf(e[i + 1]);
            ASSERT_TRUE(a.ok && b.ok) << what << " " << i;
            const double px = e[i]->X.ToDouble(), py = e[i]->Y.ToDouble();
            const double cross = (a.cx - px) * (b.cy - py) - (a.cy - py) * (b.cx - px);
            EXPECT_NEAR(cross / (a.r * b.r), 0, 1e-6) << what << " joint " << i;
        }
    }
};

TEST_F(Ellipse, CircleOfTwoHalfCirclesWhateverTheRadius) {
    for (double r : {0.0, 20.0, 500.0}) {
        Generate(100, 100, r);
        ExpectElements({{ecStart, 0, -50}, {ecArcNeg, 0, 50}, {ecArcNeg, 0, -50}}, "circle");
        auto e = Elements();
        EXPECT_NEAR(std::fabs(e[1]->Bulge.ToDouble()), 1.0, 1e-12);
        EXPECT_EQ(e[1]->Bulge.ToDouble(), e[2]->Bulge.ToDouble());
        EXPECT_EQ(MarkingIndex, kKindEllipse);
    }
    ExpectExtents(-50, -50, 50, 50, "circle");
}

TEST_F(Ellipse, WideOvalArcsAboutTheirFourCentres) {
    Generate(200, 100, 20);
    auto e = Elements();
    ASSERT_EQ(e.size(), 6u);
    const double u = 93.151, t = 15.068;
    ExpectElements({{ecStart, 0, -50}, {ecArcNeg, u, -t}, {ecArcNeg, u, t}, {ecArcNeg, -u, t},
                    {ecArcNeg, -u, -t}, {ecArcNeg, 0, -50}},
                   "wide oval");
    struct Centre {
        double cx, cy, r;
    };
    const std::vector<Centre> centres = {
        {0, 91.667, 141.667}, {80, 0, 20}, {0, -91.667, 141.667}, {-80, 0, 20}, {0, 91.667, 141.667}};
    for (std::size_t i = 0; i < centres.size(); ++i) {
        const ArcCircle c = CircleOf(e[i + 1]);
        ASSERT_TRUE(c.ok) << i;
        EXPECT_NEAR(c.cx, centres[i].cx, 0.001) << i;
        EXPECT_NEAR(c.cy, centres[i].cy, 0.001) << i;
        EXPECT_NEAR(c.r, centres[i].r, 0.001) << i;
    }
    ExpectTangentContinuous("wide oval");
    ExpectExtents(-100, -50, 100, 50, "wide oval");  // through (+-100, 0) and (0, +-50)
    ExpectEveryContourClosed("wide oval");
}

TEST_F(Ellipse, OvalCornerRadiusIsKeptBelowHalfTheShortSide) {
    Generate(200, 100, 80);
    auto e = Elements();
    ASSERT_EQ(e.size(), 6u);
    EXPECT_NEAR(CircleOf(e[2]).r, 49, 0.001);
    ExpectTangentContinuous("reduced radius");
    ExpectExtents(-100, -50, 100, 50, "reduced radius");
}

TEST_F(Ellipse, TallOvalStartsOnItsSmallArc) {
    Generate(100, 200, 20);
    auto e = Elements();
    ASSERT_EQ(e.size(), 6u);
    EXPECT_NEAR(e[0]->X.ToDouble(), 0, 0.001);
    EXPECT_NEAR(e[0]->Y.ToDouble(), -100, 0.001);
    const ArcCircle first = CircleOf(e[1]);
    EXPECT_NEAR(first.cx, 0, 0.001);
    EXPECT_NEAR(first.cy, -80, 0.001);
    EXPECT_NEAR(first.r, 20, 0.001);
    ExpectTangentContinuous("tall oval");
    ExpectExtents(-50, -100, 50, 100, "tall oval");
    ExpectEveryContourClosed("tall oval");
}

TEST_F(Ellipse, TrueEllipseGoesThroughTheSharedApproximation) {
    EllipseShapeElementSink = nullptr;
    Generate(200, 100, 0);
    EXPECT_EQ(EllipseShapeElementSink, &AddShapeElement);
    EXPECT_NEAR(EllipseMinX.ToDouble(), -100, 1e-9);
    EXPECT_NEAR(EllipseMinY.ToDouble(), -50, 1e-9);
    EXPECT_NEAR(EllipseMaxX.ToDouble(), 100, 1e-9);
    EXPECT_NEAR(EllipseMaxY.ToDouble(), 50, 1e-9);
    auto e = Elements();
    ASSERT_GT(e.size(), 4u);
    EXPECT_EQ(KindCode(e[0]->Kind), ecStart);
    for (std::size_t i = 1; i < e.size(); ++i) EXPECT_EQ(KindCode(e[i]->Kind), ecArcNeg) << i;
    ExpectEveryContourClosed("ellipse");
    ExpectExtents(-100, -50, 100, 50, "ellipse");
    EXPECT_NEAR(static_cast<double>(FirstContourArea(FirstContainerElements())), M_PI * 100 * 50, 0.01 * M_PI * 5000);
    // A negative width is the same ellipse.
    Generate(-200, 100, 0);
    ExpectExtents(-100, -50, 100, 50, "negative width");
}

TEST_F(Ellipse, OutlineAboutAnyCentreForTheOtherTabs) {
    ClearCurrentElement();
    AddEllipseOutline(kKindBathroom, 600, 260, 480, 360, 140);
    EXPECT_EQ(MarkingIndex, kKindBathroom);
    ExpectExtents(360, 80, 840, 440, "sink");
    ExpectEveryContourClosed("sink");
}

TEST_F(Ellipse, ZeroSideIsAnEmptyDrawing) {
    for (auto [w, h] : {std::pair{0.0, 0.0}, {0.0, 100.0}, {100.0, 0.0004}}) {
        for (double r : {0.0, 20.0}) {
            Generate(w, h, r);
            EXPECT_TRUE(Elements().empty()) << w << " x " << h << " r " << r;
            EXPECT_EQ(MarkingIndex, kKindEllipse);
        }
    }
}

}  // namespace
}  // namespace kvd::test
