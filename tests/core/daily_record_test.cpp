#include "test_support.h"

#include "app/ini_text.h"
#include "eventbars/daily_record.h"
#include "eventbars/event_entry.h"

#include <gtest/gtest.h>

namespace {

struct RecordFixture : ::testing::Test {
    void SetUp() override {
        h.seed("每日事件记录真假=真\r\n");
        h.start();
    }
    void at(const DateTime& t) { h.platform.clock.set(t); }
    void enter(int n, const std::string& entry) {
        h.platform.dialogs.answer(entry);
        editEventContent(h.app, n);
    }
    std::string file(const std::string& name) { return h.platform.files.files.at("/prog/每日记/" + name); }
    Harness h;
};

} // namespace

TEST_F(RecordFixture, RecordGoesUnderTheMinuteOfEntryInTheDaysSection) {
    at({2017, 1, 5, 9, 5, 0});
    enter(2, "开会");
    EXPECT_EQ(file("2017年1月5日.ini"), "[每日记：2017年1月5日]\r\n9：5=开会\r\n");

    // A timed entry records its event text under the minute it was set, not the alarm's.
    at({2017, 1, 5, 10, 0, 30});
    enter(3, "18:28|午会");
    EXPECT_EQ(IniText(file("2017年1月5日.ini")).value("每日记：2017年1月5日", "10：0"), "午会");
    EXPECT_EQ(IniText(file("2017年1月5日.ini")).value("每日记：2017年1月5日", "9：5"), "开会");
}

TEST_F(RecordFixture, KeysArePerMinuteSoTheLaterTextWins) {
    at({2017, 1, 5, 23, 59, 1});
    enter(1, "甲");
    at({2017, 1, 5, 23, 59, 58});
    enter(6, "乙");
    EXPECT_EQ(file("2017年1月5日.ini"), "[每日记：2017年1月5日]\r\n23：59=乙\r\n");
}

TEST_F(RecordFixture, EmptyTextCreatesTheDaysFileButWritesNothing) {
    at({2017, 12, 31, 0, 0, 0});
    enter(1, "");
    enter(1, "18:28||b");
    EXPECT_EQ(file("2017年12月31日.ini"), "");
}

TEST_F(RecordFixture, NewDayGetsItsOwnFileAndEarlierFilesStay) {
    at({2017, 1, 5, 8, 0, 0});
    enter(1, "一");
    const std::string before = file("2017年1月5日.ini");
    at({2017, 1, 6, 8, 0, 0});
    enter(1, "二");
    EXPECT_EQ(file("2017年1月5日.ini"), before);
    EXPECT_EQ(file("2017年1月6日.ini"), "[每日记：2017年1月6日]\r\n8：0=二\r\n");
}

TEST_F(RecordFixture, MissingFolderIsCreatedBesideTheProgram) {
    EXPECT_FALSE(h.platform.files.exists("/prog/每日记"));
    at({2017, 1, 5, 9, 5, 0});
    enter(2, "开会");
    EXPECT_TRUE(h.platform.files.folders.count("/prog/每日记"));
    EXPECT_EQ(file("2017年1月5日.ini"), "[每日记：2017年1月5日]\r\n9：5=开会\r\n");
}

TEST_F(RecordFixture, OtherSectionsAndKeysOfTheFileStay) {
    h.platform.files.folders.insert("/prog/每日记");
    h.platform.files.files["/prog/每日记/2017年1月5日.ini"] =
        "; mine\r\n[每日记：2017年1月5日]\r\n8：0=早\r\n[x]\r\ny=1\r\n";
    at({2017, 1, 5, 9, 5, 0});
    enter(2, "开会");
    EXPECT_EQ(file("2017年1月5日.ini"), "; mine\r\n[每日记：2017年1月5日]\r\n8：0=早\r\n9：5=开会\r\n[x]\r\ny=1\r\n");
}

TEST_F(RecordFixture, UnknownWordOnlyCreatesTheFile) {
    at({2017, 1, 5, 9, 5, 0});
    h.app.window.eventBar(1).setText("开会");
    recordBarContent(h.app, "第七条");
    EXPECT_EQ(file("2017年1月5日.ini"), "");
}

TEST_F(RecordFixture, FolderThatCannotBeMadeIsIgnored) {
    h.platform.files.files["/prog/每日记"] = "a file in the way";
    enter(1, "开会");
    EXPECT_EQ(h.app.window.eventBar(1).text(), "开会");
    EXPECT_EQ(h.setting("事件条1内容"), "开会");
    EXPECT_EQ(h.platform.files.files.size(), 2u);
}
