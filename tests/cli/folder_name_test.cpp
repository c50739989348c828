// Which CSV names may become a device folder.
#include <gtest/gtest.h>

#include "folder_name.h"

namespace {

class UnsafeNameTest : public ::testing::TestWithParam<std::string> {};

TEST_P(UnsafeNameTest, IsRefused)
{
    EXPECT_NE(FolderNameProblem(GetParam()), "") << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Names, UnsafeNameTest,
                         ::testing::Values("", ".", "..", "a/b", "/abs", "a\\b", "..\\up", "c:", "a<b", "a>b",
                                           "a\"b", "a|b", "a?b", "a*b", std::string("a\0b", 3), "tab\tname",
                                           "bell\x07", "del\x7F", "CON", "con", "Prn", "AUX", "NUL", "nul.txt",
                                           "COM1", "com9", "LPT1", "lpt9.log", "CON .x", "trailing.", "trailing ",
                                           "\xFF\xFE", std::string(256, 'n')),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return "Name" + std::to_string(info.index);
                         });

class SafeNameTest : public ::testing::TestWithParam<std::string> {};

TEST_P(SafeNameTest, IsAccepted)
{
    EXPECT_EQ(FolderNameProblem(GetParam()), "") << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Names, SafeNameTest,
                         ::testing::Values("cam01", "Cam 01", "cam-01_a", "...x", ".hidden", "a.b.c", "COM0",
                                           "COM10", "LPT", "CONSOLE", "NULL", "摄像机1", std::string(255, 'n')),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return "Name" + std::to_string(info.index);
                         });

TEST(FoldedNameTest, NamesDifferingOnlyInLetterCaseAreTheSameFolder)
{
    EXPECT_EQ(FoldedName("Cam01"), FoldedName("cAM01"));
    EXPECT_NE(FoldedName("cam01"), FoldedName("cam02"));
}

} // namespace
