// The duplication matrix in the regeneration step: plain pitches, pitches
// from the contact position, when the grid does not apply, and the marks
// and order of the copies.
#include "base/contact_distance.h"
#include "engine_fixture.h"
#include "templates/measurements.h"
#include "templates/regeneration.h"

namespace kvd::test {
namespace {

class Matrix : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        TemplateParams.RectWidth = 500;
        TemplateParams.RectHeight = 300;
        TemplateParams.RectFillet = 0;
        TemplateParams.OptionBits |= kOptionMatrixRectangle;
        saved_ = WorkingMatrix;
    }
    void TearDown() override {
        WorkingMatrix = saved_;
        EngineTest::TearDown();
    }
    static void Grid(int columns, int rows, double across, double down, bool fromContactAcross,
                     bool fromContactDown) {
        WorkingMatrix.Columns = columns;
        WorkingMatrix.Rows = rows;
        WorkingMatrix.HorizontalIncrement = across;
        WorkingMatrix.VerticalIncrement = down;
        WorkingMatrix.HorizontalFromContact = fromContactAcross;
        WorkingMatrix.VerticalFromContact = fromContactDown;
    }
    // The start elements of the list, in order.
    static std::vector<const TTempElement*> Starts() {
        std::vector<const TTempElement*> v;
        for (const TTempElement* e : Elements())
            if (KindCode(e->Kind) == ecStart) v.push_back(e);
        return v;
    }
    static void ExpectStartsAt(const std::vector<std::pair<double, double>>& want, const std::string& what) {
        auto got = Starts();
        ASSERT_EQ(got.size(), want.size()) << what;
        for (std::size_t i = 0; i < want.size(); ++i) {
            EXPECT_NEAR(got[i]->X.ToDouble(), want[i].first, 0.001) << what << " copy " << i;
            EXPECT_NEAR(got[i]->Y.ToDouble(), want[i].second, 0.001) << what << " copy " << i;
        }
    }
    MatrixSettings saved_;
};

TEST_F(Matrix, ThreeColumnsAtAPlainPitch) {
    Grid(3, 1, 600, 0, false, false);
    RegenerateDrawing(TemplateTab::Rettangolo);
    ASSERT_TRUE(MatrixApplied);
    ExpectStartsAt({{0, 0}, {600, 0}, {1200, 0}}, "3 x 1 at 600");
    const auto all = Elements();
    ASSERT_EQ(all.size(), 15u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(all[i + 5]->X.ToDouble(), all[i]->X.ToDouble() + 600, 0.001);
        EXPECT_NEAR(all[i + 10]->X.ToDouble(), all[i]->X.ToDouble() + 1200, 0.001);
        EXPECT_EQ(all[i + 10]->Y.ToDouble(), all[i]->Y.ToDouble());
    }
    // The copies' start elements carry the mark, the source's does not.
    EXPECT_EQ(all[0]->Flags & kFlagMatrixCopy, 0u);
    EXPECT_NE(all[5]->Flags & kFlagMatrixCopy, 0u);
    EXPECT_EQ(all[6]->Flags & kFlagMatrixCopy, 0u) << "lines are not marked";
    EXPECT_EQ(MatrixButtonCaption(), "3x1");
    const auto caption = MeasurementCaption(MeasureDrawing(FirstContainerElements(), TemplateTab::Rettangolo,
                                                           TemplateParams),
                                            true, MatrixPieceCount(), MatrixTooLarge);
    EXPECT_EQ(caption.rfind("{3 pcs} x {", 0), 0u) << caption;
}

TEST_F(Matrix, FromTheContactPosition) {
    struct Case {
        const char* name;
        double fillet;
        double across, down;
        double hContact, vContact;
        std::vector<std::pair<double, double>> starts;  // column by column, each row upwards (smaller Y)
    };
    const std::vector<Case> cases = {
        {"touching", 0, 0, 0, 500, 300, {{0, 0}, {0, -300}, {500, 0}, {500, -300}}},
        {"with gaps", 0, 20, 10, 500, 300, {{0, 0}, {0, -310}, {520, 0}, {520, -310}}},
        {"negative increments", 0, -100, -50, -500, -300, {{0, 0}, {0, 350}, {-600, 0}, {-600, 350}}},
        // Filleted corners: the straight sides still touch over their length;
        // the outline starts half-way up its right side.
        {"fillets", 40, 0, 0, 500, 300, {{500, 150}, {500, -150}, {1000, 150}, {1000, -150}}},
    };
    for (const Case& c : cases) {
        TemplateParams.RectFillet = c.fillet;
        Grid(2, 2, c.across, c.down, true, true);
        RegenerateDrawing(TemplateTab::Rettangolo);
        ASSERT_TRUE(MatrixApplied) << c.name;
        EXPECT_NEAR(HorizontalContactDistance.ToDouble(), c.hContact, 1e-6) << c.name;
        EXPECT_NEAR(VerticalContactDistance.ToDouble(), c.vContact, 1e-6) << c.name;
        ExpectStartsAt(c.starts, c.name);
        EXPECT_TRUE(EngineSelection().Empty()) << c.name;
    }
}

TEST_F(Matrix, WhenTheGridDoesNotApply) {
    struct Case {
        const char* name;
        int columns, rows;
        double across, down;
        bool contact;
        bool ticked;
    };
    const std::vector<Case> cases = {
        {"5 x 5 without increments or contact", 5, 5, 0, 0, false, true},
        {"1 x 1 with increments", 1, 1, 600, 400, true, true},
        {"increment only along the single row", 3, 1, 0, 400, false, true},
        {"\"Matrice\" not ticked", 3, 3, 600, 400, true, false},
    };
    for (const Case& c : cases) {
        Grid(c.columns, c.rows, c.across, c.down, c.contact, c.contact);
        if (!c.ticked) TemplateParams.OptionBits &= static_cast<std::uint16_t>(~kOptionMatrixRectangle);
        RegenerateDrawing(TemplateTab::Rettangolo);
        EXPECT_FALSE(MatrixApplied) << c.name;
        EXPECT_EQ(Starts().size(), 1u) << c.name;
        TemplateParams.OptionBits |= kOptionMatrixRectangle;
    }
    Grid(5, 5, 0, 0, false, false);
    EXPECT_EQ(MatrixButtonCaption(), "5x5");
}

// No repetition in a direction whose count is below 1, as with 1.
TEST_F(Matrix, ACountBelowOneRepeatsNothingThatWay) {
    Grid(3, 0, 600, 400, false, false);
    RegenerateDrawing(TemplateTab::Rettangolo);
    ASSERT_TRUE(MatrixApplied);
    ExpectStartsAt({{0, 0}, {600, 0}, {1200, 0}}, "3 x 0");
    EXPECT_EQ(MatrixPieceCount(), 3);
    Grid(-2, 2, 600, 400, false, false);
    RegenerateDrawing(TemplateTab::Rettangolo);
    ExpectStartsAt({{0, 0}, {0, -400}}, "-2 x 2");
}

TEST_F(Matrix, AGridTooLargeForTheDrawingIsRefused) {
    Grid(2000, 2000, 600, 400, false, false);
    RegenerateDrawing(TemplateTab::Rettangolo);
    EXPECT_FALSE(MatrixApplied);
    EXPECT_TRUE(MatrixTooLarge);
    EXPECT_EQ(Elements().size(), 5u);
    EXPECT_NE(LogText().find("2000x2000 copies of 5 elements would exceed"), std::string::npos) << LogText();
    const auto caption = MeasurementCaption(MeasureDrawing(FirstContainerElements(), TemplateTab::Rettangolo,
                                                           TemplateParams),
                                            true, MatrixPieceCount(), MatrixTooLarge);
    EXPECT_EQ(caption.rfind("{4000000 pcs: too many, 1 drawn} x {", 0), 0u) << caption;
    Grid(3, 1, 600, 0, false, false);
    RegenerateDrawing(TemplateTab::Rettangolo);
    EXPECT_FALSE(MatrixTooLarge);
}

// Outlines drawn into the first container directly, copied from the contact
// position both ways: the copies touch their neighbours and never overlap.
TEST_F(Matrix, ConcaveOutlinesTouchWithoutOverlapping) {
    struct Case {
        const char* name;
        std::vector<std::pair<double, double>> outline;
        double pitchX, pitchY;
    };
    const std::vector<Case> cases = {
        {"L", {{0, 0}, {500, 0}, {500, 100}, {100, 100}, {100, 400}, {0, 400}}, 500, 400},
        // The box is 500 wide; copies slide in under the upper bar.
        {"Z", {{0, 0}, {300, 0}, {300, 100}, {500, 100}, {500, 200}, {200, 200}, {200, 100}, {0, 100}}, 300, 200},
    };
    for (const Case& c : cases) {
        DisposeAllContainers();
        for (std::size_t i = 0; i <= c.outline.size(); ++i) {
            const auto& p = c.outline[i % c.outline.size()];
            ClearCurrentElement();
            CurrentElement.Kind = i == 0 ? ecStart : ecLine;
            CurrentElement.X = p.first;
            CurrentElement.Y = p.second;
            AddShapeElement();
        }
        Grid(2, 2, 0, 0, true, true);
        ASSERT_TRUE(PrepareMatrix()) << c.name;
        EXPECT_NEAR(HorizontalContactDistance.ToDouble(), c.pitchX, 1e-6) << c.name;
        EXPECT_NEAR(VerticalContactDistance.ToDouble(), c.pitchY, 1e-6) << c.name;
        DuplicateMatrix();
        ExpectStartsAt({{0, 0}, {0, -c.pitchY}, {c.pitchX, 0}, {c.pitchX, -c.pitchY}}, c.name);

        // A point strictly inside two of the four outlines would be an
        // overlap; a grid of points finer than any edge finds one.
        auto inside = [](const std::vector<std::pair<double, double>>& poly, double dx, double dy, double x,
                         double y) {
            bool in = false;
            for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
                const double xi = poly[i].first + dx, yi = poly[i].second + dy;
                const double xj = poly[j].first + dx, yj = poly[j].second + dy;
                if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
            }
            return in;
        };
        const std::pair<double, double> offsets[] = {{0, 0}, {0, -c.pitchY}, {c.pitchX, 0}, {c.pitchX, -c.pitchY}};
        int overlaps = 0;
        for (double x = -995.5; x < 1200; x += 9)
            for (double y = -895.5; y < 900; y += 9) {
                int n = 0;
                for (const auto& o : offsets) n += inside(c.outline, o.first, o.second, x, y);
                overlaps += n > 1;
            }
        EXPECT_EQ(overlaps, 0) << c.name;
    }
}

}  // namespace
}  // namespace kvd::test
