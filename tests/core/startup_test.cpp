#include "test_support.h"

#include <gtest/gtest.h>

TEST(StartUp, FirstStartWithoutAFile) {
    Harness h;
    h.start();
    const MainWindow& w = h.app.window;
    const AppState& s = h.app.state;

    EXPECT_EQ(h.platform.files.files.at(h.configPath()), "");
    EXPECT_EQ(h.platform.shell.tooltip, "Orrinvale1.0");
    EXPECT_EQ(h.platform.shell.colorKey, 0);
    EXPECT_EQ(h.platform.random.seeds, 1);
    EXPECT_FALSE(s.initializing);

    EXPECT_EQ(w.left(), 906);
    EXPECT_EQ(w.top(), 20);
    EXPECT_EQ(w.width(), 600);
    EXPECT_EQ(w.height(), 135);
    EXPECT_EQ(s.windowHeight, 135);
    EXPECT_TRUE(w.menu.barCount[5]->checked());
    EXPECT_FALSE(w.menu.不要时间条->checked());
    EXPECT_EQ(w.时钟_时间条滚动.period(), 50);
    EXPECT_EQ(s.savedTimeBarPeriod, 50);
    EXPECT_TRUE(s.timingStart.has_value());
    EXPECT_EQ(w.标签_时间条.left(), 600);
    EXPECT_EQ(w.标签_时间条.textColor(), 26367);
    EXPECT_EQ(w.标签_分隔线.backColor(), 6750207);
    EXPECT_EQ(s.separatorColor, 6750207);
    EXPECT_EQ(s.timeBarStep, 1);
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(w.eventBarTimer(n).period(), 100) << n;
        EXPECT_EQ(h.app.bar(n).scrollPeriod, 100);
        EXPECT_EQ(h.app.bar(n).scrollStep, 1);
        EXPECT_EQ(w.eventBar(n).textColor(), 6723840);
        EXPECT_EQ(w.eventBar(n).text(), "");
        EXPECT_EQ(w.eventBar(n).left(), 600);
        EXPECT_EQ(w.eventBar(n).width(), 600);
    }
    EXPECT_FALSE(w.menu.开启音乐报警->checked());
    EXPECT_FALSE(w.menu.每日事件记录->checked());
    EXPECT_FALSE(w.menu.一天工作计划模式->checked());
    EXPECT_FALSE(w.menu.字体加粗->checked());
    EXPECT_EQ(s.musicFilePath, "");
}

TEST(StartUp, StoredBarCountWords) {
    const std::pair<const char*, int> cases[] = {{"一条", 1}, {"三条", 3}, {"五条", 5}, {"六条", 6},
                                                 {"3条", 6},  {"3", 6},    {"三", 6},   {"", 6}};
    for (const auto& [word, bars] : cases) {
        Harness h;
        h.seed(std::string("几条事件条=") + word + "\r\n");
        h.start();
        EXPECT_EQ(h.app.window.height(), 21 + 19 * bars) << word;
        EXPECT_TRUE(h.app.window.menu.barCount[bars - 1]->checked()) << word;
        for (int n = 1; n <= 6; ++n)
            EXPECT_EQ(h.app.window.eventBarTimer(n).period() > 0, n <= bars) << word << " bar " << n;
    }
}

TEST(StartUp, StoredFlagsCountOnlyTheWordForOn) {
    const std::pair<const char*, bool> cases[] = {
        {"真", true}, {"假", false}, {"true", false}, {"1", false}, {"", false}};
    for (const auto& [value, on] : cases) {
        Harness h;
        h.seed(std::string("不要时间条=") + value + "\r\n开启音乐报警=" + value + "\r\n每日事件记录真假=" + value +
               "\r\n");
        h.start();
        EXPECT_EQ(h.app.window.menu.不要时间条->checked(), on) << value;
        EXPECT_EQ(h.app.window.menu.开启音乐报警->checked(), on) << value;
        EXPECT_EQ(h.app.window.menu.每日事件记录->checked(), on) << value;
    }
}

TEST(StartUp, StoredBarSpeeds) {
    const std::pair<const char*, int> cases[] = {{"0", 100},      {"00", 0}, {"-40", 0},
                                                 {"250abc", 250}, {"", 100}, {"２５０", 250}};
    for (const auto& [value, period] : cases) {
        Harness h;
        h.seed(std::string("事件条2滚动速度=") + value + "\r\n");
        h.start();
        EXPECT_EQ(h.app.window.eventBarTimer(2).period(), period) << value;
        EXPECT_EQ(h.app.bar(2).scrollPeriod, period) << value;
    }
}

TEST(StartUp, StoredValuesAreAppliedWithoutRangeChecks) {
    Harness h;
    h.seed("窗口宽度=abc\r\n事件条3滚动步调=0\r\n时钟条滚动步调=-4\r\n事件条颜色6条同色=0\r\n窗口左边=-50\r\n");
    h.start();
    EXPECT_EQ(h.app.window.width(), 0);
    EXPECT_EQ(h.app.window.eventBar(1).width(), 0);
    EXPECT_EQ(h.app.bar(3).scrollStep, 0);
    EXPECT_EQ(h.app.state.timeBarStep, -4);
    EXPECT_EQ(h.app.window.eventBar(6).textColor(), 0);
    EXPECT_EQ(h.app.window.left(), -50);
}

TEST(StartUp, FourBarsWithoutTimeBar) {
    Harness h;
    h.seed("几条事件条=四条\r\n不要时间条=真\r\n");
    h.start();
    const MainWindow& w = h.app.window;
    EXPECT_EQ(w.height(), 78);
    EXPECT_EQ(w.标签_时间条.top(), -19);
    EXPECT_EQ(w.标签_分隔线.top(), 0);
    const int tops[] = {2, 21, 40, 59, 78, 97};
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(w.eventBar(n).top(), tops[n - 1]);
        EXPECT_EQ(w.eventBarTimer(n).period() > 0, n <= 4);
    }
    EXPECT_EQ(w.时钟_时间条滚动.period(), 0);
    EXPECT_EQ(h.app.state.savedTimeBarPeriod, 0);
}

TEST(StartUp, TimeBarSpeedZeroLeavesItStill) {
    Harness h;
    h.seed("时间条滚动速度=0\r\n");
    h.start();
    EXPECT_EQ(h.app.window.时钟_时间条滚动.period(), 0);
    EXPECT_EQ(h.app.state.savedTimeBarPeriod, 0);
}

TEST(StartUp, StoredTimedTextIsShownAsItIs) {
    Harness h;
    h.seed("事件条1内容=18:28|会议\r\n");
    h.start();
    EXPECT_EQ(h.app.window.eventBar(1).text(), "18:28|会议");
    EXPECT_EQ(h.app.bar(1).alarmArmed, 0);
    EXPECT_GT(h.app.window.eventBarTimer(1).period(), 0);
}

TEST(StartUp, BadFilesStillStartWithTheRules) {
    std::string binary = "\x00\xFF\xFE\x81";
    binary.push_back('\0');
    const std::string cases[] = {
        binary + "\r\n[Orrinvale]\r\n窗口宽度=700\r\n",
        "garbage\r\n[Orrinvale\r\n==\r\n[Orrinvale]\r\n" + std::string(1 << 20, 'z') + "\r\n窗口宽度=700\r\n",
        "[Orrinvale]\r\n窗口宽度=700\r\n事件条1内容=\xFF\xFF\x81\r\n事件条2滚动速度=99999999999\r\n",
    };
    for (const std::string& contents : cases) {
        Harness h;
        h.platform.files.files[h.configPath()] = contents;
        h.start();
        EXPECT_EQ(h.app.window.width(), 700);
    }
    Harness big;
    big.platform.files.files[big.configPath()] = cases[2];
    big.start();
    EXPECT_EQ(big.app.window.eventBarTimer(2).period(), 2147483647);
    EXPECT_EQ(big.app.window.eventBar(1).text(), "\xFF\xFF\x81");
}

TEST(StartUp, UnreadableFileGivesDefaultsAndStaysUntouched) {
    Harness h;
    const std::string contents = "[Orrinvale]\r\n窗口宽度=700\r\nMine=1\r\n";
    h.platform.files.files[h.configPath()] = contents;
    h.platform.files.unreadable.insert(h.configPath());
    h.start();
    EXPECT_EQ(h.app.window.width(), 600);
    saveSettingsAndExit(h.app);
    EXPECT_EQ(h.platform.files.files[h.configPath()], contents);
    EXPECT_EQ(h.platform.shell.exitCode, 0);
}
