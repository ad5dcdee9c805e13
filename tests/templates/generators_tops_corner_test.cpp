// The corner top: the four placements of the leg, square and cut inner
// corners, the cut's direction, cut-outs with relief lines, reinforcements
// and the turning of "Allineato" items along the cut.
#include <cmath>

#include "generators_tops_support.h"
#include "templates/generators/corner_top.h"
#include "templates/regeneration.h"

namespace kvd::test {
namespace {

constexpr unsigned S = ecStart, L = ecLine;

class Corner : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        TemplateParameters& p = TemplateParams;
        p.CornerWidth = 3000;
        p.CornerHeight = 2000;
        p.CornerLedgeWidth = 600;
        p.CornerLedgeHeight = 600;
        p.CornerJoint = 0;
        p.CornerHoleCount = p.CornerHorizontalBarCount = p.CornerVerticalBarCount = 0;
    }
    static void Generate() { RegenerateDrawing(TemplateTab::TopAdAngolo); }
    static HoleItem& Hole(int k, double x, double y, double w, double h, std::uint8_t special, bool aligned) {
        HoleItem& e = TemplateParams.CornerHoles[k];
        e = HoleItem{};
        e.X = x;
        e.Y = y;
        e.Width = w;
        e.Height = h;
        e.Special = special;
        e.Flags = aligned ? 1 : 0;
        return e;
    }
    static void Bar(BarItem& b, double x, double y, double len, bool aligned) {
        b = BarItem{};
        b.X = x;
        b.Y = y;
        b.Length = len;
        b.Flags = aligned ? 1 : 0;
    }
};

TEST_F(Corner, FourPlacementsOfTheLegWithSquareAndCutCorners) {
    const double a = std::atan2(1400.0, 2400.0);  // about 0.5281
    struct Case {
        const char* name;
        double ws, hs;
        std::vector<Pt> square;  // vertices after (0, 0), the inner corner included
        int inner;               // index in `square` of the vertex the cut leaves out
        double alpha;
    };
    const std::vector<Case> cases = {
        {"hs > 0, ws > 0", 600, 600, {{L, 3000, 0}, {L, 3000, 2000}, {L, 2400, 2000}, {L, 2400, 600}, {L, 0, 600}}, 3,
         a},
        {"hs > 0, ws < 0", -600, 600, {{L, 3000, 0}, {L, 3000, 600}, {L, 600, 600}, {L, 600, 2000}, {L, 0, 2000}}, 2,
         M_PI - a},
        {"hs < 0, ws > 0", 600, -600,
         {{L, 2400, 0}, {L, 2400, -1400}, {L, 3000, -1400}, {L, 3000, 600}, {L, 0, 600}}, 0, 2 * M_PI - a},
        {"hs < 0, ws < 0", -600, -600, {{L, 600, 0}, {L, 600, 1400}, {L, 3000, 1400}, {L, 3000, 2000}, {L, 0, 2000}}, 1,
         a},
    };
    for (const auto& k : cases) {
        for (int joint : {0, 1}) {
            const std::string what = std::string(k.name) + (joint ? " Smusso" : " Angolo");
            TemplateParams.CornerLedgeWidth = k.ws;
            TemplateParams.CornerLedgeHeight = k.hs;
            TemplateParams.CornerJoint = joint;
            Generate();
            EXPECT_EQ(MarkingIndex, kKindCorner);
            std::vector<Pt> want = {{S, 0, 0}};
            for (int i = 0; i < 5; ++i)
                if (!(joint == 1 && i == k.inner)) want.push_back(k.square[i]);
            want.push_back({L, 0, 0});
            auto c = Contours();
            ASSERT_EQ(c.size(), 1u) << what;
            ExpectContour(c[0], want, what);
            EXPECT_TRUE(Closed(c[0])) << what;
            EXPECT_GT(SignedArea(c[0]), 0) << what;
            if (joint == 1) {
                EXPECT_NEAR(static_cast<double>(CornerCutAngle()), k.alpha, 1e-9) << what;
            }
        }
    }
    EXPECT_NEAR(a, 0.5281, 1e-4);
}

TEST_F(Corner, WithoutLedgeOnlyTheStartPointThenTheItems) {
    Bar(TemplateParams.CornerHorizontalBars[0], 100, 50, 1000, true);
    TemplateParams.CornerHorizontalBarCount = 1;
    TemplateParams.CornerJoint = 1;
    for (double hs : {0.0, 600.0}) {
        TemplateParams.CornerLedgeHeight = hs;
        TemplateParams.CornerLedgeWidth = hs == 0 ? 600 : 0;
        Generate();
        auto c = Contours();
        ASSERT_EQ(c.size(), 2u) << hs;
        ExpectContour(c[0], {{S, 0, 0}}, "lone start");
        // No cut edge, so no turning either.
        ExpectContour(c[1], {{S, 100, 50}, {L, 1100, 50}}, "reinforcement");
    }
}

TEST_F(Corner, CutOutReliefLinesBySpecialChoice) {
    struct Case {
        std::uint8_t special;
        std::vector<std::vector<Pt>> reliefs;
    };
    const std::vector<Case> cases = {
        {0, {}},
        {1, {{{S, 115, 200}, {L, 115, 600}}}},
        {2, {{{S, 685, 200}, {L, 685, 600}}}},
        {3, {{{S, 115, 200}, {L, 115, 600}}, {{S, 685, 200}, {L, 685, 600}}}},
        {4,
         {{{S, 115, 200}, {L, 115, 600}},
          {{S, 685, 200}, {L, 685, 600}},
          {{S, 100, 215}, {L, 700, 215}},
          {{S, 100, 585}, {L, 700, 585}}}},
    };
    TemplateParams.CornerHoleCount = 1;
    for (const auto& k : cases) {
        Hole(0, 100, 200, 600, 400, k.special, false);
        Generate();
        auto c = Contours();
        ASSERT_EQ(c.size(), 2 + k.reliefs.size()) << int(k.special);
        ExpectContour(c[1], {{S, 100, 200}, {L, 100, 600}, {L, 700, 600}, {L, 700, 200}, {L, 100, 200}}, "cut-out");
        EXPECT_TRUE(Closed(c[1]));
        EXPECT_LT(SignedArea(c[1]), 0);  // built against the outline
        for (std::size_t i = 0; i < k.reliefs.size(); ++i)
            ExpectContour(c[2 + i], k.reliefs[i], "relief " + std::to_string(i));
    }
}

TEST_F(Corner, ItemsOutsideTheTopAreSkipped) {
    TemplateParams.CornerHoleCount = 3;
    Hole(0, 2500, 100, 600, 400, 0, false);  // beyond the width
    Hole(1, 100, 1700, 600, 400, 0, false);  // beyond the height
    Hole(2, -1, 100, 600, 400, 0, false);
    TemplateParams.CornerHorizontalBarCount = 2;
    Bar(TemplateParams.CornerHorizontalBars[0], 100, 0, 500, false);    // on the edge y = 0
    Bar(TemplateParams.CornerHorizontalBars[1], 2600, 50, 500, false);  // beyond the width
    TemplateParams.CornerVerticalBarCount = 2;
    Bar(TemplateParams.CornerVerticalBars[0], 50, 1600, 500, false);  // beyond the height
    Bar(TemplateParams.CornerVerticalBars[1], 50, 0, 2000, false);    // reaches it exactly
    Generate();
    auto c = Contours();
    ASSERT_EQ(c.size(), 2u);
    ExpectContour(c[1], {{S, 50, 0}, {L, 50, 2000}}, "vertical reinforcement");
}

TEST_F(Corner, AlignedItemsTurnAboutTheirStartWithACutCorner) {
    TemplateParameters& p = TemplateParams;
    p.CornerHoleCount = 2;
    Hole(0, 100, 200, 600, 400, 1, true);
    Hole(1, 1000, 200, 300, 100, 0, false);
    p.CornerHorizontalBarCount = 1;
    Bar(p.CornerHorizontalBars[0], 100, 50, 1000, true);
    p.CornerVerticalBarCount = 1;
    Bar(p.CornerVerticalBars[0], 50, 100, 500, true);

    const double a = std::atan2(1400.0, 2400.0), ca = std::cos(a), sa = std::sin(a);
    auto turned = [&](double sx, double sy, double dx, double dy) {
        return Pt{L, sx + dx * ca - dy * sa, sy + dx * sa + dy * ca};
    };

    p.CornerJoint = 1;
    Generate();
    auto c = Contours();
    ASSERT_EQ(c.size(), 6u);
    ExpectContour(c[1],
                  {{S, 100, 200}, turned(100, 200, 0, 400), turned(100, 200, 600, 400), turned(100, 200, 600, 0),
                   {L, 100, 200}},
                  "aligned cut-out");
    EXPECT_TRUE(Closed(c[1]));
    EXPECT_NEAR(SignedArea(c[1]), -240000, 1e-2);
    // Its relief line turns about the cut-out's start, not its own.
    const Pt r0 = turned(100, 200, 15, 0), r1 = turned(100, 200, 15, 400);
    ExpectContour(c[2], {{S, r0.x, r0.y}, {L, r1.x, r1.y}}, "its relief line");
    ExpectContour(c[3], {{S, 1000, 200}, {L, 1000, 300}, {L, 1300, 300}, {L, 1300, 200}, {L, 1000, 200}},
                  "cut-out not aligned");
    ExpectContour(c[4], {{S, 100, 50}, turned(100, 50, 1000, 0)}, "aligned horizontal reinforcement");
    ExpectContour(c[5], {{S, 50, 100}, turned(50, 100, 0, 500)}, "aligned vertical reinforcement");

    p.CornerJoint = 0;  // "Angolo": nothing turns
    Generate();
    c = Contours();
    ASSERT_EQ(c.size(), 6u);
    ExpectContour(c[1], {{S, 100, 200}, {L, 100, 600}, {L, 700, 600}, {L, 700, 200}, {L, 100, 200}}, "square");
    ExpectContour(c[4], {{S, 100, 50}, {L, 1100, 50}}, "square");
}

}  // namespace
}  // namespace kvd::test
