// The rectangle generator and the generators' output path.
#include <cmath>

#include "engine_fixture.h"
#include "templates/generator_dispatch.h"
#include "templates/generators/rectangle.h"
#include "templates/regeneration.h"

namespace kvd::test {
namespace {

struct Pt {
    unsigned code;
    double x, y;
};

void ExpectElements(const std::vector<Pt>& want, const std::string& what) {
    auto got = EngineTest::Elements();
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(KindCode(got[i]->Kind), want[i].code) << what << " element " << i;
        EXPECT_NEAR(got[i]->X.ToDouble(), want[i].x, 0.001) << what << " element " << i;
        EXPECT_NEAR(got[i]->Y.ToDouble(), want[i].y, 0.001) << what << " element " << i;
    }
}

class Rectangle : public EngineTest {
protected:
    void Generate(double w, double h, double r, bool chamfer) {
        DisposeAllContainers();
        TemplateParams.RectWidth = w;
        TemplateParams.RectHeight = h;
        TemplateParams.RectFillet = r;
        if (chamfer)
            TemplateParams.OptionBits |= kOptionChamfer;
        else
            TemplateParams.OptionBits &= static_cast<std::uint16_t>(~kOptionChamfer);
        RegenerateDrawing(TemplateTab::Rettangolo);
    }
};

TEST_F(Rectangle, OutlinesOfEveryCornerKind) {
    constexpr unsigned S = ecStart, L = ecLine, N = ecArcNeg, P = ecArcPos;
    struct Case {
        const char* name;
        double w, h, r;
        bool chamfer;
        std::vector<Pt> want;
    };
    const std::vector<Case> cases = {
        {"sharp", 100, 50, 0, false, {{S, 0, 0}, {L, 100, 0}, {L, 100, 50}, {L, 0, 50}, {L, 0, 0}}},
        {"fillet", 100, 50, 10, false,
         {{S, 100, 25}, {L, 100, 40}, {N, 90, 50}, {L, 10, 50}, {N, 0, 40}, {L, 0, 10}, {N, 10, 0}, {L, 90, 0},
          {N, 100, 10}, {L, 100, 25}}},
        {"notch", 100, 50, -10, false,
         {{S, 100, 25}, {L, 100, 40}, {P, 90, 50}, {L, 10, 50}, {P, 0, 40}, {L, 0, 10}, {P, 10, 0}, {L, 90, 0},
          {P, 100, 10}, {L, 100, 25}}},
        {"chamfer", 100, 50, 10, true,
         {{S, 100, 25}, {L, 100, 40}, {L, 90, 50}, {L, 10, 50}, {L, 0, 40}, {L, 0, 10}, {L, 10, 0}, {L, 90, 0},
          {L, 100, 10}, {L, 100, 25}}},
        {"mirrored", -100, 50, 10, false,
         {{S, -100, 25}, {L, -100, 40}, {P, -90, 50}, {L, -10, 50}, {P, 0, 40}, {L, 0, 10}, {P, -10, 0},
          {L, -90, 0}, {P, -100, 10}, {L, -100, 25}}},
        {"below the precision", 0.0004, 50, 0, false, {}},
        {"zero height", 100, 0, 10, false, {}},
    };
    for (const auto& c : cases) {
        Generate(c.w, c.h, c.r, c.chamfer);
        ExpectElements(c.want, c.name);
        EXPECT_EQ(MarkingIndex, kKindRectangle) << c.name;
    }
}

TEST_F(Rectangle, FilletArcsAreQuarterCirclesAboutTheInsetCentres) {
    Generate(100, 50, 10, false);
    auto e = Elements();
    ASSERT_EQ(e.size(), 10u);
    // Bulge of a quarter circle: tan(pi / 8), turning from +X towards +Y.
    EXPECT_NEAR(std::fabs(e[2]->Bulge.ToDouble()), std::tan(M_PI / 8), 1e-9);
    EXPECT_NEAR(static_cast<double>(FirstContourArea(FirstContainerElements())), 5000 - (4 - M_PI) * 100, 1e-3);
    EXPECT_NEAR(static_cast<double>(ListPerimeter(FirstContainerElements())), 2 * 80 + 2 * 30 + 2 * M_PI * 10, 1e-3);
}

TEST_F(Rectangle, MirroredRadiusIsUsedOnlyForTheGeneration) {
    Generate(-100, 50, 10, false);
    const auto first = Elements();
    std::vector<Pt> again;
    for (auto* e : first) again.push_back({KindCode(e->Kind), e->X.ToDouble(), e->Y.ToDouble()});
    RegenerateDrawing(TemplateTab::Rettangolo);
    ExpectElements(again, "regenerated");
    EXPECT_EQ(TemplateParams.RectFillet.ToDouble(), 10.0);
}

TEST_F(Rectangle, HolesFromTheirReferenceCorners) {
    TemplateParams.CircularHoleCount = 2;
    TemplateParams.CircularHoleDiameter = 20;
    TemplateParams.CircularHoles[0] = {};
    TemplateParams.CircularHoles[0].Corner = 0;  // btm-lf
    TemplateParams.CircularHoles[0].X = 10;
    TemplateParams.CircularHoles[0].Y = 10;
    TemplateParams.CircularHoles[1] = {};
    TemplateParams.CircularHoles[1].Corner = 3;  // top-rt
    TemplateParams.CircularHoles[1].X = 10;
    TemplateParams.CircularHoles[1].Y = 10;
    Generate(100, 50, 0, false);
    auto e = Elements();
    ASSERT_EQ(e.size(), 5u + 6u);
    const std::vector<Pt> holes = {{ecStart, 0, 40},  {ecArcNeg, 20, 40}, {ecArcNeg, 0, 40},
                                   {ecStart, 80, 10}, {ecArcNeg, 100, 10}, {ecArcNeg, 80, 10}};
    for (std::size_t i = 0; i < holes.size(); ++i) {
        const TTempElement* h = e[5 + i];
        EXPECT_EQ(KindCode(h->Kind), holes[i].code) << i;
        EXPECT_NEAR(h->X.ToDouble(), holes[i].x, 0.001) << i;
        EXPECT_NEAR(h->Y.ToDouble(), holes[i].y, 0.001) << i;
        if (KindCode(h->Kind) == ecArcNeg) {
            EXPECT_EQ(h->Bulge.ToDouble(), 1.0);
        }
    }
    // The holes do not change the area of the first contour.
    EXPECT_NEAR(static_cast<double>(FirstContourArea(FirstContainerElements())), 5000, 1e-6);
}

TEST_F(Rectangle, HoleWithoutDiameterIsALonePointAndTheCountIsKeptToTheTable) {
    TemplateParams.CircularHoleCount = 1000;  // a damaged settings file
    TemplateParams.CircularHoleDiameter = 0;
    Generate(100, 50, 0, false);
    auto e = Elements();
    ASSERT_EQ(e.size(), 5u + 8u);
    for (std::size_t i = 5; i < e.size(); ++i) EXPECT_EQ(KindCode(e[i]->Kind), ecStart);
}

TEST_F(EngineTest, AddShapeElementDropsSegmentsOfZeroLengthAtThePrecision) {
    CurrentElement.Kind = ecStart;
    ASSERT_NE(AddShapeElement(), nullptr);
    CurrentElement.Kind = ecLine;
    CurrentElement.X = 10;
    ASSERT_NE(AddShapeElement(), nullptr);
    CurrentElement.X = 10.0004;  // rounds to 0 at 3 decimals
    EXPECT_EQ(AddShapeElement(), nullptr);
    CurrentElement.Kind = ecStart;  // a start is appended whatever its place
    EXPECT_NE(AddShapeElement(), nullptr);
    CurrentElement.Kind = ecLine;
    CurrentElement.X = 10.002;
    EXPECT_NE(AddShapeElement(), nullptr);
    EXPECT_EQ(Elements().size(), 4u);

    NumberFormat.Decimals = 2;
    SetPrecisionFactors();
    CurrentElement.X = 10.006;  // 0.004 from the tail: nothing at 2 decimals
    EXPECT_EQ(AddShapeElement(), nullptr);
}

TEST_F(EngineTest, RegenerationOfATabWithoutGeneratorLeavesAnEmptyChain) {
    TemplateParams.RectWidth = 100;
    RegenerateDrawing(TemplateTab::Rettangolo);
    ASSERT_NE(FirstContainerElements(), nullptr);
    EXPECT_FALSE(GeneratorBuilt(TemplateTab::Lapide));
    RegenerateDrawing(TemplateTab::Lapide);
    EXPECT_EQ(FirstContainerElements(), nullptr);
    EXPECT_EQ(MarkingIndex, -1);
}

TEST_F(EngineTest, StraightCutsTabSetsBit9OfTheHostOptionWordAndOthersClearIt) {
    Host.SetU32(kHostOptionWordId, 1u << 8);
    RegenerateDrawing(TemplateTab::TagliRettilinei);
    EXPECT_EQ(Host.U32(kHostOptionWordId), (1u << 8) | kHostOptionStraightCuts);
    RegenerateDrawing(TemplateTab::Rettangolo);
    EXPECT_EQ(Host.U32(kHostOptionWordId), 1u << 8);
}

TEST_F(EngineTest, RegenerationClearsTheCopyMarkOfTheFirstElementAndTheMatrixFlag) {
    MatrixApplied = true;
    TemplateParams.OptionBits |= kOptionMatrixRectangle;
    RegenerateDrawing(TemplateTab::Rettangolo);
    EXPECT_FALSE(MatrixApplied);  // the grid is not built yet
    EXPECT_EQ(FirstContainerElements()->Flags & kFlagMatrixCopy, 0u);
    WorkingMatrix.Columns = 3;
    WorkingMatrix.Rows = 2;
    EXPECT_EQ(MatrixButtonCaption(), "3x2");
}

}  // namespace
}  // namespace kvd::test
