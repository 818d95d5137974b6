#include "app/model_timer.h"
#include "platform/qt/qt_timer_backend.h"
#include "qt_test_support.h"

#include <gtest/gtest.h>

TEST(QtTimerBackend, FollowsTheModelsPeriodRules) {
    Timer timer(0);
    int ticks = 0;
    timer.setAction([&] { ++ticks; });
    QtTimerBackend backend(timer);
    timer.bind(&backend);
    EXPECT_FALSE(backend.qtimer().isActive());
    EXPECT_EQ(backend.qtimer().timerType(), Qt::PreciseTimer);

    timer.setPeriod(40);
    ASSERT_TRUE(backend.qtimer().isActive());
    EXPECT_EQ(backend.qtimer().interval(), 40);

    // The same period again: the countdown goes on, the next tick is not delayed.
    QTest::qWait(25);
    const int left = backend.qtimer().remainingTime();
    timer.setPeriod(40);
    EXPECT_LE(backend.qtimer().remainingTime(), left);

    ASSERT_TRUE(waitFor([&] { return ticks >= 3; }, 2000));
    timer.setPeriod(-5);
    EXPECT_EQ(timer.period(), 0);
    EXPECT_FALSE(backend.qtimer().isActive());
    const int stoppedAt = ticks;
    QTest::qWait(120);
    EXPECT_EQ(ticks, stoppedAt);
}

TEST(QtTimerBackend, ATimerCreatedWithAPeriodRunsOnceBound) {
    Timer timer(300);
    QtTimerBackend backend(timer);
    timer.bind(&backend);
    EXPECT_TRUE(backend.qtimer().isActive());
    EXPECT_EQ(backend.qtimer().interval(), 300);
    timer.setPeriod(80);
    EXPECT_EQ(backend.qtimer().interval(), 80);
}
