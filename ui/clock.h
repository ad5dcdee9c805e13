// The time the layer's timers run on. The default clock is the steady clock;
// tests install a manual clock, and timers then fire only when it is advanced,
// at the exact times they are due.
#pragma once
#include <cstdint>

namespace kvd::ui {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t NowMs() const = 0;
    // A manual clock moves only through Advance; the timers follow it.
    virtual bool IsManual() const { return false; }
};

class SteadyClock final : public Clock {
public:
    std::int64_t NowMs() const override;
};

class ManualClock final : public Clock {
public:
    explicit ManualClock(std::int64_t startMs = 0) : now_(startMs) {}
    std::int64_t NowMs() const override { return now_; }
    bool IsManual() const override { return true; }
    // Moves time forward by `ms`, firing every timer that falls due on the
    // way, each at its own due time and in due order.
    void Advance(std::int64_t ms);

private:
    friend class TimerScheduler;
    std::int64_t now_;
};

// The clock in force. Installing nullptr restores the steady clock. The
// caller keeps ownership of an installed clock.
Clock& CurrentClock();
void InstallClock(Clock* clock);

// Installs a manual clock for the life of the object.
class ScopedManualClock {
public:
    explicit ScopedManualClock(std::int64_t startMs = 0);
    ~ScopedManualClock();
    ScopedManualClock(const ScopedManualClock&) = delete;
    ScopedManualClock& operator=(const ScopedManualClock&) = delete;
    ManualClock& clock() { return clock_; }
    void Advance(std::int64_t ms) { clock_.Advance(ms); }

private:
    ManualClock clock_;
    Clock* previous_;
};

// Lets the time pass: advances a manual clock, or runs the event loop for
// `ms` milliseconds of real time on the steady clock.
void LetTimePass(std::int64_t ms);

}  // namespace kvd::ui
