#include "test_support.h"

#include "alarm/alarm_check.h"
#include "eventbars/event_entry.h"
#include "eventbars/scrolling.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs a probe at every start, so a test can see the state at the moment each sound starts.
class ProbeSound : public Sound {
public:
    void playMp3(const std::string& path) override { started("mp3:" + path); }
    void playBuiltIn() override { started("builtin"); }
    void stopAll() override { events.push_back("stop"); }
    void started(const std::string& what) {
        events.push_back(what);
        if (probe) probe();
    }
    std::vector<std::string> events;
    std::function<void()> probe;
};

struct AlarmFixture : ::testing::Test {
    AlarmFixture() : app(Ports{p.dialogs, p.clock, sound, p.files, p.random, p.screen, p.shell}) {
        bindProgram(app);
        forEachTimer(app.window, [this](Timer& t) { t.bind(p.scheduler.backendFor(t)); });
    }
    void SetUp() override {
        startUp(app);
        app.window.menu.开启音乐报警->setChecked(true);
        // The alarm timer ticks at every multiple of 300 ms of virtual time; 9:29:58 falls at 0.
        p.clock.set({2026, 12, 11, 9, 29, 58});
    }
    void enter(int n, const std::string& entry) {
        p.dialogs.answer(entry);
        editEventContent(app, n);
    }
    void run(std::int64_t ms) { p.scheduler.advance(ms); }
    Timer& timer(int n) { return app.window.eventBarTimer(n); }
    // For runs over virtual days: only the alarm check keeps ticking.
    void stillEverythingButTheAlarmCheck() {
        forEachTimer(app.window, [this](Timer& t) {
            if (&t != &app.window.时钟_报警) t.setPeriod(0);
        });
    }

    FakePlatform p;
    ProbeSound sound;
    App app;
};

} // namespace

TEST_F(AlarmFixture, FiresAtTheFirstCheckOfTheMinuteAndOnlyOnce) {
    enter(2, "9:30|开会");
    std::int64_t firedAt = -1;
    sound.probe = [&] { firedAt = p.scheduler.nowMs(); };
    run(1999);
    EXPECT_TRUE(sound.events.empty());
    EXPECT_EQ(timer(2).period(), 0);
    EXPECT_EQ(app.window.eventBar(2).left(), 600);
    run(300);
    // 9:30:00 begins at 2000 ms; the first check after it is at 2100.
    EXPECT_EQ(firedAt, 2100);
    EXPECT_EQ(app.bar(2).alarmArmed, 0);
    EXPECT_EQ(timer(2).period(), 100);

    run(3 * 60'000);
    EXPECT_EQ(sound.events, std::vector<std::string>{"builtin"});
    EXPECT_LT(app.window.eventBar(2).left(), 600); // scrolling in from the right
}

TEST_F(AlarmFixture, TwoBarsInOneMinuteFireInBarOrderEachSoundBeforeItsRestart) {
    app.bar(1).scrollPeriod = 150;
    app.bar(2).scrollPeriod = 250;
    enter(2, "9:30|b");
    enter(1, "9:30|a");
    std::vector<std::pair<int, int>> periodsAtEachSound;
    sound.probe = [&] { periodsAtEachSound.emplace_back(timer(1).period(), timer(2).period()); };
    run(2400);
    EXPECT_EQ(periodsAtEachSound, (std::vector<std::pair<int, int>>{{0, 0}, {150, 0}}));
    EXPECT_EQ(timer(2).period(), 250);
}

TEST_F(AlarmFixture, BarBeyondTheBarCountStillFires) {
    app.window.menu.barCount[1]->run(); // two bars
    enter(5, "9:30|藏起来的");
    EXPECT_EQ(timer(5).period(), 0);
    run(2400);
    EXPECT_EQ(sound.events, std::vector<std::string>{"builtin"});
    EXPECT_EQ(timer(5).period(), 100);
}

TEST_F(AlarmFixture, BarWithPeriodZeroPlaysAndStaysStill) {
    app.bar(3).scrollPeriod = 0;
    enter(3, "9:30|x");
    run(2400);
    EXPECT_EQ(sound.events, std::vector<std::string>{"builtin"});
    EXPECT_EQ(app.bar(3).alarmArmed, 0);
    EXPECT_EQ(timer(3).period(), 0);
    run(1000);
    EXPECT_EQ(app.window.eventBar(3).left(), 600);
}

TEST_F(AlarmFixture, WhichSoundPlays) {
    app.window.menu.开启音乐报警->setChecked(false);
    enter(1, "9:30|静");
    run(2400);
    EXPECT_TRUE(sound.events.empty());
    EXPECT_EQ(timer(1).period(), 100); // starts silently

    app.window.menu.开启音乐报警->setChecked(true);
    app.state.musicFilePath = "/音乐/a.mp3";
    enter(1, "9:31|响");
    run(60'000);
    EXPECT_EQ(sound.events, std::vector<std::string>{"mp3:/音乐/a.mp3"});
}

TEST_F(AlarmFixture, OutOfRangeTimesNeverFire) {
    enter(1, "25:00|x");
    enter(2, "9:60|x");
    enter(3, "-1:30|x");
    stillEverythingButTheAlarmCheck();
    run(26LL * 3600 * 1000);
    EXPECT_TRUE(sound.events.empty());
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(app.bar(n).alarmArmed, 1);
}

TEST_F(AlarmFixture, AlarmArmedAfterItsMinuteFiresTheNextDay) {
    enter(1, "9:28|x");
    stillEverythingButTheAlarmCheck();
    run(60'000);
    EXPECT_TRUE(sound.events.empty());
    run(24LL * 3600 * 1000);
    EXPECT_EQ(sound.events, std::vector<std::string>{"builtin"});
}

TEST_F(AlarmFixture, FiresWhileAnInputBoxIsOpen) {
    enter(1, "9:30|x");
    p.dialogs.answer("另一件", 5000);
    p.dialogs.whileOpen = [&] { EXPECT_EQ(sound.events, std::vector<std::string>{"builtin"}); };
    editEventContent(app, 2);
    EXPECT_EQ(timer(1).period(), 100);
}

TEST_F(AlarmFixture, PlanBranchFiresEntriesInOrderAndLeavesBarAlarmsArmed) {
    enter(2, "9:30|条");
    app.window.menu.一天工作计划模式->setChecked(true);
    auto& plan = app.state.planEvents;
    plan[0] = {1, 9, 30, "第一件"};
    plan[4] = {1, 9, 30, "第二件"};
    plan[7] = {1, 10, 0, "第三件"};
    plan[9] = {0, 9, 30, "不响"};
    app.bar(1).scrollPeriod = 120;
    app.window.eventBar(1).setLeft(-40);
    run(2400);
    EXPECT_EQ(sound.events, (std::vector<std::string>{"builtin", "builtin"}));
    EXPECT_EQ(app.window.eventBar(1).text(), "第二件");
    EXPECT_EQ(app.window.eventBar(1).left(), 600 - 2); // re-entered from the right at 2100, two ticks since
    EXPECT_EQ(app.window.eventBar(1).width(), 600);
    EXPECT_EQ(timer(1).period(), 120);
    EXPECT_EQ(plan[0].armed, 0);
    EXPECT_EQ(plan[4].armed, 0);
    EXPECT_EQ(plan[7].armed, 1);
    EXPECT_EQ(app.bar(2).alarmArmed, 1);
    EXPECT_EQ(timer(2).period(), 0);

    // Out of the mode the waiting bar fires at the next check of its minute; the plan waits in turn.
    app.window.menu.一天工作计划模式->setChecked(false);
    run(300);
    EXPECT_EQ(app.bar(2).alarmArmed, 0);
    EXPECT_EQ(timer(2).period(), 100);
    run(40 * 60'000);
    EXPECT_EQ(plan[7].armed, 1);
    EXPECT_EQ(sound.events.size(), 3u);
}
