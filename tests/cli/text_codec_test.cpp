// Code-page conversions and the display of undecodable bytes.
#include <gtest/gtest.h>

#include "text_codec.h"

namespace {

struct Conversion {
    unsigned uCodepage;
    std::string strBytes;
    std::string strUtf8;
};

class CodepageRoundTripTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(CodepageRoundTripTest, ConvertsBothWaysExactly)
{
    const Conversion& c = GetParam();
    std::string strUtf8, strBytes;
    ASSERT_TRUE(ToUtf8(c.strBytes, c.uCodepage, &strUtf8));
    EXPECT_EQ(strUtf8, c.strUtf8);
    ASSERT_TRUE(FromUtf8(c.strUtf8, c.uCodepage, &strBytes));
    EXPECT_EQ(strBytes, c.strBytes);
}

INSTANTIATE_TEST_SUITE_P(Codepages, CodepageRoundTripTest,
                         ::testing::Values(Conversion{936, "", ""}, Conversion{936, "abc/123", "abc/123"},
                                           Conversion{936, "\xD6\xD0\xCE\xC4", "中文"},
                                           Conversion{936, "cam\xC9\xE3\xCF\xF1\xBB\xFA", "cam摄像机"},
                                           Conversion{1252, "caf\xE9", "café"},
                                           Conversion{1252, "\x80", "€"},
                                           Conversion{65001, "中文", "中文"}),
                         [](const ::testing::TestParamInfo<Conversion>& info) {
                             return "Cp" + std::to_string(info.param.uCodepage) + "Case" + std::to_string(info.index);
                         });

TEST(TextCodecTest, RefusesBytesTheCodepageDoesNotDecode)
{
    std::string strOut;
    EXPECT_FALSE(ToUtf8("\xD6", 936, &strOut));       // lead byte alone
    EXPECT_FALSE(ToUtf8("a\xFF" "b", 936, &strOut));  // never a GBK byte
    EXPECT_FALSE(ToUtf8("\xC3(", 65001, &strOut));    // broken UTF-8
    EXPECT_FALSE(ToUtf8("\xF4\x90\x80\x80", 65001, &strOut)); // beyond U+10FFFF
    EXPECT_FALSE(ToUtf8("\xED\xA0\x80", 65001, &strOut));     // a surrogate
}

TEST(TextCodecTest, RefusesCharactersTheCodepageCannotHold)
{
    std::string strOut;
    EXPECT_FALSE(FromUtf8("한국", 936, &strOut));
    EXPECT_FALSE(FromUtf8("中文", 1252, &strOut));
    // No best fit: an accented letter is not quietly made plain.
    EXPECT_FALSE(FromUtf8("\xC4\x81", 1252, &strOut)); // a with macron
    EXPECT_FALSE(FromUtf8("\xFF\xFE", 936, &strOut));  // not UTF-8 at all
}

TEST(TextCodecTest, KnowsCommonCodepagesAndRefusesNonsense)
{
    EXPECT_TRUE(IsCodepageSupported(936));
    EXPECT_TRUE(IsCodepageSupported(1252));
    EXPECT_FALSE(IsCodepageSupported(4242));
}

struct Display {
    std::string strBytes;
    std::string strShown;
};

class DisplayTest : public ::testing::TestWithParam<Display> {};

TEST_P(DisplayTest, ShowsEveryByte)
{
    EXPECT_EQ(DisplayText(GetParam().strBytes, 936), GetParam().strShown);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, DisplayTest,
    ::testing::Values(Display{"plain", "plain"}, Display{"\xD6\xD0\xCE\xC4", "中文"},
                      Display{"a\xFF" "b", "a\\xFFb"},                 // undecodable, kept
                      Display{"\xD6\xD0\xFF\xCE\xC4", "中\\xFF文"},     // resynchronises
                      Display{"x\xD6", "x\\xD6"},                       // cut-off lead byte
                      Display{"tab\there", "tab\\x09here"},             // control character
                      Display{"a\\xFF", "a\\\\xFF"}),                   // a real backslash
    [](const ::testing::TestParamInfo<Display>& info) { return "Case" + std::to_string(info.index); });

TEST(Utf8Test, TellsWellFormedFromBroken)
{
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("中文 ok \xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE4\xB8"));         // cut short
    EXPECT_FALSE(IsValidUtf8("\xF5\x80\x80\x80")); // beyond U+10FFFF
}

} // namespace
