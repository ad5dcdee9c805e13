// The regular and irregular polygon generators.
#include <cmath>

#include "generators_shapes_fixture.h"
#include "templates/generators/irregular_polygon.h"
#include "templates/generators/regular_polygon.h"

namespace kvd::test {
namespace {

constexpr unsigned S = ecStart, L = ecLine, N = ecArcNeg;

class RegularPolygon : public EngineTest {
protected:
    void Generate(unsigned n, double s, double r, double a) {
        TemplateParams.PolygonSides = static_cast<std::uint16_t>(n);
        TemplateParams.PolygonSide = s;
        TemplateParams.PolygonFillet = r;
        TemplateParams.PolygonRotation = a;
        RegenerateDrawing(TemplateTab::Regolare);
    }
};

TEST_F(RegularPolygon, SharpCornersAndEmptyInputs) {
    struct Case {
        const char* name;
        unsigned n;
        double s, a;
        std::vector<Pt> want;
    };
    const std::vector<Case> cases = {
        {"triangle", 3, 100, 0, {{S, 57.735, 0}, {L, -28.868, 50}, {L, -28.868, -50}, {L, 57.735, 0}}},
        {"square at 45 degrees", 4, 100, 45, {{S, 50, 50}, {L, -50, 50}, {L, -50, -50}, {L, 50, -50}, {L, 50, 50}}},
        {"two sides", 2, 100, 0, {}},
        {"no side", 6, 0, 0, {}},
        {"negative side", 6, -10, 0, {}},
    };
    for (const auto& c : cases) {
        Generate(c.n, c.s, 0, c.a);
        ExpectElements(c.want, c.name);
        EXPECT_EQ(MarkingIndex, kKindRegular) << c.name;
    }
}

TEST_F(RegularPolygon, FilletsAreArcsAboutCentresTowardTheMiddle) {
    Generate(4, 100, 10, 0);
    auto e = Elements();
    ASSERT_EQ(e.size(), 9u);
    EXPECT_EQ(KindCode(e[0]->Kind), S);
    const double R = 50 * std::sqrt(2.0);
    for (std::size_t i = 1; i < e.size(); i += 2) {
        EXPECT_EQ(KindCode(e[i]->Kind), N) << i;
        EXPECT_EQ(KindCode(e[i + 1]->Kind), L) << i;
        const ArcCircle c = CircleOf(e[i]);
        ASSERT_TRUE(c.ok) << i;
        EXPECT_NEAR(c.r, 10, 0.001) << i;
        // 10 / cos 45 from its vertex, on the line to the origin.
        EXPECT_NEAR(std::hypot(c.cx, c.cy), R - 14.142, 0.001) << i;
        EXPECT_NEAR(std::fabs(e[i]->Bulge.ToDouble()), std::tan(M_PI / 8), 1e-9) << i;  // a quarter circle
        EXPECT_NEAR(SideLength(e[i + 1]), 80, 0.001) << i;
    }
    // The first fillet rounds the second vertex (0, R); its first tangent
    // point lies 10 from it on the side from the first vertex.
    EXPECT_NEAR(e[0]->X.ToDouble(), 7.071, 1e-3);
    EXPECT_NEAR(e[0]->Y.ToDouble(), R - 7.071, 1e-3);
    ExpectEveryContourClosed("filleted square");
    EXPECT_NEAR(static_cast<double>(FirstContourArea(FirstContainerElements())), 10000 - (4 - M_PI) * 100, 1e-2);
}

TEST_F(RegularPolygon, FilletBelowThePrecisionKeepsTheLines) {
    Generate(4, 100, 0.0003, 30);
    auto e = Elements();
    ASSERT_EQ(e.size(), 5u);
    for (std::size_t i = 1; i < e.size(); ++i) EXPECT_EQ(KindCode(e[i]->Kind), L) << i;
    ExpectEveryContourClosed("tiny fillet");
}

TEST_F(RegularPolygon, OversizedFilletStillGivesTheWholeSelfCrossingOutline) {
    Generate(4, 100, 80, 0);  // t = 80 > s / 2
    EXPECT_EQ(Elements().size(), 9u);
    ExpectEveryContourClosed("oversized fillet");
}

TEST_F(RegularPolygon, ManySidesRotatedStayClosed) {
    Generate(7, 33.3, 4, 17);
    EXPECT_EQ(Elements().size(), 15u);
    ExpectEveryContourClosed("heptagon");
}

class IrregularPolygonTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        IrregularPolygon = IrregularPolygonState{};
    }
    void Generate(int kind, double T, double Lft, double R, double B, double D = 500, double A = 0,
                  IrregularTrigger trigger = IrregularTrigger::kOtherChange) {
        QuadrilateralSet& s = WorkingQuadSets[kind];
        s.Slot[kSlotTop] = T;
        s.Slot[kSlotLeft] = Lft;
        s.Slot[kSlotRight] = R;
        s.Slot[kSlotBottom] = B;
        s.Slot[kSlotDiagonal] = D;
        s.Slot[kSlotAlignment] = A;
        Regenerate(kind, trigger);
    }
    void Regenerate(int kind, IrregularTrigger trigger = IrregularTrigger::kOtherChange) {
        IrregularPolygon.kind = kind;
        IrregularPolygon.trigger = trigger;
        RegenerateDrawing(TemplateTab::Irregolare);
    }
    // Side lengths of the first contour, in order.
    static std::vector<double> Sides() {
        std::vector<double> v;
        auto e = Elements();
        for (std::size_t i = 1; i < e.size(); ++i) v.push_back(SideLength(e[i]));
        return v;
    }
};

TEST_F(IrregularPolygonTest, OutlinesOfTheKinds) {
    struct Case {
        const char* name;
        int kind;
        double T, L, R, B;
        std::vector<Pt> want;
    };
    const std::vector<Case> cases = {
        {"two right angles", 2, 100, 50, 30, 0, {{S, 0, 0}, {L, 100, 0}, {L, 100, 30}, {L, 0, 50}, {L, 0, 0}}},
        {"three right angles", 3, 100, 50, 30, 60,
         {{S, 0, 0}, {L, 100, 0}, {L, 100, 30}, {L, 60, 50}, {L, 0, 50}, {L, 0, 0}}},
        {"triangle 3-4-5", 4, 0, 3, 4, 5, {{S, 0, 0}, {L, 1.8, -2.4}, {L, 5, 0}, {L, 0, 0}}},
        {"obtuse triangle", 4, 0, 3, 7, 5, {{S, 0, 0}, {L, -1.5, -2.598}, {L, 5, 0}, {L, 0, 0}}},
        {"flat triangle", 4, 0, 2, 3, 5, {{S, 0, 0}, {L, 2, 0}, {L, 5, 0}, {L, 0, 0}}},
        {"no triangle", 4, 0, 1, 1, 3, {}},
        {"two right angles without a side", 2, 100, 0, 30, 0, {}},
        {"three right angles without the lower side", 3, 100, 50, 30, 0, {}},
    };
    for (const auto& c : cases) {
        Generate(c.kind, c.T, c.L, c.R, c.B);
        ExpectElements(c.want, c.name);
        EXPECT_EQ(MarkingIndex, kKindIrregular) << c.name;
    }
}

TEST_F(IrregularPolygonTest, FourSidesKeepTheirLengthsWhateverTheAnglesAtTheDiagonal) {
    struct Case {
        const char* name;
        double T, L, R, B, D;
    };
    const std::vector<Case> cases = {
        {"rhombus", 400, 400, 400, 400, 500},
        {"obtuse at the origin", 100, 100, 200, 100, 150},   // R^2 > T^2 + D^2
        {"obtuse at the far end", 300, 250, 120, 60, 200},   // L^2 > B^2 + D^2
        {"right angle at the origin", 300, 200, 500, 300, 400},
    };
    for (const auto& c : cases) {
        Generate(kQuadFourSides, c.T, c.L, c.R, c.B, c.D);
        const auto s = Sides();
        ASSERT_EQ(s.size(), 4u) << c.name;
        EXPECT_NEAR(s[0], c.T, 0.001) << c.name;
        EXPECT_NEAR(s[1], c.R, 0.001) << c.name;
        EXPECT_NEAR(s[2], c.B, 0.001) << c.name;
        EXPECT_NEAR(s[3], c.L, 0.001) << c.name;
        auto e = Elements();
        EXPECT_NEAR(std::hypot(e[2]->X.ToDouble(), e[2]->Y.ToDouble()), c.D, 0.001) << c.name;  // the diagonal
        ExpectEveryContourClosed(c.name);
    }
}

TEST_F(IrregularPolygonTest, FourSidesWithoutAFigureAreEmpty) {
    Generate(kQuadFourSides, 100, 100, 100, 100, 250);  // diagonal longer than T + R
    EXPECT_TRUE(Elements().empty());
    Generate(kQuadFourSides, 100, 100, 100, 10, 150);  // B + L shorter than the diagonal
    EXPECT_TRUE(Elements().empty());
}

TEST_F(IrregularPolygonTest, DiagonalAndAlignmentTravelBothWays) {
    // Typing the diagonal shows the alignment: the x of the lower left corner.
    Generate(kQuadFourSides, 400, 400, 400, 400, 500, 0, IrregularTrigger::kDiagonalEdit);
    const IrregularShownValues shown = IrregularPolygon.shown;
    EXPECT_TRUE(shown.alignment);
    EXPECT_FALSE(shown.diagonal);
    EXPECT_NEAR(shown.alignmentValue, -87.5, 1e-6);
    EXPECT_NEAR(WorkingQuadSets[0].Slot[kSlotAlignment], -87.5, 1e-6);
    EXPECT_NEAR(Elements()[3]->X.ToDouble(), -87.5, 0.001);
    EXPECT_EQ(IrregularPolygon.trigger, IrregularTrigger::kOtherChange);  // consumed

    // Typing that alignment back gives the same diagonal and drawing.
    WorkingQuadSets[0].Slot[kSlotDiagonal] = 1;
    Regenerate(kQuadFourSides, IrregularTrigger::kAlignmentEdit);
    EXPECT_TRUE(IrregularPolygon.shown.diagonal);
    EXPECT_NEAR(IrregularPolygon.shown.diagonalValue, 500, 1e-6);
    EXPECT_NEAR(WorkingQuadSets[0].Slot[kSlotDiagonal], 500, 1e-6);
    EXPECT_NEAR(Elements()[3]->X.ToDouble(), -87.5, 0.001);

    // A later regeneration for another reason shows nothing.
    Regenerate(kQuadFourSides);
    EXPECT_FALSE(IrregularPolygon.shown.diagonal || IrregularPolygon.shown.alignment || IrregularPolygon.shown.top);
}

TEST_F(IrregularPolygonTest, AlignmentLongerThanTheLeftSideKeepsTheDiagonal) {
    Generate(kQuadFourSides, 400, 400, 400, 400, 500, -500, IrregularTrigger::kAlignmentEdit);
    EXPECT_EQ(WorkingQuadSets[0].Slot[kSlotDiagonal], 500);
    EXPECT_FALSE(std::isnan(WorkingQuadSets[0].Slot[kSlotDiagonal]));
    EXPECT_NE(LogText().find("longer than the left side"), std::string::npos) << LogText();
    EXPECT_EQ(Elements().size(), 5u);  // drawn with the diagonal it had
}

TEST_F(IrregularPolygonTest, OneRightAngleStoresTheDiagonalAndKeepsTheSides) {
    Generate(kQuadOneRightAngle, 300, 400, 400, 300, 1);
    EXPECT_NEAR(WorkingQuadSets[1].Slot[kSlotDiagonal], 500, 1e-9);
    const auto s = Sides();
    ASSERT_EQ(s.size(), 4u);
    EXPECT_NEAR(s[0], 300, 0.001);
    EXPECT_NEAR(s[1], 400, 0.001);
    EXPECT_NEAR(s[2], 300, 0.001);
    EXPECT_NEAR(s[3], 400, 0.001);
    auto e = Elements();
    EXPECT_NEAR(e[3]->X.ToDouble(), 0, 0.001);  // P4 = (0, L)
    EXPECT_NEAR(e[3]->Y.ToDouble(), 400, 0.001);
    // A lower side that cannot reach: empty.
    Generate(kQuadOneRightAngle, 300, 400, 50, 50, 1);
    EXPECT_TRUE(Elements().empty());
}

class SkewTrapezoid : public IrregularPolygonTest {
protected:
    void SetUp() override {
        IrregularPolygonTest::SetUp();
        AddDimensionBox(nullptr, nullptr, kAlignmentBoxType);
        AddDimensionBox(nullptr, nullptr, kDiagonalBoxType);
    }
};

TEST_F(SkewTrapezoid, SymmetricExampleAndTheValuesShown) {
    Generate(kQuadSkewTrapezoid, 0, 50, 50, 100, 10, 10);
    ExpectElements({{S, 0, 0}, {L, 120, 0}, {L, 110, 48.990}, {L, 10, 48.990}, {L, 0, 0}}, "symmetric");
    EXPECT_NEAR(WorkingQuadSets[5].Slot[kSlotTop], 120, 1e-9);
    const IrregularShownValues& s = IrregularPolygon.shown;
    EXPECT_TRUE(s.top && s.diagonal && s.alignment);
    EXPECT_NEAR(s.topValue, 120, 1e-9);
    EXPECT_EQ(s.diagonalValue, 10);
    EXPECT_EQ(s.alignmentValue, 10);
}

TEST_F(SkewTrapezoid, UnequalHeightsKeepEverySideItsLength) {
    Generate(kQuadSkewTrapezoid, 0, 50, 30, 100, 10, 10);
    const auto s = Sides();
    ASSERT_EQ(s.size(), 4u);
    EXPECT_NEAR(s[0], WorkingQuadSets[5].Slot[kSlotTop], 0.001);  // the top side, as stored
    EXPECT_NEAR(s[1], 30, 0.001);
    EXPECT_NEAR(s[2], 100, 0.001);
    EXPECT_NEAR(s[3], 50, 0.001);
    auto e = Elements();
    EXPECT_NEAR(e[3]->Y.ToDouble(), e[2]->Y.ToDouble(), 1e-9);  // the lower side runs along x
    EXPECT_NEAR(e[1]->X.ToDouble() - e[2]->X.ToDouble(), 10, 0.001);  // right offset
    EXPECT_NEAR(e[3]->X.ToDouble(), 10, 0.001);                      // left offset
    // The right side higher than the left one.
    Generate(kQuadSkewTrapezoid, 0, 30, 50, 100, 10, 10);
    const auto t = Sides();
    EXPECT_NEAR(t[1], 50, 0.001);
    EXPECT_NEAR(t[2], 100, 0.001);
    EXPECT_NEAR(t[3], 30, 0.001);
}

TEST_F(SkewTrapezoid, OffsetBoxesGetTheirElementsAndMarks) {
    Generate(kQuadSkewTrapezoid, 0, 50, 50, 100, 10, 10);
    auto e = Elements();
    ASSERT_EQ(e.size(), 5u);
    DimensionBox* alignment = FindDimensionBox(kAlignmentBoxType);
    DimensionBox* diagonal = FindDimensionBox(kDiagonalBoxType);
    EXPECT_EQ(alignment->element, e[2]);  // after the line to the lower right corner
    EXPECT_EQ(diagonal->element, e[3]);   // after the line to the lower left corner
    ASSERT_NE(alignment->mark, nullptr);
    EXPECT_NEAR(alignment->mark->X1, 120, 0.001);
    EXPECT_NEAR(alignment->mark->X2, 110, 0.001);
    ASSERT_NE(diagonal->mark, nullptr);
    EXPECT_NEAR(diagonal->mark->X2, 10, 0.001);
    EXPECT_EQ(DimensionMarkCount(), 2u);
    // Another kind leaves the boxes without elements.
    Generate(kQuadTwoRightAngles, 100, 50, 30, 0);
    EXPECT_EQ(FindDimensionBox(kAlignmentBoxType)->element, nullptr);
    EXPECT_EQ(DimensionMarkCount(), 0u);
}

TEST_F(SkewTrapezoid, OffsetLongerThanItsSideIsStillDrawn) {
    Generate(kQuadSkewTrapezoid, 0, 50, 50, 100, 60, 10);  // R^2 - D^2 < 0
    ExpectElements({{S, 0, 0}, {L, 170, 0}, {L, 40, 50}, {L, 10, 50}, {L, 0, 0}}, "offset too long");
    EXPECT_EQ(WorkingQuadSets[5].Slot[kSlotTop], 100);
}

TEST_F(IrregularPolygonTest, UnknownKindIsEmptyAndLogged) {
    Regenerate(9);
    EXPECT_TRUE(Elements().empty());
    EXPECT_TRUE(Logged("Irregolare: unknown polygon kind 9, nothing drawn")) << LogText();
}

}  // namespace
}  // namespace kvd::test
