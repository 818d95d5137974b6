#include "test_support.h"

#include "app/bar_layout.h"
#include "eventbars/scrolling.h"

#include <gtest/gtest.h>

namespace {

const char* const exitOrder[] = {
    "几条事件条",      "时间条滚动速度",   "不要时间条",       "字体加粗",          "事件条1滚动速度",
    "事件条2滚动速度", "事件条3滚动速度",  "事件条4滚动速度",  "事件条5滚动速度",   "事件条6滚动速度",
    "事件条1内容",     "事件条2内容",      "事件条3内容",      "事件条4内容",       "事件条5内容",
    "事件条6内容",     "时间条颜色",       "分隔线颜色",       "事件条颜色6条同色", "开启音乐报警",
    "音乐文件地址",    "每日事件记录真假", "一天工作计划模式", "时钟条滚动步调",    "事件条1滚动步调",
    "事件条2滚动步调", "事件条3滚动步调",  "事件条4滚动步调",  "事件条5滚动步调",   "事件条6滚动步调",
    "窗口宽度",        "窗口左边",         "窗口顶边"};

} // namespace

TEST(Exit, WritesAllKeysInOrderFromTheLiveState) {
    Harness h;
    h.seed("Unknown=stays\r\n");
    h.platform.files.files[h.configPath()] += "[Other]\r\nx=1\r\n";
    h.start();
    h.app.window.eventBar(3).setText("开会");
    h.app.window.move(120, 700);
    h.app.state.musicFilePath = "/音乐/a.mp3";
    saveSettingsAndExit(h.app);

    std::string expected = "[Orrinvale]\r\nUnknown=stays\r\n";
    const std::string values[] = {
        "六条", "50",   "假", "假", "100", "100",   "100",     "100",     "100", "100",         "",
        "",     "开会", "",   "",   "",    "26367", "6750207", "6723840", "假",  "/音乐/a.mp3", "假",
        "假",   "1",    "1",  "1",  "1",   "1",     "1",       "1",       "600", "120",         "700"};
    for (std::size_t i = 0; i < std::size(exitOrder); ++i)
        expected += std::string(exitOrder[i]) + "=" + values[i] + "\r\n";
    expected += "[Other]\r\nx=1\r\n";
    EXPECT_EQ(h.platform.files.files[h.configPath()], expected);
    EXPECT_EQ(h.platform.shell.exitCode, 0);
}

TEST(Exit, StoresWhatTheWindowIsDoingNow) {
    Harness h;
    h.seed("事件条4滚动步调=0\r\n时钟条滚动步调=0\r\n不要时间条=真\r\n");
    h.start();
    h.app.window.menu.barCount[1]->run(); // 2条
    stopBarScrolling(h.app, 1);
    saveSettingsAndExit(h.app);
    EXPECT_EQ(h.setting("几条事件条"), "二条");
    EXPECT_EQ(h.setting("时间条滚动速度"), "0");
    EXPECT_EQ(h.setting("事件条1滚动速度"), "0");
    EXPECT_EQ(h.setting("事件条3滚动速度"), "0");
    EXPECT_EQ(h.setting("事件条4滚动步调"), "1");
    EXPECT_EQ(h.setting("时钟条滚动步调"), "3");
    EXPECT_EQ(h.setting("不要时间条"), "真");
}

TEST(Exit, NoBarCountKeyWithoutACheckedBarCountItem) {
    Harness h;
    h.seed("几条事件条=三条\r\n");
    h.start();
    for (MenuItem* item : h.app.window.menu.barCount)
        item->setChecked(false);
    saveSettingsAndExit(h.app);
    EXPECT_EQ(h.setting("几条事件条"), "三条"); // left as it was
}

TEST(Exit, NextStartRestoresWhatWasStored) {
    Harness first;
    first.seed("几条事件条=四条\r\n");
    first.start();
    first.app.window.move(120, 700);
    first.app.window.eventBar(2).setText("复盘");
    stopBarScrolling(first.app, 5);
    saveSettingsAndExit(first.app);

    Harness second;
    second.platform.files.files = first.platform.files.files;
    second.start();
    EXPECT_EQ(second.app.window.left(), 120);
    EXPECT_EQ(second.app.window.top(), 700);
    EXPECT_EQ(second.app.window.height(), 97);
    EXPECT_EQ(second.app.window.eventBar(2).text(), "复盘");
    EXPECT_EQ(second.app.window.eventBarTimer(5).period(), 0); // beyond the four bars
    // A bar stopped at exit stores 0, which the next start reads as the default speed.
    second.app.window.menu.barCount[5]->run();
    EXPECT_EQ(second.app.window.eventBarTimer(5).period(), 100);
}

TEST(Exit, AFailedWriteStillEnds) {
    Harness h;
    h.start();
    h.platform.files.failWrites = true;
    saveSettingsAndExit(h.app);
    EXPECT_EQ(h.platform.files.files[h.configPath()], "");
    EXPECT_EQ(h.platform.shell.exitCode, 0);
}
