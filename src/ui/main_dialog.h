// The dialog procedure of IDD_FTP_CONFIG.
#pragma once

#include <windows.h>

INT_PTR CALLBACK MainDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
