#include "app/config_file.h"
#include "platform/fake/fake_ports.h"

#include <gtest/gtest.h>

namespace {

struct ConfigFixture : ::testing::Test {
    MemoryFiles files;
    ConfigFile config{files, "/prog"};
    const std::string path = "/prog/配置文件.ini";
};

} // namespace

TEST_F(ConfigFixture, EnsureCreatesAnEmptyFileOnceAndNeverTouchesAnExistingOne) {
    config.ensureConfigFile();
    ASSERT_TRUE(files.files.count(path));
    EXPECT_EQ(files.files[path], "");
    files.files[path] = "[Orrinvale]\r\nA=1\r\n";
    config.ensureConfigFile();
    EXPECT_EQ(files.files[path], "[Orrinvale]\r\nA=1\r\n");
}

TEST_F(ConfigFixture, ReadsAfreshEveryTime) {
    EXPECT_EQ(config.readSetting("A"), "");
    files.files[path] = "[Orrinvale]\r\nA=1\r\n";
    EXPECT_EQ(config.readSetting("A"), "1");
    files.files[path] = "[Orrinvale]\r\nA=2\r\n";
    EXPECT_EQ(config.readSetting("A"), "2");
}

TEST_F(ConfigFixture, AFileThatCannotBeReadIsNeverOverwritten) {
    files.files[path] = "[Orrinvale]\r\nA=1\r\nUnknown=keep me\r\n";
    files.unreadable.insert(path);
    EXPECT_EQ(config.readSetting("A"), "");
    config.writeSetting("A", "2");
    EXPECT_EQ(files.files[path], "[Orrinvale]\r\nA=1\r\nUnknown=keep me\r\n");
}

TEST_F(ConfigFixture, AFailedWriteLeavesTheOldFile) {
    files.files[path] = "[Orrinvale]\r\nA=1\r\n";
    files.failWrites = true;
    config.writeSetting("A", "2");
    EXPECT_EQ(files.files[path], "[Orrinvale]\r\nA=1\r\n");
}

TEST_F(ConfigFixture, BatchWriteKeepsOrderInOneReplace) {
    config.writeSettings({{"B", "2"}, {"A", "1"}, {"B", "3"}});
    EXPECT_EQ(files.files[path], "[Orrinvale]\r\nB=3\r\nA=1\r\n");
    EXPECT_EQ(files.writes, 1);
}

TEST(SettingValues, DefaultsApplyOnlyToEmptyValues) {
    EXPECT_EQ(numberOr("", 50), 50);
    EXPECT_EQ(numberOr("abc", 50), 0);
    EXPECT_EQ(numberOr("0", 50), 0);
    EXPECT_TRUE(isOn("真"));
    for (const char* off : {"假", "", "true", "1", "真 "})
        EXPECT_FALSE(isOn(off)) << off;
}
