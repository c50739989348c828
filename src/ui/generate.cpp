// The Generate command: copies the entries into the record field by field,
// stops at the first one refused, saves the file, reads it back and reports.
#include "generate.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config_store.h"
#include "dialog_handlers.h"
#include "dialog_state.h"
#include "factory_config.h"
#include "notice.h"
#include "resource.h"

enum { PORT_MAX = 65535 };

int32_t PortNumberFromText(const char* szPort)
{
    // The text has at most five characters, so strtol cannot overflow; a
    // 32-bit long on Windows is the signed 32-bit number itself.
    return static_cast<int32_t>(std::strtol(szPort, nullptr, 10));
}

// Copies an edit's text into a record field, as much as the field holds.
// Returns the length copied; 0 means the edit is empty.
template <size_t N>
static UINT ReadEdit(HWND hDlg, int iId, char (&field)[N])
{
    return GetDlgItemTextA(hDlg, iId, field, static_cast<int>(N));
}

void OnGenerate(HWND hDlg, WPARAM /*wParam*/)
{
    FactoryConfig& sConfig = g_sFactoryConfig;
    char szPort[6] = {0};

    LRESULT lType = SendMessageA(g_hTypeCombo, CB_GETCURSEL, 0, 0);
    sConfig.bySelectBy = static_cast<uint8_t>(lType & 0xFF);
    std::printf("[MAKE]\n* bySelectBy =%d\n", static_cast<int>(sConfig.bySelectBy));

    if (ReadEdit(hDlg, IDC_SERVER_EDIT, sConfig.szDebugUrl) == 0) {
        ShowNotice(hDlg, MSG_NO_SERVER, MB_ICONWARNING);
        return;
    }
    // The text and its NUL only: the second copy keeps its own tail too.
    size_t uServer = strnlen(sConfig.szDebugUrl, sizeof sConfig.szDebugUrl - 1);
    std::memcpy(sConfig.szFtpServer, sConfig.szDebugUrl, uServer);
    sConfig.szFtpServer[uServer] = '\0';

    if (GetDlgItemTextA(hDlg, IDC_PORT_EDIT, szPort, sizeof szPort) == 0) {
        ShowNotice(hDlg, MSG_NO_PORT, MB_ICONWARNING);
        return;
    }
    int32_t iPort = PortNumberFromText(szPort);
    if (iPort > PORT_MAX) {
        ShowNotice(hDlg, MSG_PORT_RANGE, MB_ICONWARNING);
        return;
    }
    sConfig.uwDebugPort = static_cast<uint16_t>(iPort & 0xFFFF); // -1 is 65535

    if (ReadEdit(hDlg, IDC_USER_EDIT, sConfig.szFtpUser) == 0) {
        ShowNotice(hDlg, MSG_NO_USER, MB_ICONWARNING);
        return;
    }
    if (ReadEdit(hDlg, IDC_PASSWORD_EDIT, sConfig.szFtpPassword) == 0) {
        ShowNotice(hDlg, MSG_NO_PASSWORD, MB_ICONWARNING);
        return;
    }

    LRESULT lDirMode = SendMessageA(g_hDirCombo, CB_GETCURSEL, 0, 0);
    sConfig.iFtpDirMode = static_cast<int32_t>(lDirMode);
    ReadEdit(hDlg, IDC_DIR_EDIT, sConfig.szFtpDir); // empty is a valid directory

    if (SaveConfig() != 1) {
        ShowNotice(hDlg, MSG_SAVE_FAILED, MB_ICONWARNING);
        return;
    }
    // A file that cannot be read back cannot be relied on: say so.
    if (LoadConfig() != 1) {
        ShowNotice(hDlg, MSG_SAVE_FAILED, MB_ICONWARNING);
        return;
    }
    ShowNotice(hDlg, MSG_SAVE_OK, MB_ICONINFORMATION);
}
