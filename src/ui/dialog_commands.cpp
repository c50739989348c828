// The command handlers of the two combo boxes, the URL 1 check box and the
// Browse button (the folder picker).
#include <windows.h>
#include <shlobj.h>

#include "config_store.h"
#include "dialog_handlers.h"
#include "dialog_state.h"
#include "factory_config.h"
#include "resource.h"

void OnTypeCombo(HWND /*hDlg*/, WPARAM wParam)
{
    if (HIWORD(wParam) != CBN_SELENDOK)
        return;
    LRESULT lIndex = SendMessageA(g_hTypeCombo, CB_GETCURSEL, 0, 0);
    g_sFactoryConfig.bySelectBy = static_cast<uint8_t>(lIndex & 0xFF); // CB_ERR becomes 255
    UpdateControlStates();
}

void OnDirCombo(HWND /*hDlg*/, WPARAM wParam)
{
    if (HIWORD(wParam) != CBN_SELCHANGE)
        return;
    LRESULT lIndex = SendMessageA(g_hDirCombo, CB_GETCURSEL, 0, 0);
    g_sFactoryConfig.iFtpDirMode = static_cast<int32_t>(lIndex);
    ApplyDirMode();
}

void OnUrl1Check(HWND hDlg, WPARAM /*wParam*/)
{
    UINT uState = IsDlgButtonChecked(hDlg, IDC_URL1_CHECK);
    if (uState == BST_CHECKED)
        g_sFactoryConfig.byUrl1Enable = 1;
    else if (uState == BST_UNCHECKED)
        g_sFactoryConfig.byUrl1Enable = 0;
    BOOL bUrl1 = g_sFactoryConfig.byUrl1Enable != 0;
    EnableWindow(g_hUrl1EnableLabel, bUrl1);
    EnableWindow(g_hUrl1Group, bUrl1);
    EnableWindow(g_hUrl1Edit, bUrl1);
}

void OnBrowse(HWND /*hDlg*/, WPARAM /*wParam*/)
{
    BROWSEINFOA sBrowseInfo = {};
    sBrowseInfo.hwndOwner = GetForegroundWindow();
    sBrowseInfo.ulFlags = BIF_RETURNONLYFSDIRS;

    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderA(&sBrowseInfo);
    if (!pidl)
        return; // cancelled

    // Converted into a buffer of its own first: a folder without a file
    // system path must not leave the save folder empty.
    char szFolder[MAX_PATH] = "";
    BOOL bConverted = SHGetPathFromIDListA(pidl, szFolder);
    CoTaskMemFree(pidl);
    if (!bConverted || szFolder[0] == '\0')
        return;

    SetSavePath(szFolder);
    SetWindowTextA(g_hSaveEdit, g_szSavePath);
}
