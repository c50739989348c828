// WM_INITDIALOG and the rules that keep the controls in step with the record:
// the save folder from the current directory, the directory mode and the
// enabled state of the controls.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "config_store.h"
#include "dialog_handlers.h"
#include "dialog_state.h"
#include "factory_config.h"
#include "language.h"
#include "resource.h"

static_assert(CONFIG_SAVE_PATH_SIZE == MAX_PATH, "g_szSavePath holds a Win32 path");

namespace {

void FetchControlHandles(HWND hDlg)
{
    g_hTypeCombo = GetDlgItem(hDlg, IDC_TYPE_COMBO);
    g_hServerEdit = GetDlgItem(hDlg, IDC_SERVER_EDIT);
    g_hPortEdit = GetDlgItem(hDlg, IDC_PORT_EDIT);
    g_hServerLabel = GetDlgItem(hDlg, IDC_SERVER_LABEL);
    g_hPortLabel = GetDlgItem(hDlg, IDC_PORT_LABEL);
    g_hSaveEdit = GetDlgItem(hDlg, IDC_SAVE_EDIT);
    g_hUrl1Check = GetDlgItem(hDlg, IDC_URL1_CHECK);
    g_hUrl1EnableLabel = GetDlgItem(hDlg, IDC_URL1_ENABLE_LABEL);
    g_hUrl1Group = GetDlgItem(hDlg, IDC_URL1_GROUP); // the group box, first of two
    g_hUrl1Edit = GetDlgItem(hDlg, IDC_URL1_EDIT);
    g_hFtpGroup = GetDlgItem(hDlg, IDC_FTP_GROUP);
    g_hUserLabel = GetDlgItem(hDlg, IDC_USER_LABEL);
    g_hUserEdit = GetDlgItem(hDlg, IDC_USER_EDIT);
    g_hPasswordLabel = GetDlgItem(hDlg, IDC_PASSWORD_LABEL);
    g_hPasswordEdit = GetDlgItem(hDlg, IDC_PASSWORD_EDIT);
    g_hDirGroup = GetDlgItem(hDlg, IDC_DIR_GROUP);
    g_hDirCombo = GetDlgItem(hDlg, IDC_DIR_COMBO);
    g_hDirEdit = GetDlgItem(hDlg, IDC_DIR_EDIT);
}

} // namespace

int SetSavePath(const char* szFolder)
{
    size_t uLength = std::strlen(szFolder);
    if (uLength >= sizeof g_szSavePath)
        return 0;
    std::memcpy(g_szSavePath, szFolder, uLength + 1);
    return 1;
}

void InitSavePathFromCurDir()
{
    DWORD dwSize = GetCurrentDirectoryA(0, nullptr);
    if (dwSize == 0)
        return;
    std::vector<char> achCurDir(dwSize);
    DWORD dwLength = GetCurrentDirectoryA(dwSize, achCurDir.data());
    // A directory that changed in between and no longer fits counts as failed.
    if (dwLength == 0 || dwLength >= dwSize)
        return;
    if (SetSavePath(achCurDir.data()))
        std::printf("CurDir:%s\n", g_szSavePath);
}

void ApplyDirMode()
{
    if (g_sFactoryConfig.iFtpDirMode == FTP_DIR_ROOT) {
        // Only the slash and its NUL: the bytes behind them are kept.
        g_sFactoryConfig.szFtpDir[0] = '/';
        g_sFactoryConfig.szFtpDir[1] = '\0';
        EnableWindow(g_hDirEdit, FALSE);
    } else {
        EnableWindow(g_hDirEdit, TRUE);
    }
    SetWindowTextA(g_hDirEdit, FieldText(g_sFactoryConfig.szFtpDir).c_str());
}

void UpdateControlStates()
{
    BOOL bUrl1 = g_sFactoryConfig.byUrl1Enable != 0;
    EnableWindow(g_hServerEdit, TRUE);
    EnableWindow(g_hPortEdit, TRUE);
    EnableWindow(g_hServerLabel, TRUE);
    EnableWindow(g_hPortLabel, TRUE);
    EnableWindow(g_hUrl1Check, TRUE);
    EnableWindow(g_hUrl1EnableLabel, bUrl1);
    EnableWindow(g_hUrl1Group, bUrl1);
    EnableWindow(g_hUrl1Edit, bUrl1);
}

void OnInitDialog(HWND hDlg)
{
    HICON hIcon = LoadIconA(g_hInstance, MAKEINTRESOURCEA(IDI_APP));
    SendMessageA(hDlg, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));

    FetchControlHandles(hDlg);

    if (g_bFirstInit) {
        LANGID wLangId = GetSystemDefaultLangID();
        g_bFirstInit = 0;
        g_iLanguage = LanguageForLangId(wLangId);
        InitSavePathFromCurDir();
        LoadConfig(); // no file or a bad one: the dialog shows the record as it is
    }

    SetWindowTextA(g_hSaveEdit, g_szSavePath);
    ApplyCaptions(hDlg);

    // Loaded fields may lack their NUL; each is shown bounded to its width.
    SetWindowTextA(g_hServerEdit, FieldText(g_sFactoryConfig.szDebugUrl).c_str());
    char szPort[6] = {0};
    std::snprintf(szPort, sizeof szPort, "%d", static_cast<int>(g_sFactoryConfig.uwDebugPort));
    SetWindowTextA(g_hPortEdit, szPort);
    SetWindowTextA(g_hUrl1Edit, FieldText(g_sFactoryConfig.szUrl1).c_str());
    SetWindowTextA(g_hUserEdit, FieldText(g_sFactoryConfig.szFtpUser).c_str());
    SetWindowTextA(g_hPasswordEdit, FieldText(g_sFactoryConfig.szFtpPassword).c_str());

    // Item index = record value: add in this order, never sorted.
    SendMessageA(g_hTypeCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("SFTP"));
    SendMessageA(g_hTypeCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("FTP"));
    SendMessageA(g_hTypeCombo, CB_SETCURSEL, static_cast<WPARAM>(g_sFactoryConfig.bySelectBy), 0);

    SendMessageA(g_hDirCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DirModeItem(FTP_DIR_ROOT)));
    SendMessageA(g_hDirCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DirModeItem(FTP_DIR_SPECIFY)));
    // A value that is no item index (-1, 5, ...) selects nothing.
    SendMessageA(g_hDirCombo, CB_SETCURSEL,
                 static_cast<WPARAM>(static_cast<INT_PTR>(g_sFactoryConfig.iFtpDirMode)), 0);

    ApplyDirMode();

    SendMessageA(g_hServerEdit, EM_LIMITTEXT, 60, 0);
    SendMessageA(g_hPortEdit, EM_LIMITTEXT, 5, 0);
    SendMessageA(g_hSaveEdit, EM_LIMITTEXT, 64, 0);

    CheckDlgButton(hDlg, IDC_URL1_CHECK, g_sFactoryConfig.byUrl1Enable ? BST_CHECKED : BST_UNCHECKED);
    UpdateControlStates();
}
