#pragma once

#include "app/model_timer.h"

#include <QTimer>

// Runs one model timer on a QTimer. The model decides when to (re)start or stop; this only obeys.
class QtTimerBackend : public TimerBackend {
public:
    explicit QtTimerBackend(Timer& timer);
    void start(int periodMs) override;
    void stop() override;
    const QTimer& qtimer() const { return timer_; }

private:
    QTimer timer_;
};
