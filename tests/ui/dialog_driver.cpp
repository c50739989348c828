// The out-of-process driver of FtpConfig.exe.
#include "dialog_driver.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "resource.h"

namespace uitest {

namespace {

const DWORD kStepMs = 20;

struct FindState {
    DWORD dwProcessId;
    HWND hOwner;
    HWND hExcept;
    HWND hFound;
};

BOOL CALLBACK FindDialogProc(HWND hWnd, LPARAM lParam)
{
    FindState* pState = reinterpret_cast<FindState*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if (dwPid != pState->dwProcessId || hWnd == pState->hExcept || !IsWindowVisible(hWnd))
        return TRUE;
    char szClass[16] = "";
    GetClassNameA(hWnd, szClass, sizeof szClass);
    if (std::string(szClass) != "#32770" || GetWindow(hWnd, GW_OWNER) != pState->hOwner)
        return TRUE;
    pState->hFound = hWnd;
    return FALSE;
}

struct StaticTexts {
    std::string strLongest;
};

BOOL CALLBACK FindStaticTextProc(HWND hWnd, LPARAM lParam)
{
    StaticTexts* pTexts = reinterpret_cast<StaticTexts*>(lParam);
    char szClass[16] = "";
    GetClassNameA(hWnd, szClass, sizeof szClass);
    if (lstrcmpiA(szClass, "Static") == 0) {
        std::string strText = WindowText(hWnd);
        if (strText.size() > pTexts->strLongest.size())
            pTexts->strLongest = strText;
    }
    return TRUE;
}

// Without a window manager (Xvfb), Wine waits two seconds for one at every
// window that closes, unless the program's windows are unmanaged.
class UnmanagedWindows : public ::testing::Environment {
public:
    void SetUp() override
    {
        HKEY hKey = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\FtpConfig.exe\\X11 Driver",
                            0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr) == ERROR_SUCCESS) {
            RegSetValueExA(hKey, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
            RegCloseKey(hKey);
        }
    }
};

const ::testing::Environment* const g_pUnmanagedWindows =
    ::testing::AddGlobalTestEnvironment(new UnmanagedWindows);

} // namespace

std::string WindowsPathFromUnix(const std::string& strUnix)
{
    std::string strPath = "Z:" + strUnix;
    for (char& ch : strPath)
        if (ch == '/')
            ch = '\\';
    return strPath;
}

std::string FtpConfigExePath()
{
    return WindowsPathFromUnix(FTPCONFIG_EXE_UNIX_PATH);
}

std::string WindowText(HWND hWnd)
{
    DWORD_PTR uLength = 0;
    if (!SendMessageTimeoutA(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &uLength))
        return std::string();
    std::vector<char> achText(uLength + 1 + 16, '\0');
    DWORD_PTR uCopied = 0;
    SendMessageTimeoutA(hWnd, WM_GETTEXT, achText.size(), reinterpret_cast<LPARAM>(achText.data()),
                        SMTO_ABORTIFHUNG, 5000, &uCopied);
    return std::string(achText.data(), uCopied);
}

HWND FindTopLevelDialog(DWORD dwProcessId, HWND hOwner, HWND hExcept)
{
    FindState sState = {dwProcessId, hOwner, hExcept, nullptr};
    EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&sState));
    return sState.hFound;
}

FtpConfigProcess::FtpConfigProcess(const std::string& strFolder, const std::string& strArguments)
{
    m_strOutputPath = (m_logFolder.Path() / "stdout.txt").string();
    SECURITY_ATTRIBUTES sSecurity = {sizeof sSecurity, nullptr, TRUE};
    HANDLE hOutput = CreateFileA(m_strOutputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &sSecurity, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hOutput == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create " + m_strOutputPath);

    STARTUPINFOA sStartup = {};
    sStartup.cb = sizeof sStartup;
    sStartup.dwFlags = STARTF_USESTDHANDLES;
    sStartup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    sStartup.hStdOutput = hOutput;
    sStartup.hStdError = hOutput;

    std::string strExe = FtpConfigExePath();
    std::string strCommand = "\"" + strExe + "\"";
    if (!strArguments.empty())
        strCommand += " " + strArguments;
    std::vector<char> achCommand(strCommand.begin(), strCommand.end());
    achCommand.push_back('\0');

    BOOL bStarted = FALSE;
    DWORD dwError = 0;
    for (int iAttempt = 0; iAttempt < 3 && !bStarted; ++iAttempt) {
        bStarted = CreateProcessA(strExe.c_str(), achCommand.data(), nullptr, nullptr, TRUE, 0,
                                  nullptr, strFolder.c_str(), &sStartup, &m_sProcess);
        dwError = GetLastError();
        if (!bStarted)
            Sleep(200);
    }
    CloseHandle(hOutput);
    if (!bStarted)
        throw std::runtime_error("cannot start " + strExe + ", error " + std::to_string(dwError));

    for (DWORD dwWaited = 0; dwWaited < 30000; dwWaited += kStepMs) {
        m_hDlg = FindTopLevelDialog(m_sProcess.dwProcessId, nullptr);
        if (m_hDlg)
            break;
        if (HasExited())
            throw std::runtime_error("FtpConfig.exe ended before its dialog showed");
        Sleep(kStepMs);
    }
    if (!m_hDlg)
        throw std::runtime_error("no dialog from FtpConfig.exe");
    Sync();
}

FtpConfigProcess::~FtpConfigProcess()
{
    if (!HasExited()) {
        TerminateProcess(m_sProcess.hProcess, 1);
        WaitForSingleObject(m_sProcess.hProcess, 5000);
    }
    CloseHandle(m_sProcess.hThread);
    CloseHandle(m_sProcess.hProcess);
}

HWND FtpConfigProcess::Item(int iId) const
{
    return GetDlgItem(m_hDlg, iId);
}

std::string FtpConfigProcess::Text(int iId) const
{
    return WindowText(Item(iId));
}

void FtpConfigProcess::SetText(int iId, const std::string& strText) const
{
    SendMessageA(Item(iId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strText.c_str()));
}

void FtpConfigProcess::TypeText(int iId, const std::string& strText) const
{
    // Sent, not posted, so that each key has been handled on return.
    HWND hEdit = Item(iId);
    for (unsigned char ch : strText)
        SendMessageA(hEdit, WM_CHAR, ch, 1);
}

bool FtpConfigProcess::IsEnabled(int iId) const
{
    return IsWindowEnabled(Item(iId)) != FALSE;
}

int FtpConfigProcess::ComboSelection(int iId) const
{
    return static_cast<int>(SendMessageA(Item(iId), CB_GETCURSEL, 0, 0));
}

int FtpConfigProcess::ComboCount(int iId) const
{
    return static_cast<int>(SendMessageA(Item(iId), CB_GETCOUNT, 0, 0));
}

std::string FtpConfigProcess::ComboItem(int iId, int iIndex) const
{
    // Wine hands CB_GETLBTEXT across processes in Unicode only, so the item
    // is read as Unicode and turned back into this process's ANSI code page,
    // which is the program's.
    LRESULT lLength = SendMessageW(Item(iId), CB_GETLBTEXTLEN, iIndex, 0);
    if (lLength == CB_ERR)
        return "<none>";
    std::vector<wchar_t> awchText(static_cast<size_t>(lLength) + 16, L'\0');
    SendMessageW(Item(iId), CB_GETLBTEXT, iIndex, reinterpret_cast<LPARAM>(awchText.data()));
    char szText[512] = "";
    WideCharToMultiByte(CP_ACP, 0, awchText.data(), -1, szText, sizeof szText, nullptr, nullptr);
    return szText;
}

void FtpConfigProcess::ChooseComboItem(int iId, int iIndex) const
{
    HWND hCombo = Item(iId);
    SendMessageA(hCombo, CB_SETCURSEL, static_cast<WPARAM>(iIndex), 0);
    SendMessageA(m_hDlg, WM_COMMAND, MAKEWPARAM(iId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hCombo));
    SendMessageA(m_hDlg, WM_COMMAND, MAKEWPARAM(iId, CBN_SELENDOK), reinterpret_cast<LPARAM>(hCombo));
}

void FtpConfigProcess::Click(int iId) const
{
    PostMessageA(m_hDlg, WM_COMMAND, MAKEWPARAM(iId, BN_CLICKED), reinterpret_cast<LPARAM>(Item(iId)));
}

MessageBoxSeen FtpConfigProcess::WaitForMessageBox(DWORD dwTimeoutMs) const
{
    MessageBoxSeen box;
    for (DWORD dwWaited = 0; dwWaited < dwTimeoutMs; dwWaited += kStepMs) {
        box.hBox = FindTopLevelDialog(m_sProcess.dwProcessId, m_hDlg);
        if (box.hBox)
            break;
        Sleep(kStepMs);
    }
    if (!box.hBox)
        return box;
    box.hOwner = GetWindow(box.hBox, GW_OWNER);
    box.strCaption = WindowText(box.hBox);
    StaticTexts sTexts;
    EnumChildWindows(box.hBox, FindStaticTextProc, reinterpret_cast<LPARAM>(&sTexts));
    box.strText = sTexts.strLongest;
    return box;
}

void FtpConfigProcess::PressOk(const MessageBoxSeen& box) const
{
    if (!box.hBox)
        return;
    PostMessageA(box.hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (DWORD dwWaited = 0; dwWaited < 10000 && IsWindow(box.hBox); dwWaited += kStepMs)
        Sleep(kStepMs);
    Sync();
}

MessageBoxSeen FtpConfigProcess::Generate() const
{
    Click(IDC_GENERATE);
    MessageBoxSeen box = WaitForMessageBox();
    PressOk(box);
    return box;
}

void FtpConfigProcess::Sync() const
{
    DWORD_PTR uResult = 0;
    SendMessageTimeoutA(m_hDlg, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &uResult);
}

void FtpConfigProcess::Close() const
{
    PostMessageA(m_hDlg, WM_CLOSE, 0, 0);
}

DWORD FtpConfigProcess::WaitForExit(DWORD dwTimeoutMs)
{
    WaitForSingleObject(m_sProcess.hProcess, dwTimeoutMs);
    DWORD dwCode = STILL_ACTIVE;
    GetExitCodeProcess(m_sProcess.hProcess, &dwCode);
    return dwCode;
}

bool FtpConfigProcess::HasExited() const
{
    return WaitForSingleObject(m_sProcess.hProcess, 0) == WAIT_OBJECT_0;
}

std::string FtpConfigProcess::Output() const
{
    // Standard output is in the C runtime's text mode: each line ends in CR LF.
    std::ifstream in(m_strOutputPath, std::ios::binary);
    std::string strRaw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string strOutput;
    for (size_t i = 0; i < strRaw.size(); ++i)
        if (!(strRaw[i] == '\r' && i + 1 < strRaw.size() && strRaw[i + 1] == '\n'))
            strOutput += strRaw[i];
    return strOutput;
}

} // namespace uitest
