#include "test_support.h"

#include <gtest/gtest.h>

TEST(TimerSemantics, PeriodRules) {
    VirtualScheduler scheduler;
    Timer timer;
    int ticks = 0;
    timer.setAction([&] { ++ticks; });
    timer.bind(scheduler.backendFor(timer));

    timer.setPeriod(100);
    scheduler.advance(250);
    EXPECT_EQ(ticks, 2);

    // The same period changes nothing: the tick due at 300 still comes at 300.
    timer.setPeriod(100);
    scheduler.advance(50);
    EXPECT_EQ(ticks, 3);

    // Another positive period restarts the countdown from now (300).
    timer.setPeriod(70);
    scheduler.advance(69);
    EXPECT_EQ(ticks, 3);
    scheduler.advance(1);
    EXPECT_EQ(ticks, 4);

    timer.setPeriod(-5);
    EXPECT_EQ(timer.period(), 0);
    scheduler.advance(1000);
    EXPECT_EQ(ticks, 4);
}

TEST(TimerSemantics, RepeatedSameSettingNeverDelaysATick) {
    VirtualScheduler scheduler;
    Timer timer;
    int ticks = 0;
    timer.setAction([&] { ++ticks; });
    timer.bind(scheduler.backendFor(timer));
    timer.setPeriod(100);
    for (int i = 0; i < 10; ++i) {
        scheduler.advance(30);
        timer.setPeriod(100);
    }
    EXPECT_EQ(ticks, 3);
}

TEST(DisplayModel, DesignGeometry) {
    MainWindow w;
    EXPECT_EQ(w.width(), 600);
    EXPECT_EQ(w.标签_时间条.width(), 350);
    EXPECT_EQ(w.标签_分隔线.top(), 19);
    EXPECT_EQ(w.标签_分隔线.height(), 2);
    EXPECT_EQ(w.标签_分隔线.backColor(), 0);
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(w.eventBar(n).top(), 21 + (n - 1) * 19);
        EXPECT_EQ(w.eventBar(n).width(), 600);
        EXPECT_EQ(w.eventBarTimer(n).period(), 0);
    }
    EXPECT_EQ(w.时钟_报警.period(), 300);
}

namespace {

std::string describe(const MenuItem& item, int depth = 0) {
    std::string out;
    for (const auto& child : item.children()) {
        out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + child->caption();
        if (child->kind() == MenuKind::Check) out += " [check]";
        out += "\n";
        out += describe(*child, depth + 1);
    }
    return out;
}

} // namespace

TEST(DisplayModel, PopupMenuTreeInDesignOrder) {
    MainWindow w;
    std::string expected = "几条事件条\n";
    for (int n = 1; n <= 6; ++n)
        expected += "  " + std::to_string(n) + "条 [check]\n";
    expected +=
        "时间条\n  重新计时\n  设置滚动步调\n  设置滚动速度\n  停止滚动\n  停止滚动带记时\n  不要时间条 [check]\n";
    expected += "事件条1\n  一天工作计划模式 [check]\n  设置事件内容\n  设置滚动步调\n  设置滚动速度\n"
                "  停止滚动（文本不要长否则显示不全哦）\n";
    for (int n = 2; n <= 6; ++n)
        expected += "事件条" + std::to_string(n) + "\n  设置事件内容\n  设置滚动步调\n  设置滚动速度\n  停止滚动\n";
    expected += "-\n换一组颜色吧\n-\n开启音乐报警 [check]\n停止播放\n-\n其它功能\n"
                "  字体加粗 [check]\n  设置宽度\n  每日事件记录 [check]\n  隐藏分隔线吧 [check]\n  退出程序\n";
    EXPECT_EQ(describe(w.popupMenu), expected);
}

TEST(DisplayModel, CopyBarTextColorReachesHiddenBars) {
    MainWindow w;
    w.eventBar(1).setTextColor(12345);
    copyBarTextColor(w);
    for (int n = 2; n <= 6; ++n)
        EXPECT_EQ(w.eventBar(n).textColor(), 12345);
}

TEST(TrayMenu, OnlyARightClickOpensTheMenu) {
    Harness h;
    h.start();
    showTrayMenu(h.app, 1);
    showTrayMenu(h.app, 2);
    EXPECT_EQ(h.platform.shell.menuPopups, 0);
    showTrayMenu(h.app, 3);
    EXPECT_EQ(h.platform.shell.menuPopups, 1);
}
