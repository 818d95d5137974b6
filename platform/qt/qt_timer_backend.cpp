#include "qt_timer_backend.h"

QtTimerBackend::QtTimerBackend(Timer& timer) {
    // Coarse timers may fire up to 5% late, which would make equal periods drift apart and bars that
    // should move together tick separately.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [&timer] { timer.tick(); });
}

void QtTimerBackend::start(int periodMs) {
    timer_.start(periodMs);
}

void QtTimerBackend::stop() {
    timer_.stop();
}
