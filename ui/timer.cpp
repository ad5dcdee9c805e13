#include "ui/timer.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

#include "kvd/ui_process.h"
#include "ui/application.h"
#include "ui/clock.h"
#include "ui/timer_scheduler.h"

namespace kvd::ui {

Timer::Timer(Form* owner, std::string name, Control*) : Component(owner, std::move(name)) {}

Timer::~Timer() {
    if (running_) TimerScheduler::Instance().Stop(this);
}

void Timer::SetInterval(std::int64_t ms) {
    if (ms == interval_) return;
    interval_ = ms;
    Update();
}

void Timer::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    Update();
}

void Timer::Update() {
    if (running_) TimerScheduler::Instance().Stop(this);
    if (enabled_ && interval_ > 0) TimerScheduler::Instance().Start(this);
}

// Runs when the library holding this copy of the layer is unloaded (or the
// process ends): the Qt timer and its connection into this code go with it
// while the application lives; without one, Qt objects are left alone.
TimerScheduler::~TimerScheduler() {
    if (qt_ && QCoreApplication::instance()) delete qt_;
    qt_ = nullptr;
}

TimerScheduler& TimerScheduler::Instance() {
    static TimerScheduler s;
    return s;
}

void TimerScheduler::Start(Timer* t) {
    t->running_ = true;
    t->dueAt_ = CurrentClock().NowMs() + t->interval_;
    t->order_ = ++order_;
    if (std::find(running_.begin(), running_.end(), t) == running_.end()) running_.push_back(t);
    Arm();
}

void TimerScheduler::Stop(Timer* t) {
    t->running_ = false;
    running_.erase(std::remove(running_.begin(), running_.end(), t), running_.end());
    Arm();
}

Timer* TimerScheduler::NextDue(std::int64_t limit) const {
    Timer* best = nullptr;
    for (Timer* t : running_) {
        if (t->dueAt_ > limit) continue;
        if (!best || t->dueAt_ < best->dueAt_ || (t->dueAt_ == best->dueAt_ && t->order_ < best->order_)) best = t;
    }
    return best;
}

// One event per expiry: a timer that fell behind is not fired again for the
// intervals it missed.
void TimerScheduler::Fire(Timer* t, std::int64_t now) {
    std::int64_t next = t->dueAt_ + t->interval_;
    t->dueAt_ = next > now ? next : now + t->interval_;
    t->order_ = ++order_;
    // Armed before the handler runs: a handler that opens a modal dialog
    // does not hold up the other timers.
    Arm();
    auto handler = t->OnTimer;  // the handler may stop, restart or delete the timer
    if (handler) handler();
}

void TimerScheduler::Advance(ManualClock& clock, std::int64_t ms) {
    const std::int64_t target = clock.now_ + std::max<std::int64_t>(ms, 0);
    while (Timer* t = NextDue(target)) {
        clock.now_ = std::max(clock.now_, t->dueAt_);
        Fire(t, clock.now_);
    }
    clock.now_ = target;
}

void TimerScheduler::ClockChanged() {
    std::int64_t now = CurrentClock().NowMs();
    for (Timer* t : running_) t->dueAt_ = now + t->interval_;
    Arm();
}

void TimerScheduler::Arm() {
    if (CurrentClock().IsManual() || running_.empty()) {
        if (qt_) qt_->stop();
        return;
    }
    if (!qt_) {
        Application::Instance();
        qt_ = new QTimer();  // lives as long as the scheduler
        qt_->setSingleShot(true);
        qt_->setTimerType(Qt::PreciseTimer);
        QObject::connect(qt_, &QTimer::timeout, [this] { OnQtTimer(); });
    }
    std::int64_t now = CurrentClock().NowMs();
    std::int64_t due = INT64_MAX;
    for (Timer* t : running_) due = std::min(due, t->dueAt_);
    qt_->start(static_cast<int>(std::clamp<std::int64_t>(due - now, 0, 1 << 30)));
}

void TimerScheduler::OnQtTimer() {
    uiproc::SharedState* s = uiproc::State();
    if (s && s->inputPeekDepth > 0) {  // a pending-input query is pumping: fire later
        qt_->start(5);
        return;
    }
    if (CurrentClock().IsManual()) return;
    std::int64_t now = CurrentClock().NowMs();
    // Only the timers due now; those a handler starts wait for the next round.
    std::vector<Timer*> due;
    for (Timer* t : running_)
        if (t->dueAt_ <= now) due.push_back(t);
    std::sort(due.begin(), due.end(), [](Timer* a, Timer* b) {
        return a->dueAt_ != b->dueAt_ ? a->dueAt_ < b->dueAt_ : a->order_ < b->order_;
    });
    for (Timer* t : due) {
        // Skip timers that an earlier handler stopped, restarted or deleted.
        if (std::find(running_.begin(), running_.end(), t) == running_.end() || t->dueAt_ > now) continue;
        Fire(t, now);
    }
    Arm();
}

}  // namespace kvd::ui
