#include "base/gbk.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tallivan {
namespace {

TEST(Gbk, ConvertsBothWays) {
    const std::string shanghai = "\xC9\xCF\xD6\xA4\xA3\xC1\xB9\xC9";  // 上证Ａ股
    EXPECT_EQ(gbk("上证Ａ股"), shanghai);
    EXPECT_EQ(gbkToUtf8(shanghai), "上证Ａ股");
    EXPECT_EQ(gbkToUtf8("abc 123"), "abc 123");
    EXPECT_EQ(gbk("€"), "\x80");  // code page 936 keeps the euro sign at 0x80
}

TEST(Gbk, InvalidBytesBecomeReplacementCharactersWithoutLosingTheRest) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(gbkToUtf8("a\xFF"
                        "b"),
              "a" + replacement + "b");
    EXPECT_EQ(gbkToUtf8("ab\xC9"), "ab" + replacement);  // a lead byte cut off at the end
    EXPECT_EQ(gbkToUtf8("\xC9\x20x"), replacement + " x");
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    EXPECT_FALSE(gbkToUtf8(all + all).empty());
}

TEST(Gbk, UnmappableOrInvalidUtf8BecomesQuestionMarks) {
    EXPECT_EQ(utf8ToGbk("a😀b"), "a?b");
    EXPECT_EQ(utf8ToGbk("a\xC3"
                        "b"),
              "a?b");
    EXPECT_EQ(utf8ToGbk("\xE4\xB8"), "?");
}

TEST(Gbk, CutsNeverSplitACharacter) {
    const std::string name = gbk("上证Ａ股abc");  // 8 + 3 bytes
    EXPECT_EQ(cutGbk(name, 11), name);
    EXPECT_EQ(cutGbk(name, 9), gbk("上证Ａ股a"));
    EXPECT_EQ(cutGbk(name, 7), gbk("上证Ａ"));
    EXPECT_EQ(cutGbk(name, 1), "");
    EXPECT_EQ(cutBytes(name, 7), name.substr(0, 7));
    EXPECT_EQ(cutBytes("ab", 10), "ab");
}

TEST(Gbk, FixedFieldsAreNulTerminatedAndCut) {
    char field[13];
    std::memset(field, 'x', sizeof field);
    copyToField(field, sizeof field, gbk("一二三四五六七"));  // 14 bytes: one character too many
    EXPECT_EQ(fieldText(field, sizeof field), gbk("一二三四五六"));
    EXPECT_EQ(field[12], '\0');
    const char full[4] = {'a', 'b', 'c', 'd'};  // no NUL at all
    EXPECT_EQ(fieldText(full, sizeof full), "abcd");
}

TEST(Gbk, LowerCaseTouchesOnlyAsciiLetters) {
    EXPECT_EQ(lowerAscii("AbC1"), "abc1");
    const std::string mixed = gbk("Ａ") + "Q";
    EXPECT_EQ(lowerAscii(mixed), gbk("Ａ") + "q");
}

}  // namespace
}  // namespace tallivan
