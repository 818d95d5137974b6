#pragma once

#include <functional>

// What runs a model timer: a QTimer in the program, a virtual scheduler in tests.
class TimerBackend {
public:
    virtual ~TimerBackend() = default;
    virtual void start(int periodMs) = 0; // (re)starts the countdown
    virtual void stop() = 0;
};

// A timer with a period in milliseconds. A negative period is stored as 0; setting the period it already
// has changes nothing (a running timer is not restarted); another positive period restarts the countdown;
// 0 stops it.
class Timer {
public:
    explicit Timer(int period = 0) : period_(period < 0 ? 0 : period) {}
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int period() const { return period_; }

    void setPeriod(int period) {
        if (period < 0) period = 0;
        if (period == period_) return;
        period_ = period;
        if (!backend_) return;
        if (period_ > 0)
            backend_->start(period_);
        else
            backend_->stop();
    }

    void setAction(std::function<void()> action) { action_ = std::move(action); }

    // Binds the timer to what runs it; a timer created with a period starts at once.
    void bind(TimerBackend* backend) {
        backend_ = backend;
        if (backend_ && period_ > 0) backend_->start(period_);
    }

    void tick() {
        if (action_ && period_ > 0) action_();
    }

private:
    int period_;
    std::function<void()> action_;
    TimerBackend* backend_ = nullptr;
};
