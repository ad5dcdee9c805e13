// The duplication matrix dialog run from the three "Matrice" buttons: what
// it shows, what OK and Cancel keep, the "Matrice" check box and the
// captions and measurement after the regeneration.
#include "base/number_format.h"
#include "templates/dialog_fixture.h"
#include "templates/duplication_matrix.h"
#include "templates/form_matrice.h"
#include "templates/form_poligono.h"
#include "ui/controls.h"

namespace kvd::test {
namespace {

class MatrixDialog : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        clock_ = std::make_unique<ui::ScopedManualClock>();
        Host = host_;
        WriteSettingsFile([](TemplateParameters& p) {
            p.RectWidth = 500;
            p.RectHeight = 300;
            p.RectFillet = 0;
            p.ActiveTab = 1;
            p.MatrixColumns = 1;
            p.MatrixRows = 1;
        });
        form_ = &ui::App().CreateForm<TPoligono>();
        form_->Show();
        clock_->Advance(600);
    }
    void TearDown() override {
        form_->Hide();
        form_->Free();
        clock_.reset();
        Host = HostSettings{};
        DialogTest::TearDown();
    }
    // Clicks a "Matrice" button; the matrix dialog plays the script.
    void RunMatrix(const char* button, std::vector<std::string> script) {
        ui::SetScript(std::move(script), "matrix");
        form_->Get<ui::BitButton>(button).Click();
        EXPECT_FALSE(ui::ScriptFailed()) << ui::ScriptError();
        clock_->Advance(600);
    }
    bool Ticked(const char* box) { return form_->Get<ui::CheckBox>(box).Checked(); }
    std::string Caption(const char* control) { return form_->Get<ui::BitButton>(control).Caption(); }

    std::unique_ptr<ui::ScopedManualClock> clock_;
    TPoligono* form_ = nullptr;
};

TEST_F(MatrixDialog, OkTicksTheTabsMatriceAndTheGridIsDrawn) {
    ASSERT_FALSE(Ticked("CheckBox11"));
    RunMatrix("BitBtnMatrice", {"set Edit3 3", "set Edit4 1", "set Edit5 600", "click BitBtnOK"});
    EXPECT_EQ(WorkingMatrix.Columns, 3);
    EXPECT_EQ(WorkingMatrix.Rows, 1);
    EXPECT_NEAR(WorkingMatrix.HorizontalIncrement.ToDouble(), 600, 1e-9);
    EXPECT_TRUE(Ticked("CheckBox11"));
    EXPECT_NE(TemplateParams.OptionBits & kOptionMatrixRectangle, 0);
    EXPECT_FALSE(Ticked("CheckBox12")) << "only the tab whose button was pressed";
    for (const char* b : {"BitBtnMatrice", "BitBtn5", "BitBtn6"}) EXPECT_EQ(Caption(b), "3x1") << b;
    EXPECT_TRUE(MatrixApplied);
    const std::string label = form_->Get<ui::Label>("Label14").Caption();
    EXPECT_EQ(label.rfind("{3 pcs} x {", 0), 0u) << label;
    int starts = 0;
    for (const TTempElement* e : ListOf(FirstContainerElements())) starts += KindCode(e->Kind) == ecStart;
    EXPECT_EQ(starts, 3);
}

TEST_F(MatrixDialog, ShowsTheSettingsAndTheCutWidthButtonsFillTheIncrements) {
    WorkingMatrix.Columns = 4;
    WorkingMatrix.Rows = 2;
    WorkingMatrix.HorizontalIncrement = 12.5;
    WorkingMatrix.VerticalIncrement = 0;
    WorkingMatrix.HorizontalFromContact = 1;
    WorkingMatrix.VerticalFromContact = 0;
    form_->Get<ui::Edit>("Edit97").SetText("3.5");  // "Spessore del taglio"
    RunMatrix("BitBtn5", {"click BitBtn2", "check CheckBox3 on", "click BitBtnOK"});
    EXPECT_EQ(WorkingMatrix.Columns, 4);
    EXPECT_EQ(WorkingMatrix.Rows, 2);
    EXPECT_NEAR(WorkingMatrix.HorizontalIncrement.ToDouble(), 12.5, 1e-9) << "shown and read back unchanged";
    EXPECT_NEAR(WorkingMatrix.VerticalIncrement.ToDouble(), 3.5, 1e-9) << "the cut width of \"Tagli rettilinei\"";
    EXPECT_EQ(WorkingMatrix.HorizontalFromContact, 1);
    EXPECT_EQ(WorkingMatrix.VerticalFromContact, 1);
    EXPECT_TRUE(Ticked("CheckBox12")) << "\"Regolare\"'s Matrice";
    EXPECT_NE(TemplateParams.OptionBits & kOptionMatrixRegular, 0);
}

TEST_F(MatrixDialog, CancelAndAOneByOneGridLeaveTheCheckBoxAlone) {
    RunMatrix("BitBtnMatrice", {"set Edit3 7", "set Edit4 7", "click BitBtnCancel"});
    EXPECT_EQ(WorkingMatrix.Columns, 1) << "Cancel keeps the settings";
    EXPECT_FALSE(Ticked("CheckBox11"));

    RunMatrix("BitBtn6", {"set Edit3 1", "set Edit4 1", "set Edit5 abc", "click BitBtnOK"});
    EXPECT_FALSE(Ticked("CheckBox13")) << "1 x 1 does not tick";
    EXPECT_EQ(WorkingMatrix.HorizontalIncrement.ToDouble(), 0) << "text that is not a number reads as 0";

    form_->Get<ui::CheckBox>("CheckBox13").SetChecked(true);
    RunMatrix("BitBtn6", {"click BitBtnOK"});
    EXPECT_TRUE(Ticked("CheckBox13")) << "1 x 1 does not untick either";
    for (const char* b : {"BitBtnMatrice", "BitBtn5", "BitBtn6"}) EXPECT_EQ(Caption(b), "1x1") << b;
}

// The rows and both "Dal contatto" boxes follow the label of the rows.
TEST_F(MatrixDialog, RowControlsGoWithTheirLabel) {
    auto& form = ui::App().CreateForm<TMatriceForm>();
    for (bool enabled : {false, true}) {
        form.Get<ui::Label>("Label2").SetEnabled(enabled);
        form.ShowSettings(WorkingMatrix);
        for (const char* c : {"Edit4", "CheckBox2", "CheckBox3"})
            EXPECT_EQ(form.Get<ui::Control>(c).Enabled(), enabled) << c;
        EXPECT_TRUE(form.Get<ui::Edit>("Edit3").Enabled());
    }
    form.Free();
}

}  // namespace
}  // namespace kvd::test
