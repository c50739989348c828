// Language rule and captions of the dialog.
#include "language.h"

#include "dialog_state.h"
#include "resource.h"

int LanguageForLangId(LANGID wLangId)
{
    // The whole identifier counts: Chinese (Taiwan) and the others get English.
    return wLangId == 0x0804 ? UI_LANG_CHINESE : UI_LANG_ENGLISH;
}

const char* Text(TextPair pair)
{
    return pair[g_iLanguage];
}

const char* DirModeItem(int iItem)
{
    return g_aszDirModeItems[g_iLanguage * 2 + iItem];
}

void ApplyCaptions(HWND hDlg)
{
    SetWindowTextA(hDlg, Text(STR_DLG_TITLE));
    SetWindowTextA(GetDlgItem(hDlg, IDC_TYPE_LABEL), Text(STR_SELECT_TYPE));
    SetWindowTextA(g_hFtpGroup, Text(STR_FTP_PARAMS));
    SetWindowTextA(g_hServerLabel, Text(STR_SERVER));
    SetWindowTextA(g_hPortLabel, Text(STR_PORT));
    SetWindowTextA(g_hUserLabel, Text(STR_USER));
    SetWindowTextA(g_hPasswordLabel, Text(STR_PASSWORD));
    SetWindowTextA(g_hDirGroup, Text(STR_UPLOAD_DIR));
    SetWindowTextA(GetDlgItem(hDlg, IDC_SAVE_GROUP), Text(STR_SAVE_PATH));
    SetWindowTextA(GetDlgItem(hDlg, IDC_BROWSE), Text(STR_BROWSE));
    SetWindowTextA(GetDlgItem(hDlg, IDC_GENERATE), Text(STR_GENERATE));
    SetWindowTextA(GetDlgItem(hDlg, IDC_VERSION_LABEL), Text(STR_VERSION));
}
