// Window timers: a timer with an interval fires its event once per expiry
// while it is enabled; enabling it again or changing its interval restarts
// the count. Timers are components of a form and run on the event loop (or on
// the manual clock in tests).
#pragma once
#include <cstdint>
#include <functional>

#include "ui/component.h"

namespace kvd::ui {

class Timer : public Component {
public:
    Timer(Form* owner, std::string name, Control* parent = nullptr);
    ~Timer() override;
    const char* ClassName() const override { return "Timer"; }

    std::int64_t Interval() const { return interval_; }
    void SetInterval(std::int64_t ms);  // restarts an enabled timer when it changes
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);  // false -> true restarts the count
    // When the timer is next due (clock milliseconds), or -1 when it is not running.
    std::int64_t DueAt() const { return running_ ? dueAt_ : -1; }

    std::function<void()> OnTimer;

private:
    friend class TimerScheduler;
    void Update();

    std::int64_t interval_ = 1000;
    bool enabled_ = true;
    bool running_ = false;
    std::int64_t dueAt_ = 0;
    std::uint64_t order_ = 0;  // ties of equal due times fire in start order
};

}  // namespace kvd::ui
