// Parameter editing of the templates form, on a form shown without a modal
// run: values typed into the edits, what the record holds afterwards, what
// the other controls show, and when regenerations run.
#include <fstream>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "templates/dialog_fixture.h"
#include "templates/form_poligono.h"
#include "templates/parameter_editing_slots.h"
#include "templates/parameter_editing_text.h"
#include "templates/regeneration.h"
#include "ui/controls.h"

namespace kvd::test {
namespace {

using templates::SlotOfEdit;

class EditingTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        clock_ = std::make_unique<ui::ScopedManualClock>();
    }
    void TearDown() override {
        if (form_) {
            form_->Hide();
            form_->Free();
        }
        clock_.reset();
        Host = HostSettings{};
        DialogTest::TearDown();
    }
    TPoligono& Open() {
        Host = host_;
        form_ = &ui::App().CreateForm<TPoligono>();
        form_->Show();
        clock_->Advance(600);  // the first regeneration
        return *form_;
    }
    ui::Edit& E(const char* name) { return form_->Get<ui::Edit>(name); }
    std::unique_ptr<ui::ScopedManualClock> clock_;
    TPoligono* form_ = nullptr;
};

TEST_F(EditingTest, CircumradiusOfAHexagonSetsSideAndInradius) {
    Open();
    ASSERT_EQ(TemplateParams.PolygonSides, 6);
    E("Edit3").SetText("350");
    EXPECT_NEAR(TemplateParams.PolygonSide.ToDouble(), 350, 1e-6);
    EXPECT_EQ(E("Edit2").Text(), "350");
    EXPECT_EQ(E("Edit3").Text(), "350") << "the typed text stays";
    EXPECT_EQ(E("Edit4").Text(), "303.109");
    E("Edit4").SetText("100");
    EXPECT_NEAR(TemplateParams.PolygonSide.ToDouble(), 2 * 100 * std::tan(kPi / 6), 1e-6);
    EXPECT_EQ(E("Edit3").Text(), "115.47");
}

TEST_F(EditingTest, TwoSidesGiveASideOfZero) {
    Open();
    E("Edit1").SetText("2");
    E("Edit3").SetText("300");
    EXPECT_EQ(TemplateParams.PolygonSide.ToDouble(), 0);
    E("Edit2").SetText("50");
    E("Edit4").SetText("80");
    EXPECT_EQ(TemplateParams.PolygonSide.ToDouble(), 0);
    EXPECT_EQ(E("Edit2").Text(), "0.0");
}

TEST_F(EditingTest, ItemCountsAreLimitedAndRefillTheirRadioGroup) {
    Open();
    E("Edit24").SetText("5");
    EXPECT_EQ(TemplateParams.KitchenHoleCount, 3);
    EXPECT_EQ(E("Edit24").Text(), "3");
    auto& g = form_->Get<ui::RadioGroup>("RadioGroup3");
    EXPECT_EQ(g.Items(), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(g.Caption(), "Max 3");
    EXPECT_EQ(g.ItemIndex(), 0);
    EXPECT_EQ(form_->Get<ui::PageControl>("PageControl2").ActivePage()->Name(), "TabSheet12");
    E("Edit24").SetText("0");
    EXPECT_EQ(g.ItemCount(), 0);
    EXPECT_FALSE(form_->Get<ui::TabSheet>("TabSheet12").TabVisible());
    E("Edit30").SetText("777");  // no hole: nothing is written
    for (const auto& h : TemplateParams.KitchenHoles) EXPECT_NE(h.X, 777);
}

TEST_F(EditingTest, ItemEditsWriteTheSelectedItem) {
    Open();
    auto& g = form_->Get<ui::RadioGroup>("RadioGroup4");  // 2 horizontal reinforcements by default
    ASSERT_EQ(g.ItemCount(), 2);
    g.SetItemIndex(1);
    EXPECT_EQ(E("Edit35").Text(), "550") << "the selected item is shown";
    E("Edit36").SetText("1234");
    EXPECT_EQ(TemplateParams.KitchenHorizontalBars[1].Length, 1234);
    EXPECT_EQ(TemplateParams.KitchenHorizontalBars[0].Length, 1800);
}

TEST_F(EditingTest, IrregularKindFiveShowsItsOffsets) {
    Open();
    WorkingQuadSets[5].Slot[2] = 123;
    WorkingQuadSets[5].Slot[3] = 45;
    EXPECT_EQ(E("Edit13").Text(), "500");
    form_->Get<ui::RadioGroup>("RadioGroup1").SetItemIndex(5);
    EXPECT_EQ(form_->LastItemIndex, 5);
    EXPECT_EQ(E("Edit13").Text(), "123");
    EXPECT_EQ(E("Edit120").Text(), "45");
    EXPECT_TRUE(form_->Get<ui::Label>("LabelOffsetDestra").Visible());
    EXPECT_FALSE(form_->Get<ui::Label>("LabelE13").Visible());
    // Kind 2 leaves "Lato sotto" alone.
    form_->Get<ui::RadioGroup>("RadioGroup1").SetItemIndex(2);
    E("Edit12").SetText("999");
    EXPECT_EQ(WorkingQuadSets[2].Slot[7], 400);
    EXPECT_FALSE(E("Edit12").Enabled());
}

// After a regeneration of "Irregolare" the edits show what the polygon
// derived from the value just typed; writing them must neither schedule
// another regeneration nor count as a change. The steps run in order on one
// form: the kind 0 diagonal and alignment are derived from each other, so
// typing the derived value back gives the first value again.
TEST_F(EditingTest, IrregularDerivedValuesAreShownWithoutAnotherRegeneration) {
    struct Typed {
        const char* edit;
        const char* text;
    };
    struct Case {
        const char* name;
        int kind;
        std::vector<Typed> typed;
        const char* derivedEdit;
        double derived;
        int quadSlot;        // where the working set keeps it
        std::size_t vertex;  // an element of the outline that depends on it
        double vx, vy;
    };
    // Kind 0 starts from the defaults: top, left, right and lower side 400,
    // diagonal 500. The corner between the left and the lower side sits at
    // x = alignment, at the height sqrt(left^2 - alignment^2).
    const Case cases[] = {
        {"alignment gives the diagonal", 0, {{"Edit120", "100"}}, "Edit13", 632.456, 2, 3, 100, 387.298},
        {"diagonal gives the alignment", 0, {{"Edit13", "500"}}, "Edit120", -87.5, 3, 3, -87.5, 390.312},
        // Retyped in another form: the edit shows "-87.5" already.
        {"the alignment typed back gives the diagonal again", 0, {{"Edit120", "-87.50"}}, "Edit13", 500, 2, 3,
         -87.5, 390.312},
        {"skew trapezoid, equal sides", 5,
         {{"Edit10", "50"}, {"Edit11", "50"}, {"Edit13", "10"}, {"Edit120", "10"}, {"Edit12", "100"}}, "Edit9", 120,
         4, 2, 110, 48.990},
        {"skew trapezoid, unequal heights", 5, {{"Edit11", "40"}, {"Edit13", "20"}}, "Edit9", 130.789, 4, 1, 130,
         14.349},
    };
    Open();
    form_->Get<ui::PageControl>("PageControl1").SetActivePageIndex(static_cast<int>(TemplateTab::Irregolare));
    auto& kinds = form_->Get<ui::RadioGroup>("RadioGroup1");
    auto& timer = form_->Get<ui::Timer>("TimerRitraccia");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (kinds.ItemIndex() != c.kind) kinds.SetItemIndex(c.kind);
        clock_->Advance(600);
        for (const Typed& t : c.typed) E(t.edit).SetText(t.text);
        ASSERT_TRUE(timer.Enabled());
        TemplateModified = false;  // the typing counted; only what follows is watched
        const int before = form_->RegenerationCount;
        clock_->Advance(600);
        ASSERT_EQ(form_->RegenerationCount, before + 1);

        const auto shown = templates::ReadDecimal(E(c.derivedEdit).Text());
        ASSERT_TRUE(shown) << E(c.derivedEdit).Text();
        EXPECT_NEAR(static_cast<double>(*shown), c.derived, 0.001);
        EXPECT_NEAR(WorkingQuadSets[c.kind].Slot[c.quadSlot], c.derived, 0.001);
        for (const Typed& t : c.typed) {
            if (std::string(t.edit) != c.derivedEdit) {
                EXPECT_EQ(E(t.edit).Text(), t.text) << t.edit;
            }
        }
        auto outline = ListOf(FirstContainerElements());
        ASSERT_GT(outline.size(), c.vertex);
        EXPECT_NEAR(outline[c.vertex]->X.ToDouble(), c.vx, 0.001);
        EXPECT_NEAR(outline[c.vertex]->Y.ToDouble(), c.vy, 0.001);

        EXPECT_FALSE(form_->Putting);
        EXPECT_FALSE(timer.Enabled()) << "showing the value scheduled a regeneration";
        EXPECT_FALSE(TemplateModified) << "showing the value counted as a change";
        clock_->Advance(2000);
        EXPECT_EQ(form_->RegenerationCount, before + 1);
    }
}

// The skew trapezoid shows its own offsets back after each regeneration: a
// person who pauses half-way through typing one keeps what is typed, and the
// preview's box of that edit says the same.
TEST_F(EditingTest, SkewTrapezoidKeepsOffsetsHalfTyped) {
    Open();
    form_->Get<ui::PageControl>("PageControl1").SetActivePageIndex(static_cast<int>(TemplateTab::Irregolare));
    form_->Get<ui::RadioGroup>("RadioGroup1").SetItemIndex(5);
    clock_->Advance(600);
    for (const char* typed : {"12.", "0.50", "-", ""}) {
        SCOPED_TRACE(std::string("typed '") + typed + "'");
        E("Edit120").SetText(typed);
        clock_->Advance(600);
        EXPECT_EQ(E("Edit120").Text(), typed);
        EXPECT_EQ(E("BoxEdit120").Text(), typed);
    }
    // Typed in another edit, the offset's text is shown as the value it holds.
    E("Edit120").SetText("7");
    clock_->Advance(600);
    E("Edit10").SetText("300");
    clock_->Advance(600);
    EXPECT_EQ(E("Edit120").Text(), "7");
}

TEST_F(EditingTest, GeneralHeightGoesToTheFourSides) {
    Open();
    E("Edit177").SetText("250");
    form_->Get<ui::CheckBox>("CheckBox20").SetChecked(true);
    EXPECT_TRUE(TemplateParams.OptionBits & kOptionGeneralHeight);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(TemplateParams.SideWalls[k].Height, 250);
        EXPECT_EQ(E(("Edit" + std::to_string(178 + k)).c_str()).Text(), "250");
    }
}

TEST_F(EditingTest, PuttingSuppressesHandlers) {
    Open();
    const double width = TemplateParams.RectWidth.ToDouble();
    auto& timer = form_->Get<ui::Timer>("TimerRitraccia");
    ASSERT_FALSE(timer.Enabled());
    form_->Putting = true;
    E("Edit7").SetText("999");
    form_->Get<ui::CheckBox>("CheckBox11").SetChecked(true);
    EXPECT_EQ(TemplateParams.RectWidth.ToDouble(), width);
    EXPECT_FALSE(TemplateParams.OptionBits & kOptionMatrixRectangle);
    EXPECT_FALSE(timer.Enabled());
    form_->Putting = false;
}

TEST_F(EditingTest, ABurstOfKeysRegeneratesOnce500msAfterTheLast) {
    Open();
    const int before = form_->RegenerationCount;
    auto& e = E("Edit7");
    e.SetText("");
    for (char c : std::string("12345")) {
        e.SetText(e.Text() + c);
        clock_->Advance(200);
    }
    EXPECT_EQ(form_->RegenerationCount, before);
    clock_->Advance(299);
    EXPECT_EQ(form_->RegenerationCount, before);
    clock_->Advance(1);
    EXPECT_EQ(form_->RegenerationCount, before + 1);
    clock_->Advance(2000);
    EXPECT_EQ(form_->RegenerationCount, before + 1);
    EXPECT_NEAR(TemplateParams.RectWidth.ToDouble(), 12345, 1e-6);
}

TEST_F(EditingTest, TextThatIsNotANumberLeavesTheField) {
    Open();
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {{"640", 640}, {"abc", 640}, {"1,5", 640}, {"-", 640}, {"12x", 640}, {"1e999", 640},
                          {"nan", 640}, {" 12.5 ", 12.5},  {"+7", 7},   {"", 0},     {"-3.25", -3.25}};
    for (const auto& c : cases) {
        E("Edit7").SetText(c.text);
        EXPECT_DOUBLE_EQ(TemplateParams.RectWidth.ToDouble(), c.expected) << "text '" << c.text << "'";
    }
    // Integers: a fraction or a number beyond 32 bits is not a count.
    E("Edit16").SetText("7");
    E("Edit16").SetText("7.5");
    EXPECT_EQ(TemplateParams.CutsHorizontalCount, 7);
    E("Edit16").SetText("99999999999");
    EXPECT_EQ(TemplateParams.CutsHorizontalCount, 7);
    E("Edit1").SetText("70000");  // does not fit the 16-bit field
    EXPECT_EQ(TemplateParams.PolygonSides, 6);
}

TEST_F(EditingTest, HolePositionFromTheRightFollowsTheLeft) {
    Open();
    E("Edit22").SetText("2000");
    E("Edit32").SetText("600");
    E("Edit30").SetText("100");
    EXPECT_EQ(E("Edit182").Text(), "1300");
    E("Edit182").SetText("400");
    EXPECT_EQ(E("Edit30").Text(), "1000");
    EXPECT_DOUBLE_EQ(TemplateParams.KitchenHoles[0].X, 1000);
    form_->Get<ui::CheckBox>("CheckBox22").SetChecked(true);  // width taken as 0
    E("Edit30").SetText("100");
    EXPECT_EQ(E("Edit182").Text(), "1900");
}

TEST_F(EditingTest, OverlayEditAndItsDialogEditShowTheSameText) {
    Open();
    form_->Get<ui::PageControl>("PageControl1").SetActivePageIndex(static_cast<int>(TemplateTab::Copertina));
    auto& overlay = E("BoxEdit142");
    EXPECT_FALSE(overlay.Visible());
    EXPECT_EQ(overlay.Hint(), E("Edit142").Hint());
    overlay.SetText("33");
    EXPECT_EQ(E("Edit142").Text(), "33");
    EXPECT_NEAR(TemplateParams.CopingLeftWidth.ToDouble(), 33, 1e-9);
    E("Edit142").SetText("44");
    EXPECT_EQ(overlay.Text(), "44");
}

TEST_F(EditingTest, DirectionTypedSetsTheBitOfItsKind) {
    Open();
    TemplateParams.DirectionTypedFlags = 0;
    E("Edit99").SetText("90");   // Rettangolo, kind 6
    E("Edit140").SetText("45");  // Scalino, kind 9
    E("Edit154").SetText("10");  // Copertina: no bit
    EXPECT_EQ(TemplateParams.DirectionTypedFlags, (1 << 6) | (1 << 9));
}

TEST_F(EditingTest, CornerDirectionsBelongToTheirItem) {
    Open();
    auto& holes = form_->Get<ui::RadioGroup>("RadioGroup11");
    auto& dir = form_->Get<ui::RadioGroup>("RadioGroup15");
    form_->Get<ui::RadioGroup>("RadioGroup14").SetItemIndex(1);  // "Smusso"
    EXPECT_TRUE(dir.Enabled());
    holes.SetItemIndex(0);
    dir.SetItemIndex(1);
    EXPECT_EQ(TemplateParams.CornerHoles[0].Flags & 1, 1);
    holes.SetItemIndex(1);
    EXPECT_EQ(dir.ItemIndex(), 0) << "the second hole's own choice is shown";
    E("Edit76").SetText("5");
    EXPECT_EQ(TemplateParams.CornerHoles[1].Flags & 1, 0);
    EXPECT_EQ(TemplateParams.CornerHoles[0].Flags & 1, 1);
    form_->Get<ui::RadioGroup>("RadioGroup14").SetItemIndex(0);
    EXPECT_FALSE(dir.Enabled());
}

TEST_F(EditingTest, MachineTypeGatesTheFourTopTabs) {
    host_.SetByte(37, 1);
    Open();
    for (const char* t : {"TabSheet6", "TabSheet7", "TabSheet8", "TabSheet9"})
        EXPECT_FALSE(form_->Get<ui::TabSheet>(t).TabVisible()) << t;
    EXPECT_TRUE(form_->Get<ui::TabSheet>("TabSheet1").TabVisible());
}

TEST_F(EditingTest, SideWallsHiddenWhenTheHostOffersNone) {
    host_.SetByte(1503, 3);
    host_.SetByte(1504, 0);
    WriteSettingsFile([](TemplateParameters& p) { p.OptionBits = kOptionSideWalls; });
    Open();
    EXPECT_FALSE(TemplateParams.OptionBits & kOptionSideWalls);
    EXPECT_FALSE(form_->Get<ui::CheckBox>("CheckBox18").Visible());
    EXPECT_FALSE(form_->Get<ui::TabSheet>("TabSheet19").TabVisible());
}

TEST_F(EditingTest, ShowLocalisesAndCopiesTheMarkingCaption) {
    std::filesystem::create_directories(dir_ / "KOVA");
    std::ofstream(dir_ / "KOVA" / "ENGLISH.DZN") << "POLIGONO\nShapes\n[LabelE107]Marking\n[TabSheet2]Rectangle\n"
                                                    "[BitBtn7]Close\n\n";
    host_.SetString(403, "ENGLISH");
    Open();
    EXPECT_EQ(form_->Caption().rfind("Shapes ", 0), 0u) << form_->Caption();
    EXPECT_EQ(form_->Get<ui::Label>("LabelE103").Caption(), "Marking");
    EXPECT_EQ(form_->Get<ui::TabSheet>("TabSheet2").Caption(), "Rectangle");
}

TEST_F(EditingTest, ItalianKeepsTheBuiltInTexts) {
    std::filesystem::create_directories(dir_ / "KOVA");
    std::ofstream(dir_ / "KOVA" / "ITALIANO.DZN") << "POLIGONO\nAltro\n[LabelE107]Altro\n\n";
    host_.SetString(403, "ITALIANO");
    Open();
    EXPECT_EQ(form_->Caption().rfind("Forme parametrizzate ", 0), 0u) << form_->Caption();
    EXPECT_EQ(form_->Get<ui::Label>("LabelE107").Caption(), "Marcatura");
}

TEST_F(EditingTest, RegenerationPaintsTheRectangleAndCaptionsTheMatrixButtons) {
    WriteRectangleSettings();
    Open();
    EXPECT_EQ(form_->ActiveTab(), TemplateTab::Rettangolo);
    EXPECT_EQ(form_->Get<ui::BitButton>("BitBtnMatrice").Caption(), "0x0");
    EXPECT_NE(FirstContainerElements(), nullptr);
    const std::string caption = form_->Get<ui::Label>("Label14").Caption();
    EXPECT_NE(caption.find("[100 X 50]"), std::string::npos) << caption;
    EXPECT_TRUE(form_->Get<ui::BitButton>("BitBtn8").Enabled());
}

// ---- the slot table ---------------------------------------------------------

TEST(SlotTable, EditNumbersMapAsDesigned) {
    const std::pair<int, int> cases[] = {{1, 1},     {96, 96},    {97, 100},   {98, 112},   {99, 113},  {100, 116},
                                         {101, 117}, {102, 115},  {103, 103},  {111, 111},  {112, 118}, {117, 123},
                                         {118, 125}, {140, 147},  {141, 157},  {144, 160},  {145, 163}, {148, 166},
                                         {149, 161}, {150, 170},  {151, 162},  {152, 156},  {153, 169}, {154, 168},
                                         {155, 175}, {156, 176},  {157, 211},  {160, 214},  {161, 227}, {163, 229},
                                         {164, 215}, {175, 226},  {176, 203},  {177, 204},  {178, 205}, {181, 208},
                                         {182, 209}, {183, 210},  {0, 0},      {184, 0},    {-1, 0}};
    for (auto [n, slot] : cases) EXPECT_EQ(templates::SlotOfEditNumber(n), slot) << "Edit" << n;
    EXPECT_EQ(SlotOfEdit("Edit120"), 127);
    EXPECT_EQ(SlotOfEdit("edit7"), 7);
    EXPECT_EQ(SlotOfEdit("BoxEdit120"), 0);
    EXPECT_EQ(SlotOfEdit("Edit07"), 0);
    EXPECT_EQ(SlotOfEdit("Edit"), 0);
}

TEST(SlotTable, MaskTextRoundTrip) {
    auto m = templates::Slots({1, 30, 229});
    std::string text = templates::MaskToText(m);
    ASSERT_EQ(text.size(), 229u);
    EXPECT_EQ(text[0], '1');
    EXPECT_EQ(text[29], '1');
    EXPECT_EQ(text[228], '1');
    EXPECT_EQ(templates::MaskFromText(text), m);
    EXPECT_EQ(templates::MaskFromText("01").count(), 1u);
}

TEST_F(EditingTest, EveryTableSlotNamesAControlOfTheFormAndEditsAgree) {
    Open();
    for (const auto& d : templates::SlotTable()) {
        SCOPED_TRACE(std::string(d.control));
        ui::Component* c = form_->FindComponent(d.control);
        ASSERT_NE(c, nullptr);
        if (std::string(c->ClassName()) == "Edit") {
            EXPECT_EQ(SlotOfEdit(d.control), d.slot);
        }
    }
    // Every edit of the form with a slot is in the table.
    for (const auto& c : form_->Components()) {
        auto* e = dynamic_cast<ui::Edit*>(c.get());
        if (!e) continue;
        const int slot = SlotOfEdit(e->Name());
        if (slot == 0) continue;
        bool found = false;
        for (const auto& d : templates::SlotTable()) found = found || (d.slot == slot && d.control == e->Name());
        EXPECT_TRUE(found) << e->Name();
    }
}

TEST(NumberText, ReadsDecimalsWithAPointOnly) {
    EXPECT_EQ(templates::ReadDecimal("1.5"), 1.5L);
    EXPECT_EQ(templates::ReadDecimal(""), 0.0L);
    EXPECT_EQ(templates::ReadDecimal("  "), 0.0L);
    EXPECT_FALSE(templates::ReadDecimal("1,5"));
    EXPECT_FALSE(templates::ReadDecimal("inf"));
    EXPECT_FALSE(templates::ReadDecimal("++1"));
    EXPECT_EQ(templates::ReadInteger("-12"), -12);
    EXPECT_FALSE(templates::ReadInteger("2147483648"));
    EXPECT_EQ(templates::DecimalOrZero("x"), 0.0L);
}

}  // namespace
}  // namespace kvd::test
