// Message dialogs and the file chooser without a person: answered by the
// script or by their defaults, and logged.
#include <gtest/gtest.h>

#include <fstream>

#include "ui/dialogs.h"
#include "ui/controls.h"
#include "ui_fixture.h"

using namespace kvd::ui;
using kvd::ui::test::UiTest;

namespace {
class Dialogs : public UiTest {};
}  // namespace

TEST_F(Dialogs, EveryKindAnswersHeadlessByItsDefault) {
    struct Case {
        int kind;
        std::vector<std::string> buttons;
        std::string defaultAnswer;
        bool result;
        int lastResult;
    };
    const Case cases[] = {
        {0, {"ok", "cancel"}, "ok", true, mrOk},
        {1, {"yes", "no", "cancel"}, "yes", true, mrYes},
        {2, {"ok"}, "ok", false, -1},
        {4, {"ok"}, "ok", false, mrOk},
        {6, {"cancel"}, "cancel", false, mrCancel},
        {7, {"ok", "cancel"}, "ok", true, mrOk},
        {8, {"yes", "cancel"}, "yes", true, mrYes},
        {9, {"cancel"}, "cancel", false, -1},
        {10, {"ok"}, "ok", false, mrOk},
        {11, {"yes", "no", "cancel", "notoall", "yestoall"}, "yes", false, mrYes},
        {12, {"ok"}, "ok", false, mrOk},
        {3, {"yes", "no"}, "yes", true, mrYes},
        {99, {"yes", "no"}, "yes", true, mrYes},
    };
    for (const Case& c : cases) {
        log_.clear();
        std::string text = "Messaggio " + std::to_string(c.kind);
        EXPECT_EQ(AskUserButtons(c.kind), c.buttons) << c.kind;
        EXPECT_EQ(AskUserDefaultAnswer(c.kind), c.defaultAnswer) << c.kind;
        EXPECT_EQ(AskUser(c.kind, text), c.result) << c.kind;
        EXPECT_EQ(Messages().lastDialogResult, c.lastResult) << c.kind;
        EXPECT_FALSE(Messages().dialogOpen);
        ASSERT_GE(log_.size(), 2u) << c.kind;
        EXPECT_EQ(log_[0], "ShowMessage: " + text);
        EXPECT_EQ(log_[1], "AskUser(" + std::to_string(c.kind) + "): answered " + c.defaultAnswer + " by default (headless)");
    }
}

TEST_F(Dialogs, TheScriptAnswersTheNextMessage) {
    struct Case {
        int kind;
        std::string answer;
        bool result;
        int lastResult;
    };
    const Case cases[] = {
        {1, "no", false, mrNo},           {1, "cancel", false, mrCancel}, {0, "cancel", false, mrCancel},
        {11, "yestoall", false, mrYesToAll}, {11, "notoall", false, mrNoToAll}, {2, "OK", false, -1},
        {8, "yes", true, mrYes},
    };
    for (const Case& c : cases) {
        SetScript({"answer " + c.answer});
        EXPECT_EQ(AskUser(c.kind, "Domanda"), c.result) << c.kind << " " << c.answer;
        EXPECT_EQ(Messages().lastDialogResult, c.lastResult) << c.kind << " " << c.answer;
        EXPECT_EQ(ScriptLinesLeft(), 0);
        EXPECT_FALSE(ScriptFailed());
    }
    EXPECT_TRUE(Logged("AskUser(8): answered yes by the script"));
}

TEST_F(Dialogs, AnAnswerTheDialogDoesNotOfferStopsTheScript) {
    SetScript({"# first", "answer yes"});
    EXPECT_FALSE(AskUser(7, "Sovrascrivere?")) << "no person, no script: nothing positive";
    EXPECT_TRUE(ScriptFailed());
    EXPECT_NE(ScriptError().find("line 2"), std::string::npos) << ScriptError();
    EXPECT_NE(ScriptError().find("ok, cancel"), std::string::npos) << ScriptError();
}

TEST_F(Dialogs, SilentModeShowsNothingAndLeavesTheScriptAlone) {
    Messages().messageOptions = kSilentMessagesBit;
    SetScript({"answer yes"});
    EXPECT_FALSE(AskUser(1, "Silenzio"));
    EXPECT_EQ(Messages().lastDialogResult, -1);
    EXPECT_EQ(log_, (std::vector<std::string>{"ShowMessage: Silenzio"}));
    EXPECT_EQ(ScriptLinesLeft(), 1);
}

TEST_F(Dialogs, AScriptAnswerAfterAClickAnswersTheMessageTheClickShows) {
    Form f("Lapide");
    f.SetClientSize(100, 60);
    auto& del = f.Add<BitButton>("BitBtnWithColor6");
    std::vector<bool> answers;
    del.OnClick = [&] { answers.push_back(AskUser(1, "Eliminare?")); };
    SetScript({"click BitBtnWithColor6", "answer no", "click BitBtnWithColor6", "answer yes",
               "click BitBtnWithColor6", "close ok"});
    EXPECT_EQ(f.ShowModal(), mrOk) << ScriptError();
    EXPECT_EQ(answers, (std::vector<bool>{false, true, true})) << "the third click has no answer: the default";
}

TEST_F(Dialogs, FileChooserTakesTheScriptsPathOrCancel) {
    std::string existing = Path("sasso.jpg");
    std::ofstream(existing) << "x";
    FileChooser open;
    open.folder = dir_.string();
    open.extensions = ".JPG;.BMP";
    SetScript({"file " + existing, "file cancel", "file " + Path("missing.jpg")});
    EXPECT_TRUE(open.Execute());
    EXPECT_EQ(open.fileName, existing);
    EXPECT_TRUE(Logged("FileChooser: open in " + dir_.string() + " [.JPG;.BMP]: " + existing + " (script)")) << LogText();
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.fileName, existing) << "a cancel leaves the result as it was";
    EXPECT_FALSE(open.Execute());
    EXPECT_TRUE(ScriptFailed()) << "a file to open must exist";
    EXPECT_NE(ScriptError().find("line 3"), std::string::npos);

    ClearScript();
    FileChooser save;
    save.save = true;
    save.defaultName = "*.ZW7";
    save.extensions = ".ZW7";
    SetScript({"file " + Path("parte con spazi")});
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ(save.fileName, Path("parte con spazi") + ".ZW7") << "the first extension is added when missing";
    EXPECT_FALSE(save.Execute()) << "no answer left: cancelled";
    EXPECT_TRUE(Logged("cancelled (headless, no answer in the script)"));
}

TEST(ExtensionLists, AllTheFormsTheDialogsUse) {
    using V = std::vector<std::string>;
    EXPECT_EQ(ParseExtensionList(".JPG;.BMP"), (V{".JPG", ".BMP"}));
    EXPECT_EQ(ParseExtensionList(".JPG.BMP"), (V{".JPG", ".BMP"}));
    EXPECT_EQ(ParseExtensionList("*.DXF;*.ZW7"), (V{".DXF", ".ZW7"}));
    EXPECT_EQ(ParseExtensionList(".ZL7;.ZL6;.ZL5"), (V{".ZL7", ".ZL6", ".ZL5"}));
    EXPECT_EQ(ParseExtensionList(""), V{});
    EXPECT_EQ(ParseExtensionList("."), V{});
}
