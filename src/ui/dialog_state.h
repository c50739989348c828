// Process-wide state of the dialog: the instance, the first-start flag, the
// interface language and the handles of the controls it keeps.
#pragma once

#include <windows.h>

extern HINSTANCE g_hInstance;
extern int g_bFirstInit;   // 1 until the first WM_INITDIALOG
extern int g_iLanguage;    // UI_LANG_CHINESE or UI_LANG_ENGLISH

// Fetched at the start of every WM_INITDIALOG, valid until the dialog ends.
extern HWND g_hTypeCombo;
extern HWND g_hServerEdit;
extern HWND g_hPortEdit;
extern HWND g_hServerLabel;
extern HWND g_hPortLabel;
extern HWND g_hSaveEdit;
extern HWND g_hUrl1Check;
extern HWND g_hUrl1EnableLabel;
extern HWND g_hUrl1Group;
extern HWND g_hUrl1Edit;
extern HWND g_hFtpGroup;
extern HWND g_hUserLabel;
extern HWND g_hUserEdit;
extern HWND g_hPasswordLabel;
extern HWND g_hPasswordEdit;
extern HWND g_hDirGroup;
extern HWND g_hDirCombo;
extern HWND g_hDirEdit;
