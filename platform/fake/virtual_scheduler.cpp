#include "virtual_scheduler.h"

#include <limits>

struct VirtualScheduler::Entry : TimerBackend {
    Entry(VirtualScheduler& s, Timer& t) : scheduler(s), timer(t) {}
    void start(int periodMs) override {
        period = periodMs;
        due = scheduler.nowMs_ + periodMs;
        running = true;
    }
    void stop() override { running = false; }

    VirtualScheduler& scheduler;
    Timer& timer;
    std::int64_t period = 0;
    std::int64_t due = 0;
    bool running = false;
};

VirtualScheduler::VirtualScheduler() = default;
VirtualScheduler::~VirtualScheduler() = default;

TimerBackend* VirtualScheduler::backendFor(Timer& timer) {
    entries_.push_back(std::make_unique<Entry>(*this, timer));
    return entries_.back().get();
}

void VirtualScheduler::advance(std::int64_t ms) {
    const std::int64_t end = nowMs_ + ms;
    for (;;) {
        Entry* next = nullptr;
        for (const auto& e : entries_)
            if (e->running && e->due <= end && (!next || e->due < next->due)) next = e.get();
        if (!next) break;
        nowMs_ = next->due;
        next->due += next->period;
        next->timer.tick(); // may restart or stop any timer, this one included
    }
    nowMs_ = end;
}
