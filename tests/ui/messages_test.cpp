// Window handles, posted messages and the input-state queries.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "kvd/ui_process.h"
#include "ui/clock.h"
#include "ui/controls.h"
#include "ui/input_state.h"
#include "ui/messages.h"
#include "ui_fixture.h"

using namespace kvd::ui;
using kvd::ui::test::UiTest;

namespace {
class Messaging : public UiTest {};
constexpr std::uint32_t kAnswer = 33173;
}  // namespace

TEST_F(Messaging, PostedMessagesReachTheHandlerInsideProcessMessagesInOrder) {
    Form f("Poligono");
    ASSERT_NE(f.Handle(), 0u);
    EXPECT_TRUE(IsWindowHandle(f.Handle()));
    std::vector<std::pair<std::uintptr_t, std::intptr_t>> got;
    f.SetMessageHandler(kAnswer, [&](std::uintptr_t w, std::intptr_t l) { got.emplace_back(w, l); });
    EXPECT_TRUE(PostMessage(f.Handle(), kAnswer, 9, 'O'));
    EXPECT_TRUE(PostMessage(f.Handle(), 12345, 1, 2));  // no handler: dropped quietly
    EXPECT_TRUE(PostMessage(f.Handle(), kAnswer, 9, 'K'));
    EXPECT_TRUE(PostMessage(f.Handle(), kAnswer, 13, 0));
    EXPECT_TRUE(got.empty()) << "posting never runs the handler";
    ProcessMessages();
    const std::vector<std::pair<std::uintptr_t, std::intptr_t>> want = {{9, 'O'}, {9, 'K'}, {13, 0}};
    EXPECT_EQ(got, want);
}

TEST_F(Messaging, HandlesAreDistinctAndDieWithTheirForm) {
    auto* a = new Form("A");
    Form b("B");
    WindowHandle ha = a->Handle();
    EXPECT_NE(ha, b.Handle());
    delete a;
    EXPECT_FALSE(IsWindowHandle(ha));
    EXPECT_FALSE(PostMessage(ha, 1, 0, 0));
    EXPECT_FALSE(PostMessage(0, 1, 0, 0));
}

// The host's side of the app link: a receiver of its own, answering the form.
TEST_F(Messaging, AHostWindowAndAFormTalkBothWays) {
    Form form("Poligono");
    std::string received;
    kvd::uiproc::WindowReceiver host([&](std::uint32_t msg, std::uintptr_t w, std::intptr_t l) {
        if (msg != 0x8000 + 1) return;
        if (w == 13) {
            for (char c : std::string("OK")) PostMessage(form.Handle(), kAnswer, 9, c);
            PostMessage(form.Handle(), kAnswer, 13, 0);
        } else {
            received += static_cast<char>(l);
        }
    });
    std::string answer;
    bool answered = false;
    form.SetMessageHandler(kAnswer, [&](std::uintptr_t w, std::intptr_t l) {
        if (w == 13)
            answered = true;
        else
            answer += static_cast<char>(l);
    });
    for (char c : std::string("A6")) PostMessage(host.Handle(), 0x8000 + 1, 47, c);
    PostMessage(host.Handle(), 0x8000 + 1, 13, 0);
    for (int i = 0; i < 10 && !answered; ++i) ProcessMessages();
    EXPECT_EQ(received, "A6");
    EXPECT_TRUE(answered);
    EXPECT_EQ(answer, "OK");
}

TEST_F(Messaging, ARightPressWaitingInTheQueueIsSeenAndNothingElseRuns) {
    Form f("Import");
    f.SetClientSize(100, 100);
    f.Show();
    ProcessMessages();
    int delivered = 0;
    f.SetMessageHandler(7, [&](std::uintptr_t, std::intptr_t) { ++delivered; });
    PostMessage(f.Handle(), 7, 0, 0);
    QPointF at(10, 10);
    QCoreApplication::postEvent(f.Widget(), new QMouseEvent(QEvent::MouseButtonPress, at, f.Widget()->mapToGlobal(at),
                                                            Qt::RightButton, Qt::RightButton, Qt::NoModifier));
    EXPECT_TRUE(RightButtonPending());
    EXPECT_EQ(delivered, 0) << "the query lets no handler of the dialog run";
    EXPECT_TRUE(RightButtonPending()) << "the press stays pending until cleared";
    ClearRightButtonPress();
    EXPECT_FALSE(RightButtonPending());
    for (int i = 0; i < 20 && delivered == 0; ++i) LetTimePass(10);
    EXPECT_EQ(delivered, 1) << "the message waited and came afterwards";
    SimulateRightButtonPress();
    EXPECT_TRUE(RightButtonPending());
}

TEST_F(Messaging, ShiftCanBeHeldForTheProcess) {
    EXPECT_FALSE(ShiftDown()) << "nobody holds Shift on the offscreen platform";
    SetShiftOverride(true);
    EXPECT_TRUE(ShiftDown());
    SetShiftOverride(std::nullopt);
    EXPECT_FALSE(ShiftDown());
}
