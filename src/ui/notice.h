// The message boxes of the Generate command: owned by the dialog, captioned
// "Notice" in the interface language, one OK button and one icon.
#pragma once

#include <windows.h>

#include "text_tables.h"

// The message box function. Only the in-process tests replace it, to see
// the flags of a box, which no window outside the process shows.
typedef int(WINAPI* MessageBoxFunction)(HWND, LPCSTR, LPCSTR, UINT);
extern MessageBoxFunction g_pfnMessageBox;

// uIcon is MB_ICONWARNING or MB_ICONINFORMATION.
void ShowNotice(HWND hDlg, TextPair message, UINT uIcon);
