// Runs the layer's timers: on the steady clock one precise Qt timer is armed
// for the next due timer; on a manual clock timers fire while it advances.
#pragma once
#include <cstdint>
#include <vector>

class QTimer;

namespace kvd::ui {

class Timer;
class ManualClock;

class TimerScheduler {
public:
    static TimerScheduler& Instance();
    void Start(Timer* t);  // (re)starts the count from now
    void Stop(Timer* t);
    void Advance(ManualClock& clock, std::int64_t ms);
    // The clock was replaced: running timers count again from its now.
    void ClockChanged();
    std::size_t RunningCount() const { return running_.size(); }

private:
    TimerScheduler() = default;
    ~TimerScheduler();
    Timer* NextDue(std::int64_t limit) const;
    void Fire(Timer* t, std::int64_t now);
    void Arm();
    void OnQtTimer();

    std::vector<Timer*> running_;
    QTimer* qt_ = nullptr;
    std::uint64_t order_ = 0;
};

}  // namespace kvd::ui
