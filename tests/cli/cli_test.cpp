// The four commands through the command line, in-process: round trips from
// make to show --json, the exit codes, and the messages people see.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_support.h"
#include "config_store.h"
#include "temp_folder.h"

namespace {

using clitest::Ftpcfg;
using nlohmann::json;

struct Values {
    std::string strType, strServer, strPort, strUser, strPassword;
    bool bDir;
    std::string strDir;
};

const char* const kRoundTripNames[] = {"Ftp", "SftpRoot", "Chinese", "FullFields", "OddCharacters"};

class MakeShowRoundTripTest : public ::testing::TestWithParam<Values> {};

TEST_P(MakeShowRoundTripTest, ShowJsonGivesBackEveryValue)
{
    const Values& v = GetParam();
    testsupport::TempFolder temp;
    std::vector<std::string> astrArgs = {"make",   "--type", v.strType,     "--server",   v.strServer, "--port",
                                         v.strPort, "--user", v.strUser,     "--password", v.strPassword, "-o",
                                         temp.String()};
    if (v.bDir)
        astrArgs.insert(astrArgs.end(), {"--dir", v.strDir});
    clitest::Outcome made = Ftpcfg(astrArgs);
    ASSERT_EQ(made.iCode, 0) << made.strErr;
    EXPECT_EQ(made.strOut.rfind("Generate Success!\n", 0), 0u);

    clitest::Outcome shown = Ftpcfg({"show", "--json", temp.String()});
    ASSERT_EQ(shown.iCode, 0) << shown.strErr;
    json j = json::parse(shown.strOut);
    EXPECT_EQ(j["format"], "ftpcfg-show");
    EXPECT_EQ(j["version"], 1);
    const json& f = j["fields"];
    EXPECT_EQ(f["bySelectBy"]["name"], v.strType);
    EXPECT_EQ(f["szDebugUrl"]["text"], v.strServer);
    EXPECT_EQ(f["szFtpServer"]["text"], v.strServer);
    EXPECT_EQ(f["uwDebugPort"]["value"], std::stoi(v.strPort));
    EXPECT_EQ(f["szFtpUser"]["text"], v.strUser);
    EXPECT_EQ(f["szFtpPassword"]["text"], v.strPassword);
    EXPECT_EQ(f["iFtpDirMode"]["name"], v.bDir ? "specify" : "root");
    EXPECT_EQ(f["szFtpDir"]["text"], v.bDir ? v.strDir : "/");
    EXPECT_EQ(f["szDebugUrl"]["offset"], 4);
    EXPECT_EQ(f["szFtpPassword"]["terminated"], true);

    clitest::Outcome verified = Ftpcfg({"verify", temp.String()});
    EXPECT_EQ(verified.iCode, 0) << verified.strOut;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, MakeShowRoundTripTest,
    ::testing::Values(Values{"ftp", "192.168.1.10", "21", "camera", "secret", true, "/upload"},
                      Values{"sftp", "sftp.example.com", "22", "admin", "pa ss,word", false, ""},
                      Values{"ftp", "服务器.例子", "0", "中文用户", "密码", true, "/上传/一号"},
                      Values{"sftp", std::string(60, 's'), "65535", std::string(48, 'u'), std::string(32, 'p'),
                             true, "/" + std::string(30, 'd')},
                      Values{"ftp", "back\\slash", "2121", "tab\tuser", "p", true, ""}),
    [](const ::testing::TestParamInfo<Values>& info) { return std::string(kRoundTripNames[info.index]); });

TEST(MakeTest, ReadsThePasswordFromStandardInput)
{
    testsupport::TempFolder temp;
    clitest::Outcome made = Ftpcfg({"make", "--type", "ftp", "--server", "s", "--port", "21", "--user", "u",
                                 "--password-stdin", "-o", temp.String()},
                                "from stdin\r\nsecond line\n");
    ASSERT_EQ(made.iCode, 0) << made.strErr;
    FactoryConfig s = clitest::RecordOf(testsupport::ReadBytes(temp.Path() / CONFIG_FILE_NAME));
    EXPECT_EQ(FieldText(s.szFtpPassword), "from stdin");
}

TEST(MakeTest, AnEmptyStandardInputIsAnEmptyPassword)
{
    testsupport::TempFolder temp;
    clitest::Outcome made = Ftpcfg({"make", "--type", "ftp", "--server", "s", "--port", "21", "--user", "u",
                                 "--password-stdin", "-o", temp.String()});
    EXPECT_EQ(made.iCode, 2);
    EXPECT_EQ(made.strErr, "Generate failed!\nPlease enter FTP password.\n");
}

TEST(MakeTest, APasswordTwiceIsRefused)
{
    testsupport::TempFolder temp;
    clitest::Outcome made = Ftpcfg({"make", "--type", "ftp", "--server", "s", "--port", "21", "--user", "u",
                                 "--password", "x", "--password-stdin", "-o", temp.String()});
    EXPECT_EQ(made.iCode, 2);
}

struct Refused {
    const char* szCase;
    std::vector<std::string> astrEntries;
    std::string strErr;
};

class MakeRefusalTest : public ::testing::TestWithParam<Refused> {};

TEST_P(MakeRefusalTest, PrintsTheDialogsMessageAndWritesNothing)
{
    testsupport::TempFolder temp;
    std::vector<std::string> astrArgs = {"make", "--type", "ftp", "-o", temp.String()};
    astrArgs.insert(astrArgs.end(), GetParam().astrEntries.begin(), GetParam().astrEntries.end());
    clitest::Outcome made = Ftpcfg(astrArgs);
    EXPECT_EQ(made.iCode, 2);
    EXPECT_EQ(made.strErr, GetParam().strErr);
    EXPECT_EQ(made.strOut, "");
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / CONFIG_FILE_NAME));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, MakeRefusalTest,
    ::testing::Values(
        Refused{"NoServer", {"--port", "21", "--user", "u", "--password", "p"},
                "Generate failed!\nPlease enter FTP server.\n"},
        Refused{"NothingButType", {}, "Generate failed!\nPlease enter FTP server.\n"},
        Refused{"NoPort", {"--server", "s", "--user", "u", "--password", "p"},
                "Generate failed!\nPlease enter FTP port.\n"},
        Refused{"PortRange", {"--server", "s", "--port", "65536", "--user", "u", "--password", "p"},
                "Generate failed!\nPort cannot be greater than 65535.\n"},
        Refused{"NoUser", {"--server", "s", "--port", "21", "--password", "p"},
                "Generate failed!\nFTP account error!\n"},
        Refused{"NoPassword", {"--server", "s", "--port", "21", "--user", "u"},
                "Generate failed!\nPlease enter FTP password.\n"},
        Refused{"ChineseUserTooLong",
                {"--server", "s", "--port", "21", "--password", "p", "--user",
                 "中文中文中文中文中文中文中文中文中文中文中文中文中"},
                "Generate failed!\nFTP user is too long: 50 bytes in code page 936, at most 48.\n"},
        Refused{"Unencodable", {"--server", "s", "--port", "21", "--user", "u", "--password", "한국"},
                "Generate failed!\nFTP password cannot be written in code page 936.\n"},
        Refused{"Western", {"--server", "s", "--port", "21", "--user", "中", "--password", "p", "--codepage", "1252"},
                "Generate failed!\nFTP user cannot be written in code page 1252.\n"}),
    [](const ::testing::TestParamInfo<Refused>& info) { return std::string(info.param.szCase); });

TEST(MakeTest, KeepsTheReservedBytesAndUrl1OfTheFileThere)
{
    testsupport::TempFolder temp;
    FactoryConfig sOld = clitest::GoodRecord();
    sOld.byReserved1 = 0x11;
    sOld.byReserved2 = 0x22;
    sOld.byUrl1Enable = 1;
    clitest::SetText(sOld.szUrl1, "spare.example.com");
    clitest::SetText(sOld.szFtpPassword, "a-long-old-password");
    testsupport::WriteBytes(temp.Path() / CONFIG_FILE_NAME, clitest::ImageOf(sOld));

    clitest::Outcome made = Ftpcfg({"make", "--type", "sftp", "--server", "new", "--port", "22", "--user", "u",
                                 "--password", "pw", "-o", temp.String()});
    ASSERT_EQ(made.iCode, 0) << made.strErr;
    FactoryConfig s = clitest::RecordOf(testsupport::ReadBytes(temp.Path() / CONFIG_FILE_NAME));
    EXPECT_EQ(s.byReserved1, 0x11);
    EXPECT_EQ(s.byReserved2, 0x22);
    EXPECT_EQ(s.byUrl1Enable, 1);
    EXPECT_EQ(FieldText(s.szUrl1), "spare.example.com");
    EXPECT_EQ(std::string(s.szFtpPassword, 20), std::string("pw\0ong-old-password\0", 20));

    // show points at the old bytes behind the new NUL.
    clitest::Outcome shown = Ftpcfg({"show", temp.String()});
    EXPECT_NE(shown.strOut.find("behind the NUL, from offset 278: 6f 6e 67 2d"), std::string::npos) << shown.strOut;
}

TEST(MakeTest, AFolderThatDoesNotExistIsAFailedSave)
{
    testsupport::TempFolder temp;
    clitest::Outcome made = Ftpcfg({"make", "--type", "ftp", "--server", "s", "--port", "21", "--user", "u",
                                 "--password", "p", "-o", (temp.Path() / "missing").string()});
    EXPECT_EQ(made.iCode, 2);
    EXPECT_EQ(made.strErr.rfind("Failed to generate configuration file!\n", 0), 0u) << made.strErr;
}

TEST(ShowTest, FlagsUnterminatedFieldsAndEscapesUndecodableBytes)
{
    testsupport::TempFolder temp;
    FactoryConfig s = clitest::GoodRecord();
    std::memset(s.szFtpPassword, 'p', sizeof s.szFtpPassword);
    clitest::SetText(s.szFtpUser, "u\xFF\xD6\xD0");
    s.bySelectBy = 9;
    testsupport::WriteBytes(temp.Path() / CONFIG_FILE_NAME, clitest::ImageOf(s));

    clitest::Outcome shown = Ftpcfg({"show", (temp.Path() / CONFIG_FILE_NAME).string()});
    ASSERT_EQ(shown.iCode, 0) << shown.strErr;
    EXPECT_NE(shown.strOut.find("9 (unknown type)"), std::string::npos);
    EXPECT_NE(shown.strOut.find("\"u\\xFF中\""), std::string::npos) << shown.strOut;
    EXPECT_NE(shown.strOut.find("[no NUL within its 33 bytes]"), std::string::npos);

    json j = json::parse(Ftpcfg({"show", "--json", temp.String()}).strOut);
    EXPECT_TRUE(j["fields"]["szFtpUser"]["text"].is_null());
    EXPECT_EQ(j["fields"]["szFtpUser"]["display"], "u\\xFF中");
    EXPECT_EQ(j["fields"]["szFtpUser"]["hex"], "75ffd6d0");
    EXPECT_EQ(j["fields"]["szFtpPassword"]["terminated"], false);
    EXPECT_EQ(j["fields"]["szFtpPassword"]["text"], std::string(33, 'p'));
    EXPECT_TRUE(j["fields"]["bySelectBy"]["name"].is_null());
}

TEST(ShowTest, ReadsTextsInTheCodepageAskedFor)
{
    testsupport::TempFolder temp;
    clitest::Outcome made = Ftpcfg({"make", "--type", "ftp", "--server", "café.example", "--port", "21", "--user",
                                    "u", "--password", "p", "--codepage", "1252", "-o", temp.String()});
    ASSERT_EQ(made.iCode, 0) << made.strErr;
    FactoryConfig s = clitest::RecordOf(testsupport::ReadBytes(temp.Path() / CONFIG_FILE_NAME));
    EXPECT_EQ(FieldText(s.szDebugUrl), "caf\xE9.example"); // one byte in code page 1252

    json j = json::parse(Ftpcfg({"show", "--json", "--codepage", "1252", temp.String()}).strOut);
    EXPECT_EQ(j["codepage"], 1252);
    EXPECT_EQ(j["fields"]["szDebugUrl"]["text"], "café.example");
    // Read as code page 936 the same byte starts a character that never ends.
    EXPECT_NE(Ftpcfg({"show", temp.String()}).strOut.find("\"caf\\xE9.example\""), std::string::npos);
}

TEST(ShowTest, RefusesFilesOfAnotherSize)
{
    testsupport::TempFolder temp;
    testsupport::WriteBytes(temp.Path() / CONFIG_FILE_NAME, std::vector<uint8_t>(309));
    clitest::Outcome shown = Ftpcfg({"show", temp.String()});
    EXPECT_EQ(shown.iCode, 2);
    EXPECT_NE(shown.strErr.find("is 309 bytes, not 308"), std::string::npos) << shown.strErr;
    EXPECT_EQ(Ftpcfg({"show", (temp.Path() / "nothing.bin").string()}).iCode, 2);
}

TEST(VerifyCommandTest, PrintsTheFindingsAndExitsWithOne)
{
    testsupport::TempFolder temp;
    FactoryConfig s = clitest::GoodRecord();
    clitest::SetText(s.szFtpServer, "other");
    s.iFtpDirMode = 3;
    testsupport::WriteBytes(temp.Path() / CONFIG_FILE_NAME, clitest::ImageOf(s));
    clitest::Outcome verified = Ftpcfg({"verify", temp.String()});
    EXPECT_EQ(verified.iCode, 1);
    EXPECT_NE(verified.strOut.find("2 findings\n"), std::string::npos) << verified.strOut;
    EXPECT_NE(verified.strOut.find("   128  iFtpDirMode    directory mode 3 is neither 0 (root) nor 1 (specify)\n"),
              std::string::npos)
        << verified.strOut;
    EXPECT_NE(verified.strOut.find("   165  szFtpServer    differs from szDebugUrl\n"), std::string::npos);

    testsupport::WriteBytes(temp.Path() / CONFIG_FILE_NAME, std::vector<uint8_t>(12));
    verified = Ftpcfg({"verify", temp.String()});
    EXPECT_EQ(verified.iCode, 1);
    EXPECT_NE(verified.strOut.find("the file is 12 bytes, not 308"), std::string::npos);
    EXPECT_EQ(Ftpcfg({"verify", (temp.Path() / "nothing.bin").string()}).iCode, 2);
}

TEST(CommandLineTest, HelpVersionAndUsageErrors)
{
    clitest::Outcome version = Ftpcfg({"--version"});
    EXPECT_EQ(version.iCode, 0);
    EXPECT_EQ(version.strOut.rfind("ftpcfg ", 0), 0u);
    for (const char* szCommand : {"show", "verify", "make", "batch"}) {
        clitest::Outcome help = Ftpcfg({szCommand, "--help"});
        EXPECT_EQ(help.iCode, 0) << szCommand;
        EXPECT_NE(help.strOut.find("Usage:"), std::string::npos) << szCommand;
    }
    EXPECT_EQ(Ftpcfg({}).iCode, 2);
    EXPECT_EQ(Ftpcfg({"frobnicate"}).iCode, 2);
    EXPECT_EQ(Ftpcfg({"make", "--type", "scp"}).iCode, 2);
    EXPECT_EQ(Ftpcfg({"show"}).iCode, 2);
    EXPECT_EQ(Ftpcfg({"show", "x", "--codepage", "4242"}).iCode, 2);
    EXPECT_NE(Ftpcfg({"show"}).strErr, "");
}

} // namespace
