#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <functional>

// Runs the event loop until `done` holds or `ms` have passed; the X server answers asynchronously.
inline bool waitFor(const std::function<bool()>& done, int ms = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QTest::qWait(10);
    }
    return true;
}

// Colour values are R + 256 * G + 65536 * B.
constexpr int colorValue(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}
