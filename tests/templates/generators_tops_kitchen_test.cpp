// The kitchen top: outline with its inclinations and joint notches, cut-outs,
// grooves and through cuts, upstands, the single-group flag and the marks of
// the inclination boxes.
#include <algorithm>
#include <array>

#include "generators_tops_support.h"
#include "templates/generators/kitchen_top.h"
#include "templates/regeneration.h"

namespace kvd::test {
namespace {

constexpr unsigned S = ecStart, L = ecLine;

class Kitchen : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        TemplateParameters& p = TemplateParams;
        p.KitchenWidth = 3000;
        p.KitchenHeight = 600;
        p.KitchenHoleCount = p.KitchenHorizontalBarCount = p.KitchenVerticalBarCount = 0;
        p.KitchenJointCutCount = p.KitchenHorizontalThroughCount = p.KitchenVerticalThroughCount = 0;
        p.OptionBits = 0;
    }
    static void Generate() { RegenerateDrawing(TemplateTab::PianoCucina); }
    static void AddBoxes() {
        for (int t : kKitchenInclinationBoxes) AddDimensionBox(nullptr, nullptr, t);
        for (const auto& side : kSideWallInclinationBoxes)
            for (int t : side) AddDimensionBox(nullptr, nullptr, t);
    }
    static void ExpectMark(int type, double x1, double y1, double x2, double y2) {
        const DimensionBox* b = FindDimensionBox(type);
        ASSERT_NE(b, nullptr);
        ASSERT_NE(b->mark, nullptr) << "box " << type;
        EXPECT_NEAR(b->mark->X1, x1, 1e-3) << "box " << type;
        EXPECT_NEAR(b->mark->Y1, y1, 1e-3) << "box " << type;
        EXPECT_NEAR(b->mark->X2, x2, 1e-3) << "box " << type;
        EXPECT_NEAR(b->mark->Y2, y2, 1e-3) << "box " << type;
    }
    static void SetHole(int k, double x, double y, double w, double h, std::uint8_t special = 0) {
        HoleItem& e = TemplateParams.KitchenHoles[k];
        e = HoleItem{};
        e.X = x;
        e.Y = y;
        e.Width = w;
        e.Height = h;
        e.Special = special;
    }
    static void SetBar(BarItem& b, double x, double y, double len) {
        b = BarItem{};
        b.X = x;
        b.Y = y;
        b.Length = len;
    }
};

TEST_F(Kitchen, PlainTopCarriesTheFourInclinationsAndAnchorsTheirBoxes) {
    const float inc[4] = {10, -20, 30, 45};
    std::copy(inc, inc + 4, TemplateParams.KitchenInclination);
    AddBoxes();
    Generate();
    EXPECT_EQ(MarkingIndex, kKindKitchen);
    auto c = Contours();
    ASSERT_EQ(c.size(), 1u);
    ExpectContour(c[0], {{S, 0, 0}, {L, 3000, 0}, {L, 3000, 600}, {L, 0, 600}, {L, 0, 0}}, "outline");
    EXPECT_EQ(c[0][0]->Inclination, 0.0f);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(c[0][i + 1]->Inclination, inc[i]) << "side " << i;
    EXPECT_EQ(DimensionMarkCount(), 4u);
    ExpectMark(90, 0, 0, 3000, 0);
    ExpectMark(161, 3000, 0, 3000, 600);
    ExpectMark(162, 3000, 600, 0, 600);
    ExpectMark(163, 0, 600, 0, 0);
    EXPECT_GT(SignedArea(c[0]), 0);
}

TEST_F(Kitchen, JointNotchesAtTheLowerCorners) {
    struct Case {
        const char* name;
        std::vector<std::array<double, 3>> notches;  // x, y, len
        std::vector<Pt> want;
    };
    const std::vector<Case> cases = {
        {"right",
         {{2800, 50, 300}},
         {{S, 0, 0}, {L, 3000, 0}, {L, 3000, 550}, {L, 2700, 550}, {L, 2650, 600}, {L, 0, 600}, {L, 0, 0}}},
        {"left",
         {{0, 30, 600}},
         {{S, 0, 0}, {L, 3000, 0}, {L, 3000, 600}, {L, 630, 600}, {L, 600, 570}, {L, 0, 570}, {L, 0, 0}}},
        {"both",
         {{0, 30, 600}, {2800, 50, 300}},
         {{S, 0, 0},
          {L, 3000, 0},
          {L, 3000, 550},
          {L, 2700, 550},
          {L, 2650, 600},
          {L, 630, 600},
          {L, 600, 570},
          {L, 0, 570},
          {L, 0, 0}}},
        // A second entry that also reaches the right corner is not cut again.
        {"two right entries",
         {{2800, 50, 300}, {2900, 80, 200}},
         {{S, 0, 0}, {L, 3000, 0}, {L, 3000, 550}, {L, 2700, 550}, {L, 2650, 600}, {L, 0, 600}, {L, 0, 0}}},
        {"entry reaching neither corner",
         {{1000, 50, 300}},
         {{S, 0, 0}, {L, 3000, 0}, {L, 3000, 600}, {L, 0, 600}, {L, 0, 0}}},
    };
    const float inc[4] = {1, 2, 3, 4};
    std::copy(inc, inc + 4, TemplateParams.KitchenInclination);
    AddBoxes();
    for (const auto& k : cases) {
        TemplateParams.KitchenJointCutCount = static_cast<int>(k.notches.size());
        for (std::size_t i = 0; i < k.notches.size(); ++i)
            SetBar(TemplateParams.KitchenJointCuts[i], k.notches[i][0], k.notches[i][1], k.notches[i][2]);
        Generate();
        auto c = Contours();
        ASSERT_EQ(c.size(), 1u) << k.name;
        ExpectContour(c[0], k.want, k.name);
        EXPECT_TRUE(Closed(c[0])) << k.name;
        EXPECT_GT(SignedArea(c[0]), 0) << k.name;
        // With notches the boxes are not anchored.
        EXPECT_EQ(DimensionMarkCount(), 0u) << k.name;
        // Sides keep their inclination, the notch edges have none.
        for (std::size_t i = 1; i < c[0].size(); ++i) {
            const TTempElement* e = c[0][i];
            const TTempElement* prev = c[0][i - 1];
            float expected = 0;
            if (e->Y.ToDouble() == 0 && prev->Y.ToDouble() == 0) expected = inc[0];
            else if (e->X.ToDouble() == 3000 && prev->X.ToDouble() == 3000) expected = inc[1];
            else if (e->Y.ToDouble() == 600 && prev->Y.ToDouble() == 600) expected = inc[2];
            else if (e->X.ToDouble() == 0 && prev->X.ToDouble() == 0) expected = inc[3];
            EXPECT_EQ(e->Inclination, expected) << k.name << " element " << i;
        }
    }
}

TEST_F(Kitchen, CutOutsArePlacedFromThePreviousOneOrFromTheirCentre) {
    TemplateParams.KitchenHoleCount = 2;
    SetHole(0, 500, 100, 800, 400);
    SetHole(1, 400, 50, 600, 300);
    struct Case {
        bool centred;
        double left0, left1;
    };
    for (const Case k : {Case{false, 500, 1700}, Case{true, 100, 100}}) {
        TemplateParams.OptionBits = k.centred ? kOptionCentredHorizontal : 0;
        Generate();
        auto c = Contours();
        ASSERT_EQ(c.size(), 3u) << k.centred;
        const double l0 = k.left0, l1 = k.left1;
        ExpectContour(c[1], {{S, l0, 500}, {L, l0, 100}, {L, l0 + 800, 100}, {L, l0 + 800, 500}, {L, l0, 500}},
                      "first cut-out");
        ExpectContour(c[2], {{S, l1, 550}, {L, l1, 250}, {L, l1 + 600, 250}, {L, l1 + 600, 550}, {L, l1, 550}},
                      "second cut-out");
        for (std::size_t i = 1; i < 3; ++i) {
            EXPECT_TRUE(Closed(c[i]));
            for (const TTempElement* e : c[i]) EXPECT_EQ(e->Inclination, 0.0f);
        }
    }
}

TEST_F(Kitchen, CutOutReliefCutsAndSkippedEntries) {
    TemplateParams.KitchenHoleCount = 3;
    SetHole(0, 100, 100, 600, 400, 3);  // "Entrambi"
    SetHole(1, 100, 100, 0, 400, 1);    // no width: skipped, and it moves nothing
    SetHole(2, 100, 100, 500, 300, 2);  // "Destra"
    Generate();
    auto c = Contours();
    ASSERT_EQ(c.size(), 6u);
    ExpectContour(c[2], {{S, 115, 500}, {L, 115, 100}}, "left relief");
    ExpectContour(c[3], {{S, 685, 500}, {L, 685, 100}}, "right relief");
    ExpectContour(c[4], {{S, 800, 500}, {L, 800, 200}, {L, 1300, 200}, {L, 1300, 500}, {L, 800, 500}},
                  "third cut-out, placed after the first");
    ExpectContour(c[5], {{S, 1285, 500}, {L, 1285, 200}}, "its right relief");
}

TEST_F(Kitchen, GroovesAndThroughCutsWithinTheTop) {
    TemplateParameters& p = TemplateParams;
    p.KitchenHorizontalBarCount = 3;
    SetBar(p.KitchenHorizontalBars[0], 100, 50, 1800);
    SetBar(p.KitchenHorizontalBars[1], 1500, 50, 1600);   // beyond the width: skipped
    SetBar(p.KitchenHorizontalBars[2], 1000.1, 550, 1999.9);  // ends on the edge at the precision
    p.KitchenVerticalBarCount = 2;
    SetBar(p.KitchenVerticalBars[0], 50, 50, 500);
    SetBar(p.KitchenVerticalBars[1], 0, 50, 500);  // on the edge: skipped
    p.KitchenHorizontalThroughCount = 1;
    SetBar(p.KitchenHorizontalThrough[0], 500, 200, 300);
    p.KitchenVerticalThroughCount = 2;
    SetBar(p.KitchenVerticalThrough[0], 500, 200, 300);
    SetBar(p.KitchenVerticalThrough[1], 500, 400, 300);  // beyond the height: skipped
    Generate();
    auto c = Contours();
    ASSERT_EQ(c.size(), 6u);
    ExpectContour(c[1], {{S, 100, 50}, {L, 1900, 50}}, "horizontal groove");
    ExpectContour(c[2], {{S, 1000.1, 550}, {L, 3000, 550}}, "groove to the edge");
    ExpectContour(c[3], {{S, 50, 50}, {L, 50, 550}}, "vertical groove");
    ExpectContour(c[4], {{S, 500, 200}, {L, 800, 200}}, "horizontal through cut");
    ExpectContour(c[5], {{S, 500, 200}, {L, 500, 500}}, "vertical through cut");
}

TEST_F(Kitchen, UpstandsRunWithTheTopAndKeepTheirInclinationsAndBoxes) {
    TemplateParameters& p = TemplateParams;
    p.OptionBits = kOptionSideWalls;
    p.SideWallDistance = 10;
    for (int k = 0; k < 4; ++k) {
        p.SideWalls[k].Flags = 1;
        p.SideWalls[k].Height = 100;
        for (int i = 0; i < 4; ++i) p.SideWalls[k].Inclination[i] = static_cast<float>(10 * k + i + 1);
    }
    AddBoxes();
    Generate();
    auto c = Contours();
    ASSERT_EQ(c.size(), 5u);
    const double top = SignedArea(c[0]);
    ASSERT_GT(top, 0);
    // "Alto" and "Sinistra" are reversed: they start where their last side ended.
    ExpectContour(c[1], {{S, 0, -10}, {L, 0, -110}, {L, 3000, -110}, {L, 3000, -10}, {L, 0, -10}}, "Alto");
    ExpectContour(c[2], {{S, 3010, 0}, {L, 3110, 0}, {L, 3110, 600}, {L, 3010, 600}, {L, 3010, 0}}, "Destra");
    ExpectContour(c[3], {{S, 0, 610}, {L, 3000, 610}, {L, 3000, 710}, {L, 0, 710}, {L, 0, 610}}, "Basso");
    ExpectContour(c[4], {{S, -10, 0}, {L, -10, 600}, {L, -110, 600}, {L, -110, 0}, {L, -10, 0}}, "Sinistra");
    for (int k = 1; k <= 4; ++k) {
        EXPECT_TRUE(Closed(c[k])) << k;
        EXPECT_NEAR(SignedArea(c[k]), k % 2 ? 300000 : 60000, 1e-3) << k;  // same sense as the top
        for (const TTempElement* e : c[k]) EXPECT_EQ(e->Flags & kFlagReversed, 0u) << k;
    }
    // Each side keeps the inclination it was emitted with after the reversal:
    // the first side of "Alto" runs along y = -10.
    EXPECT_EQ(c[1][4]->Inclination, 1.0f);  // (3000, -10) -> (0, -10)
    EXPECT_EQ(c[1][3]->Inclination, 2.0f);  // the right side
    EXPECT_EQ(c[1][2]->Inclination, 3.0f);  // the far side
    EXPECT_EQ(c[1][1]->Inclination, 4.0f);  // the left side
    EXPECT_EQ(c[2][1]->Inclination, 11.0f);
    EXPECT_EQ(c[4][1]->Inclination, 34.0f);  // the former closing side (-10, 600) -> (-10, 0)
    // Boxes of the side pages sit on the sides whose slot they edit.
    ExpectMark(159, 0, -10, 3000, -10);
    ExpectMark(158, 3000, -10, 3000, -110);
    ExpectMark(157, 3000, -110, 0, -110);
    ExpectMark(160, 0, -110, 0, -10);
    ExpectMark(164, 3010, 0, 3110, 0);
    ExpectMark(171, 0, 710, 0, 610);
    ExpectMark(172, -10, 0, -110, 0);
    ExpectMark(175, -110, 0, -110, 600);
    ExpectMark(174, -110, 600, -10, 600);
    ExpectMark(173, -10, 600, -10, 0);
    EXPECT_EQ(DimensionMarkCount(), 20u);
}

TEST_F(Kitchen, UpstandHeightsAndSelection) {
    TemplateParameters& p = TemplateParams;
    p.SideWallDistance = 5;
    p.SideWallGeneralHeight = 40;
    p.SideWalls[1].Flags = 1;
    p.SideWalls[1].Height = 80;
    p.SideWalls[2].Flags = 1;
    p.SideWalls[2].Height = 0;  // no height of its own: no piece
    p.SideWalls[3].Flags = 0;
    p.SideWalls[3].Height = 80;

    p.OptionBits = 0;  // "Alzatine" not ticked
    Generate();
    EXPECT_EQ(Contours().size(), 1u);

    p.OptionBits = kOptionSideWalls;
    Generate();
    auto c = Contours();
    ASSERT_EQ(c.size(), 2u);
    ExpectContour(c[1], {{S, 3005, 0}, {L, 3085, 0}, {L, 3085, 600}, {L, 3005, 600}, {L, 3005, 0}}, "own height");

    p.OptionBits = kOptionSideWalls | kOptionGeneralHeight;
    Generate();
    c = Contours();
    ASSERT_EQ(c.size(), 3u);
    ExpectContour(c[1], {{S, 3005, 0}, {L, 3045, 0}, {L, 3045, 600}, {L, 3005, 600}, {L, 3005, 0}}, "general");
    ExpectContour(c[2], {{S, 0, 605}, {L, 3000, 605}, {L, 3000, 645}, {L, 0, 645}, {L, 0, 605}}, "general");
}

TEST_F(Kitchen, SingleGroupFlagOnTheFirstElement) {
    TemplateParams.OptionBits = kOptionSingleGroup;
    Generate();
    auto e = Elements();
    ASSERT_FALSE(e.empty());
    EXPECT_NE(e[0]->Flags & kFlagSingleGroup, 0u);
    for (std::size_t i = 1; i < e.size(); ++i) EXPECT_EQ(e[i]->Flags & kFlagSingleGroup, 0u);

    // Generating directly on a chain whose first element has the bit clears it.
    TemplateParams.OptionBits = 0;
    DisposeAllContainers();
    GenerateKitchenTop(TemplateParams);
    ASSERT_NE(FirstContainerElements(), nullptr);
    FirstContainerElements()->Flags |= kFlagSingleGroup;
    GenerateKitchenTop(TemplateParams);
    EXPECT_EQ(FirstContainerElements()->Flags & kFlagSingleGroup, 0u);
}

}  // namespace
}  // namespace kvd::test
