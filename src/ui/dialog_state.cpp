// Definitions of the dialog's process-wide state, with their initial values.
#include "dialog_state.h"

#include "text_tables.h"

HINSTANCE g_hInstance = nullptr;
int g_bFirstInit = 1;
int g_iLanguage = UI_LANG_ENGLISH;

HWND g_hTypeCombo = nullptr;
HWND g_hServerEdit = nullptr;
HWND g_hPortEdit = nullptr;
HWND g_hServerLabel = nullptr;
HWND g_hPortLabel = nullptr;
HWND g_hSaveEdit = nullptr;
HWND g_hUrl1Check = nullptr;
HWND g_hUrl1EnableLabel = nullptr;
HWND g_hUrl1Group = nullptr;
HWND g_hUrl1Edit = nullptr;
HWND g_hFtpGroup = nullptr;
HWND g_hUserLabel = nullptr;
HWND g_hUserEdit = nullptr;
HWND g_hPasswordLabel = nullptr;
HWND g_hPasswordEdit = nullptr;
HWND g_hDirGroup = nullptr;
HWND g_hDirCombo = nullptr;
HWND g_hDirEdit = nullptr;
