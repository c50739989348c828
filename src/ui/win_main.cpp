// Entry point of FtpConfig.exe: runs the one modal dialog and returns its
// result as the exit code.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "dialog_state.h"
#include "main_dialog.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/,
                   int /*nShowCmd*/)
{
    g_hInstance = hInstance;
    // Diagnostic lines reach a redirected standard output at once, even
    // when the process is ended from outside.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    InitCommonControls();
    return static_cast<int>(DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_FTP_CONFIG), nullptr,
                                            MainDlgProc, 0));
}
