// The app link against a fake host window: commands posted one character per
// message, waits that end on the answer or after 5000 ms of the manual
// clock, the answer codes, drawings sent element by element, and the send
// to Lintra.
#include <functional>

#include "engine_fixture.h"
#include "kvd/ui_process.h"
#include "templates/regeneration.h"
#include "templates/template_output.h"
#include "ui/clock.h"
#include "ui/form.h"
#include "ui/ui_log.h"

namespace kvd::test {
namespace {

constexpr std::uint32_t kHostMessage = 0x8000 + 7;

struct Command {
    std::uintptr_t code;
    std::string text;
    bool operator==(const Command&) const = default;
};

// The host's window: collects each command (its characters up to the 13)
// and answers as `answer` says.
class FakeHost {
public:
    std::function<bool(const Command&)> answer = [](const Command&) { return true; };
    std::vector<std::pair<std::uintptr_t, std::intptr_t>> raw;
    std::vector<Command> commands;
    ui::WindowHandle replyTo = 0;
    std::string replyText = "OK";
    std::uintptr_t replyCode = 9;

    FakeHost()
        : receiver_([this](std::uint32_t msg, std::uintptr_t w, std::intptr_t l) {
              if (msg != kHostMessage) return;
              raw.emplace_back(w, l);
              if (w != 13) {
                  code_ = w;
                  text_ += static_cast<char>(l);
                  return;
              }
              Command c{code_, text_};
              text_.clear();
              commands.push_back(c);
              if (answer(c)) Reply(replyCode, replyText);
          }) {}
    ui::WindowHandle Handle() const { return receiver_.Handle(); }
    void Reply(std::uintptr_t code, const std::string& text) const {
        for (char ch : text) ui::PostMessage(replyTo, kAppLinkAnswerMessage, code, static_cast<unsigned char>(ch));
        ui::PostMessage(replyTo, kAppLinkAnswerMessage, 13, 0);
    }

private:
    uiproc::WindowReceiver receiver_;
    std::uintptr_t code_ = 0;
    std::string text_;
};

class AppLinkTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        form_ = std::make_unique<ui::Form>("Poligono");
        form_->SetMessageHandler(kAppLinkAnswerMessage, AppLinkAnswerHandler);
        host_ = std::make_unique<FakeHost>();
        host_->replyTo = form_->Handle();
        AppLink().endpoint = {host_->Handle(), kHostMessage};
        AppLink().formHandle = form_->Handle();
        ui::SetLogSink([this](const std::string& l) { uiLog_.push_back(l); });
    }
    void TearDown() override {
        ui::SetLogSink({});
        host_.reset();
        form_.reset();
        EngineTest::TearDown();
    }
    bool UiLogged(const std::string& part) const {
        for (const auto& l : uiLog_)
            if (l.find(part) != std::string::npos) return true;
        return false;
    }
    std::unique_ptr<ui::Form> form_;
    std::unique_ptr<FakeHost> host_;
    std::vector<std::string> uiLog_;
    ui::ScopedManualClock clock_{1000};
};

TEST_F(AppLinkTest, CommandIsOneMessagePerCharacterThenA13) {
    PostCommand(47, "A6");
    ui::ProcessMessages();
    const std::vector<std::pair<std::uintptr_t, std::intptr_t>> want = {{47, 65}, {47, 54}, {13, 0}};
    EXPECT_EQ(host_->raw, want);

    host_->raw.clear();
    AppLink().endpoint.window = 0;
    PostCommand(47, "A6");
    ui::ProcessMessages();
    EXPECT_TRUE(host_->raw.empty());
}

TEST_F(AppLinkTest, AnswerEndsTheWaitAtOnce) {
    const std::int64_t before = clock_.clock().NowMs();
    EXPECT_FALSE(SendAppLinkWaitingAnswers(47, "A6"));
    EXPECT_TRUE(AppLink().answerReceived);
    EXPECT_LT(clock_.clock().NowMs() - before, 10);
    EXPECT_TRUE(AppLink().answer.empty());
    EXPECT_FALSE(AppLink().busy);
    EXPECT_TRUE(PendingLogLines().empty()) << LogText();
}

TEST_F(AppLinkTest, SilentHostTimesOutAfter5000msWithTheLogLines) {
    host_->answer = [](const Command&) { return false; };
    const std::int64_t before = clock_.clock().NowMs();
    EXPECT_TRUE(SendCommandWaiting(47, 5000, "A6", "Lintra"));
    EXPECT_EQ(clock_.clock().NowMs() - before, 5001);
    const std::vector<std::string> want = {
        "TimeOut on Lintra(47)[A6] delay=5001>5000",
        "[TimeOutSending] executing: [Lintra] sending: A6",
        "TimeOutSending: ReceivedAnswer=FALSE TimeOut=TRUE A6",
    };
    EXPECT_EQ(PendingLogLines(), want);
}

TEST_F(AppLinkTest, InactiveLinkTimesOutWithoutPosting) {
    AppLink().endpoint = {};
    EXPECT_TRUE(SendAppLinkWaitingAnswers(15, "X"));
    EXPECT_TRUE(Logged("TimeOut on SendAppLinkWaitingAnswers(15)[X] delay=5001>5000"));
}

TEST_F(AppLinkTest, AnswerCode18ShowsTheTextWhileTheSenderKeepsWaiting) {
    host_->answer = [this](const Command&) {
        host_->Reply(18, "Attenzione");
        return false;
    };
    EXPECT_TRUE(SendAppLinkWaitingAnswers(47, "A6"));
    EXPECT_TRUE(UiLogged("Attenzione")) << "the message box was not shown";
    EXPECT_FALSE(AppLink().answerReceived);
}

TEST_F(AppLinkTest, AnswerCode63PostsCode9Back) {
    host_->answer = [](const Command&) { return false; };
    host_->Reply(63, " ");
    ui::ProcessMessages();
    ui::ProcessMessages();
    ASSERT_EQ(host_->commands.size(), 1u);
    EXPECT_EQ(host_->commands[0], (Command{9, " "}));
    EXPECT_FALSE(AppLink().answerReceived);
}

// A drawing of two contours: a square (start + 4 lines) and a lone point.
void TwoContours() {
    CurrentElement.Kind = ecStart;
    AddShapeElement();
    CurrentElement.Kind = ecLine;
    CurrentElement.X = 10;
    AddShapeElement();
    CurrentElement.Kind = ecStart;
    CurrentElement.X = 5;
    CurrentElement.Y = 5;
    AddShapeElement();
}

// The host answers every command but the element count and the end code,
// which are posted without waiting.
bool NotForTheCount(const Command& c) { return !(c.code == 48 && c.text.rfind("N", 0) == 0) && c.code != 92; }

TEST_F(AppLinkTest, DrawingSentWholeOrFirstContourOnly) {
    host_->answer = NotForTheCount;
    TwoContours();
    EXPECT_FALSE(SendDrawingWaitingAnswers(FirstContainerElements(), 48, 92, true, true, 6, 1, 2));
    ui::ProcessMessages();  // the end code is posted, not waited for
    auto e = Elements();
    ASSERT_EQ(host_->commands.size(), 7u);
    EXPECT_EQ(host_->commands[0], (Command{63, " "}));
    EXPECT_EQ(host_->commands[1], (Command{48, "N3"}));
    EXPECT_EQ(host_->commands[2], (Command{63, " "}));
    EXPECT_EQ(host_->commands[3], (Command{48, ElementCommandText(*e[0], true, 6, 1, 2)}));
    EXPECT_EQ(host_->commands[5], (Command{48, ElementCommandText(*e[2], true, 6, 1, 2)}));
    EXPECT_EQ(host_->commands[6], (Command{92, " "}));
    const std::string f = FormatRealFixed(6, 0), one = FormatRealFixed(6, 1);
    EXPECT_EQ(ElementCommandText(*e[1], false, 6, 0, 0),
              "T1X" + FormatRealFixed(6, 10) + "Y" + f + "Z" + f + "B" + f + "S6P0D0E0U" + f + "V" + f + "W" + f +
                  "J0r0g0b0w0d0");
    EXPECT_EQ(ElementCommandText(*e[0], true, 6, 1, 0).substr(0, 3 + one.size()), "T0X" + one);

    host_->commands.clear();
    EXPECT_FALSE(SendDrawingWaitingAnswers(FirstContainerElements(), 48, 0, false, false, 6, 0, 0));
    ASSERT_EQ(host_->commands.size(), 5u);  // no end code
    EXPECT_EQ(host_->commands[1], (Command{48, "N2"}));
}

TEST_F(AppLinkTest, HostSilentOnTheFirst63SendsNoElementButTheEndCode) {
    host_->answer = [](const Command&) { return false; };
    TwoContours();
    EXPECT_TRUE(SendDrawingWaitingAnswers(FirstContainerElements(), 48, 92, true, false, 6, 0, 0));
    ui::ProcessMessages();
    ASSERT_EQ(host_->commands.size(), 2u);
    EXPECT_EQ(host_->commands[0], (Command{63, " "}));
    EXPECT_EQ(host_->commands[1], (Command{92, " "}));
    EXPECT_TRUE(Logged("TimeOut on SendDrawingWaitingAnswers (1)")) << LogText();
}

TEST_F(AppLinkTest, SendToLintraSequence) {
    Host.SetByte(408, 0x80);
    TemplateParams.MarkingText[kKindRectangle] = "P1";
    host_->answer = NotForTheCount;
    TemplateParams.RectWidth = 100;
    TemplateParams.RectHeight = 50;
    RegenerateDrawing(TemplateTab::Rettangolo);
    TemplateModified = true;
    int scheduled = 0;
    EXPECT_TRUE(SendToLintra([&] { ++scheduled; }));
    ui::ProcessMessages();
    EXPECT_EQ(scheduled, 1);
    EXPECT_FALSE(TemplateModified);
    ASSERT_GE(host_->commands.size(), 8u);
    EXPECT_EQ(host_->commands[0],
              (Command{15, "N2M6D0S33173H" + std::to_string(form_->Handle())}));
    EXPECT_EQ(host_->commands[1], (Command{47, "A6"}));
    EXPECT_EQ(host_->commands[2], (Command{63, " "}));
    EXPECT_EQ(host_->commands[3], (Command{101, "P1"}));
    EXPECT_EQ(host_->commands[4].code, 102u);
    EXPECT_EQ(host_->commands[5], (Command{105, " "}));
    EXPECT_EQ(host_->commands[6], (Command{106, "M6"}));
    EXPECT_EQ(host_->commands[8], (Command{48, "N5"}));
    EXPECT_EQ(host_->commands.back(), (Command{92, " "}));
    EXPECT_TRUE(PendingLogLines().empty()) << LogText();

    // Without the link nothing happens.
    host_->commands.clear();
    AppLink().endpoint = {};
    EXPECT_FALSE(SendToLintra([&] { ++scheduled; }));
    EXPECT_EQ(scheduled, 1);
}

}  // namespace
}  // namespace kvd::test
