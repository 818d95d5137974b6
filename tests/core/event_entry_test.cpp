#include "test_support.h"

#include "app/ini_text.h"
#include "eventbars/event_entry.h"

#include <gtest/gtest.h>

namespace {

const std::string recordPath = "/prog/每日记/2026年12月11日.ini";

struct EntryFixture : ::testing::Test {
    void SetUp() override { h.start(); }
    Label& label(int n) { return h.app.window.eventBar(n); }
    void enter(int n, const std::string& entry) {
        h.platform.dialogs.answer(entry);
        editEventContent(h.app, n);
    }
    Harness h;
};

} // namespace

TEST(EventEntry, EntryForms) {
    struct Case {
        std::string entry;
        bool refused;
        int armed, hour, minute;
        std::string text; // shown and stored
        int width;        // 321 is the width the label had before
        int period;       // the bar's timer: 0 for a waiting bar
    };
    const Case cases[] = {
        {"开会", false, 0, 7, 7, "开会", 40, 100},
        {"开会：三楼", false, 0, 7, 7, "开会:三楼", 90, 100},
        {"", false, 0, 7, 7, "", 0, 100},
        {"18:28|重要事件第一件", false, 1, 18, 28, "重要事件第一件", 321, 0},
        {"18：28|开会", false, 1, 18, 28, "开会", 321, 0},
        {"8:5|x", false, 1, 8, 5, "x", 321, 0},
        {"08:05|x", false, 1, 8, 5, "x", 321, 0},
        {"８:０５|x", false, 1, 8, 5, "x", 321, 0},
        {"１８：２８|x", false, 1, 18, 28, "x", 321, 0},
        {"8.9:5点|x", false, 1, 8, 5, "x", 321, 0},
        {"18:28:59|x", false, 1, 18, 28, "x", 321, 0},
        {"18:28|a|b", false, 1, 18, 28, "a", 321, 0},
        {"18:28||b", false, 1, 18, 28, "", 321, 0},
        {"18:28|", false, 1, 18, 28, "", 321, 0},
        {"9:30|开会：三楼", false, 1, 9, 30, "开会:三楼", 321, 0},
        {":30|x", false, 1, 0, 30, "x", 321, 0},
        {"ab:cd|x", false, 1, 0, 0, "x", 321, 0},
        {"25:00|x", false, 1, 25, 0, "x", 321, 0},
        {"-3:99|x", false, 1, -3, 99, "x", 321, 0},
        // A byte inside a double-byte character is no separator: 亅 is 81 7C.
        {"18:28\x81|x", false, 0, 7, 7, "18:28\x81|x", 80, 100},
        {"|text", true, 0, 7, 7, "旧事件", 321, 100},
        {"18|text", true, 0, 7, 7, "旧事件", 321, 100},
        {"18:|text", true, 0, 7, 7, "旧事件", 321, 100},
        {"18：|text", true, 0, 7, 7, "旧事件", 321, 100},
        {"18::30|text", false, 1, 18, 0, "text", 321, 0},
        {"|", true, 0, 7, 7, "旧事件", 321, 100},
    };
    for (const Case& c : cases) {
        Harness h;
        h.seed("事件条1内容=旧事件\r\n每日事件记录真假=真\r\n");
        h.start();
        Label& label = h.app.window.eventBar(1);
        label.setLeft(123);
        label.setWidth(321);
        h.app.bar(1).alarmHour = 7;
        h.app.bar(1).alarmMinute = 7;
        const std::string configBefore = h.platform.files.files.at(h.configPath());

        h.platform.dialogs.answer(c.entry);
        editEventContent(h.app, 1);

        const BarSlot& slot = h.app.bar(1);
        EXPECT_EQ(slot.alarmArmed, c.armed) << c.entry;
        EXPECT_EQ(slot.alarmHour, c.hour) << c.entry;
        EXPECT_EQ(slot.alarmMinute, c.minute) << c.entry;
        EXPECT_EQ(label.text(), c.text) << c.entry;
        EXPECT_EQ(label.width(), c.width) << c.entry;
        EXPECT_EQ(h.app.window.eventBarTimer(1).period(), c.period) << c.entry;
        const auto& calls = h.platform.dialogs.calls;
        if (c.refused) {
            ASSERT_EQ(calls.size(), 2u) << c.entry;
            EXPECT_EQ(calls[1].type, DialogCall::Type::Error);
            EXPECT_EQ(calls[1].prompt, "格式不正确，请重新设置");
            EXPECT_EQ(calls[1].title, "格式不对啊");
            EXPECT_EQ(label.left(), 123) << c.entry;
            EXPECT_EQ(h.platform.files.files.at(h.configPath()), configBefore) << c.entry;
            EXPECT_EQ(h.platform.files.files.count(recordPath), 0u) << c.entry;
        } else {
            EXPECT_EQ(calls.size(), 1u) << c.entry;
            EXPECT_EQ(label.left(), 600) << c.entry;
            EXPECT_EQ(h.setting("事件条1内容"), c.text) << c.entry;
            // The record holds the text as shown, under the minute of entry.
            const auto recorded =
                IniText(h.platform.files.files.at(recordPath)).value("每日记：2026年12月11日", "9：0");
            EXPECT_EQ(recorded.value_or(""), c.text) << c.entry;
            EXPECT_EQ(recorded.has_value(), !c.text.empty()) << c.entry;
        }
    }
}

TEST_F(EntryFixture, BoxOffersTheDefaultEntryThenTheTextAlone) {
    enter(3, "9:30|开会");
    enter(3, "9:30|开会");
    const auto& calls = h.platform.dialogs.calls;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, InputKind::Text);
    EXPECT_EQ(calls[0].title, "设置事件3内容当中：");
    EXPECT_EQ(calls[0].prompt, "正在设置事件3的内容：请输入要滚动的内容  二种格式请参考\r\n"
                               "不报警格式：重要事件第三件\r\n"
                               "定时滚动及报警格式：18:28|重要事件第三件");
    EXPECT_EQ(calls[0].initial, "18:28|重要事件第三件");
    // A waiting bar holds only its event text, so the time is not offered again.
    EXPECT_EQ(calls[1].initial, "开会");
}

TEST_F(EntryFixture, CancelChangesNothing) {
    enter(2, "9:30|开会");
    const std::string config = h.platform.files.files.at(h.configPath());
    label(2).setLeft(55);
    h.platform.dialogs.cancel();
    editEventContent(h.app, 2);
    EXPECT_EQ(label(2).text(), "开会");
    EXPECT_EQ(label(2).left(), 55);
    EXPECT_EQ(h.app.bar(2).alarmArmed, 1);
    EXPECT_EQ(h.platform.files.files.at(h.configPath()), config);
}

TEST_F(EntryFixture, EachBarWritesOnlyItsOwnStateAndKey) {
    for (int n = 1; n <= 6; ++n)
        enter(n, "9:0" + std::to_string(n) + "|事" + std::to_string(n));
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(label(n).text(), "事" + std::to_string(n));
        EXPECT_EQ(h.app.bar(n).alarmMinute, n);
        EXPECT_EQ(h.setting("事件条" + std::to_string(n) + "内容"), "事" + std::to_string(n));
    }
}

TEST_F(EntryFixture, PlainEntryOnAWaitingBarCancelsItsAlarmAndLeavesItStill) {
    h.platform.sound.events.clear();
    h.app.window.menu.开启音乐报警->setChecked(true);
    enter(2, "9:01|开会");
    enter(2, "改期");
    h.run(120'000);
    EXPECT_EQ(h.app.bar(2).alarmArmed, 0);
    EXPECT_EQ(h.app.window.eventBarTimer(2).period(), 0);
    EXPECT_EQ(label(2).left(), 600);
    EXPECT_TRUE(h.platform.sound.events.empty());
}

TEST_F(EntryFixture, PlainEntryOnAScrollingBarComesInFromTheRight) {
    enter(4, "开会");
    h.run(1000);
    EXPECT_EQ(label(4).left(), 590);
}

TEST_F(EntryFixture, LaterTimedEntryReplacesTheTime) {
    enter(1, "9:30|a");
    enter(1, "10:15|b");
    EXPECT_EQ(h.app.bar(1).alarmHour, 10);
    EXPECT_EQ(h.app.bar(1).alarmMinute, 15);
}

TEST_F(EntryFixture, RecordOffTouchesNoRecordFile) {
    enter(1, "开会");
    enter(2, "9:30|开会");
    EXPECT_FALSE(h.platform.files.exists("/prog/每日记"));
    EXPECT_EQ(h.platform.files.files.count(recordPath), 0u);
}

TEST_F(EntryFixture, FailedWritesLeaveTheDisplayStateStanding) {
    h.app.window.menu.每日事件记录->setChecked(true);
    h.platform.files.failWrites = true;
    enter(5, "9:30|开会");
    EXPECT_EQ(label(5).text(), "开会");
    EXPECT_EQ(h.app.bar(5).alarmArmed, 1);
    EXPECT_EQ(h.app.window.eventBarTimer(5).period(), 0);
}

TEST_F(EntryFixture, BadInputBreaksNoRule) {
    h.app.window.menu.每日事件记录->setChecked(true);
    struct Case {
        std::string entry;
        bool refused;
        int armed;
        std::string text;
    };
    const std::string big(100 * 1024, 'x');
    const std::string bigChinese = [] {
        std::string s;
        while (s.size() < 100 * 1024)
            s += "开会";
        return s;
    }();
    const Case cases[] = {
        {big, false, 0, big},
        {"9:30|" + bigChinese, false, 1, bigChinese},
        {bigChinese + "|" + big, true, 0, ""}, // no colon in the time piece
        {"\xFF\xFF\x80\x80", false, 0, "\xFF\xFF\x80\x80"},
        {"9:30|\xFF\xFE\x80", false, 1, "\xFF\xFE\x80"},
        {"9:30|a\r\nb\t\x01\x7F", false, 1, "a\r\nb\t\x01\x7F"},
        {"\x01:\x02|x", false, 1, "x"},
        {"9:30|abc\x81", false, 1, "abc\x81"},
        {"abc\x81", false, 0, "abc\x81"},
        {"\x81", false, 0, "\x81"},
        {std::string("9:30|a\0b", 8), false, 1, std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        h.app.bar(1).alarmArmed = 0;
        label(1).setText("旧");
        enter(1, c.entry);
        const std::string shown = c.entry.substr(0, 20);
        EXPECT_EQ(h.platform.dialogs.calls.back().type == DialogCall::Type::Error, c.refused) << shown;
        EXPECT_EQ(h.app.bar(1).alarmArmed, c.armed) << shown;
        EXPECT_EQ(label(1).text(), c.refused ? "旧" : c.text) << shown;
    }
    // A plain entry of 100 KB is sized by the width rule.
    enter(2, big);
    EXPECT_EQ(label(2).width(), 1024000);
    EXPECT_EQ(h.setting("事件条2内容"), big);
}
