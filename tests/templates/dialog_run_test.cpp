// The dialog run through the exports linked into the test: typing values,
// OK and "Chiudi", releasing the result, the settings file between runs.
#include "base/low_heap.h"
#include "kvd/kvdtemplates.h"
#include "templates/dialog_fixture.h"
#include "templates/dialog_run.h"
#include "templates/form_poligono.h"
#include "ui/controls.h"
#include "ui/picture.h"

namespace kvd::test {
namespace {

class RunTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        clock_ = std::make_unique<ui::ScopedManualClock>();
    }
    void TearDown() override {
        clock_.reset();
        DialogTest::TearDown();
    }
    TTempElement* Run(std::vector<std::string> script, TTempElement* start = nullptr) {
        StreamPtr stream = SettingsStream();
        KvdStream* var = stream.get();
        ui::SetScript(std::move(script), "run");
        TTempElement* result = start;
        Template7(&result, &var, 0, 0);
        EXPECT_FALSE(ui::ScriptFailed()) << ui::ScriptError();
        return result;
    }
    std::unique_ptr<ui::ScopedManualClock> clock_;
};

TEST_F(RunTest, TypedRectangleGivesTheExampleList) {
    const std::size_t before = lowheap::LiveBlocks();
    TTempElement* result = Run({"tab PageControl1 1", "set Edit7 100", "set Edit8", "type Edit8 50", "set Edit50 10",
                                "advance 600", "click BitBtn8"});
    ASSERT_NE(result, nullptr);
    ExpectRectangleExample(result);
    EXPECT_EQ(result, FirstContainerElements());
    DisposeTemplate();
    EXPECT_EQ(FirstContainer, nullptr);
    DisposeTemplate();
    EXPECT_EQ(lowheap::LiveBlocks(), before);
}

TEST_F(RunTest, SettingsFileRectangleWithOk) {
    WriteRectangleSettings();
    ExpectRectangleExample(Run({"advance 600", "click BitBtn8"}));
    DisposeTemplate();
}

TEST_F(RunTest, ChiudiKeepsTheResultAndTheChainIsReleasedLater) {
    WriteRectangleSettings();
    const std::size_t before = lowheap::LiveBlocks();
    auto* sentinel = reinterpret_cast<TTempElement*>(0x4321);
    EXPECT_EQ(Run({"advance 600", "click BitBtn7"}, sentinel), sentinel);
    EXPECT_NE(FirstContainerElements(), nullptr) << "the preview's drawing stays until DisposeTemplate";
    DisposeTemplate();
    EXPECT_EQ(lowheap::LiveBlocks(), before);
}

TEST_F(RunTest, OkWithoutARegenerationGivesOnlyTheOutputRecords) {
    // The script confirms before the first regeneration has run.
    TTempElement* result = Run({"click BitBtn8"});
    ASSERT_NE(result, nullptr);
    auto list = ListOf(result);
    EXPECT_EQ(list.back()->Kind, 13);
    for (const TTempElement* e : list) EXPECT_NE(e->Kind & 15, 1) << "no geometry";
    DisposeTemplate();
}

TEST_F(RunTest, EditedValuesComeBackInTheNextRun) {
    Run({"tab PageControl1 5", "set Edit22 2500", "set Edit108 Cucina \xC3\xA0 4", "check CheckBox19 on",
         "tab PageControl1 0", "set Edit1 8", "set Edit5 12.5", "advance 600", "click BitBtn8"});
    DisposeTemplate();
    // The file carries them ...
    TemplateParameters p;
    ASSERT_TRUE(LoadConfigByVars((dir_ / kTemplateSettingsFile).string(), p));
    EXPECT_DOUBLE_EQ(p.KitchenWidth, 2500);
    EXPECT_EQ(p.PolygonSides, 8);
    EXPECT_NEAR(p.PolygonFillet.ToDouble(), 12.5, 1e-9);
    EXPECT_TRUE(p.OptionBits & kOptionSingleGroup);
    EXPECT_EQ(p.ActiveTab, 0);
    EXPECT_EQ(p.MarkingText[1].str(), "Cucina \xE0 4");
    // ... and the next form shows them.
    auto& form = ui::App().CreateForm<TPoligono>();
    form.Show();
    EXPECT_EQ(form.Get<ui::Edit>("Edit22").Text(), "2500");
    EXPECT_EQ(form.Get<ui::Edit>("Edit1").Text(), "8");
    EXPECT_EQ(form.Get<ui::Edit>("Edit5").Text(), "12.5");
    EXPECT_EQ(form.Get<ui::Edit>("Edit108").Text(), "Cucina \xC3\xA0 4");
    EXPECT_TRUE(form.Get<ui::CheckBox>("CheckBox19").Checked());
    EXPECT_EQ(form.Get<ui::PageControl>("PageControl1").ActivePageIndex(), 0);
    form.Hide();
    form.Free();
}

}  // namespace
}  // namespace kvd::test

namespace kvd::test {
namespace {

// The dialog as a person sees it, with the rectangle's preview. With
// KVD_DIALOG_SCREENSHOT set the picture of the whole form is kept there
// (docs/templates-dialog.png is made this way under xvfb-run).
TEST_F(RunTest, PreviewShowsTheRectangle) {
    WriteRectangleSettings();
    const std::string preview = (dir_ / "preview.png").string();
    const char* keep = std::getenv("KVD_DIALOG_SCREENSHOT");
    const std::string form = keep ? keep : (dir_ / "form.png").string();
    const char* tab = std::getenv("KVD_DIALOG_SCREENSHOT_TAB");  // another tab for a look
    Run({std::string("tab PageControl1 ") + (tab ? tab : "1"), "advance 600", "screenshot Image1 " + preview, "screenshot form " + form, "click BitBtn8"});
    DisposeTemplate();
    ui::Picture picture;
    picture.LoadFromFile(preview);
    ASSERT_GT(picture.Width(), 100);
    // Black outline pixels on the preview's background.
    int outline = 0;
    for (int y = 0; y < picture.Height(); y += 2)
        for (int x = 0; x < picture.Width(); x += 2)
            if (picture.Pixel(x, y) == 0x000000) ++outline;
    EXPECT_GT(outline, 50);
    EXPECT_TRUE(std::filesystem::exists(form));
}

}  // namespace
}  // namespace kvd::test
