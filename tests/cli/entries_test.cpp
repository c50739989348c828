// The entries of one configuration: the dialog's checks, in its order, and
// refusals where the dialog would have cut a text short.
#include <gtest/gtest.h>

#include "cli_support.h"
#include "entries.h"

namespace {

ConfigEntries GoodEntries()
{
    ConfigEntries e;
    e.strType = "ftp";
    e.strServer = "192.168.1.10";
    e.strPort = "21";
    e.strUser = "camera";
    e.strPassword = "secret";
    e.bSpecifyDir = true;
    e.strDir = "/upload";
    return e;
}

std::string Repeat(const std::string& str, int iTimes)
{
    std::string strOut;
    for (int i = 0; i < iTimes; ++i)
        strOut += str;
    return strOut;
}

struct Refusal {
    const char* szCase;
    ConfigEntries sEntries;
    std::string strColumn;
    std::string strMessage; // the first problem, exactly
};

Refusal With(const char* szCase, void (*pChange)(ConfigEntries&), std::string strColumn, std::string strMessage)
{
    ConfigEntries e = GoodEntries();
    pChange(e);
    return {szCase, e, std::move(strColumn), std::move(strMessage)};
}

class RefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusalTest, ReportsTheFirstProblemAndLeavesTheRecordAlone)
{
    FactoryConfig sConfig = clitest::GoodRecord();
    FactoryConfig sBefore = sConfig;
    std::vector<EntryProblem> aProblems;
    EXPECT_FALSE(ApplyEntries(GetParam().sEntries, 936, &sConfig, &aProblems));
    ASSERT_FALSE(aProblems.empty());
    EXPECT_EQ(aProblems[0].strColumn, GetParam().strColumn);
    EXPECT_EQ(aProblems[0].strMessage, GetParam().strMessage);
    EXPECT_EQ(std::memcmp(&sConfig, &sBefore, sizeof sConfig), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, RefusalTest,
    ::testing::Values(
        With("NoServer", [](ConfigEntries& e) { e.strServer.clear(); }, "server", "Please enter FTP server."),
        With("ServerBeforePort", [](ConfigEntries& e) { e.strServer.clear(), e.strPort.clear(); }, "server",
             "Please enter FTP server."),
        With("NoPort", [](ConfigEntries& e) { e.strPort.clear(); }, "port", "Please enter FTP port."),
        With("Port65536", [](ConfigEntries& e) { e.strPort = "65536"; }, "port",
             "Port cannot be greater than 65535."),
        With("PortHuge", [](ConfigEntries& e) { e.strPort = "99999999999999999999999"; }, "port",
             "Port cannot be greater than 65535."),
        With("PortNegative", [](ConfigEntries& e) { e.strPort = "-1"; }, "port",
             "Port must be a whole number from 0 to 65535."),
        With("PortLetters", [](ConfigEntries& e) { e.strPort = "12ab"; }, "port",
             "Port must be a whole number from 0 to 65535."),
        With("PortSpace", [](ConfigEntries& e) { e.strPort = " 21"; }, "port",
             "Port must be a whole number from 0 to 65535."),
        With("NoUser", [](ConfigEntries& e) { e.strUser.clear(); }, "user", "FTP account error!"),
        With("NoPassword", [](ConfigEntries& e) { e.strPassword.clear(); }, "password",
             "Please enter FTP password."),
        With("BadType", [](ConfigEntries& e) { e.strType = "scp"; }, "type", "Transfer type must be sftp or ftp."),
        // Lengths count the bytes of code page 936: a Chinese character is two.
        With("ServerOver60", [](ConfigEntries& e) { e.strServer = std::string(61, 's'); }, "server",
             "FTP server is too long: 61 bytes in code page 936, at most 60."),
        With("UserOver48Bytes", [](ConfigEntries& e) { e.strUser = Repeat("中文", 12) + "中"; }, "user",
             "FTP user is too long: 50 bytes in code page 936, at most 48."),
        With("PasswordOver32", [](ConfigEntries& e) { e.strPassword = std::string(33, 'p'); }, "password",
             "FTP password is too long: 33 bytes in code page 936, at most 32."),
        With("DirOver31Bytes", [](ConfigEntries& e) { e.strDir = "/" + Repeat("中文", 7) + "xyz"; }, "dir",
             "FTP directory is too long: 32 bytes in code page 936, at most 31."),
        With("Unencodable", [](ConfigEntries& e) { e.strUser = "한국"; }, "user",
             "FTP user cannot be written in code page 936."),
        With("NulInside", [](ConfigEntries& e) { e.strPassword = std::string("ab\0cd", 5); }, "password",
             "FTP password contains a NUL character.")),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.szCase); });

TEST(EntriesTest, ReportsEveryProblemInTheDialogsOrder)
{
    ConfigEntries e;
    e.strType = "ftp";
    e.bSpecifyDir = true;
    e.strDir = std::string(40, 'd');
    FactoryConfig sConfig = MakeFreshConfig();
    std::vector<EntryProblem> aProblems;
    ASSERT_FALSE(ApplyEntries(e, 936, &sConfig, &aProblems));
    std::vector<std::string> astrColumns;
    for (const EntryProblem& p : aProblems)
        astrColumns.push_back(p.strColumn);
    EXPECT_EQ(astrColumns, (std::vector<std::string>{"server", "port", "user", "password", "dir"}));
}

TEST(EntriesTest, TextsThatJustFitAreStoredWhole)
{
    ConfigEntries e = GoodEntries();
    e.strServer = std::string(60, 's');
    e.strUser = Repeat("中文", 12); // 48 bytes
    e.strPassword = std::string(32, 'p');
    e.strDir = "/" + Repeat("中文", 7) + "/"; // 30 bytes... plus one more below
    e.strDir += "x";                         // 31
    FactoryConfig sConfig = MakeFreshConfig();
    std::vector<EntryProblem> aProblems;
    ASSERT_TRUE(ApplyEntries(e, 936, &sConfig, &aProblems)) << aProblems[0].strMessage;
    EXPECT_EQ(FieldText(sConfig.szDebugUrl), e.strServer);
    EXPECT_EQ(FieldText(sConfig.szFtpServer), e.strServer);
    EXPECT_EQ(FieldText(sConfig.szFtpUser), Repeat("\xD6\xD0\xCE\xC4", 12));
    EXPECT_EQ(FieldText(sConfig.szFtpPassword), e.strPassword);
    EXPECT_EQ(FieldText(sConfig.szFtpDir).size(), 31u);
}

TEST(EntriesTest, StoresLikeGenerateKeepingWhatLiesBehindEachNul)
{
    FactoryConfig sConfig = clitest::GoodRecord();
    clitest::SetText(sConfig.szDebugUrl, "a-much-longer-server.example.com");
    sConfig.byReserved1 = 0xA1;
    sConfig.byReserved2 = 0xB2;
    sConfig.byUrl1Enable = 1;
    clitest::SetText(sConfig.szUrl1, "spare.example.com");
    FactoryConfig sBefore = sConfig;

    ConfigEntries e = GoodEntries();
    e.strType = "SFTP";
    e.strServer = "short";
    e.strPort = "0";
    e.bSpecifyDir = false;
    std::vector<EntryProblem> aProblems;
    ASSERT_TRUE(ApplyEntries(e, 936, &sConfig, &aProblems));

    EXPECT_EQ(sConfig.bySelectBy, SELECT_SFTP);
    EXPECT_EQ(sConfig.uwDebugPort, 0);
    EXPECT_EQ(sConfig.iFtpDirMode, FTP_DIR_ROOT);
    EXPECT_EQ(FieldText(sConfig.szFtpDir), "/");
    // The new text and its NUL, then the old bytes as they were.
    EXPECT_EQ(std::string(sConfig.szDebugUrl, 6), std::string("short\0", 6));
    EXPECT_EQ(std::memcmp(sConfig.szDebugUrl + 6, sBefore.szDebugUrl + 6, sizeof sConfig.szDebugUrl - 6), 0);
    EXPECT_EQ(std::memcmp(sConfig.szFtpServer + 6, sBefore.szFtpServer + 6, sizeof sConfig.szFtpServer - 6), 0);
    EXPECT_EQ(std::string(sConfig.szFtpDir, 8), std::string("/\0pload\0", 8));
    // What Generate never touches.
    EXPECT_EQ(sConfig.byReserved1, 0xA1);
    EXPECT_EQ(sConfig.byReserved2, 0xB2);
    EXPECT_EQ(sConfig.byUrl1Enable, 1);
    EXPECT_EQ(std::memcmp(sConfig.szUrl1, sBefore.szUrl1, sizeof sConfig.szUrl1), 0);
}

TEST(EntriesTest, AcceptsTheWholePortRange)
{
    for (const char* szPort : {"0", "21", "00021", "65535"}) {
        ConfigEntries e = GoodEntries();
        e.strPort = szPort;
        FactoryConfig sConfig = MakeFreshConfig();
        std::vector<EntryProblem> aProblems;
        ASSERT_TRUE(ApplyEntries(e, 936, &sConfig, &aProblems)) << szPort;
        EXPECT_EQ(sConfig.uwDebugPort, std::stoul(szPort)) << szPort;
    }
}

} // namespace
