#include "appearance/color_sets.h"
#include "appearance/font_and_separator.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace {

constexpr std::int32_t rgb(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}

std::tuple<std::int32_t, std::int32_t, std::int32_t> colouring(int k) {
    const ColorSet& s = colorSet(k);
    return {s.timeBarText, s.separator, s.eventBarText};
}

// Draws from a fixed-seed generator and remembers every draw and the range asked for.
class RecordingRandom : public Random {
public:
    void seedFromTickCount() override {}
    int uniform(int low, int high) override {
        ranges.insert({low, high});
        draws.push_back(inner.uniform(low, high));
        return draws.back();
    }
    FakeRandom inner;
    std::set<std::pair<int, int>> ranges;
    std::vector<int> draws;
};

void pickSet(Harness& h, int k) {
    h.platform.random.script.push_back(k);
    h.app.window.menu.换一组颜色吧->run();
}

} // namespace

TEST(ColorSets, TableRepeatsExactlyTheSevenKnownPairs) {
    std::map<std::tuple<std::int32_t, std::int32_t, std::int32_t>, std::vector<int>> byColouring;
    for (int k = 1; k <= colorSetCount; ++k)
        byColouring[colouring(k)].push_back(k);
    EXPECT_EQ(byColouring.size(), 45u);

    std::set<std::vector<int>> repeats;
    for (const auto& [c, sets] : byColouring)
        if (sets.size() > 1) repeats.insert(sets);
    const std::set<std::vector<int>> expected = {{4, 26}, {5, 28}, {7, 24}, {8, 27}, {10, 37}, {18, 23}, {20, 36}};
    EXPECT_EQ(repeats, expected);
}

TEST(ColorSets, RowsHoldTheirColoursAsRedPlusGreenAndBlueShifted) {
    EXPECT_EQ(rgb(255, 102, 0), 26367);
    // Set 1 is the first start's colouring.
    EXPECT_EQ(colouring(1), std::make_tuple(26367, 6750207, 6723840));
    EXPECT_EQ(colouring(2), std::make_tuple(rgb(255, 153, 153), rgb(153, 102, 153), rgb(255, 204, 204)));
    EXPECT_EQ(colouring(29), std::make_tuple(rgb(102, 102, 102), rgb(255, 102, 0), rgb(51, 51, 51)));
    EXPECT_EQ(colouring(46), std::make_tuple(rgb(102, 153, 204), rgb(0, 102, 153), rgb(1, 0, 0)));
    EXPECT_EQ(colouring(52), std::make_tuple(rgb(102, 204, 255), rgb(255, 255, 255), rgb(204, 255, 255)));

    // The visible black 1, 0, 0 is where the table puts it; 0, 0, 0 (the transparent key) is nowhere.
    std::set<std::pair<int, int>> blacks;
    for (int k = 1; k <= colorSetCount; ++k) {
        const ColorSet& s = colorSet(k);
        for (int column = 0; column < 3; ++column) {
            const std::int32_t c = column == 0 ? s.timeBarText : column == 1 ? s.separator : s.eventBarText;
            EXPECT_NE(c, transparentColor) << k;
            if (c == rgb(1, 0, 0)) blacks.insert({k, column});
        }
    }
    EXPECT_EQ(blacks, (std::set<std::pair<int, int>>{{8, 1}, {27, 1}, {46, 2}}));
}

TEST(ColorSets, EverySetComesUpAndIsAppliedToEveryBar) {
    FakePlatform p;
    RecordingRandom random;
    App app(Ports{p.dialogs, p.clock, p.sound, p.files, random, p.screen, p.shell});
    bindProgram(app);
    MainWindow& w = app.window;
    // Only two bars shown: the others take the colour all the same.
    w.menu.barCount[1]->run();

    std::set<int> seen;
    for (int pick = 0; pick < 3000; ++pick) {
        w.menu.换一组颜色吧->run();
        const int k = random.draws.back();
        seen.insert(k);
        const ColorSet& s = colorSet(k);
        ASSERT_EQ(w.标签_时间条.textColor(), s.timeBarText) << k;
        ASSERT_EQ(w.标签_分隔线.backColor(), s.separator) << k;
        ASSERT_EQ(app.state.separatorColor, s.separator) << k;
        for (int n = 1; n <= 6; ++n)
            ASSERT_EQ(w.eventBar(n).textColor(), s.eventBarText) << k << " bar " << n;
    }
    EXPECT_EQ(random.ranges, (std::set<std::pair<int, int>>{{1, 52}}));
    EXPECT_EQ(seen.size(), 52u);
    EXPECT_EQ(*seen.begin(), 1);
    EXPECT_EQ(*seen.rbegin(), 52);
}

TEST(ColorSets, RecolouringTouchesNothingElse) {
    Harness h;
    h.seed("字体加粗=真\r\n");
    h.start();
    MainWindow& w = h.app.window;
    const int left = w.标签_时间条.left();
    const int writes = h.platform.files.writes;
    pickSet(h, 30);
    EXPECT_TRUE(w.标签_时间条.bold());
    EXPECT_TRUE(w.menu.字体加粗->checked());
    EXPECT_FALSE(w.menu.隐藏分隔线吧->checked());
    EXPECT_EQ(w.标签_时间条.left(), left);
    EXPECT_EQ(w.标签_分隔线.top(), 19);
    EXPECT_EQ(h.platform.files.writes, writes);
}

TEST(Separator, HideShowAndRecolourSequences) {
    enum class Step { Toggle, Pick };
    struct Action {
        Step step;
        int set; // for Pick
        std::int32_t separator;
        std::int32_t separatorColor;
        bool ticked;
    };
    const std::int32_t start = 6750207;
    const std::int32_t set3 = colorSet(3).separator;
    const std::int32_t set9 = colorSet(9).separator;
    struct Sequence {
        const char* name;
        const char* seed;
        std::vector<Action> actions;
    };
    const std::vector<Sequence> sequences = {
        {"tick and untick restore the colour",
         "",
         {{Step::Toggle, 0, 0, start, true}, {Step::Toggle, 0, start, start, false}}},
        {"a set picked while hidden keeps it hidden and forgets the colour",
         "",
         {{Step::Toggle, 0, 0, start, true},
          {Step::Pick, 3, 0, 0, true},
          {Step::Toggle, 0, 0, 0, false},
          {Step::Toggle, 0, 0, 0, true},
          {Step::Toggle, 0, 0, 0, false},
          {Step::Pick, 9, set9, set9, false},
          {Step::Toggle, 0, 0, set9, true},
          {Step::Toggle, 0, set9, set9, false}}},
        {"a set picked while shown",
         "",
         {{Step::Pick, 3, set3, set3, false}, {Step::Toggle, 0, 0, set3, true}, {Step::Toggle, 0, set3, set3, false}}},
        {"1, 0, 0 is a colour of its own, not the hidden state",
         "",
         {{Step::Pick, 8, 1, 1, false}, {Step::Toggle, 0, 0, 1, true}, {Step::Toggle, 0, 1, 1, false}}},
        {"stored hidden at the last exit",
         "分隔线颜色=0\r\n",
         {{Step::Toggle, 0, 0, 0, true}, {Step::Toggle, 0, 0, 0, false}, {Step::Pick, 3, set3, set3, false}}},
    };
    for (const Sequence& seq : sequences) {
        Harness h;
        h.seed(seq.seed);
        h.start();
        MainWindow& w = h.app.window;
        EXPECT_FALSE(w.menu.隐藏分隔线吧->checked()) << seq.name;
        int index = 0;
        for (const Action& a : seq.actions) {
            ++index;
            if (a.step == Step::Toggle)
                w.menu.隐藏分隔线吧->run();
            else
                pickSet(h, a.set);
            EXPECT_EQ(w.标签_分隔线.backColor(), a.separator) << seq.name << ", step " << index;
            EXPECT_EQ(h.app.state.separatorColor, a.separatorColor) << seq.name << ", step " << index;
            EXPECT_EQ(w.menu.隐藏分隔线吧->checked(), a.ticked) << seq.name << ", step " << index;
            // The line keeps its place and its two pixels; the bars below never move.
            EXPECT_EQ(w.标签_分隔线.top(), 19);
            EXPECT_EQ(w.标签_分隔线.height(), 2);
            EXPECT_EQ(w.eventBar(1).top(), 21);
        }
    }
}

TEST(Separator, ExitWhileHiddenStoresTheTransparentColour) {
    Harness h;
    h.start();
    h.app.window.menu.隐藏分隔线吧->run();
    h.app.window.menu.退出程序->run();
    EXPECT_EQ(h.setting("分隔线颜色"), "0");
    EXPECT_EQ(h.setting("隐藏分隔线吧"), "");
}

TEST(BoldFont, StoredFlagDecidesTheStartingWeight) {
    struct Case {
        const char* seed;
        bool bold;
    };
    const std::vector<Case> cases = {
        {"字体加粗=真\r\n", true},
        {"字体加粗=假\r\n", false},
        {"字体加粗=1\r\n", false},
        {"字体加粗=true\r\n", false},
        {"字体加粗=真真\r\n", false},
        {"字体加粗=\r\n", false},
        {"", false},
    };
    for (const Case& c : cases) {
        Harness h;
        // Bars 3 to 6 hidden: they take the weight all the same.
        h.seed(std::string(c.seed) + "几条事件条=二条\r\n");
        h.start();
        const MainWindow& w = h.app.window;
        EXPECT_EQ(w.menu.字体加粗->checked(), c.bold) << c.seed;
        EXPECT_EQ(w.标签_时间条.bold(), c.bold) << c.seed;
        for (int n = 1; n <= 6; ++n)
            EXPECT_EQ(h.app.window.eventBar(n).bold(), c.bold) << c.seed << " bar " << n;
        EXPECT_FALSE(w.标签_分隔线.bold());
    }
}

TEST(BoldFont, EachPickFlipsAllSevenTextLabelsAndExitStoresIt) {
    Harness h;
    h.start();
    MainWindow& w = h.app.window;
    const auto allBold = [&w](bool on) {
        bool all = w.标签_时间条.bold() == on;
        for (int n = 1; n <= 6; ++n)
            all = all && w.eventBar(n).bold() == on;
        return all;
    };
    w.menu.字体加粗->run();
    EXPECT_TRUE(w.menu.字体加粗->checked());
    EXPECT_TRUE(allBold(true));
    EXPECT_FALSE(w.标签_分隔线.bold());
    w.menu.字体加粗->run();
    EXPECT_FALSE(w.menu.字体加粗->checked());
    EXPECT_TRUE(allBold(false));

    w.menu.字体加粗->run();
    w.menu.退出程序->run();
    EXPECT_EQ(h.setting("字体加粗"), "真");

    Harness again;
    again.seed("字体加粗=真\r\n");
    again.start();
    again.app.window.menu.字体加粗->run();
    again.app.window.menu.退出程序->run();
    EXPECT_EQ(again.setting("字体加粗"), "假");
}
