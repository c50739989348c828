// What the dialog shows in the language of the system: every caption, the
// title, the directory items and the texts that stay as the template has them.
// Registered twice, with a Chinese (PRC) and an English system language.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "dialog_driver.h"
#include "expected_texts.h"
#include "resource.h"
#include "temp_folder.h"

using uitest::Expected;
using uitest::FtpConfigProcess;

namespace {

struct CaptionCase {
    int iId; // 0: the dialog's own title
    const char* szKey;
};

const CaptionCase kCaptions[] = {
    {0, "STR_DLG_TITLE"},
    {IDC_TYPE_LABEL, "STR_SELECT_TYPE"},
    {IDC_FTP_GROUP, "STR_FTP_PARAMS"},
    {IDC_SERVER_LABEL, "STR_SERVER"},
    {IDC_PORT_LABEL, "STR_PORT"},
    {IDC_USER_LABEL, "STR_USER"},
    {IDC_PASSWORD_LABEL, "STR_PASSWORD"},
    {IDC_DIR_GROUP, "STR_UPLOAD_DIR"},
    {IDC_SAVE_GROUP, "STR_SAVE_PATH"},
    {IDC_BROWSE, "STR_BROWSE"},
    {IDC_GENERATE, "STR_GENERATE"},
    {IDC_VERSION_LABEL, "STR_VERSION"},
};

std::wstring WideText(HWND hWnd)
{
    wchar_t wszText[256] = L"";
    SendMessageW(hWnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(wszText));
    return wszText;
}

HWND SecondChildWithId(HWND hDlg, int iId)
{
    bool bFirstSeen = false;
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
        if (GetDlgCtrlID(hChild) == iId) {
            if (bFirstSeen)
                return hChild;
            bFirstSeen = true;
        }
    return nullptr;
}

} // namespace

TEST(LangDialog, CaptionsAndTitleAreThoseOfTheSystemLanguage)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    for (const CaptionCase& sCase : kCaptions) {
        SCOPED_TRACE(sCase.szKey);
        HWND hWnd = sCase.iId ? app.Item(sCase.iId) : app.Dialog();
        EXPECT_EQ(uitest::WindowText(hWnd), Expected(sCase.szKey));
    }
}

TEST(LangDialog, DirectoryItemsAreThoseOfTheSystemLanguage)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    ASSERT_EQ(app.ComboCount(IDC_DIR_COMBO), 2);
    EXPECT_EQ(app.ComboItem(IDC_DIR_COMBO, 0), Expected("STR_DIR_ROOT"));
    EXPECT_EQ(app.ComboItem(IDC_DIR_COMBO, 1), Expected("STR_DIR_SPECIFY"));
    // The transfer types are the same in every language.
    ASSERT_EQ(app.ComboCount(IDC_TYPE_COMBO), 2);
    EXPECT_EQ(app.ComboItem(IDC_TYPE_COMBO, 0), "SFTP");
    EXPECT_EQ(app.ComboItem(IDC_TYPE_COMBO, 1), "FTP");
}

TEST(LangDialog, HiddenUrl1ControlsKeepTheirTemplateTexts)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    EXPECT_EQ(WideText(SecondChildWithId(app.Dialog(), IDC_URL1_GROUP)), L"URL 1");
    EXPECT_EQ(WideText(app.Item(IDC_URL1_CHECK)), L"Check1");
    // Wine passes the template texts of an "A" dialog through the ANSI code
    // page, so the Chinese ones survive only on a Chinese system.
    if (uitest::ExpectedLanguage() == uitest::Language::Chinese) {
        EXPECT_EQ(WideText(app.Item(IDC_URL1_GROUP)), L"\u5907\u7528");             // 备用
        EXPECT_EQ(WideText(app.Item(IDC_URL1_ENABLE_LABEL)), L"\u542f\u7528URL 1"); // 启用URL 1
    }
    for (int iId : {IDC_URL1_GROUP, IDC_URL1_CHECK, IDC_URL1_ENABLE_LABEL, IDC_URL1_EDIT})
        EXPECT_FALSE(IsWindowVisible(app.Item(iId))) << iId;
    EXPECT_FALSE(app.IsEnabled(IDC_VERSION_LABEL));
}

TEST(LangDialog, EveryRefusalSpeaksTheSystemLanguage)
{
    struct RefusalCase {
        const char* szServer;
        const char* szPort;
        const char* szUser;
        const char* szPassword;
        const char* szKey;
    };
    const RefusalCase kCases[] = {
        {"", "21", "user", "secret", "MSG_NO_SERVER"},
        {"ftp.example.com", "", "user", "secret", "MSG_NO_PORT"},
        {"ftp.example.com", "65536", "user", "secret", "MSG_PORT_RANGE"},
        {"ftp.example.com", "21", "", "secret", "MSG_NO_USER"},
        {"ftp.example.com", "21", "user", "", "MSG_NO_PASSWORD"},
        {"ftp.example.com", "21", "user", "secret", "MSG_SAVE_OK"},
    };
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    for (const RefusalCase& sCase : kCases) {
        SCOPED_TRACE(sCase.szKey);
        app.SetText(IDC_SERVER_EDIT, sCase.szServer);
        app.SetText(IDC_PORT_EDIT, sCase.szPort);
        app.SetText(IDC_USER_EDIT, sCase.szUser);
        app.SetText(IDC_PASSWORD_EDIT, sCase.szPassword);
        uitest::MessageBoxSeen box = app.Generate();
        ASSERT_NE(box.hBox, nullptr);
        EXPECT_EQ(box.hOwner, app.Dialog());
        EXPECT_EQ(box.strCaption, Expected("STR_NOTICE"));
        EXPECT_EQ(box.strText, Expected(sCase.szKey));
    }
}

TEST(LangDialog, SaveFailureSpeaksTheSystemLanguage)
{
    testsupport::TempFolder folder;
    std::filesystem::create_directory(folder.Path() / "CFG_FTP.bin");
    FtpConfigProcess app(folder.String());
    app.SetText(IDC_SERVER_EDIT, "ftp.example.com");
    app.SetText(IDC_USER_EDIT, "user");
    app.SetText(IDC_PASSWORD_EDIT, "secret");
    uitest::MessageBoxSeen box = app.Generate();
    ASSERT_NE(box.hBox, nullptr);
    EXPECT_EQ(box.hOwner, app.Dialog());
    EXPECT_EQ(box.strCaption, Expected("STR_NOTICE"));
    EXPECT_EQ(box.strText, Expected("MSG_SAVE_FAILED"));
}
