#include "test_support.h"

#include "alarm/alarm_check.h"
#include "app/bar_layout.h"
#include "app/gbk_text.h"
#include "workplan/plan_parser.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

const std::string defaultPlan = "1.8:00|第一件*2.10:00|第二件*3.12:00|第三件";
const std::string formatMessage = "格式不正确，请重新设置";
const std::string formatTitle = "格式不对啊";

// What an earlier plan left in entry k: something no test plan writes, so an untouched entry shows.
PlanEvent earlier(int k) {
    return {k % 2, 50 + k, k, "旧" + std::to_string(k)};
}

struct Filled {
    int entry; // 1 to 20
    std::int32_t hour;
    std::int32_t minute;
    std::string text;
};

std::string numberedPlan(int pieces) {
    std::string plan;
    for (int k = 1; k <= pieces; ++k)
        plan += (k > 1 ? "*" : "") + std::to_string(k) + "." + std::to_string(k) + ":" + std::to_string(k + 10) + "|e" +
                std::to_string(k);
    return plan;
}

std::vector<Filled> numberedEntries(int entries) {
    std::vector<Filled> filled;
    for (int k = 1; k <= entries; ++k)
        filled.push_back({k, k, k + 10, "e" + std::to_string(k)});
    return filled;
}

// A started program (six bars with the time bar) whose plan table holds what an earlier plan left.
struct PlanRig {
    PlanRig() {
        h.start();
        for (int k = 1; k <= planEventCount; ++k)
            events()[k - 1] = earlier(k);
    }

    MenuItem& planItem() { return *h.app.window.menu.一天工作计划模式; }
    std::array<PlanEvent, planEventCount>& events() { return h.app.state.planEvents; }
    std::vector<DialogCall>& calls() { return h.platform.dialogs.calls; }

    void pick(std::optional<std::string> answer) {
        h.platform.dialogs.answer(std::move(answer));
        planItem().run();
    }

    void expectEntries(const std::vector<Filled>& filled, const std::string& context) {
        std::array<PlanEvent, planEventCount> expected;
        for (int k = 1; k <= planEventCount; ++k)
            expected[k - 1] = earlier(k);
        for (const Filled& f : filled)
            expected[f.entry - 1] = {1, f.hour, f.minute, f.text};
        for (int k = 1; k <= planEventCount; ++k) {
            const PlanEvent& got = events()[k - 1];
            const PlanEvent& want = expected[k - 1];
            EXPECT_EQ(got.armed, want.armed) << context << " entry " << k;
            EXPECT_EQ(got.hour, want.hour) << context << " entry " << k;
            EXPECT_EQ(got.minute, want.minute) << context << " entry " << k;
            EXPECT_EQ(got.text, want.text) << context << " entry " << k;
        }
    }

    // The strip as start-up left it: six bars with the time bar, every bar-count item enabled.
    void expectLayoutUntouched(const std::string& context) {
        const MainWindow& w = h.app.window;
        EXPECT_EQ(w.height(), 135) << context;
        EXPECT_EQ(h.app.state.windowHeight, 135) << context;
        for (int n = 1; n <= 6; ++n) {
            EXPECT_EQ(w.menu.barCount[n - 1]->checked(), n == 6) << context << " item " << n;
            EXPECT_TRUE(w.menu.barCount[n - 1]->enabled()) << context << " item " << n;
        }
    }

    Harness h;
};

class WorkPlan : public ::testing::Test, public PlanRig {};

// ---- entering: one table of plan texts --------------------------------------------------------------------

enum class Outcome { Entered, Refused };

struct PlanCase {
    std::string plan;
    Outcome outcome;
    std::vector<Filled> filled;
};

std::vector<PlanCase> planCases() {
    std::vector<PlanCase> cases = {
        {defaultPlan, Outcome::Entered, {{1, 8, 0, "第一件"}, {2, 10, 0, "第二件"}, {3, 12, 0, "第三件"}}},
        // "。" and "：" are normalised everywhere, event texts included.
        {"1。8：00|开会*2.9：30|b", Outcome::Entered, {{1, 8, 0, "开会"}, {2, 9, 30, "b"}}},
        {"1.8:00|开会：三楼*2.9:00|b", Outcome::Entered, {{1, 8, 0, "开会:三楼"}, {2, 9, 0, "b"}}},
        // Without "*" the hour field is read whole: «1.8» gives 1.
        {"1。8：00|开会", Outcome::Entered, {{1, 1, 0, "开会"}}},
        {"1.8:00|第一件", Outcome::Entered, {{1, 1, 0, "第一件"}}},
        {"8:00|第一件", Outcome::Entered, {{1, 8, 0, "第一件"}}},
        {"1.8:30:15|a", Outcome::Entered, {{1, 1, 30, "a"}}},
        // The numbers play no part: pieces fill entries by position.
        {"5.8:00|a*9.9:30|b", Outcome::Entered, {{1, 8, 0, "a"}, {2, 9, 30, "b"}}},
        {"3.8:00|a*3.9:30|b", Outcome::Entered, {{1, 8, 0, "a"}, {2, 9, 30, "b"}}},
        {".8:00|a*x.9:30|b", Outcome::Entered, {{1, 8, 0, "a"}, {2, 9, 30, "b"}}},
        // Empty pieces leave their entries alone.
        {"1.8:00|a**3.9:00|c", Outcome::Entered, {{1, 8, 0, "a"}, {3, 9, 0, "c"}}},
        {"*2.9:00|b", Outcome::Entered, {{2, 9, 0, "b"}}},
        {"**", Outcome::Entered, {}},
        // One piece after splitting at "*": nothing is read, the mode is entered all the same.
        {"1.8:00|a*", Outcome::Entered, {}},
        {"*", Outcome::Entered, {}},
        {numberedPlan(2), Outcome::Entered, numberedEntries(2)},
        {numberedPlan(20), Outcome::Entered, numberedEntries(20)},
        {numberedPlan(21), Outcome::Entered, numberedEntries(20)},
        // The 21st piece is not read, so not even a broken one refuses the plan.
        {numberedPlan(20) + "*坏", Outcome::Entered, numberedEntries(20)},
        {numberedPlan(20) + "*坏*", Outcome::Entered, numberedEntries(20)},
        {numberedPlan(22), Outcome::Entered, {}},
        {numberedPlan(21) + "*坏", Outcome::Entered, {}},
        // Later separators end a field; the rest is dropped.
        {"1.8:00|a|b*2.9:00|c", Outcome::Entered, {{1, 8, 0, "a"}, {2, 9, 0, "c"}}},
        {"1.8:30:15|a*2.9:00|c", Outcome::Entered, {{1, 8, 30, "a"}, {2, 9, 0, "c"}}},
        {"1.2.8:00|a*2.9:00|c", Outcome::Entered, {{1, 2, 0, "a"}, {2, 9, 0, "c"}}},
        // The number rule, without a range check.
        {"1.24:00|a*2.9:60|b", Outcome::Entered, {{1, 24, 0, "a"}, {2, 9, 60, "b"}}},
        {"1.08:05|a*2.8点:30分|b", Outcome::Entered, {{1, 8, 5, "a"}, {2, 8, 30, "b"}}},
        {"1.ab:cd|a*2.-3:+4|b", Outcome::Entered, {{1, 0, 0, "a"}, {2, -3, 4, "b"}}},
        {"1.８:３０|a*2. 9:1e1|b", Outcome::Entered, {{1, 8, 30, "a"}, {2, 9, 10, "b"}}},
        {"1.8::30|a*2.9:00|b", Outcome::Entered, {{1, 8, 0, "a"}, {2, 9, 0, "b"}}},
        // An empty field between two separators is a field: the event text is empty, not missing.
        {"1.8:00||b*2.9:00|c", Outcome::Entered, {{1, 8, 0, ""}, {2, 9, 0, "c"}}},
        // 亅 is 81 7C: its trail byte is no separator.
        {"1.8:00|亅a*2.9:00|b亅", Outcome::Entered, {{1, 8, 0, "亅a"}, {2, 9, 0, "b亅"}}},

        // The format gate: neither "*" nor "|".
        {"明天再说", Outcome::Refused, {}},
        {"", Outcome::Refused, {}},
        {"8:00亅开会", Outcome::Refused, {}},
        // A chosen piece that cannot be read in full refuses the whole plan, earlier good pieces included.
        {"a*b", Outcome::Refused, {}},
        {"1.8:00|*2.9:00|b", Outcome::Refused, {}},
        {"1.8:00|a*2.9:00", Outcome::Refused, {}},
        {"1.8|a*2.9:00|b", Outcome::Refused, {}},
        {"1.8:|a*2.9:00|b", Outcome::Refused, {}},
        {"8:00|a*9.10:00|b", Outcome::Refused, {}},
        {"1.:00|a*2.9:00|b", Outcome::Refused, {}},
        {"1．8:00|a*2.9:00|b", Outcome::Refused, {}},
        {"|a*2.9:00|b", Outcome::Refused, {}},
        {"1.8:00|a*2.9:00|b*3.10|c", Outcome::Refused, {}},
        {numberedPlan(19) + "*坏", Outcome::Refused, {}},
        {"8|a", Outcome::Refused, {}},
        {"8:|a", Outcome::Refused, {}},
        {"8:00|", Outcome::Refused, {}},
        {"|", Outcome::Refused, {}},
    };
    return cases;
}

TEST_F(WorkPlan, EntryDialog) {
    pick(std::nullopt);
    ASSERT_EQ(calls().size(), 1u);
    const DialogCall& box = calls()[0];
    EXPECT_EQ(box.type, DialogCall::Type::Input);
    EXPECT_EQ(box.kind, InputKind::Text);
    EXPECT_EQ(box.title, "请按格式设置一天的事件");
    EXPECT_EQ(box.initial, defaultPlan);
    EXPECT_EQ(box.prompt, "最多支持20个事件：格式一定要如下：\r\n1.8:00|第一件*2.10:00|第二件*3.12:00|第三件……\r\n"
                          "事与事之间用*符分割，时间与事件内容用|符分割");
}

TEST(WorkPlanTable, PlanTextsToEntriesAndLayout) {
    for (const PlanCase& c : planCases()) {
        PlanRig t;
        MainWindow& w = t.h.app.window;
        w.eventBar(1).setText("旧文");
        w.eventBar(1).setLeft(123);
        w.eventBarTimer(4).setPeriod(0); // a stopped bar stays stopped: entering performs no bar-count action
        t.h.app.state.windowHeight = 7;  // stale, so only a save on entering gives 135
        t.pick(c.plan);
        const std::string context = "plan [" + c.plan.substr(0, 60) + "]";

        t.expectEntries(c.filled, context);
        EXPECT_EQ(w.eventBar(1).text(), "旧文") << context;
        EXPECT_EQ(w.eventBar(1).left(), 123) << context;
        for (int n = 1; n <= 6; ++n)
            EXPECT_EQ(w.eventBarTimer(n).period(), n == 4 ? 0 : 100) << context << " bar " << n;

        if (c.outcome == Outcome::Entered) {
            EXPECT_EQ(t.calls().size(), 1u) << context;
            EXPECT_TRUE(t.planItem().checked()) << context;
            EXPECT_EQ(w.height(), 40) << context;
            EXPECT_EQ(t.h.app.state.windowHeight, 135) << context;
            for (int n = 1; n <= 6; ++n) {
                EXPECT_EQ(w.menu.barCount[n - 1]->checked(), n == 1) << context << " item " << n;
                EXPECT_FALSE(w.menu.barCount[n - 1]->enabled()) << context << " item " << n;
            }
        } else {
            ASSERT_EQ(t.calls().size(), 2u) << context;
            EXPECT_EQ(t.calls()[1].type, DialogCall::Type::Error) << context;
            EXPECT_EQ(t.calls()[1].prompt, formatMessage) << context;
            EXPECT_EQ(t.calls()[1].title, formatTitle) << context;
            EXPECT_FALSE(t.planItem().checked()) << context;
            EXPECT_EQ(t.h.app.state.windowHeight, 7) << context;
            t.h.app.state.windowHeight = 135;
            t.expectLayoutUntouched(context);
        }
    }
}

TEST_F(WorkPlan, TimeBarHiddenStillGivesFortyPixels) {
    h.app.window.menu.不要时间条->run();
    ASSERT_EQ(h.app.window.height(), 116);
    pick(defaultPlan);
    EXPECT_EQ(h.app.window.height(), 40);
    EXPECT_EQ(h.app.state.windowHeight, 116);
}

TEST_F(WorkPlan, CancelKeepsTheMarkAndChangesNothingElse) {
    pick(std::nullopt);
    EXPECT_TRUE(planItem().checked());
    EXPECT_EQ(calls().size(), 1u);
    expectLayoutUntouched("cancel");
    expectEntries({}, "cancel");

    // Picking the item again leaves the mode, which puts back the six bars saved by start-up.
    planItem().run();
    EXPECT_FALSE(planItem().checked());
    EXPECT_EQ(calls().size(), 1u);
    expectLayoutUntouched("leave after cancel");
}

TEST_F(WorkPlan, TheMarkIsSetWhileTheBoxIsOpen) {
    std::optional<bool> markWhileOpen;
    h.platform.dialogs.whileOpen = [&] { markWhileOpen = planItem().checked(); };
    pick(defaultPlan);
    EXPECT_EQ(markWhileOpen, true);
}

TEST_F(WorkPlan, AShorterSecondPlanLeavesLaterEntriesAsTheyWere) {
    pick(defaultPlan);
    planItem().run(); // leave: the table stays as it is
    expectEntries({{1, 8, 0, "第一件"}, {2, 10, 0, "第二件"}, {3, 12, 0, "第三件"}}, "after leaving");

    events()[2].armed = 0; // entry 3 has fired meanwhile
    pick("1.7:00|x*2.7:30|y");
    EXPECT_EQ(events()[0].text, "x");
    EXPECT_EQ(events()[1].hour, 7);
    EXPECT_EQ(events()[1].minute, 30);
    EXPECT_EQ(events()[2].armed, 0);
    EXPECT_EQ(events()[2].hour, 12);
    EXPECT_EQ(events()[2].text, "第三件");
    EXPECT_EQ(events()[3].text, earlier(4).text);
}

// ---- leaving ------------------------------------------------------------------------------------------------

TEST(WorkPlanLeaving, SavedHeightSelectsTheBarCount) {
    struct Case {
        int windowHeight;
        int shown; // bar count performed with the time bar shown, 0 for none
        int hidden;
    };
    const Case cases[] = {{21, 0, 1},  {40, 1, 2},  {59, 2, 3}, {78, 3, 4}, {97, 4, 5}, {116, 5, 6},
                          {135, 6, 0}, {192, 0, 0}, {41, 0, 0}, {0, 0, 0},  {-40, 0, 0}};
    for (const Case& c : cases) {
        for (const bool hidden : {false, true}) {
            const int bars = hidden ? c.hidden : c.shown;
            const std::string context =
                "windowHeight " + std::to_string(c.windowHeight) + (hidden ? " hidden" : " shown");
            Harness h;
            h.seed("事件条2滚动速度=250\r\n");
            h.start();
            MainWindow& w = h.app.window;
            h.platform.dialogs.answer(defaultPlan);
            w.menu.一天工作计划模式->run();
            ASSERT_EQ(w.height(), 40);
            w.eventBarTimer(2).setPeriod(70); // set from the menu; a bar-count action reads the file again
            w.menu.不要时间条->setChecked(hidden);
            h.app.state.windowHeight = c.windowHeight;
            for (int n = 1; n <= 6; ++n)
                w.eventBar(n).setLeft(-17 * n);
            // The bar count is put back by the item's own action, whatever that is bound to.
            std::vector<int> performed;
            for (int n = 1; n <= 6; ++n)
                w.menu.barCount[n - 1]->setAction([&h, &performed, n] {
                    performed.push_back(n);
                    setBarCount(h.app, n);
                });

            w.menu.一天工作计划模式->run();

            EXPECT_EQ(performed, bars ? std::vector<int>{bars} : std::vector<int>{}) << context;

            EXPECT_FALSE(w.menu.一天工作计划模式->checked()) << context;
            EXPECT_EQ(h.platform.dialogs.calls.size(), 1u) << context;
            for (int n = 1; n <= 6; ++n) {
                EXPECT_TRUE(w.menu.barCount[n - 1]->enabled()) << context << " item " << n;
                EXPECT_EQ(w.eventBar(n).left(), 600) << context << " bar " << n;
                EXPECT_EQ(w.menu.barCount[n - 1]->checked(), n == (bars ? bars : 1)) << context << " item " << n;
            }
            if (bars) {
                EXPECT_EQ(w.height(), windowHeightFor(bars, hidden)) << context;
                EXPECT_EQ(h.app.state.windowHeight, w.height()) << context;
                EXPECT_EQ(w.eventBarTimer(2).period(), bars >= 2 ? 250 : 0) << context;
                for (int n = 1; n <= 6; ++n)
                    EXPECT_EQ(w.eventBarTimer(n).period() > 0, n <= bars) << context << " bar " << n;
            } else {
                EXPECT_EQ(w.height(), 40) << context;
                EXPECT_EQ(h.app.state.windowHeight, c.windowHeight) << context;
                EXPECT_EQ(w.eventBarTimer(2).period(), 70) << context;
            }
        }
    }
}

// ---- start-up -----------------------------------------------------------------------------------------------

TEST(WorkPlanStartUp, TheBoxComesUpDuringStartUpWhileTheAlarmCheckTicks) {
    Harness h;
    h.seed("一天工作计划模式=真\r\n几条事件条=三条\r\n窗口左边=120\r\n窗口顶边=700\r\n");
    int alarmTicks = 0;
    h.app.window.时钟_报警.setAction([&] {
        ++alarmTicks;
        checkAlarms(h.app);
    });
    struct Seen {
        bool initializing;
        bool marked;
        int left, top, height, ticks;
    };
    std::optional<Seen> seen;
    h.platform.dialogs.whileOpen = [&] {
        const MainWindow& w = h.app.window;
        seen = Seen{
            h.app.state.initializing, w.menu.一天工作计划模式->checked(), w.left(), w.top(), w.height(), alarmTicks};
    };
    h.platform.dialogs.answer(defaultPlan, 3000);
    h.start();

    ASSERT_TRUE(seen.has_value());
    EXPECT_TRUE(seen->initializing);
    EXPECT_TRUE(seen->marked);
    EXPECT_NE(std::make_pair(seen->left, seen->top), std::make_pair(120, 700)); // not yet at its stored place
    EXPECT_EQ(seen->height, 78);
    EXPECT_EQ(seen->ticks, 10); // 3000 ms at 300 ms

    const MainWindow& w = h.app.window;
    EXPECT_FALSE(h.app.state.initializing);
    EXPECT_EQ(std::make_pair(w.left(), w.top()), std::make_pair(120, 700));
    EXPECT_TRUE(w.menu.一天工作计划模式->checked());
    EXPECT_EQ(w.height(), 40);
    EXPECT_EQ(h.app.state.windowHeight, 40);
    EXPECT_EQ(h.app.state.planEvents[1].text, "第二件");
    for (int n = 1; n <= 6; ++n)
        EXPECT_FALSE(w.menu.barCount[n - 1]->enabled());
}

TEST(WorkPlanStartUp, LeavingAfterAStartInTheModePerformsOneBarOrTwoWithoutTheTimeBar) {
    for (const bool hidden : {false, true}) {
        Harness h;
        h.seed(std::string("一天工作计划模式=真\r\n几条事件条=五条\r\n不要时间条=") + (hidden ? "真" : "假") + "\r\n");
        h.platform.dialogs.answer(defaultPlan);
        h.start();
        MainWindow& w = h.app.window;
        ASSERT_EQ(w.height(), 40);

        w.menu.一天工作计划模式->run();

        const int bars = hidden ? 2 : 1;
        EXPECT_FALSE(w.menu.一天工作计划模式->checked()) << hidden;
        EXPECT_EQ(w.height(), 40) << hidden;
        for (int n = 1; n <= 6; ++n) {
            EXPECT_EQ(w.menu.barCount[n - 1]->checked(), n == bars) << hidden << " item " << n;
            EXPECT_TRUE(w.menu.barCount[n - 1]->enabled()) << hidden << " item " << n;
            EXPECT_EQ(w.eventBarTimer(n).period() > 0, n <= bars) << hidden << " bar " << n;
        }
    }
}

TEST(WorkPlanStartUp, CancelAtStartUpKeepsTheModeTickedWithTheStoredLayout) {
    Harness h;
    h.seed("一天工作计划模式=真\r\n几条事件条=三条\r\n");
    h.start(); // an empty script answers Cancel
    const MainWindow& w = h.app.window;
    EXPECT_EQ(h.platform.dialogs.calls.size(), 1u);
    EXPECT_TRUE(w.menu.一天工作计划模式->checked());
    EXPECT_EQ(w.height(), 78);
    EXPECT_TRUE(w.menu.barCount[2]->checked());
    EXPECT_TRUE(w.menu.barCount[2]->enabled());
}

TEST(WorkPlanStartUp, AMalformedPlanAtStartUpLeavesTheModeOff) {
    Harness h;
    h.seed("一天工作计划模式=真\r\n几条事件条=三条\r\n");
    h.platform.dialogs.answer("明天再说");
    h.start();
    ASSERT_EQ(h.platform.dialogs.calls.size(), 2u);
    EXPECT_EQ(h.platform.dialogs.calls[1].prompt, formatMessage);
    EXPECT_FALSE(h.app.window.menu.一天工作计划模式->checked());
    EXPECT_EQ(h.app.window.height(), 78);
}

TEST(WorkPlanStartUp, ModeOffShowsNoBox) {
    Harness h;
    h.seed("一天工作计划模式=假\r\n几条事件条=二条\r\n");
    h.start();
    EXPECT_TRUE(h.platform.dialogs.calls.empty());
    EXPECT_EQ(h.app.window.height(), 59);
    EXPECT_TRUE(h.app.window.menu.barCount[1]->checked());
}

// ---- bad input ----------------------------------------------------------------------------------------------

TEST_F(WorkPlan, BadInputIsReadByTheRules) {
    const std::string megabyte(1 << 20, 'x');
    std::string manyPieces = numberedPlan(1);
    for (int k = 2; k <= 10000; ++k)
        manyPieces += "*1.8:00|a";
    struct Case {
        std::string name;
        std::string plan;
        Outcome outcome;
        std::vector<Filled> filled;
    };
    const Case cases[] = {
        {"1 MB event text",
         "1.8:00|" + megabyte + "*2.9:00|b",
         Outcome::Entered,
         {{1, 8, 0, megabyte}, {2, 9, 0, "b"}}},
        {"1 MB hour",
         "1." + std::string(1 << 20, '9') + ":00|a*2.9:00|b",
         Outcome::Entered,
         {{1, 2147483647, 0, "a"}, {2, 9, 0, "b"}}},
        {"1 MB without separators", megabyte, Outcome::Refused, {}},
        {"1 MB of asterisks", std::string(1 << 20, '*'), Outcome::Entered, {}},
        {"1 MB of bars", std::string(1 << 20, '|'), Outcome::Refused, {}},
        {"10 000 pieces", manyPieces, Outcome::Entered, {}},
        // Bytes that are no GBK lead byte are single characters and stay in the text as they are.
        {"invalid bytes",
         "1.8:00|\xFF\x80\x7F*2.9:00|\x80",
         Outcome::Entered,
         {{1, 8, 0, "\xFF\x80\x7F"}, {2, 9, 0, "\x80"}}},
        {"lone lead byte at the end", "1.8:00|a*2.9:00|b\x81", Outcome::Entered, {{1, 8, 0, "a"}, {2, 9, 0, "b\x81"}}},
        {"lone lead byte alone", "\x81", Outcome::Refused, {}},
        // A lead byte takes the next byte with it, separator or not.
        {"lead byte before a bar", "1.8:00\x81|a*2.9:00|b", Outcome::Refused, {}},
        {"lead byte before the only asterisk", "1.8:00|a\x81*2.9:00|b", Outcome::Entered, {{1, 1, 0, "a\x81*2.9:00"}}},
        {"nul bytes",
         std::string("1.8:00|a\0b*2.9:00|c", 19),
         Outcome::Entered,
         {{1, 8, 0, std::string("a\0b", 3)}, {2, 9, 0, "c"}}},
    };
    for (const Case& c : cases) {
        for (int k = 1; k <= planEventCount; ++k)
            events()[k - 1] = earlier(k);
        calls().clear();
        pick(c.plan);
        expectEntries(c.filled, c.name);
        EXPECT_EQ(planItem().checked(), c.outcome == Outcome::Entered) << c.name;
        EXPECT_EQ(calls().size(), c.outcome == Outcome::Entered ? 1u : 2u) << c.name;
        EXPECT_EQ(h.app.window.height(), c.outcome == Outcome::Entered ? 40 : 135) << c.name;
        if (planItem().checked()) planItem().run(); // back to six bars for the next case
        expectLayoutUntouched(c.name + ", after leaving");
    }
}

// The rules read as plainly as they are written, with whole-text splits, to hold the parser to.
std::optional<PlanPieces> referenceRead(const std::string& text) {
    const bool numbered = gbk::contains(text, "*");
    std::vector<std::string> pieces = numbered ? gbk::split(text, "*") : std::vector<std::string>{text};
    if (numbered && (pieces.size() < 2 || pieces.size() > 21)) return PlanPieces{};
    if (pieces.size() > 20) pieces.resize(20);
    PlanPieces read;
    for (const std::string& piece : pieces) {
        if (numbered && piece.empty()) {
            read.emplace_back();
            continue;
        }
        const auto bar = gbk::split(piece, "|");
        if (bar.size() < 2) return std::nullopt;
        const auto colon = gbk::split(bar[0], ":");
        if (colon.size() < 2) return std::nullopt;
        std::string hour = colon[0];
        if (numbered) {
            const auto dot = gbk::split(colon[0], ".");
            if (dot.size() < 2) return std::nullopt;
            hour = dot[1];
        }
        read.push_back(PlanPiece{gbk::toInt(hour), gbk::toInt(colon[1]), bar[1]});
    }
    return read;
}

TEST(WorkPlanFuzz, RandomTextsFollowThePlainRules) {
    const std::vector<std::string> tokens = {"*", "|",  ":",  ".",  "。", "：", "．",   "1",    "8",    "30", " ",
                                             "a", "字", "亅", "皘", "-",  "e",  "\x81", "\xFF", "\x80", "",   "**"};
    std::mt19937 random(20261211);
    for (int round = 0; round < 600; ++round) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, 40)(random);
        for (int i = 0; i < length; ++i)
            text += tokens[std::uniform_int_distribution<std::size_t>(0, tokens.size() - 1)(random)];
        const std::string plan = normalisePlan(text);
        const auto expected = referenceRead(plan);
        ASSERT_EQ(readPlan(plan), expected) << "[" << text << "]";

        Harness h;
        h.start();
        for (int k = 1; k <= planEventCount; ++k)
            h.app.state.planEvents[k - 1] = earlier(k);
        h.platform.dialogs.answer(text);
        h.app.window.menu.一天工作计划模式->run();

        const bool gate = !gbk::contains(plan, "*") && !gbk::contains(plan, "|");
        const bool entered = !gate && expected.has_value();
        EXPECT_EQ(h.app.window.menu.一天工作计划模式->checked(), entered) << "[" << text << "]";
        EXPECT_EQ(h.app.window.height(), entered ? 40 : 135) << "[" << text << "]";
        for (int k = 1; k <= planEventCount; ++k) {
            const PlanEvent& got = h.app.state.planEvents[k - 1];
            const bool filled = entered && static_cast<std::size_t>(k) <= expected->size() && (*expected)[k - 1];
            if (filled) {
                const PlanPiece& piece = *(*expected)[k - 1];
                EXPECT_EQ(got.armed, 1) << "[" << text << "] entry " << k;
                EXPECT_EQ(got.hour, piece.hour) << "[" << text << "] entry " << k;
                EXPECT_EQ(got.minute, piece.minute) << "[" << text << "] entry " << k;
                EXPECT_EQ(got.text, piece.text) << "[" << text << "] entry " << k;
            } else {
                EXPECT_EQ(got.text, earlier(k).text) << "[" << text << "] entry " << k;
                EXPECT_EQ(got.armed, earlier(k).armed) << "[" << text << "] entry " << k;
            }
        }
    }
}

} // namespace

// ---- with the alarm check -----------------------------------------------------------------------------------

TEST(WorkPlanAlarms, EntriesTakeBarOneInTurn) {
    Harness h; // the clock starts at 9:00:00
    h.start();
    MainWindow& w = h.app.window;
    w.eventBar(1).setText("旧文");
    h.platform.dialogs.answer("1.9:01|先开会*2.9:02|再写报告");
    w.menu.一天工作计划模式->run();
    ASSERT_EQ(w.height(), 40);

    h.run(59 * 1000);
    EXPECT_EQ(w.eventBar(1).text(), "旧文");
    h.run(1000);
    EXPECT_EQ(w.eventBar(1).text(), "先开会");
    EXPECT_EQ(h.app.state.planEvents[0].armed, 0);
    h.run(500);
    EXPECT_LT(w.eventBar(1).left(), w.width()); // entering from the right edge
    h.run(60 * 1000);
    EXPECT_EQ(w.eventBar(1).text(), "再写报告");
    EXPECT_EQ(h.app.state.planEvents[1].armed, 0);
}

TEST(WorkPlanAlarms, AnEntryFiresWhileTheStartUpBoxIsOpen) {
    Harness h;
    h.seed("一天工作计划模式=真\r\n");
    h.app.state.planEvents[0] = {1, 9, 0, "早会"}; // the clock starts at 9:00:00
    std::string barOneWhileOpen;
    h.platform.dialogs.whileOpen = [&] { barOneWhileOpen = h.app.window.eventBar(1).text(); };
    h.platform.dialogs.answer("1.10:00|a*2.11:00|b", 1000);
    h.start();
    EXPECT_EQ(barOneWhileOpen, "早会");
    EXPECT_EQ(h.app.state.planEvents[0].text, "a");
    EXPECT_EQ(h.app.state.planEvents[0].armed, 1);
}
