#include "test_support.h"

#include "eventbars/scrolling.h"

#include <gtest/gtest.h>

namespace {

struct ScrollFixture : ::testing::Test {
    void SetUp() override { h.start(); }
    Label& bar(int n) { return h.app.window.eventBar(n); }
    Harness h;
};

} // namespace

TEST_F(ScrollFixture, WrapsOneTickAfterTheLabelHasLeft) {
    struct Case {
        int left, width, step;
        std::vector<int> lefts; // after each tick
    };
    const Case cases[] = {
        {-198, 200, 1, {-199, -200, 600, 599}},
        {-4, 7, 7, {-11, 600}}, // right edge at 3: moves once more, then wraps
        {0, 0, 1, {600, 599}},  // empty text wraps at once
        {1, 0, 1, {0, 600}},
        {10, 200, -5, {15, 20}}, // a negative step moves right and never wraps on its own
    };
    for (const Case& c : cases) {
        bar(2).setLeft(c.left);
        bar(2).setWidth(c.width);
        h.app.bar(2).scrollStep = c.step;
        for (int expected : c.lefts) {
            scrollEventBar(h.app, 2);
            EXPECT_EQ(bar(2).left(), expected) << c.left << "/" << c.width << "/" << c.step;
        }
    }
}

TEST_F(ScrollFixture, WrapUsesTheCurrentWindowWidth) {
    h.app.window.setWidth(800);
    bar(1).setLeft(-600);
    scrollEventBar(h.app, 1);
    EXPECT_EQ(bar(1).left(), 800);
}

TEST_F(ScrollFixture, TimerDrivesTheBarAtItsPeriod) {
    h.app.bar(4).scrollStep = 3;
    h.run(1000); // ten ticks at 100 ms
    EXPECT_EQ(bar(4).left(), 600 - 30);
}

TEST_F(ScrollFixture, StepEntries) {
    const std::pair<std::optional<std::string>, int> cases[] = {
        {"0", 1}, {"100", 100}, {"150", 100}, {"-5", -5}, {"abc", 1}, {"", 1}, {"12px", 12}, {std::nullopt, 12}};
    for (const auto& [entry, step] : cases) {
        h.platform.dialogs.answer(entry);
        setBarScrollStep(h.app, 3);
        EXPECT_EQ(h.app.bar(3).scrollStep, step) << entry.value_or("<cancel>");
    }
    const DialogCall& call = h.platform.dialogs.calls.back();
    EXPECT_EQ(call.kind, InputKind::Integer);
    EXPECT_EQ(call.title, "正在设置事件条3滚动步调：");
    EXPECT_EQ(call.prompt, "滚动步调=单次滚动值的大小，只能设置为：0<滚动步调<100");
    EXPECT_EQ(call.initial, "12"); // the current step
}

TEST_F(ScrollFixture, SpeedEntries) {
    h.platform.dialogs.answer("250");
    setBarScrollSpeed(h.app, 6);
    EXPECT_EQ(h.app.window.eventBarTimer(6).period(), 250);
    EXPECT_EQ(h.app.bar(6).scrollPeriod, 250);
    const DialogCall& call = h.platform.dialogs.calls.back();
    EXPECT_EQ(call.title, "设置事件条6滚动速度当中：");
    EXPECT_EQ(call.prompt, "正在设置重要事件条6滚动速度：请输入毫秒值  1秒=1000毫秒");
    EXPECT_EQ(call.initial, "100");

    bar(6).setLeft(321);
    h.platform.dialogs.answer("0");
    setBarScrollSpeed(h.app, 6);
    EXPECT_EQ(h.app.window.eventBarTimer(6).period(), 0);
    EXPECT_EQ(bar(6).left(), 321); // stopped where it stands
    EXPECT_EQ(h.app.bar(6).scrollPeriod, 0);

    h.platform.dialogs.answer("-7");
    setBarScrollSpeed(h.app, 6);
    EXPECT_EQ(h.app.bar(6).scrollPeriod, -7);

    h.platform.dialogs.cancel();
    setBarScrollSpeed(h.app, 6);
    EXPECT_EQ(h.app.bar(6).scrollPeriod, -7);
}

TEST_F(ScrollFixture, StopParksTheTextAtTheLeftEdgeAndSpeedRestartsFromThere) {
    h.app.bar(1).alarmArmed = 1;
    stopBarScrolling(h.app, 1);
    EXPECT_EQ(h.app.window.eventBarTimer(1).period(), 0);
    EXPECT_EQ(bar(1).left(), 0);
    EXPECT_EQ(h.app.bar(1).alarmArmed, 1);
    EXPECT_EQ(h.app.bar(1).scrollPeriod, 100);
    h.platform.dialogs.answer("50");
    setBarScrollSpeed(h.app, 1);
    h.run(100);
    EXPECT_EQ(bar(1).left(), -2);
}

TEST_F(ScrollFixture, BarsKeepScrollingWhileABoxIsOpen) {
    h.platform.dialogs.answer("5", 1000);
    setBarScrollStep(h.app, 2);
    EXPECT_EQ(bar(2).left(), 590); // ten ticks of the old step while the box was open
    EXPECT_EQ(h.app.bar(2).scrollStep, 5);
}
