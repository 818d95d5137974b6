#include "test_support.h"

#include "alarm/music_settings.h"
#include "eventbars/event_entry.h"

#include <gtest/gtest.h>

namespace {

struct MusicFixture : ::testing::Test {
    void SetUp() override { h.start(); }
    MenuItem& item() { return *h.app.window.menu.开启音乐报警; }
    void pick() { item().run(); }
    size_t dialogsShown() const { return h.platform.dialogs.calls.size(); }
    Harness h;
};

} // namespace

TEST_F(MusicFixture, FirstSwitchOnAsksAndStoresThePathAtOnce) {
    h.platform.dialogs.answer("/home/u/音乐/a.mp3");
    pick();
    ASSERT_EQ(dialogsShown(), 1u);
    const DialogCall& call = h.platform.dialogs.calls[0];
    EXPECT_EQ(call.type, DialogCall::Type::OpenFile);
    EXPECT_EQ(call.title, "请选择音乐文件：");
    EXPECT_EQ(call.prompt, "音乐文件（*.mp3）|*.mp3");
    EXPECT_TRUE(item().checked());
    EXPECT_EQ(h.app.state.musicFilePath, "/home/u/音乐/a.mp3");
    EXPECT_EQ(h.setting("音乐文件地址"), "/home/u/音乐/a.mp3");

    h.platform.dialogs.answer("8:00|x");
    editEventContent(h.app, 1);
    h.platform.clock.set({2026, 12, 11, 8, 0, 0});
    h.run(300);
    EXPECT_EQ(h.platform.sound.events, std::vector<std::string>{"mp3:/home/u/音乐/a.mp3"});
}

TEST_F(MusicFixture, CancelLeavesItOnWithTheBuiltInSound) {
    h.platform.dialogs.cancel();
    pick();
    EXPECT_TRUE(item().checked());
    EXPECT_EQ(h.app.state.musicFilePath, "");
    EXPECT_EQ(h.setting("音乐文件地址"), "");

    h.platform.dialogs.answer("9:00|x");
    editEventContent(h.app, 1);
    h.run(300);
    EXPECT_EQ(h.platform.sound.events, std::vector<std::string>{"builtin"});

    pick(); // off
    h.platform.dialogs.cancel();
    pick(); // on: asks again
    EXPECT_EQ(dialogsShown(), 3u);
}

TEST_F(MusicFixture, StoredPathIsReadAnewAndNeverCleared) {
    h.app.config.writeSetting("音乐文件地址", "/a.mp3");
    pick();
    EXPECT_EQ(dialogsShown(), 0u);
    EXPECT_EQ(h.app.state.musicFilePath, "/a.mp3");

    h.app.config.writeSetting("音乐文件地址", "/b.mp3");
    pick(); // off: nothing read, nothing written
    EXPECT_FALSE(item().checked());
    EXPECT_EQ(h.app.state.musicFilePath, "/a.mp3");
    EXPECT_EQ(h.setting("音乐文件地址"), "/b.mp3");
    pick();
    EXPECT_EQ(h.app.state.musicFilePath, "/b.mp3");

    // Clearing the key brings the dialog back.
    h.app.config.writeSetting("音乐文件地址", "");
    pick();
    h.platform.dialogs.answer("/c.mp3");
    pick();
    EXPECT_EQ(dialogsShown(), 1u);
    EXPECT_EQ(h.setting("音乐文件地址"), "/c.mp3");
}

TEST_F(MusicFixture, IgnoresInitializing) {
    h.app.config.writeSetting("音乐文件地址", "/a.mp3");
    h.app.state.initializing = true;
    pick();
    EXPECT_TRUE(item().checked());
}

TEST_F(MusicFixture, FailedWriteKeepsTheChosenPathForExit) {
    h.platform.files.failWrites = true;
    h.platform.dialogs.answer("/a.mp3");
    pick();
    EXPECT_EQ(h.app.state.musicFilePath, "/a.mp3");
}

TEST_F(MusicFixture, StopSilencesAndChangesNothingElse) {
    item().setChecked(true);
    h.platform.dialogs.answer("9:00|x");
    editEventContent(h.app, 1);
    h.run(300);
    h.app.window.menu.停止播放->run();
    EXPECT_EQ(h.platform.sound.events, (std::vector<std::string>{"builtin", "stop"}));
    EXPECT_TRUE(item().checked());
    EXPECT_EQ(h.app.window.eventBarTimer(1).period(), 100);
}
