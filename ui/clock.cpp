#include "ui/clock.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>

#include "ui/application.h"
#include "ui/timer_scheduler.h"

namespace kvd::ui {

std::int64_t SteadyClock::NowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

namespace {
SteadyClock& Steady() {
    static SteadyClock c;
    return c;
}
Clock*& Installed() {
    static Clock* c = nullptr;
    return c;
}
}  // namespace

Clock& CurrentClock() { return Installed() ? *Installed() : Steady(); }

void InstallClock(Clock* clock) {
    Installed() = clock;
    TimerScheduler::Instance().ClockChanged();
}

void ManualClock::Advance(std::int64_t ms) { TimerScheduler::Instance().Advance(*this, ms); }

ScopedManualClock::ScopedManualClock(std::int64_t startMs) : clock_(startMs), previous_(Installed()) {
    InstallClock(&clock_);
}

ScopedManualClock::~ScopedManualClock() { InstallClock(previous_); }

void LetTimePass(std::int64_t ms) {
    Clock& c = CurrentClock();
    if (c.IsManual()) {
        static_cast<ManualClock&>(c).Advance(ms);
        ProcessMessages();
        return;
    }
    if (ms <= 0) {
        ProcessMessages();
        return;
    }
    Application::Instance();
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(ms), &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace kvd::ui
