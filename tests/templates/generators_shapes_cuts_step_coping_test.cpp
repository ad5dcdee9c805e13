// The straight cuts, step and coping generators.
#include <cmath>

#include "generators_shapes_fixture.h"
#include "templates/generators/coping.h"
#include "templates/generators/step.h"
#include "templates/generators/straight_cuts.h"

namespace kvd::test {
namespace {

constexpr unsigned S = ecStart, L = ecLine;

class StraightCuts : public EngineTest {
protected:
    void Generate(int nh, double lh, double dh, int nv, double lv, double dv, bool blade, double k = 0) {
        TemplateParams.CutsHorizontalCount = nh;
        TemplateParams.CutsHorizontalLength = lh;
        TemplateParams.CutsHorizontalPitch = dh;
        TemplateParams.CutsVerticalCount = nv;
        TemplateParams.CutsVerticalLength = lv;
        TemplateParams.CutsVerticalPitch = dv;
        TemplateParams.CutWidth = k;
        if (blade)
            TemplateParams.OptionBits |= kOptionCutThickness;
        else
            TemplateParams.OptionBits &= static_cast<std::uint16_t>(~kOptionCutThickness);
        RegenerateDrawing(TemplateTab::TagliRettilinei);
    }
};

TEST_F(StraightCuts, FamiliesOfOpenCuts) {
    struct Case {
        const char* name;
        int nh;
        double lh, dh;
        int nv;
        double lv, dv;
        bool blade;
        double k;
        std::vector<Pt> want;
    };
    const std::vector<Case> cases = {
        {"horizontal", 3, 1000, 300, 0, 500, 100, false, 4,
         {{S, 0, 0}, {L, 1000, 0}, {S, 0, 300}, {L, 1000, 300}, {S, 0, 600}, {L, 1000, 600}}},
        {"blade added", 3, 1000, 300, 0, 500, 100, true, 4,
         {{S, 0, 0}, {L, 1000, 0}, {S, 0, 304}, {L, 1000, 304}, {S, 0, 608}, {L, 1000, 608}}},
        {"both families, horizontal first", 2, 800, 250, 2, 500, 400, false, 0,
         {{S, 0, 0}, {L, 800, 0}, {S, 0, 250}, {L, 800, 250}, {S, 0, 0}, {L, 0, 500}, {S, 400, 0}, {L, 400, 500}}},
        {"vertical distance zero", 1, 100, 10, 3, 500, 0, false, 0, {{S, 0, 0}, {L, 100, 0}}},
        {"horizontal length zero", 2, 0, 300, 1, 50, 10, false, 0, {{S, 0, 0}, {L, 0, 50}}},
        {"length below the precision", 2, 0.0004, 300, 0, 50, 10, false, 0, {}},
        {"negative count", -3, 100, 10, 0, 0, 0, false, 0, {}},
    };
    for (const auto& c : cases) {
        Generate(c.nh, c.lh, c.dh, c.nv, c.lv, c.dv, c.blade, c.k);
        ExpectElements(c.want, c.name);
        EXPECT_EQ(MarkingIndex, kKindStraightCuts) << c.name;
    }
}

TEST_F(StraightCuts, DamagedCountIsCappedAndLogged) {
    Generate(2000000000, 100, 10, 0, 0, 0, false);
    EXPECT_EQ(Elements().size(), 2u * kMaxCutsPerFamily);
    EXPECT_TRUE(Logged("Tagli rettilinei: 2000000000 horizontal cuts, drawn 10000")) << LogText();
}

class Step : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        StepInnerToolDiameter = 0;
        TemplateParams.StepWidth = 1200;
        TemplateParams.StepHeight = 330;
        TemplateParams.StepTopShoulder = 30;
        TemplateParams.StepBottomShoulder = 40;
        TemplateParams.StepBottomWidth = 100;
    }
    void TearDown() override {
        StepInnerToolDiameter = 0;
        EngineTest::TearDown();
    }
    void Generate(int exit, double tool) {
        TemplateParams.StepSideExit = exit;
        StepInnerToolDiameter = tool;
        RegenerateDrawing(TemplateTab::Scalino);
    }
};

TEST_F(Step, OuterRectangleAndPocketOpenTowardTheSide) {
    struct Case {
        const char* name;
        int exit;
        double tool, right;
    };
    const std::vector<Case> cases = {
        {"nessuna", kStepExitNone, 20, 1200},
        {"raggio", kStepExitRadius, 20, 1210},
        {"diametro", kStepExitDiameter, 20, 1220},
        {"diametro without a tool", kStepExitDiameter, 0, 1200},
        {"unknown exit", 7, 20, 1200},
    };
    for (const auto& c : cases) {
        Generate(c.exit, c.tool);
        ExpectElements({{S, 0, 0},
                        {L, 1200, 0},
                        {L, 1200, 330},
                        {L, 0, 330},
                        {L, 0, 0},
                        {S, c.right, 30},
                        {L, c.right, 290},
                        {L, 100, 290},
                        {L, 100, 30},
                        {L, c.right, 30}},
                       c.name);
        ExpectEveryContourClosed(c.name);
        EXPECT_EQ(MarkingIndex, kKindStep) << c.name;
    }
}

TEST_F(Step, DegenerateSizes) {
    TemplateParams.StepWidth = 0;
    Generate(kStepExitNone, 0);
    EXPECT_TRUE(Elements().empty());

    TemplateParams.StepWidth = 1200;
    TemplateParams.StepTopShoulder = 145;
    TemplateParams.StepBottomShoulder = 185;  // the shoulders fill the height: no pocket
    Generate(kStepExitNone, 0);
    EXPECT_EQ(Contours().size(), 1u);
    EXPECT_EQ(Elements().size(), 5u);
}

class Coping : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        TemplateParams.CopingAxialWidth = 1000;
        TemplateParams.CopingAxialRadius = 1000;
        TemplateParams.CopingLeftWidth = 300;
        TemplateParams.CopingRightWidth = 300;
        TemplateParams.CopingUpperRadius = 1150;
        TemplateParams.CopingLowerRadius = 850;
        for (int type : {kAxialWidthBoxType, kLeftWidthBoxType, kRightWidthBoxType})
            AddDimensionBox(nullptr, nullptr, type);
    }
    void Generate() { RegenerateDrawing(TemplateTab::Copertina); }
};

const Pt kP1{S, -575, -129.904}, kP2{ecArcNeg, 575, -129.904}, kP3{L, 425, 129.904}, kP4{ecArcPos, -425, 129.904},
    kBack{L, -575, -129.904};

TEST_F(Coping, OutlineAlongTheAxisWithItsWidthMarks) {
    Generate();
    ExpectElements({kP1, kP2, kP3, kP4, kBack}, "coping");
    EXPECT_EQ(MarkingIndex, kKindCoping);
    ExpectEveryContourClosed("coping");
    auto e = Elements();
    const ArcCircle outer = CircleOf(e[1]), inner = CircleOf(e[3]);
    EXPECT_NEAR(outer.cx, 0, 0.001);
    EXPECT_NEAR(outer.cy, 866.025, 0.001);
    EXPECT_NEAR(outer.r, 1150, 0.001);
    EXPECT_NEAR(inner.cy, 866.025, 0.001);
    EXPECT_NEAR(inner.r, 850, 0.001);

    const DimensionMark* axial = FindDimensionBox(kAxialWidthBoxType)->mark;
    ASSERT_NE(axial, nullptr);
    EXPECT_FLOAT_EQ(axial->X1, -500);
    EXPECT_FLOAT_EQ(axial->Y1, 0);
    EXPECT_FLOAT_EQ(axial->X2, 500);
    EXPECT_FLOAT_EQ(axial->Y2, 0);
    const DimensionMark* right = FindDimensionBox(kRightWidthBoxType)->mark;
    ASSERT_NE(right, nullptr);
    EXPECT_NEAR(right->X1, 575, 0.001);
    EXPECT_NEAR(right->X2, 425, 0.001);
    const DimensionMark* left = FindDimensionBox(kLeftWidthBoxType)->mark;
    ASSERT_NE(left, nullptr);
    EXPECT_NEAR(left->X1, -425, 0.001);
    EXPECT_NEAR(left->X2, -575, 0.001);
}

TEST_F(Coping, NarrowerRightEnd) {
    TemplateParams.CopingRightWidth = 200;
    Generate();
    auto e = Elements();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_NEAR(SideLength(e[2]), 250, 0.001);  // from 150 outside the axis to 100 inside it
    EXPECT_NEAR(e[1]->X.ToDouble(), -e[0]->X.ToDouble(), 1e-9);
}

TEST_F(Coping, GroovesAlongEverySide) {
    TemplateParams.CopingReinforcementBits = kGrooveTop | kGrooveBottom | kGrooveRight | kGrooveLeft;
    TemplateParams.CopingTopReinforcement = 20;
    TemplateParams.CopingBottomReinforcement = 25;
    TemplateParams.CopingRightReinforcement = 15;
    TemplateParams.CopingLeftReinforcement = 10;
    Generate();
    const auto cs = Contours();
    ASSERT_EQ(cs.size(), 5u);
    for (std::size_t i = 1; i < cs.size(); ++i) {
        ASSERT_EQ(cs[i].size(), 2u) << i;
        EXPECT_EQ(cs[i][0]->Kind, ecStart | kKindGrooveContour) << i;
        EXPECT_EQ(cs[i][1]->Kind & kKindGrooveContour, 0) << i;
    }
    EXPECT_EQ(cs[0][0]->Kind, ecStart);

    // Top: inside the outer arc by its width, its ends moved in by the angle
    // width / (2 sweep radius).
    const ArcCircle top = CircleOf(cs[1][1]);
    EXPECT_EQ(KindCode(cs[1][1]->Kind), ecArcNeg);
    EXPECT_NEAR(top.cy, 866.025, 0.001);
    EXPECT_NEAR(top.r, 1130, 0.001);
    const double delta = 20 / (2 * (M_PI / 3) * 1150);
    const double a0 = std::atan2(cs[1][0]->Y.ToDouble() - 866.0254, cs[1][0]->X.ToDouble());
    EXPECT_NEAR(a0, -2 * M_PI / 3 + delta, 1e-6);
    EXPECT_NEAR(cs[1][1]->X.ToDouble(), -cs[1][0]->X.ToDouble(), 0.001);
    // Bottom: outside the inner arc, toward the piece.
    const ArcCircle bottom = CircleOf(cs[2][1]);
    EXPECT_EQ(KindCode(cs[2][1]->Kind), ecArcPos);
    EXPECT_NEAR(bottom.r, 875, 0.001);
    EXPECT_GT(cs[2][0]->X.ToDouble(), cs[2][1]->X.ToDouble());  // runs as the inner arc, right to left
    // Right: 15 inside the right end and 15 short of both its ends.
    ExpectElements({kP1, kP2, kP3, kP4, kBack, {S, cs[1][0]->X.ToDouble(), cs[1][0]->Y.ToDouble()},
                    {ecArcNeg, cs[1][1]->X.ToDouble(), cs[1][1]->Y.ToDouble()},
                    {S, cs[2][0]->X.ToDouble(), cs[2][0]->Y.ToDouble()},
                    {ecArcPos, cs[2][1]->X.ToDouble(), cs[2][1]->Y.ToDouble()},
                    {S, 554.510, -124.414}, {L, 419.510, 109.414},
                    {S, -421.340, 116.244}, {L, -561.340, -126.244}},
                   "grooves");
}

TEST_F(Coping, GroovesThatCannotBeDrawnAreLeftOut) {
    TemplateParams.CopingReinforcementBits = kGrooveTop | kGrooveBottom;
    TemplateParams.CopingTopReinforcement = 1300;  // the shortened ends would cross
    TemplateParams.CopingBottomReinforcement = 10;
    Generate();
    auto cs = Contours();
    ASSERT_EQ(cs.size(), 2u);
    EXPECT_EQ(KindCode(cs[1][1]->Kind), ecArcPos);  // only the bottom groove
    EXPECT_TRUE(Logged("Copertina: groove \"rinforzo sopra\" longer than its side, not drawn")) << LogText();

    // An outer arc without a chord has no sweep: no top groove.
    TemplateParams.CopingTopReinforcement = 10;
    TemplateParams.CopingLeftWidth = -2000;  // both outer corners on the axis centre
    Generate();
    cs = Contours();
    ASSERT_EQ(cs.size(), 2u);
    EXPECT_EQ(KindCode(cs[1][1]->Kind), ecArcPos);
}

TEST_F(Coping, NoAxisIsAnEmptyDrawing) {
    TemplateParams.CopingAxialWidth = 0;
    Generate();
    EXPECT_TRUE(Elements().empty());
    EXPECT_EQ(DimensionMarkCount(), 0u);
    EXPECT_EQ(MarkingIndex, kKindCoping);
}

}  // namespace
}  // namespace kvd::test
