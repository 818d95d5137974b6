#include "test_support.h"
#include "timebar/time_bar.h"
#include "timebar/timing_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

DateTime at(int hour, int minute, int second, int day = 11) {
    return {2026, 12, day, hour, minute, second};
}

DateTime secondsBefore(const DateTime& t, std::int64_t seconds) {
    return fromWallClockSeconds(wallClockSeconds(t) - seconds);
}

struct Periods {
    int scrolling;
    int still;
    int stillWithTiming;
    bool operator==(const Periods&) const = default;
};

Periods periods(const MainWindow& w) {
    return {w.时钟_时间条滚动.period(), w.时钟_时间条不滚动.period(), w.时钟_时间条不滚动带计时.period()};
}

std::ostream& operator<<(std::ostream& os, const Periods& p) {
    return os << "{" << p.scrolling << ", " << p.still << ", " << p.stillWithTiming << "}";
}

} // namespace

TEST(TimingText, ClockTimesAndStartsGiveExactTexts) {
    struct Case {
        DateTime now;
        DateTime start;
        std::string expected;
    };
    const DateTime midnight = at(0, 0, 0, 12);
    const std::vector<Case> cases = {
        {at(9, 5, 7), secondsBefore(at(9, 5, 7), 3725), "09:05：07  共计秒：3725  1小时2分"},
        {at(23, 59, 59), at(23, 0, 0), "23:59：59  共计秒：3599  0小时59分"},
        {midnight, at(23, 0, 0), "00:00：00  共计秒：3600  1小时0分"},
        {at(1, 2, 3), at(1, 2, 3), "01:02：03  共计秒：0  0小时0分"},
        {at(10, 0, 59), at(10, 0, 0), "10:00：59  共计秒：59  0小时0分"},
        {at(10, 1, 0), at(10, 0, 0), "10:01：00  共计秒：60  0小时1分"},
        {at(12, 1, 0), at(10, 0, 0), "12:01：00  共计秒：7260  2小时1分"},
        // The clock set back: the tolerance is added before truncation toward zero, and a negative minute
        // count is not reduced.
        {at(9, 58, 30), at(10, 0, 0), "09:58：30  共计秒：-89  -1小时-2分"},
        {at(9, 59, 59), at(10, 0, 0), "09:59：59  共计秒：0  0小时0分"},
        // Decades of timing saturate at the 32-bit range instead of wrapping.
        {at(8, 0, 0), {1900, 1, 1, 0, 0, 0}, "08:00：00  共计秒：2147483647  596523小时14分"},
        {{1900, 1, 1, 8, 0, 0}, at(10, 0, 0), "08:00：00  共计秒：-2147483648  -596524小时-35791395分"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(timingText(c.now, c.start), c.expected) << c.expected;
}

TEST(TimingText, ClockTextUsesAsciiColonsAndTheDigit) {
    EXPECT_EQ(clockText(at(9, 5, 7), 3), "09:05:07 3");
    EXPECT_EQ(clockText(at(23, 59, 59), 0), "23:59:59 0");
    EXPECT_EQ(clockText(at(10, 10, 10), 9), "10:10:10 9");
}

TEST(TimingText, MinutesBeyondTheHoursOnlyForCountsOfAnHourOrMore) {
    struct Case {
        std::int64_t elapsed;
        TimingCounts expected;
    };
    const std::vector<Case> cases = {
        {3599, {3599, 0, 59}}, {3600, {3600, 1, 0}}, {86399, {86399, 23, 59}},  {-1, {0, 0, 0}},
        {-60, {-59, -1, -1}},  {-61, {-60, -1, -1}}, {-3600, {-3599, -1, -60}},
    };
    for (const Case& c : cases) {
        const TimingCounts got = timingCounts(c.elapsed);
        EXPECT_EQ(got.seconds, c.expected.seconds) << c.elapsed;
        EXPECT_EQ(got.hours, c.expected.hours) << c.elapsed;
        EXPECT_EQ(got.minutes, c.expected.minutes) << c.elapsed;
    }
}

TEST(TimeBar, ScrollingShowsTheTimingCountedFromStartUp) {
    Harness h;
    h.platform.clock.set(at(9, 0, 0));
    h.start();
    h.run(50);
    EXPECT_EQ(h.app.window.标签_时间条.text(), "09:00：00  共计秒：0  0小时0分");
    EXPECT_EQ(h.app.window.标签_时间条.left(), 599);

    h.platform.clock.set(at(10, 2, 5));
    h.run(50);
    EXPECT_EQ(h.app.window.标签_时间条.text(), "10:02：05  共计秒：3725  1小时2分");

    h.platform.clock.set(at(8, 58, 30));
    h.run(50);
    EXPECT_EQ(h.app.window.标签_时间条.text(), "08:58：30  共计秒：-89  -1小时-2分");
}

TEST(TimeBar, HiddenAtStartUpStillCountsFromStartUp) {
    Harness h;
    h.seed("不要时间条=真\r\n");
    h.platform.clock.set(at(9, 0, 0));
    h.start();
    EXPECT_EQ(periods(h.app.window), (Periods{0, 0, 0}));

    h.platform.clock.set(at(9, 10, 0));
    h.platform.dialogs.answer("200");
    h.app.window.menu.时间条设置滚动速度->run();
    h.run(200);
    EXPECT_EQ(h.app.window.标签_时间条.text(), "09:10：00  共计秒：600  0小时10分");
}

namespace {

// Gives a new second at every reading, so a tick that read the clock twice would mix two times.
class SteppingClock : public Clock {
public:
    DateTime now() override {
        ++reads;
        return fromWallClockSeconds(wallClockSeconds(at(9, 59, 59)) + reads - 1);
    }
    int reads = 0;
};

} // namespace

TEST(TimeBar, EachTickReadsTheClockOnce) {
    FakePlatform p;
    SteppingClock clock;
    App app(Ports{p.dialogs, clock, p.sound, p.files, p.random, p.screen, p.shell});
    app.state.timingStart = at(9, 0, 0);

    scrollTimeBar(app);
    EXPECT_EQ(clock.reads, 1);
    EXPECT_EQ(app.window.标签_时间条.text(), "09:59：59  共计秒：3599  0小时59分");
    showClockWithTiming(app);
    EXPECT_EQ(clock.reads, 2);
    EXPECT_EQ(app.window.标签_时间条.text(), "10:00：00  共计秒：3600  1小时0分");
    showClock(app);
    EXPECT_EQ(clock.reads, 3);
    EXPECT_EQ(app.window.标签_时间条.text(), "10:00:01 0");
}

TEST(TimeBar, WrapsOnItsLeftEdgeAlone) {
    struct Case {
        int left;
        int step;
        int expected;
    };
    const std::vector<Case> cases = {
        {3, 5, -2},   {-2, 5, 600},   {1, 1, 0},
        {0, 1, 600},  {600, 1, 599},  {10, 0, 10},
        {10, -4, 14}, {-50, -4, 600}, {std::numeric_limits<int>::max(), -5, std::numeric_limits<int>::max()},
    };
    for (const Case& c : cases) {
        Harness h;
        h.start();
        h.app.state.timeBarStep = c.step;
        h.app.window.标签_时间条.setLeft(c.left);
        scrollTimeBar(h.app);
        EXPECT_EQ(h.app.window.标签_时间条.left(), c.expected) << c.left << " step " << c.step;
    }
}

TEST(TimeBar, StillClockDigitRunsZeroToNineAndResumes) {
    Harness h;
    h.platform.clock.set(at(9, 5, 7));
    h.start();
    h.app.window.menu.停止滚动->run();
    std::vector<std::string> texts;
    for (int tick = 0; tick < 11; ++tick) {
        h.run(100);
        texts.push_back(h.app.window.标签_时间条.text());
    }
    EXPECT_EQ(texts.front(), "09:05:07 0");
    EXPECT_EQ(texts[9].back(), '9');
    EXPECT_EQ(texts[10].back(), '0');
    for (int tick = 0; tick < 11; ++tick)
        EXPECT_EQ(texts[tick].back(), '0' + tick % 10) << tick;

    // Leaving the still clock and coming back later goes on from where the digit stood.
    h.app.window.menu.重新计时->run();
    h.run(1000);
    h.app.window.menu.停止滚动->run();
    h.run(100);
    EXPECT_EQ(h.app.window.标签_时间条.text().back(), '1');
}

TEST(TimeBar, StillModesDoNotMoveTheLabel) {
    Harness h;
    h.start();
    h.run(500);
    const int left = h.app.window.标签_时间条.left();
    h.app.window.menu.停止滚动->run();
    h.run(1000);
    h.app.window.menu.停止滚动带记时->run();
    h.run(1000);
    EXPECT_EQ(h.app.window.标签_时间条.left(), left);
    EXPECT_NE(h.app.window.标签_时间条.text().find("共计秒：1"), std::string::npos);
}

TEST(TimeBar, ModeTransitions) {
    enum class Mode { Scrolling, Still, StillWithTiming };
    enum class Pick { Restart, Stop, StopWithTiming, Speed200, Speed0, SpeedMinus5 };
    struct Case {
        Mode from;
        Pick pick;
        Periods expected;
        bool timingRestarted;
        int saved;
    };
    const std::vector<Case> cases = {
        {Mode::Scrolling, Pick::Restart, {50, 0, 0}, true, 50},
        {Mode::Still, Pick::Restart, {50, 0, 0}, true, 50},
        {Mode::StillWithTiming, Pick::Restart, {50, 0, 0}, true, 50},
        {Mode::Scrolling, Pick::Stop, {0, 100, 0}, false, 50},
        {Mode::Still, Pick::Stop, {0, 100, 0}, false, 50},
        {Mode::StillWithTiming, Pick::Stop, {0, 100, 0}, false, 50},
        {Mode::Scrolling, Pick::StopWithTiming, {0, 0, 100}, true, 50},
        {Mode::Still, Pick::StopWithTiming, {0, 0, 100}, true, 50},
        {Mode::StillWithTiming, Pick::StopWithTiming, {0, 0, 100}, true, 50},
        {Mode::Scrolling, Pick::Speed200, {200, 0, 0}, false, 200},
        {Mode::Still, Pick::Speed200, {200, 100, 0}, false, 200},
        {Mode::StillWithTiming, Pick::Speed200, {200, 0, 100}, false, 200},
        {Mode::Scrolling, Pick::Speed0, {0, 0, 0}, false, 0},
        {Mode::Still, Pick::Speed0, {0, 100, 0}, false, 0},
        {Mode::StillWithTiming, Pick::Speed0, {0, 0, 100}, false, 0},
        {Mode::Scrolling, Pick::SpeedMinus5, {0, 0, 0}, false, -5},
    };
    int row = 0;
    for (const Case& c : cases) {
        ++row;
        Harness h;
        h.platform.clock.set(at(9, 0, 0));
        h.start();
        PopupMenuItems& m = h.app.window.menu;
        if (c.from == Mode::Still) m.停止滚动->run();
        if (c.from == Mode::StillWithTiming) m.停止滚动带记时->run();
        h.run(300);
        const DateTime before = *h.app.state.timingStart;
        h.platform.clock.set(at(10, 0, 0));
        switch (c.pick) {
        case Pick::Restart:
            m.重新计时->run();
            break;
        case Pick::Stop:
            m.停止滚动->run();
            break;
        case Pick::StopWithTiming:
            m.停止滚动带记时->run();
            break;
        case Pick::Speed200:
            h.platform.dialogs.answer("200");
            m.时间条设置滚动速度->run();
            break;
        case Pick::Speed0:
            h.platform.dialogs.answer("0");
            m.时间条设置滚动速度->run();
            break;
        case Pick::SpeedMinus5:
            h.platform.dialogs.answer("-5");
            m.时间条设置滚动速度->run();
            break;
        }
        EXPECT_EQ(periods(h.app.window), c.expected) << "row " << row;
        EXPECT_EQ(*h.app.state.timingStart, c.timingRestarted ? at(10, 0, 0) : before) << "row " << row;
        EXPECT_EQ(h.app.state.savedTimeBarPeriod, c.saved) << "row " << row;
    }
}

TEST(TimeBar, RestartAfterASpeedOfZeroScrollsAtFifty) {
    Harness h;
    h.start();
    h.platform.dialogs.answer("0");
    h.app.window.menu.时间条设置滚动速度->run();
    h.app.window.menu.重新计时->run();
    EXPECT_EQ(h.app.window.时钟_时间条滚动.period(), 50);
    EXPECT_EQ(h.app.state.savedTimeBarPeriod, 0);

    h.platform.dialogs.answer("-5");
    h.app.window.menu.时间条设置滚动速度->run();
    h.app.window.menu.重新计时->run();
    EXPECT_EQ(h.app.window.时钟_时间条滚动.period(), 0);
    EXPECT_EQ(h.app.state.savedTimeBarPeriod, -5);
}

TEST(TimeBar, SpeedSetInTheStillClockRunsBothTimers) {
    Harness h;
    h.platform.clock.set(at(9, 0, 0));
    h.start();
    Label& label = h.app.window.标签_时间条;
    h.app.window.menu.停止滚动->run();
    h.platform.dialogs.answer("150");
    h.app.window.menu.时间条设置滚动速度->run();
    const int left = label.left();

    h.run(100);
    EXPECT_EQ(label.text(), "09:00:00 0");
    EXPECT_EQ(label.left(), left);
    h.run(50);
    EXPECT_EQ(label.text(), "09:00：00  共计秒：0  0小时0分");
    EXPECT_EQ(label.left(), left - 1);
    h.run(50);
    EXPECT_EQ(label.text(), "09:00:00 1");
}

TEST(TimeBar, StepBoxClampsZeroAndAboveHundred) {
    struct Case {
        std::optional<std::string> entry;
        int expected;
    };
    const std::vector<Case> cases = {
        {"0", 1},   {"1", 1},   {"100", 100}, {"101", 100}, {"99999", 100},
        {"-7", -7}, {"abc", 1}, {"", 1},      {"42", 42},   {std::nullopt, 9},
    };
    for (const Case& c : cases) {
        Harness h;
        h.seed("时钟条滚动步调=9\r\n");
        h.start();
        h.platform.dialogs.answer(c.entry);
        h.app.window.menu.时间条设置滚动步调->run();
        EXPECT_EQ(h.app.state.timeBarStep, c.expected) << c.entry.value_or("<cancel>");

        ASSERT_EQ(h.platform.dialogs.calls.size(), 1u);
        const DialogCall& call = h.platform.dialogs.calls[0];
        EXPECT_EQ(call.kind, InputKind::Integer);
        EXPECT_EQ(call.prompt, "滚动步调=单次滚动值的大小，只能设置为：0<滚动步调<100");
        EXPECT_EQ(call.title, "正在设置时间条滚动步调：");
        EXPECT_EQ(call.initial, "9");
    }
}

TEST(TimeBar, SpeedBoxAlwaysOffersOneHundredAndCancelChangesNothing) {
    Harness h;
    h.seed("时间条滚动速度=70\r\n");
    h.start();
    h.platform.dialogs.cancel();
    h.app.window.menu.时间条设置滚动速度->run();
    EXPECT_EQ(h.app.window.时钟_时间条滚动.period(), 70);
    EXPECT_EQ(h.app.state.savedTimeBarPeriod, 70);

    ASSERT_EQ(h.platform.dialogs.calls.size(), 1u);
    const DialogCall& call = h.platform.dialogs.calls[0];
    EXPECT_EQ(call.kind, InputKind::Integer);
    EXPECT_EQ(call.prompt, "正在设置时间条滚动速度：请输入毫秒值  1秒=1000毫秒");
    EXPECT_EQ(call.title, "设置时间条滚动速度当中：");
    EXPECT_EQ(call.initial, "100");

    h.platform.dialogs.answer("abc");
    h.app.window.menu.时间条设置滚动速度->run();
    EXPECT_EQ(h.app.window.时钟_时间条滚动.period(), 0);
    EXPECT_EQ(h.app.state.savedTimeBarPeriod, 0);
}

TEST(TimeBar, TimersTickWhileTheSpeedBoxIsOpen) {
    Harness h;
    h.start();
    h.platform.dialogs.answer("80", 1000);
    h.app.window.menu.时间条设置滚动速度->run();
    // 20 ticks at 50 ms while the box stood open.
    EXPECT_EQ(h.app.window.标签_时间条.left(), 580);
    EXPECT_EQ(h.app.window.时钟_时间条滚动.period(), 80);
}

TEST(TimeBar, ExitStoresTheLiveScrollingPeriod) {
    Harness h;
    h.start();
    h.app.window.menu.停止滚动->run();
    h.app.window.menu.退出程序->run();
    EXPECT_EQ(h.setting("时间条滚动速度"), "0");
}
