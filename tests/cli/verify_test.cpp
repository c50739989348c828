// The findings of verify: one per way a file differs from what the dialog writes.
#include <gtest/gtest.h>

#include "cli_support.h"
#include "verify.h"

namespace {

struct Fault {
    const char* szCase;
    void (*pBreak)(FactoryConfig&);
    std::vector<std::string> astrFields; // the fields found, in order
};

class FindingTest : public ::testing::TestWithParam<Fault> {};

TEST_P(FindingTest, NamesEachBrokenField)
{
    FactoryConfig sConfig = clitest::GoodRecord();
    GetParam().pBreak(sConfig);
    std::vector<uint8_t> abyImage = clitest::ImageOf(sConfig);
    std::vector<std::string> astrFields;
    for (const Finding& f : VerifyImage(abyImage.data(), abyImage.size()))
        astrFields.push_back(f.strField);
    EXPECT_EQ(astrFields, GetParam().astrFields);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FindingTest,
    ::testing::Values(
        Fault{"Good", [](FactoryConfig&) {}, {}},
        Fault{"RootWithSlash", [](FactoryConfig& s) { s.iFtpDirMode = 0, clitest::SetText(s.szFtpDir, "/"); }, {}},
        Fault{"SpecifyEmptyDir", [](FactoryConfig& s) { clitest::SetText(s.szFtpDir, ""); }, {}},
        Fault{"Type2", [](FactoryConfig& s) { s.bySelectBy = 2; }, {"bySelectBy"}},
        Fault{"Type255", [](FactoryConfig& s) { s.bySelectBy = 255; }, {"bySelectBy"}},
        Fault{"NoServer", [](FactoryConfig& s) { clitest::SetText(s.szDebugUrl, ""), clitest::SetText(s.szFtpServer, ""); },
              {"szDebugUrl"}},
        Fault{"ServersDiffer", [](FactoryConfig& s) { clitest::SetText(s.szFtpServer, "other"); }, {"szFtpServer"}},
        Fault{"ServerUnterminated", [](FactoryConfig& s) { std::memset(s.szDebugUrl, 'x', 61); },
              {"szDebugUrl", "szFtpServer"}},
        Fault{"Url1Unterminated", [](FactoryConfig& s) { std::memset(s.szUrl1, 'u', 62); }, {"szUrl1"}},
        Fault{"DirMode5", [](FactoryConfig& s) { s.iFtpDirMode = 5; }, {"iFtpDirMode"}},
        Fault{"DirModeMinus1", [](FactoryConfig& s) { s.iFtpDirMode = -1; }, {"iFtpDirMode"}},
        Fault{"RootWithDir", [](FactoryConfig& s) { s.iFtpDirMode = 0; }, {"szFtpDir"}},
        Fault{"DirUnterminated", [](FactoryConfig& s) { std::memset(s.szFtpDir, 'd', 32); }, {"szFtpDir"}},
        Fault{"NoUser", [](FactoryConfig& s) { clitest::SetText(s.szFtpUser, ""); }, {"szFtpUser"}},
        Fault{"UserUnterminated", [](FactoryConfig& s) { std::memset(s.szFtpUser, 'u', 49); }, {"szFtpUser"}},
        Fault{"NoPassword", [](FactoryConfig& s) { clitest::SetText(s.szFtpPassword, ""); }, {"szFtpPassword"}},
        Fault{"PasswordUnterminated", [](FactoryConfig& s) { std::memset(s.szFtpPassword, 'p', 33); },
              {"szFtpPassword"}},
        Fault{"Fresh", [](FactoryConfig& s) { s = MakeFreshConfig(); },
              {"szDebugUrl", "szFtpDir", "szFtpUser", "szFtpPassword"}}),
    [](const ::testing::TestParamInfo<Fault>& info) { return std::string(info.param.szCase); });

TEST(VerifyTest, AWrongSizeIsTheOnlyFinding)
{
    std::vector<uint8_t> aby = clitest::ImageOf(clitest::GoodRecord());
    for (size_t uSize : {size_t(0), size_t(307)}) {
        std::vector<Finding> a = VerifyImage(aby.data(), uSize);
        ASSERT_EQ(a.size(), 1u);
        EXPECT_EQ(a[0].strField, "file");
        EXPECT_EQ(a[0].strMessage, "the file is " + std::to_string(uSize) + " bytes, not 308");
    }
}

TEST(VerifyTest, TableHasOneAlignedLinePerFinding)
{
    std::string strTable = RenderFindings({{-1, "file", "the file is 7 bytes, not 308"},
                                           {275, "szFtpPassword", "the password is empty"}});
    EXPECT_EQ(strTable, "Offset  Field          Finding\n"
                        "     -  file           the file is 7 bytes, not 308\n"
                        "   275  szFtpPassword  the password is empty\n");
}

} // namespace
