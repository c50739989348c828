// The dialog procedure in the test's own process, for what no window shows:
// the owner, caption and icon flag of every message box, and the rules that
// sit behind it (language, save folder, port text).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "config_store.h"
#include "dialog_handlers.h"
#include "dialog_state.h"
#include "factory_config.h"
#include "generate.h"
#include "language.h"
#include "main_dialog.h"
#include "notice.h"
#include "resource.h"
#include "temp_folder.h"

namespace {

struct BoxShown {
    HWND hOwner;
    std::string strText;
    std::string strCaption;
    UINT uType;
    int iCount;
};

BoxShown g_sLastBox;

int WINAPI RecordMessageBox(HWND hOwner, LPCSTR szText, LPCSTR szCaption, UINT uType)
{
    g_sLastBox = {hOwner, szText, szCaption, uType, g_sLastBox.iCount + 1};
    return IDOK;
}

class InProcessDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_hInstance = GetModuleHandleA(nullptr);
        g_pfnMessageBox = RecordMessageBox;
        g_sLastBox = {};
        g_sFactoryConfig = MakeFreshConfig();
        m_hDlg = CreateDialogParamA(g_hInstance, MAKEINTRESOURCEA(IDD_FTP_CONFIG), nullptr, MainDlgProc, 0);
        ASSERT_NE(m_hDlg, nullptr);
        ASSERT_TRUE(SetSavePath(m_folder.String().c_str()));
    }
    void TearDown() override
    {
        DestroyWindow(m_hDlg);
        g_pfnMessageBox = MessageBoxA;
    }
    void Fill(const char* szServer, const char* szPort, const char* szUser, const char* szPassword)
    {
        SetDlgItemTextA(m_hDlg, IDC_SERVER_EDIT, szServer);
        SetDlgItemTextA(m_hDlg, IDC_PORT_EDIT, szPort);
        SetDlgItemTextA(m_hDlg, IDC_USER_EDIT, szUser);
        SetDlgItemTextA(m_hDlg, IDC_PASSWORD_EDIT, szPassword);
    }
    void Generate()
    {
        SendMessageA(m_hDlg, WM_COMMAND, MAKEWPARAM(IDC_GENERATE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(m_hDlg, IDC_GENERATE)));
    }

    testsupport::TempFolder m_folder;
    HWND m_hDlg = nullptr;
};

struct OutcomeCase {
    const char* szServer;
    const char* szPort;
    const char* szUser;
    const char* szPassword;
    const char* const* pMessage;
    UINT uType;
};

} // namespace

TEST_F(InProcessDialog, EveryOutcomeHasItsOwnerCaptionAndIcon)
{
    const OutcomeCase kCases[] = {
        {"", "21", "u", "p", MSG_NO_SERVER, MB_OK | MB_ICONWARNING},
        {"s", "", "u", "p", MSG_NO_PORT, MB_OK | MB_ICONWARNING},
        {"s", "65536", "u", "p", MSG_PORT_RANGE, MB_OK | MB_ICONWARNING},
        {"s", "21", "", "p", MSG_NO_USER, MB_OK | MB_ICONWARNING},
        {"s", "21", "u", "", MSG_NO_PASSWORD, MB_OK | MB_ICONWARNING},
        {"s", "21", "u", "p", MSG_SAVE_OK, MB_OK | MB_ICONINFORMATION},
    };
    for (const OutcomeCase& sCase : kCases) {
        SCOPED_TRACE(sCase.pMessage[UI_LANG_ENGLISH]);
        Fill(sCase.szServer, sCase.szPort, sCase.szUser, sCase.szPassword);
        int iBefore = g_sLastBox.iCount;
        Generate();
        EXPECT_EQ(g_sLastBox.iCount, iBefore + 1) << "exactly one box";
        EXPECT_EQ(g_sLastBox.hOwner, m_hDlg);
        EXPECT_EQ(g_sLastBox.uType, sCase.uType);
        EXPECT_EQ(g_sLastBox.strText, sCase.pMessage[g_iLanguage]);
        EXPECT_EQ(g_sLastBox.strCaption, STR_NOTICE[g_iLanguage]);
    }
}

TEST_F(InProcessDialog, MissingSaveFolderIsAWarning)
{
    std::string strMissing = m_folder.String() + "\\missing";
    ASSERT_TRUE(SetSavePath(strMissing.c_str()));
    Fill("s", "21", "u", "p");
    Generate();
    EXPECT_EQ(g_sLastBox.uType, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(g_sLastBox.strText, MSG_SAVE_FAILED[g_iLanguage]);
    EXPECT_FALSE(std::filesystem::exists(strMissing));
    // The record is plain after the failed save: the fields typed are there.
    EXPECT_EQ(FieldText(g_sFactoryConfig.szFtpUser), "u");
    EXPECT_EQ(g_sFactoryConfig.uwDebugPort, 21);
}

TEST_F(InProcessDialog, ReplaceFailureIsAWarningAndTheRecordStaysPlain)
{
    std::filesystem::create_directory(m_folder.Path() / "CFG_FTP.bin");
    g_sFactoryConfig.byReserved1 = 0xA5;
    g_sFactoryConfig.byUrl1Enable = 1;
    std::strcpy(g_sFactoryConfig.szUrl1, "backup.example");
    Fill("s", "21", "u", "p");
    Generate();
    EXPECT_EQ(g_sLastBox.uType, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(g_sLastBox.strText, MSG_SAVE_FAILED[g_iLanguage]);
    EXPECT_EQ(g_sFactoryConfig.byReserved1, 0xA5);
    EXPECT_EQ(g_sFactoryConfig.byUrl1Enable, 1);
    EXPECT_EQ(FieldText(g_sFactoryConfig.szUrl1), "backup.example");
}

TEST(LanguageRule, OnlyChinesePrcIsChinese)
{
    EXPECT_EQ(LanguageForLangId(0x0804), UI_LANG_CHINESE);
    for (LANGID wLangId : {0x0404, 0x0C04, 0x1004, 0x0004, 0x0409, 0x0809, 0x0407, 0x0000})
        EXPECT_EQ(LanguageForLangId(wLangId), UI_LANG_ENGLISH) << std::hex << wLangId;
}

TEST(SavePath, AFolderThatDoesNotFitIsRefused)
{
    ASSERT_TRUE(SetSavePath("C:\\"));
    std::string strLongest(MAX_PATH - 1, 'a');
    EXPECT_TRUE(SetSavePath(strLongest.c_str()));
    EXPECT_EQ(std::string(g_szSavePath), strLongest);

    std::string strTooLong(MAX_PATH, 'b');
    EXPECT_FALSE(SetSavePath(strTooLong.c_str()));
    EXPECT_EQ(std::string(g_szSavePath), strLongest) << "unchanged";
    ASSERT_TRUE(SetSavePath("C:\\"));
}

TEST(PortText, ConvertsLikeTheStandardDecimalConversion)
{
    struct PortCase {
        const char* szText;
        int32_t iNumber;
    };
    const PortCase kCases[] = {
        {"21", 21}, {"0", 0}, {"65535", 65535}, {"65536", 65536}, {"99999", 99999}, {"-1", -1},
        {"12ab", 12}, {"abc", 0}, {"+80", 80}, {" 42", 42}, {"-", 0}, {"", 0},
    };
    for (const PortCase& sCase : kCases)
        EXPECT_EQ(PortNumberFromText(sCase.szText), sCase.iNumber) << '"' << sCase.szText << '"';
}
