#pragma once

#include "app/model_timer.h"

#include <cstdint>
#include <memory>
#include <vector>

// Virtual time for tests: model timers bound here tick only when the test runs time forward.
class VirtualScheduler {
public:
    VirtualScheduler();
    ~VirtualScheduler(); // out of line: Entry is complete only in the .cpp
    VirtualScheduler(const VirtualScheduler&) = delete;
    VirtualScheduler& operator=(const VirtualScheduler&) = delete;

    // A backend for one model timer; the scheduler keeps it alive.
    TimerBackend* backendFor(Timer& timer);

    std::int64_t nowMs() const { return nowMs_; }

    // Runs every tick due within the next `ms` milliseconds, in time order (ties in binding order).
    void advance(std::int64_t ms);

private:
    struct Entry;
    std::vector<std::unique_ptr<Entry>> entries_;
    std::int64_t nowMs_ = 0;
};
