// What the dialog shows when it opens, fresh or from a file, and how the two
// combo boxes change the record and the controls.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "dialog_driver.h"
#include "resource.h"
#include "temp_folder.h"
#include "ui_files.h"

using uitest::FtpConfigProcess;

namespace {

bool IsChecked(const FtpConfigProcess& app, int iId)
{
    return SendMessageA(app.Item(iId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A file with values the dialog cannot produce itself.
FactoryConfig UnusualRecord()
{
    FactoryConfig sConfig = MakeFreshConfig();
    sConfig.bySelectBy = 7;
    sConfig.byReserved1 = 0xA5;
    sConfig.uwDebugPort = 65535;
    uitest::PutText(sConfig.szDebugUrl, "ftp.camera.example");
    sConfig.byUrl1Enable = 5;
    uitest::PutText(sConfig.szUrl1, "backup.example");
    sConfig.iFtpDirMode = 5;
    uitest::PutText(sConfig.szFtpDir, "/upload/cam1");
    sConfig.byReserved2 = 0x5A;
    uitest::PutText(sConfig.szFtpServer, "ftp.camera.example");
    uitest::PutText(sConfig.szFtpUser, "installer");
    uitest::PutText(sConfig.szFtpPassword, "pw123");
    return sConfig;
}

} // namespace

TEST(DialogStart, FreshStartShowsTheDefaults)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());

    EXPECT_EQ(app.ComboSelection(IDC_TYPE_COMBO), SELECT_SFTP);
    EXPECT_EQ(app.Text(IDC_SERVER_EDIT), "");
    EXPECT_EQ(app.Text(IDC_PORT_EDIT), "21");
    EXPECT_EQ(app.Text(IDC_USER_EDIT), "");
    EXPECT_EQ(app.Text(IDC_PASSWORD_EDIT), "");
    EXPECT_EQ(app.ComboSelection(IDC_DIR_COMBO), FTP_DIR_ROOT);
    EXPECT_EQ(app.Text(IDC_DIR_EDIT), "/");
    EXPECT_FALSE(app.IsEnabled(IDC_DIR_EDIT));
    EXPECT_EQ(app.Text(IDC_SAVE_EDIT), folder.String());
    EXPECT_FALSE(IsChecked(app, IDC_URL1_CHECK));
    for (int iId : {IDC_SERVER_EDIT, IDC_PORT_EDIT, IDC_SERVER_LABEL, IDC_PORT_LABEL, IDC_URL1_CHECK})
        EXPECT_TRUE(app.IsEnabled(iId)) << iId;
    for (int iId : {IDC_URL1_ENABLE_LABEL, IDC_URL1_GROUP, IDC_URL1_EDIT})
        EXPECT_FALSE(app.IsEnabled(iId)) << iId;

    EXPECT_EQ(app.Output(), "CurDir:" + folder.String() + "\n"
                            "sizeof = 308\n"
                            "File not exist!\n"
                            "iGetFileSize = 0\n"
                            "File szie != struct size!\n");
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(DialogStart, LoadedFileShowsEveryField)
{
    testsupport::TempFolder folder;
    uitest::WritePlainConfig(folder.Path(), UnusualRecord());
    FtpConfigProcess app(folder.String());

    EXPECT_EQ(app.ComboSelection(IDC_TYPE_COMBO), CB_ERR) << "7 is no item";
    EXPECT_EQ(app.Text(IDC_SERVER_EDIT), "ftp.camera.example");
    EXPECT_EQ(app.Text(IDC_PORT_EDIT), "65535");
    EXPECT_EQ(app.Text(IDC_USER_EDIT), "installer");
    EXPECT_EQ(app.Text(IDC_PASSWORD_EDIT), "pw123");
    EXPECT_EQ(app.Text(IDC_URL1_EDIT), "backup.example");
    EXPECT_EQ(app.ComboSelection(IDC_DIR_COMBO), CB_ERR) << "5 is no item";
    EXPECT_EQ(app.Text(IDC_DIR_EDIT), "/upload/cam1");
    EXPECT_TRUE(app.IsEnabled(IDC_DIR_EDIT));
    EXPECT_TRUE(IsChecked(app, IDC_URL1_CHECK)) << "5 counts as on";
    for (int iId : {IDC_URL1_ENABLE_LABEL, IDC_URL1_GROUP, IDC_URL1_EDIT})
        EXPECT_TRUE(app.IsEnabled(iId)) << iId;

    std::string strOutput = app.Output();
    EXPECT_NE(strOutput.find("iGetFileSize = 308\n"), std::string::npos) << strOutput;
    EXPECT_NE(strOutput.find("g_sFactoryConfig.bySelectBy =7\n"
                             "g_sFactoryConfig.uwDebugPort=65535\n"
                             "g_sFactoryConfig.szDebugUrl =ftp.camera.example\n"),
              std::string::npos)
        << strOutput;
}

TEST(DialogStart, FieldsWithoutTheirNulAreShownBoundedToTheirWidth)
{
    FactoryConfig sConfig = MakeFreshConfig();
    uitest::PutBytes(sConfig.szDebugUrl, std::string(61, 's'));
    uitest::PutBytes(sConfig.szUrl1, std::string(62, 'b'));
    uitest::PutBytes(sConfig.szFtpUser, std::string(49, 'u'));
    uitest::PutBytes(sConfig.szFtpPassword, std::string(33, 'p')); // runs to the record's end
    sConfig.iFtpDirMode = FTP_DIR_SPECIFY;
    uitest::PutBytes(sConfig.szFtpDir, std::string(32, 'd'));
    sConfig.byReserved2 = 'X';
    testsupport::TempFolder folder;
    uitest::WritePlainConfig(folder.Path(), sConfig);
    FtpConfigProcess app(folder.String());

    EXPECT_EQ(app.Text(IDC_SERVER_EDIT), std::string(61, 's'));
    EXPECT_EQ(app.Text(IDC_URL1_EDIT), std::string(62, 'b'));
    EXPECT_EQ(app.Text(IDC_USER_EDIT), std::string(49, 'u'));
    EXPECT_EQ(app.Text(IDC_PASSWORD_EDIT), std::string(33, 'p'));
    EXPECT_EQ(app.Text(IDC_DIR_EDIT), std::string(32, 'd'));
    EXPECT_NE(app.Output().find("szDebugUrl =" + std::string(61, 's') + "\n"), std::string::npos);
}

TEST(DialogStart, RootModeShowsSlashInAGreyedEdit)
{
    FactoryConfig sConfig = MakeFreshConfig();
    sConfig.iFtpDirMode = FTP_DIR_ROOT;
    uitest::PutText(sConfig.szFtpDir, "abcdef");
    uitest::PutText(sConfig.szDebugUrl, "ftp.example.com");
    uitest::PutText(sConfig.szFtpUser, "user");
    uitest::PutText(sConfig.szFtpPassword, "secret");
    testsupport::TempFolder folder;
    uitest::WritePlainConfig(folder.Path(), sConfig);
    FtpConfigProcess app(folder.String());

    EXPECT_EQ(app.ComboSelection(IDC_DIR_COMBO), FTP_DIR_ROOT);
    EXPECT_EQ(app.Text(IDC_DIR_EDIT), "/");
    EXPECT_FALSE(app.IsEnabled(IDC_DIR_EDIT));

    // The record now starts with "/" and its NUL; the old tail stays behind.
    ASSERT_NE(app.Generate().hBox, nullptr);
    FactoryConfig sWritten = uitest::ReadRecord(folder.Path());
    EXPECT_EQ(std::string(sWritten.szFtpDir, 7), std::string("/\0cdef\0", 7));
}

TEST(DialogStart, DirectoryModeRule)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());

    app.ChooseComboItem(IDC_DIR_COMBO, FTP_DIR_SPECIFY);
    EXPECT_TRUE(app.IsEnabled(IDC_DIR_EDIT));
    EXPECT_EQ(app.Text(IDC_DIR_EDIT), "/");

    app.SetText(IDC_DIR_EDIT, "/typed/dir");
    app.ChooseComboItem(IDC_DIR_COMBO, FTP_DIR_ROOT);
    EXPECT_FALSE(app.IsEnabled(IDC_DIR_EDIT));
    EXPECT_EQ(app.Text(IDC_DIR_EDIT), "/");

    // What was typed is gone: the record holds "/" since the root choice.
    app.ChooseComboItem(IDC_DIR_COMBO, FTP_DIR_SPECIFY);
    EXPECT_TRUE(app.IsEnabled(IDC_DIR_EDIT));
    EXPECT_EQ(app.Text(IDC_DIR_EDIT), "/");

    // Other notifications of the combo box change nothing.
    SendMessageA(app.Item(IDC_DIR_COMBO), CB_SETCURSEL, FTP_DIR_ROOT, 0);
    SendMessageA(app.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_DIR_COMBO, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(app.Item(IDC_DIR_COMBO)));
    EXPECT_TRUE(app.IsEnabled(IDC_DIR_EDIT));
}

TEST(DialogStart, TransferTypeChoiceChangesNoControlState)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    app.SetText(IDC_SERVER_EDIT, "ftp.example.com");
    app.SetText(IDC_USER_EDIT, "user");
    app.SetText(IDC_PASSWORD_EDIT, "secret");

    auto enabledStates = [&app] {
        std::string strStates;
        for (HWND hChild = GetWindow(app.Dialog(), GW_CHILD); hChild;
             hChild = GetWindow(hChild, GW_HWNDNEXT))
            strStates += IsWindowEnabled(hChild) ? '1' : '0';
        return strStates;
    };
    std::string strSftpStates = enabledStates();

    app.ChooseComboItem(IDC_TYPE_COMBO, SELECT_FTP);
    EXPECT_EQ(app.ComboSelection(IDC_TYPE_COMBO), SELECT_FTP);
    EXPECT_EQ(enabledStates(), strSftpStates);
    ASSERT_NE(app.Generate().hBox, nullptr);
    EXPECT_EQ(uitest::ReadRecord(folder.Path()).bySelectBy, SELECT_FTP);
    EXPECT_NE(app.Output().find("[MAKE]\n* bySelectBy =1\n"), std::string::npos);

    app.ChooseComboItem(IDC_TYPE_COMBO, SELECT_SFTP);
    ASSERT_NE(app.Generate().hBox, nullptr);
    EXPECT_EQ(uitest::ReadRecord(folder.Path()).bySelectBy, SELECT_SFTP);

    // With nothing selected the record takes 255, the low byte of CB_ERR.
    SendMessageA(app.Item(IDC_TYPE_COMBO), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ASSERT_NE(app.Generate().hBox, nullptr);
    EXPECT_EQ(uitest::ReadRecord(folder.Path()).bySelectBy, 255);
    EXPECT_NE(app.Output().find("[MAKE]\n* bySelectBy =255\n"), std::string::npos);
}
