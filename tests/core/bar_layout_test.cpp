#include "test_support.h"

#include "app/bar_layout.h"
#include "eventbars/scrolling.h"

#include <gtest/gtest.h>

TEST(BarLayout, HeightTable) {
    const int shown[] = {40, 59, 78, 97, 116, 135};
    const int hidden[] = {21, 40, 59, 78, 97, 116};
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(windowHeightFor(n, false), shown[n - 1]);
        EXPECT_EQ(windowHeightFor(n, true), hidden[n - 1]);
    }
}

TEST(BarLayout, BarCountItems) {
    Harness h;
    h.seed("事件条2滚动速度=0\r\n事件条3滚动速度=300\r\n");
    h.start();
    h.app.window.menu.barCount[2]->run(); // 3条
    const MainWindow& w = h.app.window;
    EXPECT_EQ(w.height(), 78);
    EXPECT_EQ(h.app.state.windowHeight, 78);
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(w.menu.barCount[n - 1]->checked(), n == 3);
    const int periods[] = {100, 100, 300, 0, 0, 0};
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(w.eventBarTimer(n).period(), periods[n - 1]) << n;
}

TEST(BarLayout, ChosenCountTakesSpeedsFromTheFileNotFromTheMenu) {
    Harness h;
    h.start();
    h.platform.dialogs.answer("300");
    setBarScrollSpeed(h.app, 2);
    h.app.window.menu.barCount[3]->run(); // 4条
    EXPECT_EQ(h.app.window.eventBarTimer(2).period(), 100);
    EXPECT_EQ(h.app.bar(2).scrollPeriod, 100);
}

TEST(BarLayout, SpeedsThatStopABar) {
    for (const char* speed : {"00", "-40"}) {
        Harness h;
        h.seed(std::string("事件条1滚动速度=") + speed + "\r\n");
        h.start();
        EXPECT_EQ(h.app.window.eventBarTimer(1).period(), 0) << speed;
        EXPECT_EQ(h.app.bar(1).scrollPeriod, 0) << speed;
    }
}

TEST(BarLayout, HidingTheTimeBarFollowsTheStoredCount) {
    Harness h;
    h.start(); // nothing stored: six bars
    h.app.window.menu.barCount[1]->run();
    EXPECT_EQ(h.app.window.height(), 59);
    h.app.window.menu.不要时间条->run();
    EXPECT_EQ(h.app.window.height(), 116);
    EXPECT_EQ(h.app.window.eventBarTimer(3).period(), 0);
    EXPECT_EQ(h.app.window.eventBar(1).top(), 2);
}

TEST(BarLayout, ShowingTheTimeBarAgainReturnsToScrolling) {
    Harness h;
    h.start();
    MainWindow& w = h.app.window;
    w.时钟_时间条滚动.setPeriod(80);
    w.标签_时间条.setLeft(123);
    w.menu.不要时间条->run();
    EXPECT_TRUE(w.menu.不要时间条->checked());
    EXPECT_EQ(w.时钟_时间条滚动.period(), 0);
    EXPECT_EQ(w.标签_时间条.top(), -19);
    w.menu.不要时间条->run();
    EXPECT_FALSE(w.menu.不要时间条->checked());
    EXPECT_EQ(w.时钟_时间条滚动.period(), 80);
    EXPECT_EQ(w.标签_时间条.left(), 123);
    EXPECT_EQ(w.标签_时间条.top(), 0);
    EXPECT_EQ(w.height(), 135);
}

TEST(BarLayout, HiddenAtStartUpShowsNoTimerWhenShownAgain) {
    Harness h;
    h.seed("不要时间条=真\r\n");
    h.start();
    h.app.window.menu.不要时间条->run();
    EXPECT_EQ(h.app.window.时钟_时间条滚动.period(), 0);
    EXPECT_EQ(h.app.window.时钟_时间条不滚动.period(), 0);
}

TEST(BarLayout, HidingStopsTheStillTimersAndShowingLeavesThemStopped) {
    Harness h;
    h.start();
    MainWindow& w = h.app.window;
    w.时钟_时间条滚动.setPeriod(0);
    w.时钟_时间条不滚动.setPeriod(100);
    w.menu.不要时间条->run();
    EXPECT_EQ(w.时钟_时间条不滚动.period(), 0);
    w.menu.不要时间条->run();
    EXPECT_EQ(w.时钟_时间条滚动.period(), 0);
    EXPECT_EQ(w.时钟_时间条不滚动.period(), 0);
}

TEST(BarLayout, WidthEntries) {
    const std::pair<std::optional<std::string>, int> cases[] = {
        {"200", 350}, {"350", 350}, {"800", 800},          {"5000", 1920},
        {"abc", 350}, {"-5", 350},  {"99999999999", 1920}, {std::nullopt, 1920}};
    Harness h;
    h.start();
    for (const auto& [entry, width] : cases) {
        h.app.window.eventBar(2).setWidth(40); // a plain entry's text width, undone by a new width
        h.platform.dialogs.answer(entry);
        setWindowWidth(h.app);
        EXPECT_EQ(h.app.window.width(), width) << entry.value_or("<cancel>");
        if (!entry) continue;
        EXPECT_EQ(h.app.window.eventBar(2).width(), width);
        EXPECT_EQ(h.app.window.标签_分隔线.width(), width);
        EXPECT_EQ(h.app.window.标签_时间条.width(), 350);
    }
    const DialogCall& call = h.platform.dialogs.calls.back();
    EXPECT_EQ(call.prompt, "正在设置宽度：宽度要大于350");
    EXPECT_EQ(call.title, "设置窗口宽度当中：");
    EXPECT_EQ(call.initial, "1920");
    EXPECT_EQ(h.app.window.left(), 906);
}

TEST(BarLayout, DailyRecordToggleFlipsOnlyOutsideStartUp) {
    Harness h;
    h.seed("每日事件记录真假=真\r\n");
    h.start();
    MenuItem& item = *h.app.window.menu.每日事件记录;
    EXPECT_TRUE(item.checked());
    item.run();
    EXPECT_FALSE(item.checked());
    item.run();
    EXPECT_TRUE(item.checked());
}
