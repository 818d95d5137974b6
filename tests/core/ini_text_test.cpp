#include "app/ini_text.h"

#include <gtest/gtest.h>

TEST(IniText, ReadsKeysOfTheNamedSectionOnly) {
    const IniText ini("[Other]\r\nkey=other\r\n[Orrinvale]\r\nkey=mine\r\nempty=\r\n");
    EXPECT_EQ(ini.value("Orrinvale", "key"), "mine");
    EXPECT_EQ(ini.value("Orrinvale", "empty"), "");
    EXPECT_EQ(ini.value("Orrinvale", "missing"), std::nullopt);
    EXPECT_EQ(ini.value("Missing", "key"), std::nullopt);
}

TEST(IniText, ReadsLfFilesAndALastLineWithoutEnd) {
    const IniText ini("[Orrinvale]\nA=1\nB=2");
    EXPECT_EQ(ini.value("Orrinvale", "A"), "1");
    EXPECT_EQ(ini.value("Orrinvale", "B"), "2");
}

TEST(IniText, ChangingAKeyKeepsEveryOtherByte) {
    const std::string before = "; note\n[Other]\r\nx = 1\r\n\r\n[Orrinvale]\r\nA=1\r\nweird line\r\nB=2\r\n[Tail]\nz=9";
    IniText ini(before);
    ini.setValue("Orrinvale", "A", "100");
    EXPECT_EQ(ini.bytes(), "; note\n[Other]\r\nx = 1\r\n\r\n[Orrinvale]\r\nA=100\r\nweird line\r\nB=2\r\n[Tail]\nz=9");
}

TEST(IniText, MissingKeyGoesAfterTheSectionsLastEntry) {
    IniText ini("[Orrinvale]\r\nA=1\r\n\r\n[Next]\r\nB=2\r\n");
    ini.setValue("Orrinvale", "C", "3");
    EXPECT_EQ(ini.bytes(), "[Orrinvale]\r\nA=1\r\nC=3\r\n\r\n[Next]\r\nB=2\r\n");
}

TEST(IniText, MissingSectionIsAppendedEvenAfterALineWithoutEnd) {
    IniText empty;
    empty.setValue("Orrinvale", "A", "1");
    EXPECT_EQ(empty.bytes(), "[Orrinvale]\r\nA=1\r\n");

    IniText unterminated("[Other]\r\nx=1");
    unterminated.setValue("Orrinvale", "A", "");
    EXPECT_EQ(unterminated.bytes(), "[Other]\r\nx=1\r\n[Orrinvale]\r\nA=\r\n");

    IniText sectionAtEnd("[Orrinvale]\r\nA=1");
    sectionAtEnd.setValue("Orrinvale", "B", "2");
    EXPECT_EQ(sectionAtEnd.bytes(), "[Orrinvale]\r\nA=1\r\nB=2\r\n");
}

TEST(IniText, AValueCannotBreakOutOfItsLine) {
    IniText ini;
    ini.setValue("Orrinvale", "事件条1内容", "a\r\n窗口宽度=5\nb");
    EXPECT_EQ(ini.value("Orrinvale", "窗口宽度"), std::nullopt);
    EXPECT_EQ(ini.value("Orrinvale", "事件条1内容"), "a  窗口宽度=5 b");
}

TEST(IniText, GarbageAndBinaryLinesSurviveEdits) {
    const char raw[] = "\x00\x01\xFF\xFE garbage [ ] = \x81\r\n";
    const std::string junk(raw, sizeof raw - 1);
    const std::string before = junk + "[Orrinvale]\r\n" + std::string(1 << 20, 'x') + "\r\nA=1\r\n";
    IniText ini(before);
    EXPECT_EQ(ini.value("Orrinvale", "A"), "1");
    ini.setValue("Orrinvale", "A", "2");
    ini.setValue("Orrinvale", "B", "3");
    EXPECT_EQ(ini.bytes().substr(0, junk.size()), junk);
    EXPECT_EQ(ini.value("Orrinvale", "A"), "2");
    EXPECT_EQ(ini.value("Orrinvale", "B"), "3");
    EXPECT_EQ(ini.bytes().size(), before.size() + 5);
}

TEST(IniText, NamesIgnoreBlanksAndAsciiCase) {
    IniText ini("[ orrinvale ]\r\n  Key  =v\r\n");
    EXPECT_EQ(ini.value("Orrinvale", "KEY"), "v");
    ini.setValue("Orrinvale", "key", "w");
    EXPECT_EQ(ini.bytes(), "[ orrinvale ]\r\n  Key  =w\r\n");
}
