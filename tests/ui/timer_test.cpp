// Timers on the manual clock (and once on the steady clock).
#include <gtest/gtest.h>

#include "ui/clock.h"
#include "ui/controls.h"
#include "ui_fixture.h"

using namespace kvd::ui;
using kvd::ui::test::UiTest;

namespace {
class Timers : public UiTest {
protected:
    ScopedManualClock clock_{10000};
};

// The regeneration pattern: a one-shot timer restarted on every change.
struct Regenerating {
    Form form{"Regen"};
    Timer& timer = form.Add<Timer>("TimerRitraccia");
    std::vector<std::int64_t> fired;
    Regenerating() {
        timer.SetEnabled(false);
        timer.SetInterval(500);
        timer.OnTimer = [this] {
            timer.SetEnabled(false);
            fired.push_back(CurrentClock().NowMs());
        };
    }
    void Schedule() {
        timer.SetEnabled(false);
        timer.SetEnabled(true);
    }
};
}  // namespace

TEST_F(Timers, ABurstOfRestartsGivesOneExpiry500msAfterTheLast) {
    Regenerating r;
    for (int key = 0; key < 5; ++key) {  // five keys, 120 ms apart
        r.Schedule();
        clock_.Advance(120);
    }
    const std::int64_t lastKey = 10000 + 4 * 120;
    EXPECT_TRUE(r.fired.empty());
    clock_.Advance(10000);
    ASSERT_EQ(r.fired.size(), 1u);
    EXPECT_EQ(r.fired[0], lastKey + 500);
    EXPECT_EQ(CurrentClock().NowMs(), 10000 + 5 * 120 + 10000);
}

TEST_F(Timers, TimersFireOncePerExpiryInDueOrder) {
    Form f("T");
    auto& a = f.Add<Timer>("A");
    auto& b = f.Add<Timer>("B");
    std::vector<std::pair<char, std::int64_t>> events;
    a.SetInterval(500);
    b.SetInterval(300);
    a.OnTimer = [&] { events.emplace_back('a', CurrentClock().NowMs() - 10000); };
    b.OnTimer = [&] { events.emplace_back('b', CurrentClock().NowMs() - 10000); };
    a.SetEnabled(false), a.SetEnabled(true);
    b.SetEnabled(false), b.SetEnabled(true);
    clock_.Advance(1000);
    const std::vector<std::pair<char, std::int64_t>> want = {{'b', 300}, {'a', 500}, {'b', 600}, {'b', 900}, {'a', 1000}};
    EXPECT_EQ(events, want);
}

TEST_F(Timers, EnablingAnEnabledTimerDoesNotRestartItButANewIntervalDoes) {
    Form f("T");
    auto& t = f.Add<Timer>("T1");
    int fires = 0;
    t.OnTimer = [&] { ++fires; };
    t.SetInterval(400);  // enabled from the start: counts from now
    clock_.Advance(300);
    t.SetEnabled(true);
    clock_.Advance(100);
    EXPECT_EQ(fires, 1) << "Enabled := true on a running timer changes nothing";
    clock_.Advance(300);
    t.SetInterval(200);  // restarts from now
    clock_.Advance(199);
    EXPECT_EQ(fires, 1);
    clock_.Advance(1);
    EXPECT_EQ(fires, 2);
    t.SetInterval(0);
    clock_.Advance(5000);
    EXPECT_EQ(fires, 2) << "interval 0 never fires";
}

TEST_F(Timers, AHandlerMayFreeItsOwnForm) {
    auto& f = App().CreateForm<Form>("Doomed");
    auto& t = f.Add<Timer>("T1");
    t.SetInterval(100);
    bool destroyed = false;
    f.OnDestroy = [&] { destroyed = true; };
    t.OnTimer = [&] { f.Free(); };
    clock_.Advance(1000);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(App().FindForm("Doomed"), nullptr);
}

TEST_F(Timers, TheScriptAdvancesTheManualClock) {
    Regenerating r;
    auto& edit = r.form.Add<Edit>("Edit1");
    edit.OnChange = [&] { r.Schedule(); };
    SetScript({"type Edit1 123", "advance 499", "log after 499", "advance 1", "close ok"});
    std::size_t atLog = 0;
    SetLogSink([&](const std::string& l) {
        if (l == "Automation: after 499") atLog = r.fired.size();
    });
    EXPECT_EQ(r.form.ShowModal(), mrOk);
    EXPECT_EQ(atLog, 0u);
    ASSERT_EQ(r.fired.size(), 1u);
    EXPECT_EQ(r.fired[0], 10000 + 500);
}

TEST(SteadyTimers, FireFromTheEventLoop) {
    Application::Instance();
    Form f("Steady");
    auto& t = f.Add<Timer>("T1");
    int fires = 0;
    t.SetInterval(10);
    t.OnTimer = [&] {
        ++fires;
        t.SetEnabled(false);
    };
    t.SetEnabled(false);
    t.SetEnabled(true);
    LetTimePass(80);
    EXPECT_EQ(fires, 1);
}
