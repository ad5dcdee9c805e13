// The bathroom top: side zones, the central bow and its fillets, the sink
// running against the outline, and the tap positions.
#include <cmath>

#include "base/contour_extents.h"
#include "base/ellipse_arcs.h"
#include "generators_tops_support.h"
#include "templates/generators/bathroom_top.h"
#include "templates/regeneration.h"

namespace kvd::test {
namespace {

constexpr unsigned S = ecStart, L = ecLine, N = ecArcNeg, P = ecArcPos;

class Bathroom : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        TemplateParameters& p = TemplateParams;
        p.BathWidth = 1200;
        p.BathHeight = 550;
        p.BathLeftFromLeft = p.BathRightFromRight = 0;
        p.BathLeftWidth = p.BathRightWidth = 200;
        p.BathLeftFromTop = p.BathRightFromTop = 450;
        p.BathLeftSlope = p.BathRightSlope = 0;
        p.BathLeftRadius = p.BathRightRadius = p.BathInnerLeftRadius = p.BathInnerRightRadius = 0;
        p.BathSinkWidth = p.BathSinkHeight = 0;
        p.BathTapCount = 0;
    }
    static void Generate() { RegenerateDrawing(TemplateTab::TopBagno); }
    static void ExpectCircle(const Contour& c, std::size_t i, double cx, double cy, double r, const std::string& what) {
        double x, y, rr;
        ASSERT_TRUE(ArcCircle(c[i - 1], c[i], x, y, rr)) << what;
        EXPECT_NEAR(x, cx, 1e-3) << what;
        EXPECT_NEAR(y, cy, 1e-3) << what;
        EXPECT_NEAR(rr, r, 1e-3) << what;
    }
    static void ExpectDepth(double minY, double maxY) {
        TRealPoint3 lo, hi;
        ContourListExtents(FirstContainerElements(), lo, hi);
        EXPECT_NEAR(lo.Y.ToDouble(), minY, 1e-3);
        EXPECT_NEAR(hi.Y.ToDouble(), maxY, 1e-3);
    }
};

TEST_F(Bathroom, StraightSideZonesAndTheBowOfRadius850) {
    const BathroomBow bow = CentralBow(TemplateParams);
    EXPECT_NEAR(static_cast<double>(bow.radius), 850, 1e-9);
    EXPECT_NEAR(static_cast<double>(bow.cx), 600, 1e-9);
    EXPECT_NEAR(static_cast<double>(bow.cy), -300, 1e-9);
    Generate();
    EXPECT_EQ(MarkingIndex, kKindBathroom);
    auto c = Contours();
    ASSERT_EQ(c.size(), 1u);
    ExpectContour(c[0],
                  {{S, 1200, 0}, {L, 1200, 450}, {L, 1000, 450}, {N, 200, 450}, {L, 0, 450}, {L, 0, 0}, {L, 1200, 0}},
                  "outline");
    ExpectCircle(c[0], 3, 600, -300, 850, "bow");
    ExpectDepth(0, 550);  // the bow's lowest point reaches the full depth
    EXPECT_TRUE(Closed(c[0]));
    EXPECT_GT(SignedArea(c[0]), 0);
}

TEST_F(Bathroom, InnerFilletsAreConcaveAndTangentToTheBow) {
    TemplateParams.BathInnerLeftRadius = TemplateParams.BathInnerRightRadius = 20;
    Generate();
    auto c = Contours();
    ASSERT_EQ(c.size(), 1u);
    ExpectContour(c[0],
                  {{S, 1200, 0},
                   {L, 1200, 450},
                   {L, 1004.969, 450},
                   {P, 995.659, 452.299},
                   {N, 204.341, 452.299},
                   {P, 195.031, 450},
                   {L, 0, 450},
                   {L, 0, 0},
                   {L, 1200, 0}},
                  "outline");
    ExpectCircle(c[0], 3, 1004.969, 470, 20, "right fillet");
    ExpectCircle(c[0], 4, 600, -300, 850, "bow");
    ExpectCircle(c[0], 5, 195.031, 470, 20, "left fillet");
    ExpectDepth(0, 550);
    EXPECT_TRUE(Closed(c[0]));
    EXPECT_GT(SignedArea(c[0]), 0);
}

TEST_F(Bathroom, OuterFilletsRoundTheFrontCorners) {
    TemplateParams.BathLeftRadius = TemplateParams.BathRightRadius = 50;
    Generate();
    auto c = Contours();
    ASSERT_EQ(c.size(), 1u);
    ExpectContour(c[0],
                  {{S, 1200, 0},
                   {L, 1200, 400},
                   {N, 1150, 450},
                   {L, 1000, 450},
                   {N, 200, 450},
                   {L, 50, 450},
                   {N, 0, 400},
                   {L, 0, 0},
                   {L, 1200, 0}},
                  "outline");
    ExpectCircle(c[0], 2, 1150, 400, 50, "right fillet");
    ExpectCircle(c[0], 6, 50, 400, 50, "left fillet");
    EXPECT_GT(SignedArea(c[0]), 0);
}

TEST_F(Bathroom, UnequalSideDepthsGiveABowThroughBothInnerCorners) {
    TemplateParameters& p = TemplateParams;
    p.BathRightFromTop = 350;
    p.BathRightSlope = 50;  // inner right corner at depth 400
    const BathroomBow bow = CentralBow(p);
    ASSERT_GT(bow.radius, 0);
    EXPECT_NEAR(static_cast<double>(bow.radius), 710.354, 1e-3);
    EXPECT_NEAR(static_cast<double>(bow.cy + bow.radius), 550, 1e-9);
    EXPECT_NEAR(std::hypot(static_cast<double>(bow.cx) - 200, static_cast<double>(bow.cy) - 450),
                static_cast<double>(bow.radius), 1e-6);
    EXPECT_NEAR(std::hypot(static_cast<double>(bow.cx) - 1000, static_cast<double>(bow.cy) - 400),
                static_cast<double>(bow.radius), 1e-6);
    Generate();
    auto c = Contours();
    ASSERT_EQ(c.size(), 1u);
    ExpectContour(c[0],
                  {{S, 1200, 0}, {L, 1200, 350}, {L, 1000, 400}, {N, 200, 450}, {L, 0, 450}, {L, 0, 0}, {L, 1200, 0}},
                  "outline");
    ExpectDepth(0, 550);
}

TEST_F(Bathroom, ZonesThatDoNotFitGiveAnEmptyDrawing) {
    struct Case {
        const char* name;
        double W, H;
    };
    for (const Case k : {Case{"narrower than the zones", 399, 550}, Case{"shallower than the left zone", 1200, 449}}) {
        TemplateParams.BathWidth = k.W;
        TemplateParams.BathHeight = k.H;
        Generate();
        EXPECT_TRUE(Elements().empty()) << k.name;
        EXPECT_EQ(MarkingIndex, kKindBathroom) << k.name;
    }
}

TEST_F(Bathroom, SinkRunsAgainstTheOutline) {
    struct Case {
        const char* name;
        double w, h, r;
        double area;  // expected |area|, 0: only its sign is checked
    };
    const std::vector<Case> cases = {
        {"circle", 300, 300, 0, M_PI * 150 * 150},
        {"oval", 200, 100, 20, 0},
        {"tall oval", 100, 200, 20, 0},
        {"ellipse", 400, 200, 0, M_PI * 200 * 100},
    };
    TemplateParams.BathSinkCentreX = 600;
    TemplateParams.BathSinkFromBottom = 100;
    for (const auto& k : cases) {
        TemplateParams.BathSinkWidth = k.w;
        TemplateParams.BathSinkHeight = k.h;
        TemplateParams.BathSinkFillet = k.r;
        Generate();
        auto c = Contours();
        ASSERT_EQ(c.size(), 2u) << k.name;
        const Contour& sink = c[1];
        EXPECT_TRUE(Closed(sink)) << k.name;
        EXPECT_GT(SignedArea(c[0]), 0) << k.name;
        const double a = SignedArea(sink);
        EXPECT_LT(a, 0) << k.name;
        if (k.area > 0) {
            EXPECT_NEAR(-a, k.area, k.area * 1e-3) << k.name;
        }
        const double cy = 550 - k.h / 2 - 100;
        TRealPoint3 lo, hi;
        ContourListExtents(const_cast<TTempElement*>(sink[0]), lo, hi);
        EXPECT_NEAR(lo.X.ToDouble(), 600 - k.w / 2, 1e-3) << k.name;
        EXPECT_NEAR(hi.X.ToDouble(), 600 + k.w / 2, 1e-3) << k.name;
        EXPECT_NEAR(lo.Y.ToDouble(), cy - k.h / 2, 1e-3) << k.name;
        EXPECT_NEAR(hi.Y.ToDouble(), cy + k.h / 2, 1e-3) << k.name;
        for (const TTempElement* e : sink) EXPECT_EQ(e->Flags & kFlagReversed, 0u) << k.name;
        for (std::size_t i = 1; i < sink.size(); ++i) EXPECT_EQ(KindCode(sink[i]->Kind), P) << k.name;
    }
    EXPECT_EQ(EllipseShapeElementSink, nullptr);  // the ellipse output is left as it was found
}

TEST_F(Bathroom, OvalSinkPassesTheTangentPointsOfItsArcs) {
    TemplateParams.BathSinkCentreX = 600;
    TemplateParams.BathSinkFromBottom = 100;
    TemplateParams.BathSinkWidth = 200;
    TemplateParams.BathSinkHeight = 100;
    TemplateParams.BathSinkFillet = 20;
    Generate();
    auto c = Contours();
    ASSERT_EQ(c.size(), 2u);
    // Centre (600, 400); built from (0, -50) through (u, -t), (u, t), (-u, t),
    // (-u, -t) and reversed.
    const double u = 93.151, t = 15.068;
    ExpectContour(c[1],
                  {{S, 600, 350},
                   {P, 600 - u, 400 - t},
                   {P, 600 - u, 400 + t},
                   {P, 600 + u, 400 + t},
                   {P, 600 + u, 400 - t},
                   {P, 600, 350}},
                  "oval");
    ExpectCircle(c[1], 2, 520, 400, 20, "small arc");
    ExpectCircle(c[1], 1, 600, 491.667, 141.667, "large arc");
}

TEST_F(Bathroom, SinkOfNoSizeIsLeftOut) {
    TemplateParams.BathSinkCentreX = 600;
    TemplateParams.BathSinkWidth = 0;
    TemplateParams.BathSinkHeight = 0;
    Generate();
    EXPECT_EQ(Contours().size(), 1u);
}

TEST_F(Bathroom, TapsInsideTheTopAreLonePoints) {
    TemplateParams.BathTapCount = 3;
    TemplateParams.BathTaps[0] = {600, 50};
    TemplateParams.BathTaps[1] = {1200, 50};  // on the right edge: skipped
    TemplateParams.BathTaps[2] = {650, 60};
    Generate();
    auto c = Contours();
    ASSERT_EQ(c.size(), 3u);
    ExpectContour(c[1], {{S, 600, 50}}, "first tap");
    ExpectContour(c[2], {{S, 650, 60}}, "third tap");

    TemplateParams.BathTapCount = 1;  // only the first entries count
    Generate();
    EXPECT_EQ(Contours().size(), 2u);
}

}  // namespace
}  // namespace kvd::test
