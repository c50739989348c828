// The handlers MainDlgProc hands the dialog's messages to.
#pragma once

#include <windows.h>

// WM_INITDIALOG: control handles, first-start block, every control filled.
void OnInitDialog(HWND hDlg);

// WM_COMMAND, one handler per control; wParam as the message brought it.
void OnTypeCombo(HWND hDlg, WPARAM wParam);
void OnGenerate(HWND hDlg, WPARAM wParam);
void OnBrowse(HWND hDlg, WPARAM wParam);
void OnUrl1Check(HWND hDlg, WPARAM wParam);
void OnDirCombo(HWND hDlg, WPARAM wParam);

// Shared by initialisation and the handlers.
void InitSavePathFromCurDir();
void ApplyDirMode();
void UpdateControlStates();

// Takes szFolder as the save folder if it fits g_szSavePath with its NUL.
// Returns 1 if taken, 0 if too long (g_szSavePath then keeps its text).
int SetSavePath(const char* szFolder);
