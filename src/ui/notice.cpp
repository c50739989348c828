// Shows one message of the Generate command.
#include "notice.h"

#include "language.h"

MessageBoxFunction g_pfnMessageBox = MessageBoxA;

void ShowNotice(HWND hDlg, TextPair message, UINT uIcon)
{
    g_pfnMessageBox(hDlg, Text(message), Text(STR_NOTICE), MB_OK | uIcon);
}
