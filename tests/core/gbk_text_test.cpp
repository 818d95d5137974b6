#include "app/gbk_text.h"

#include <gtest/gtest.h>

#include <limits>

using gbk::split;

TEST(GbkText, SplitFollowsTheFieldRules) {
    struct Case {
        std::string text;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a*b", {"a", "b"}},
        {"a*", {"a"}},     // a trailing separator adds no field
        {"*a", {"", "a"}}, // a leading one does
        {"a**b", {"a", "", "b"}},
        {"*", {""}},
        {"**", {"", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(split(c.text, "*"), c.fields) << c.text;
}

TEST(GbkText, SeparatorsNeverMatchInsideADoubleByteCharacter) {
    // 亅 is GBK 81 7C: its second byte is the ASCII vertical bar.
    const std::string withHiddenBar = "\x81\x7C"
                                      "a|b";
    EXPECT_EQ(gbk::find(withHiddenBar, "|"), 3u);
    EXPECT_EQ(split(withHiddenBar, "|"), (std::vector<std::string>{"\x81\x7C"
                                                                   "a",
                                                                   "b"}));
    EXPECT_EQ(gbk::replaceAll("时间：1", "：", ":"), "时间:1");
    EXPECT_FALSE(gbk::contains("\x81\x7C", "|"));
}

TEST(GbkText, FourByteSequencesAreOneCharacter) {
    // A GB18030 four-byte character whose third byte could otherwise pair up with what follows.
    const std::string four = "\x81\x30\x81\x30";
    EXPECT_EQ(gbk::charLength(four, 0), 4u);
    EXPECT_EQ(split(four + "|x", "|"), (std::vector<std::string>{four, "x"}));
}

TEST(GbkText, LoneLeadByteAtTheEndIsOneCharacter) {
    const std::string text = "ab\x81";
    EXPECT_EQ(gbk::charLength(text, 2), 1u);
    EXPECT_EQ(split(text, "|"), (std::vector<std::string>{text}));
}

TEST(GbkText, NumberRule) {
    struct Case {
        std::string text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"250", 250},
        {"250ms", 250},
        {"２５０", 250},
        {"3.9", 3},
        {"-3.9", -3},
        {"abc", 0},
        {"", 0},
        {"  42", 42},
        {"　７", 7},
        {"+5", 5},
        {"1e3", 1000},
        {"1e", 1},
        {"8点", 8},
        {"-40", -40},
        {".5", 0},
        {"００", 0},
        {"－５", -5},
        {"1.8", 1},
        {"99999999999", std::numeric_limits<std::int32_t>::max()},
        {"-99999999999", std::numeric_limits<std::int32_t>::min()},
        {"1e400", std::numeric_limits<std::int32_t>::max()},
        {std::string(5000, '9'), std::numeric_limits<std::int32_t>::max()},
        {"1" + std::string(400, '0') + ".5e-398", 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gbk::toInt(c.text), c.value) << c.text.substr(0, 40);
}

TEST(GbkText, IntegerInputTakesSignAndDigitsOnly) {
    struct Case {
        std::string text;
        std::int32_t value;
    };
    const Case cases[] = {{"800", 800},
                          {"12px", 12},
                          {"abc", 0},
                          {"", 0},
                          {"-5", -5},
                          {" 7", 7},
                          {"3.9", 3},
                          {"1e3", 1},
                          {"99999999999", std::numeric_limits<std::int32_t>::max()},
                          {"-99999999999", std::numeric_limits<std::int32_t>::min()}};
    for (const Case& c : cases)
        EXPECT_EQ(gbk::leadingInteger(c.text), c.value) << c.text;
}

TEST(GbkText, FullWidthFoldingLeavesOtherCharactersAlone) {
    EXPECT_EQ(gbk::foldFullWidth("１８：２８｜事"), "18:28|事");
    EXPECT_EQ(gbk::foldFullWidth("\xA3"), "\xA3"); // lone lead byte kept
}
