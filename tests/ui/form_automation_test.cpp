// Forms built from a table and driven by the automation script, the way the
// dialogs and the batch runs use them.
#include <gtest/gtest.h>

#include <QWidget>
#include <cstdio>

#include "ui/controls.h"
#include "ui/picture.h"
#include "ui_fixture.h"

using namespace kvd::ui;
using kvd::ui::test::UiTest;

namespace {

constexpr ControlSpec kTable[] = {
    {"Label1", ControlClass::Label, "", "Lunghezza", 8, 12, 80, 16},
    {"Edit1", ControlClass::Edit, "", "100", 96, 8, 80, 21, "Lunghezza in mm", {}, 8},
    {"CheckBox1", ControlClass::CheckBox, "", "Smusso", 8, 40, 120, 17},
    {"RadioGroup1", ControlClass::RadioGroup, "", "Tipo", 8, 64, 160, 90, {}, "Uno\nDue\nTre"},
    {"Pages", ControlClass::PageControl, "", "", 180, 8, 200, 150},
    {"TabSheet1", ControlClass::TabSheet, "Pages", "Primo"},
    {"TabSheet2", ControlClass::TabSheet, "Pages", "Secondo"},
    {"Memo1", ControlClass::Memo, "TabSheet2", "", 4, 4, 150, 60},
    {"ColorBox1", ControlClass::ColorBox, "TabSheet1", "", 4, 4, 120, 22},
    {"CheckListBox1", ControlClass::CheckListBox, "TabSheet1", "", 4, 30, 120, 70, {}, "Lato 1\nLato 2\nLato 3"},
    {"TimerRitraccia", ControlClass::Timer, "", "", 0, 0, 0, 0, {}, {}, 0, 1, 500, false},
    {"BitBtnOk", ControlClass::BitButton, "", "OK", 200, 170, 80, 25, {}, {}, 0, 1, 1000, true, true, BitKind::Ok},
    {"BitBtnCancel", ControlClass::BitButton, "", "Chiudi", 290, 170, 80, 25, {}, {}, 0, 1, 1000, true, true,
     BitKind::Cancel},
};

// A small dialog that records what its handlers saw.
class TestForm : public Form {
public:
    TestForm() : Form("TestForm") {
        SetCaption("Prova");
        SetClientSize(390, 205);
        Build(kTable);
        Get<Edit>("Edit1").OnChange = [this] { edits.push_back(Get<Edit>("Edit1").Text()); };
        Get<CheckBox>("CheckBox1").OnClick = [this] { ++checkClicks; };
        Get<RadioGroup>("RadioGroup1").OnClick = [this] { ++radioClicks; };
        Get<PageControl>("Pages").OnChange = [this] { ++pageChanges; };
        Get<ColorBox>("ColorBox1").OnSelect = [this] { ++colourSelects; };
        Get<CheckListBox>("CheckListBox1").OnClickCheck = [this] { ++ticks; };
        OnShow = [this] { ++shows; };
    }
    std::vector<std::string> edits;
    int checkClicks = 0, radioClicks = 0, pageChanges = 0, colourSelects = 0, ticks = 0, shows = 0;
};

class Forms : public UiTest {};

}  // namespace

TEST_F(Forms, TableBuildsControlsInOrderWithCaseInsensitiveLookup) {
    auto& f = App().CreateForm<TestForm>();
    ASSERT_EQ(f.ComponentCount(), static_cast<int>(std::size(kTable)));
    for (std::size_t i = 0; i < std::size(kTable); ++i) EXPECT_EQ(f.Components()[i]->Name(), kTable[i].name);
    EXPECT_EQ(f.FindComponent("edit1"), f.FindComponent("EDIT1"));
    EXPECT_EQ(f.FindComponent("nothing"), nullptr);
    auto& edit = f.Get<Edit>("Edit1");
    EXPECT_EQ(edit.Text(), "100");
    EXPECT_EQ(edit.Hint(), "Lunghezza in mm");
    EXPECT_EQ(edit.MaxLength(), 8);
    EXPECT_EQ(edit.Left(), 96);
    EXPECT_EQ(edit.Width(), 80);
    EXPECT_TRUE(f.Get<PageControl>("Pages").Widget()->isAncestorOf(f.Get<Memo>("Memo1").Widget()))
        << "a sheet's controls live in its page";
    EXPECT_EQ(f.Get<Memo>("Memo1").Parent(), &f.Get<TabSheet>("TabSheet2"));
    EXPECT_FALSE(f.Get<Timer>("TimerRitraccia").Enabled());
    EXPECT_EQ(f.Get<Timer>("TimerRitraccia").Interval(), 500);
    EXPECT_EQ(f.Get<BitButton>("BitBtnOk").GetModalResult(), mrOk);
    EXPECT_THROW(f.Get<Label>("Edit1"), kvd::Error) << "wrong class";
    f.Free();
}

TEST_F(Forms, BadTablesAreRefusedWithTheNames) {
    Form f("Bad");
    const ControlSpec orphan[] = {{"Edit9", ControlClass::Edit, "Panel9", "", 0, 0, 10, 10}};
    try {
        f.Build(orphan);
        FAIL() << "an unknown parent must be refused";
    } catch (const kvd::Error& e) {
        EXPECT_NE(std::string(e.what()).find("Panel9"), std::string::npos);
    }
    const ControlSpec twice[] = {{"A", ControlClass::Label, "", "", 0, 0, 1, 1}, {"a", ControlClass::Edit, "", "", 0, 0, 1, 1}};
    EXPECT_THROW(f.Build(twice), kvd::Error);
    const ControlSpec inEdit[] = {{"E", ControlClass::Edit, "", "", 0, 0, 1, 1}, {"L", ControlClass::Label, "E", "", 0, 0, 1, 1}};
    Form g("Bad2");
    EXPECT_THROW(g.Build(inEdit), kvd::Error);
    const ControlSpec looseSheet[] = {{"T", ControlClass::TabSheet, "", "", 0, 0, 1, 1}};
    EXPECT_THROW(g.Build(looseSheet), kvd::Error);
}

TEST_F(Forms, ScriptDrivesEveryKindOfControlAndAClickClosesWithItsResult) {
    auto& f = App().CreateForm<TestForm>();
    SetScript({
        "# a comment, then a blank line",
        "",
        "set Edit1 350",
        "check CheckBox1 on",
        "choose RadioGroup1 2",
        "tab Pages TabSheet2",
        "set Memo1 prima riga\\nseconda riga",
        "tab TabSheet1",
        "tab Pages secondo",
        "tab Pages 0",
        "color ColorBox1 #FF0000",
        "choose ColorBox1 11",
        "tick CheckListBox1 1 on",
        "click BitBtnOk",
        "set Edit1 never played",
    });
    EXPECT_EQ(f.ShowModal(), mrOk);
    EXPECT_EQ(f.shows, 1);
    ASSERT_FALSE(f.edits.empty());
    EXPECT_EQ(f.edits.back(), "350") << "typed text reaches the change event";
    EXPECT_TRUE(f.Get<CheckBox>("CheckBox1").Checked());
    EXPECT_EQ(f.checkClicks, 1);
    EXPECT_EQ(f.Get<RadioGroup>("RadioGroup1").ItemIndex(), 2);
    EXPECT_EQ(f.radioClicks, 1);
    EXPECT_EQ(f.pageChanges, 4);
    EXPECT_EQ(f.Get<PageControl>("Pages").ActivePage()->Name(), "TabSheet1");
    EXPECT_EQ(f.Get<Memo>("Memo1").Lines(), (std::vector<std::string>{"prima riga", "seconda riga"}));
    EXPECT_EQ(f.Get<ColorBox>("ColorBox1").Selected(), clYellow);
    EXPECT_EQ(f.colourSelects, 2);
    EXPECT_TRUE(f.Get<CheckListBox>("CheckListBox1").Checked(1));
    EXPECT_FALSE(f.Get<CheckListBox>("CheckListBox1").Checked(0));
    EXPECT_EQ(f.ticks, 1);
    EXPECT_FALSE(ScriptFailed());
    EXPECT_EQ(ScriptLinesLeft(), 1) << "the line after the closing click stays for the next form";
    f.Free();
}

TEST_F(Forms, TypingFiresOneChangePerCharacter) {
    auto& f = App().CreateForm<TestForm>();
    SetScript({"set Edit1", "type Edit1 12345", "close ok"});
    EXPECT_EQ(f.ShowModal(), mrOk);
    EXPECT_EQ(f.edits, (std::vector<std::string>{"", "1", "12", "123", "1234", "12345"}));
    f.Free();
}

TEST_F(Forms, ScriptErrorsStopTheRunAndNameTheirLine) {
    struct Case {
        std::vector<std::string> script;
        std::string line;
        std::string words;
    };
    const Case cases[] = {
        {{"set Edit1 1", "", "click Nope"}, "line 3", "unknown control 'Nope'"},
        {{"check CheckBox1"}, "line 1", "malformed 'check'"},
        {{"choose RadioGroup1 7"}, "line 1", "item 7"},
        {{"frobnicate Edit1"}, "line 1", "unknown action 'frobnicate'"},
        {{"answer yes"}, "line 1", "no message dialog"},
        {{"check Edit1 on"}, "line 1", "not a check box"},
        {{"color ColorBox1 mauve"}, "line 1", "not a colour"},
    };
    for (const Case& c : cases) {
        auto& f = App().CreateForm<TestForm>();
        SetScript(c.script, "t.kvds");
        EXPECT_EQ(f.ShowModal(), mrAbort) << c.script.back();
        EXPECT_TRUE(ScriptFailed());
        EXPECT_NE(ScriptError().find("t.kvds " + c.line + ":"), std::string::npos) << ScriptError();
        EXPECT_NE(ScriptError().find(c.words), std::string::npos) << ScriptError();
        EXPECT_TRUE(Logged("Automation error: t.kvds " + c.line)) << LogText();
        f.Free();
    }
}

TEST_F(Forms, ADisabledButtonCannotBeClicked) {
    auto& f = App().CreateForm<TestForm>();
    f.Get<BitButton>("BitBtnOk").SetEnabled(false);
    SetScript({"click BitBtnOk"});
    EXPECT_EQ(f.ShowModal(), mrAbort);
    EXPECT_NE(ScriptError().find("disabled"), std::string::npos);
    f.Free();
}

TEST_F(Forms, HeadlessModalFormsNeverWait) {
    auto& f = App().CreateForm<TestForm>();
    EXPECT_EQ(f.ShowModal(), mrCancel) << "no script at all";
    EXPECT_TRUE(Logged("ShowModal TestForm: no automation action left, closed with mrCancel"));
    SetScript({"set Edit1 7"});
    EXPECT_EQ(f.ShowModal(), mrCancel) << "a script that ends without closing";
    EXPECT_EQ(f.edits.back(), "7");
    EXPECT_EQ(f.shows, 2);
    EXPECT_FALSE(f.Widget()->isVisible());
    f.Free();
}

TEST_F(Forms, CloseHandlersCanRefuseAndTheScriptGoesOn) {
    auto& f = App().CreateForm<TestForm>();
    int queries = 0;
    f.OnCloseQuery = [&](bool& canClose) {
        ++queries;
        canClose = f.Get<Edit>("Edit1").Text() != "bad";
    };
    bool closed = false;
    f.OnClose = [&](CloseAction&) { closed = true; };
    SetScript({"set Edit1 bad", "click BitBtnOk", "set Edit1 good", "click BitBtnOk"});
    EXPECT_EQ(f.ShowModal(), mrOk);
    EXPECT_EQ(queries, 2);
    EXPECT_TRUE(closed);
    f.Free();
}

TEST_F(Forms, NestedModalFormsShareTheScript) {
    auto& outer = App().CreateForm<TestForm>();
    Form* innerSeen = nullptr;
    int innerResult = -1;
    outer.Get<CheckBox>("CheckBox1").OnClick = [&] {
        auto& inner = App().CreateForm<TestForm>();
        innerSeen = &inner;
        innerResult = inner.ShowModal();
        EXPECT_EQ(inner.Get<Edit>("Edit1").Text(), "inner");
        inner.Release();
    };
    SetScript({"click CheckBox1", "set Edit1 inner", "click BitBtnCancel", "set Edit1 outer", "click BitBtnOk"});
    EXPECT_EQ(outer.ShowModal(), mrOk);
    EXPECT_NE(innerSeen, nullptr);
    EXPECT_EQ(innerResult, mrCancel);
    EXPECT_EQ(outer.Get<Edit>("Edit1").Text(), "outer");
    App().ProcessMessages();
    EXPECT_EQ(App().Forms().size(), 1u) << "the released inner form is gone";
    outer.Free();
}

TEST_F(Forms, KeysReachTheFormAndEscapeClicksTheCancelButton) {
    auto& f = App().CreateForm<TestForm>();
    std::vector<int> keys;
    f.OnKeyUp = [&](int key, ShiftState) { keys.push_back(key); };
    SetScript({"key F10", "key Escape"});
    EXPECT_EQ(f.ShowModal(), mrCancel);
    ASSERT_GE(keys.size(), 1u);
    EXPECT_EQ(keys[0], 121);
    EXPECT_FALSE(Logged("no automation action left")) << "Escape closed it, not the end of the script";
    f.Free();
}

TEST_F(Forms, ScreenshotsOfFormAndImageArePngFiles) {
    auto& f = App().CreateForm<TestForm>();
    auto& img = f.Add<Image>("Image1");
    img.SetBounds(10, 160, 40, 30);
    img.GetCanvas().brush.color = clRed;
    img.GetCanvas().FillRect({0, 0, 40, 30});
    SetScript({"screenshot form " + Path("form.png"), "screenshot Image1 " + Path("image.png"), "close ok"});
    EXPECT_EQ(f.ShowModal(), mrOk) << ScriptError();
    Picture form, image;
    form.LoadFromFile(Path("form.png"));
    image.LoadFromFile(Path("image.png"));
    EXPECT_EQ(form.Width(), 390);
    EXPECT_EQ(form.Height(), 205);
    EXPECT_EQ(image.Width(), 40);
    EXPECT_EQ(image.Pixel(5, 5), clRed);
    f.Free();
}

TEST_F(Forms, ScriptFilesLoadAndKeepTheirNameInErrors) {
    std::string file = Path("run.kvds");
    {
        std::FILE* out = std::fopen(file.c_str(), "wb");
        std::fputs("\xEF\xBB\xBFset Edit1 42\r\nclick Missing\r\n", out);
        std::fclose(out);
    }
    LoadScriptFile(file);
    auto& f = App().CreateForm<TestForm>();
    EXPECT_EQ(f.ShowModal(), mrAbort);
    EXPECT_EQ(f.Get<Edit>("Edit1").Text(), "42");
    EXPECT_EQ(ScriptError().rfind(file + " line 2:", 0), 0u) << ScriptError();
    EXPECT_THROW(LoadScriptFile(Path("absent.kvds")), kvd::Error);
    f.Free();
}

TEST_F(Forms, ProgrammaticPropertiesFireTheEventsTheDialogsExpect) {
    auto& f = App().CreateForm<TestForm>();
    auto& rg = f.Get<RadioGroup>("RadioGroup1");
    rg.SetItemIndex(1);
    EXPECT_EQ(f.radioClicks, 1) << "a radio group reports a change made in code";
    rg.SetItemIndex(1);
    EXPECT_EQ(f.radioClicks, 1);
    rg.SetItems({"1", "2"});
    EXPECT_EQ(rg.ItemIndex(), 1);
    rg.SetItems({"1"});
    EXPECT_EQ(rg.ItemIndex(), 0);
    f.Get<CheckBox>("CheckBox1").SetChecked(true);
    EXPECT_EQ(f.checkClicks, 1);
    f.Get<PageControl>("Pages").SetActivePageIndex(1);
    EXPECT_EQ(f.pageChanges, 0) << "a page set in code is no change by a person";
    f.Get<ColorBox>("ColorBox1").SetSelected(0x123456);
    EXPECT_EQ(f.Get<ColorBox>("ColorBox1").Selected(), 0x123456u);
    EXPECT_EQ(f.colourSelects, 0);
    f.Get<CheckListBox>("CheckListBox1").SetChecked(2, true);
    EXPECT_EQ(f.ticks, 0);
    auto& e = f.Get<Edit>("Edit1");
    e.SetText("123456789");
    EXPECT_EQ(e.Text(), "12345678") << "MaxLength 8";
    auto& sheet = f.Get<TabSheet>("TabSheet2");
    sheet.SetTabVisible(false);
    SetScript({"tab TabSheet2"});
    EXPECT_EQ(f.ShowModal(), mrAbort);
    EXPECT_NE(ScriptError().find("hidden"), std::string::npos);
    f.Free();
}

TEST_F(Forms, RemovingControlsFiresNoEventsAndKeepsThePagesRight) {
    auto& f = App().CreateForm<TestForm>();
    auto& pages = f.Get<PageControl>("Pages");
    pages.SetActivePageIndex(0);
    f.RemoveComponent(&f.Get<TabSheet>("TabSheet1"));
    EXPECT_EQ(f.pageChanges, 0) << "a sheet that goes away is no change by a person";
    ASSERT_EQ(pages.PageCount(), 1);
    EXPECT_EQ(pages.Page(0)->Name(), "TabSheet2");
    EXPECT_EQ(f.FindComponent("ColorBox1"), nullptr) << "the sheet's controls go with it";
    EXPECT_NE(f.FindComponent("Memo1"), nullptr);
    SetScript({"tab TabSheet2", "close ok"});
    EXPECT_EQ(f.ShowModal(), mrOk) << ScriptError();
    f.Free();  // destroying the form fires none of its handlers
}

TEST_F(Forms, OpenGLPanelsNeverTakeTheWindowDown) {
    auto& f = App().CreateForm<TestForm>();
    auto& panel = f.Add<Panel>("PanelGL");
    panel.SetBounds(10, 10, 100, 80);
    int painted = 0;
    panel.HostOpenGL({{}, {}, [&] { ++painted; }});
    EXPECT_EQ(panel.HostsOpenGL(), OpenGLViewsAvailable());
    SetScript({"screenshot form " + Path("gl.png"), "close ok"});
    EXPECT_EQ(f.ShowModal(), mrOk) << ScriptError();
    if (!panel.HostsOpenGL()) {
        EXPECT_THROW(panel.GrabOpenGL(), kvd::Error);
        EXPECT_TRUE(Logged("Panel PanelGL: no OpenGL on this platform"));
    }
    f.Free();
}

TEST_F(Forms, AFormReleasedDuringItsModalRunGoesAfterIt) {
    auto& f = App().CreateForm<TestForm>();
    int destroyed = 0;
    f.OnDestroy = [&] { ++destroyed; };
    f.Get<CheckBox>("CheckBox1").OnClick = [&] { f.Release(); };
    // Every action is followed by ProcessMessages: the form must survive them.
    SetScript({"check CheckBox1 on", "set Edit1 5", "click BitBtnOk"});
    EXPECT_EQ(f.ShowModal(), mrOk);
    EXPECT_EQ(destroyed, 0) << "the caller may still read the form after ShowModal";
    EXPECT_EQ(f.Get<Edit>("Edit1").Text(), "5");
    App().ProcessMessages();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(App().FindForm("TestForm"), nullptr);

    auto& g = App().CreateForm<TestForm>();
    g.OnClose = [](CloseAction& action) { action = CloseAction::Free; };
    EXPECT_EQ(g.ShowModal(), mrCancel);
    EXPECT_NE(App().FindForm("TestForm"), nullptr);
    App().ProcessMessages();
    EXPECT_EQ(App().FindForm("TestForm"), nullptr) << "closing with CloseAction::Free frees it";
}
