// Drives a running FtpConfig.exe from outside, as a UI-automation tool would:
// starts it in a chosen folder with standard output sent to a file, finds its
// dialog and message boxes, and works the controls with ordinary Win32 calls.
#pragma once

#include <windows.h>

#include <string>

#include "temp_folder.h"

namespace uitest {

// The FtpConfig.exe under test, as a Windows path.
std::string FtpConfigExePath();

// A Unix path as Wine shows it: the Unix root is drive Z:.
std::string WindowsPathFromUnix(const std::string& strUnix);

struct MessageBoxSeen {
    HWND hBox = nullptr;
    HWND hOwner = nullptr;
    std::string strCaption;
    std::string strText;
};

class FtpConfigProcess {
public:
    // Starts the program with szFolder as its current directory; strArguments
    // follow the program name on the command line. Waits for the dialog.
    explicit FtpConfigProcess(const std::string& strFolder, const std::string& strArguments = "");
    ~FtpConfigProcess();
    FtpConfigProcess(const FtpConfigProcess&) = delete;
    FtpConfigProcess& operator=(const FtpConfigProcess&) = delete;

    HWND Dialog() const { return m_hDlg; }
    DWORD ProcessId() const { return m_sProcess.dwProcessId; }
    HWND Item(int iId) const;

    std::string Text(int iId) const;
    void SetText(int iId, const std::string& strText) const; // as a paste does
    void TypeText(int iId, const std::string& strText) const; // key by key
    bool IsEnabled(int iId) const;

    int ComboSelection(int iId) const;
    int ComboCount(int iId) const;
    std::string ComboItem(int iId, int iIndex) const;
    // Selects an item and sends the notifications a mouse choice sends.
    void ChooseComboItem(int iId, int iIndex) const;

    // Presses a push button; returns at once (the handler may show a box).
    void Click(int iId) const;
    // Waits for a message box owned by a window of the process and reads it.
    MessageBoxSeen WaitForMessageBox(DWORD dwTimeoutMs = 10000) const;
    // Presses OK on a box and waits until it is gone.
    void PressOk(const MessageBoxSeen& box) const;
    // Generate, then the box it shows (closed again with OK).
    MessageBoxSeen Generate() const;

    // Waits until the dialog has handled everything sent to it so far.
    void Sync() const;

    void Close() const; // WM_CLOSE, as the close box sends it
    // Waits for the process to end; returns its exit code, or STILL_ACTIVE.
    DWORD WaitForExit(DWORD dwTimeoutMs = 10000);
    bool HasExited() const;

    // Everything the program wrote to standard output so far.
    std::string Output() const;

private:
    testsupport::TempFolder m_logFolder;
    std::string m_strOutputPath;
    PROCESS_INFORMATION m_sProcess = {};
    HWND m_hDlg = nullptr;
};

// Top-level dialog windows (class #32770) of a process.
HWND FindTopLevelDialog(DWORD dwProcessId, HWND hOwner, HWND hExcept = nullptr);

std::string WindowText(HWND hWnd);

} // namespace uitest
