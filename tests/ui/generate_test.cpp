// Generate end to end: the exact bytes of the file it writes, the port rules,
// the cuts, saves that fail, and its diagnostic lines.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "resource.h"
#include "temp_folder.h"
#include "ui_files.h"

using uitest::FtpConfigProcess;

namespace {

void FillEntries(const FtpConfigProcess& app, const std::string& strServer, const std::string& strPort,
                 const std::string& strUser, const std::string& strPassword)
{
    app.SetText(IDC_SERVER_EDIT, strServer);
    app.SetText(IDC_PORT_EDIT, strPort);
    app.SetText(IDC_USER_EDIT, strUser);
    app.SetText(IDC_PASSWORD_EDIT, strPassword);
}

std::string FolderListing(const std::filesystem::path& folder)
{
    std::string strNames;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        strNames += entry.path().lexically_relative(folder).string() + ";";
    return strNames;
}

} // namespace

TEST(Generate, FreshStartWritesExactlyTheEntries)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    app.ChooseComboItem(IDC_TYPE_COMBO, SELECT_FTP);
    FillEntries(app, std::string(60, 's'), "2121", std::string(60, 'u'), std::string(40, 'p'));
    app.ChooseComboItem(IDC_DIR_COMBO, FTP_DIR_SPECIFY);
    app.SetText(IDC_DIR_EDIT, std::string(40, 'd'));

    uitest::MessageBoxSeen box = app.Generate();
    EXPECT_EQ(box.strText, "Generate Success!");

    FactoryConfig sExpected = MakeFreshConfig();
    sExpected.bySelectBy = SELECT_FTP;
    sExpected.uwDebugPort = 2121;
    uitest::PutText(sExpected.szDebugUrl, std::string(60, 's')); // NUL at offset 64
    uitest::PutText(sExpected.szFtpServer, std::string(60, 's')); // NUL at offset 225
    uitest::PutText(sExpected.szFtpUser, std::string(48, 'u'));
    uitest::PutText(sExpected.szFtpPassword, std::string(32, 'p'));
    sExpected.iFtpDirMode = FTP_DIR_SPECIFY;
    uitest::PutText(sExpected.szFtpDir, std::string(31, 'd'));
    EXPECT_EQ(uitest::ReadPlainConfig(folder.Path()), uitest::PlainBytes(sExpected));

    // The controls keep the longer texts.
    EXPECT_EQ(app.Text(IDC_USER_EDIT), std::string(60, 'u'));
}

TEST(Generate, LoadedFileKeepsReservedBytesUrl1AndTails)
{
    FactoryConfig sLoaded = MakeFreshConfig();
    sLoaded.bySelectBy = SELECT_FTP;
    sLoaded.byReserved1 = 0xA5;
    sLoaded.uwDebugPort = 990;
    uitest::PutText(sLoaded.szDebugUrl, "longserver.example.com");
    sLoaded.byUrl1Enable = 1;
    uitest::PutText(sLoaded.szUrl1, "backup.example.com");
    std::memset(sLoaded.szUrl1 + 20, 0x7E, 30); // junk behind the NUL
    sLoaded.iFtpDirMode = FTP_DIR_SPECIFY;
    uitest::PutText(sLoaded.szFtpDir, "/upload/camera-one");
    sLoaded.byReserved2 = 0x5A;
    uitest::PutText(sLoaded.szFtpServer, "another.long.name.example");
    uitest::PutText(sLoaded.szFtpUser, "installer-account");
    uitest::PutText(sLoaded.szFtpPassword, "longpassword");
    testsupport::TempFolder folder;
    uitest::WritePlainConfig(folder.Path(), sLoaded);

    FtpConfigProcess app(folder.String());
    FillEntries(app, "short", "21", "bob", "pw");
    app.SetText(IDC_DIR_EDIT, "/a");
    EXPECT_EQ(app.Generate().strText, "Generate Success!");

    FactoryConfig sExpected = sLoaded;
    uitest::PutText(sExpected.szDebugUrl, "short");
    uitest::PutText(sExpected.szFtpServer, "short");
    sExpected.uwDebugPort = 21;
    uitest::PutText(sExpected.szFtpUser, "bob");
    uitest::PutText(sExpected.szFtpPassword, "pw");
    uitest::PutText(sExpected.szFtpDir, "/a");
    EXPECT_EQ(uitest::ReadPlainConfig(folder.Path()), uitest::PlainBytes(sExpected));

    // A second Generate over the tails of the first gives the same bytes.
    EXPECT_EQ(app.Generate().strText, "Generate Success!");
    EXPECT_EQ(uitest::ReadPlainConfig(folder.Path()), uitest::PlainBytes(sExpected));
}

TEST(Generate, PortTextsAsPastedOrTyped)
{
    struct PortCase {
        const char* szText;
        bool bAccepted;
        uint16_t uwStored; // in the file afterwards
    };
    const PortCase kCases[] = {
        {"0", true, 0},          {"65535", true, 65535}, {"-1", true, 65535},
        {"12ab", true, 12},      {"abc", true, 0},       {"+80", true, 80},
        {" 42", true, 42},       {"65536", false, 42},   {"99999", false, 42},
        {"00021", true, 21},
    };
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    FillEntries(app, "ftp.example.com", "21", "user", "secret");
    for (const PortCase& sCase : kCases) {
        SCOPED_TRACE(std::string("port text \"") + sCase.szText + "\"");
        app.SetText(IDC_PORT_EDIT, sCase.szText);
        uitest::MessageBoxSeen box = app.Generate();
        EXPECT_EQ(box.strText, sCase.bAccepted ? "Generate Success!"
                                               : "Generate failed!\r\nPort cannot be greater than 65535.");
        EXPECT_EQ(uitest::ReadRecord(folder.Path()).uwDebugPort, sCase.uwStored);
    }
}

TEST(Generate, TypingStopsAtTheEditLimits)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    app.SetText(IDC_PORT_EDIT, "");
    app.TypeText(IDC_SERVER_EDIT, std::string(70, 'x'));
    app.TypeText(IDC_PORT_EDIT, "1234567");
    app.TypeText(IDC_USER_EDIT, std::string(70, 'u'));
    EXPECT_EQ(app.Text(IDC_SERVER_EDIT), std::string(60, 'x'));
    EXPECT_EQ(app.Text(IDC_PORT_EDIT), "12345");
    EXPECT_EQ(app.Text(IDC_USER_EDIT), std::string(70, 'u')) << "no limit of its own";
}

TEST(Generate, RefusalsWriteNothingAndKeepTheOldFile)
{
    FactoryConfig sOld = MakeFreshConfig();
    uitest::PutText(sOld.szDebugUrl, "old.example.com");
    testsupport::TempFolder folder;
    uitest::WritePlainConfig(folder.Path(), sOld);
    std::vector<uint8_t> abyOld = testsupport::ReadBytes(uitest::ConfigFileIn(folder.Path()));

    FtpConfigProcess app(folder.String());
    const char* const kEntries[][4] = {
        {"", "", "", ""}, {"s", "", "u", "p"}, {"s", "70000", "u", "p"},
        {"s", "21", "", "p"}, {"s", "21", "u", ""},
    };
    for (const auto& aszEntry : kEntries) {
        FillEntries(app, aszEntry[0], aszEntry[1], aszEntry[2], aszEntry[3]);
        EXPECT_NE(app.Generate().strText.find("Generate failed!"), std::string::npos);
        EXPECT_EQ(testsupport::ReadBytes(uitest::ConfigFileIn(folder.Path())), abyOld);
    }
    EXPECT_EQ(FolderListing(folder.Path()), "CFG_FTP.bin;");
}

TEST(Generate, FileThatCannotBeReplacedIsKept)
{
    testsupport::TempFolder folder;
    std::filesystem::path blocker = uitest::ConfigFileIn(folder.Path());
    std::filesystem::create_directory(blocker);
    testsupport::WriteBytes(blocker / "keep.txt", {'k', 'e', 'e', 'p'});

    FtpConfigProcess app(folder.String());
    FillEntries(app, "ftp.example.com", "21", "user", "secret");
    uitest::MessageBoxSeen box = app.Generate();
    EXPECT_EQ(box.strText, "Failed to generate configuration file!");
    EXPECT_TRUE(std::filesystem::is_directory(blocker));
    EXPECT_EQ(testsupport::ReadBytes(blocker / "keep.txt"), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(FolderListing(folder.Path()), "CFG_FTP.bin;CFG_FTP.bin\\keep.txt;") << "no temporary left";

    // The record stays plain: once the way is free, the next save is right.
    std::filesystem::remove_all(blocker);
    EXPECT_EQ(app.Generate().strText, "Generate Success!");
    FactoryConfig sExpected = MakeFreshConfig();
    uitest::PutText(sExpected.szDebugUrl, "ftp.example.com");
    uitest::PutText(sExpected.szFtpServer, "ftp.example.com");
    uitest::PutText(sExpected.szFtpUser, "user");
    uitest::PutText(sExpected.szFtpPassword, "secret");
    uitest::PutText(sExpected.szFtpDir, "/");
    EXPECT_EQ(uitest::ReadPlainConfig(folder.Path()), uitest::PlainBytes(sExpected));
}

TEST(Generate, DiagnosticLines)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    std::string strStart = app.Output();
    std::string strPath = folder.String() + "\\CFG_FTP.bin";

    FillEntries(app, "", "21", "user", "secret");
    app.Generate();
    EXPECT_EQ(app.Output(), strStart + "[MAKE]\n* bySelectBy =0\n");

    FillEntries(app, "ftp.example.com", "21", "user", "secret");
    app.Generate();
    EXPECT_EQ(app.Output(), strStart + "[MAKE]\n* bySelectBy =0\n"
                                       "[MAKE]\n* bySelectBy =0\n"
                                       "Open file - \"" + strPath + "\" success!\n"
                                       "________________________________________________\n"
                                       "sizeof = 308\n"
                                       "iGetFileSize = 308\n"
                                       "Open file - \"" + strPath + "\" success!\n"
                                       "g_sFactoryConfig.bySelectBy =0\n"
                                       "g_sFactoryConfig.uwDebugPort=21\n"
                                       "g_sFactoryConfig.szDebugUrl =ftp.example.com\n");
}
