// The Browse button's folder picker, driven like a user: cancelled, and with
// a folder chosen in its tree.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <string>

#include "dialog_driver.h"
#include "resource.h"
#include "temp_folder.h"
#include "ui_files.h"

using uitest::FtpConfigProcess;

namespace {

struct PickerSearch {
    DWORD dwProcessId;
    HWND hMain;
    HWND hFound;
};

BOOL CALLBACK FindPickerProc(HWND hWnd, LPARAM lParam)
{
    PickerSearch* pSearch = reinterpret_cast<PickerSearch*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if (dwPid == pSearch->dwProcessId && hWnd != pSearch->hMain && IsWindowVisible(hWnd)
        && FindWindowExA(hWnd, nullptr, WC_TREEVIEWA, nullptr)) {
        pSearch->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND OpenPicker(const FtpConfigProcess& app)
{
    app.Click(IDC_BROWSE);
    PickerSearch sSearch = {app.ProcessId(), app.Dialog(), nullptr};
    for (int i = 0; i < 500 && !sSearch.hFound; ++i) {
        EnumWindows(FindPickerProc, reinterpret_cast<LPARAM>(&sSearch));
        if (!sSearch.hFound)
            Sleep(20);
    }
    return sSearch.hFound;
}

void WaitUntilGone(HWND hWnd)
{
    for (int i = 0; i < 500 && IsWindow(hWnd); ++i)
        Sleep(20);
}

void FillEntries(const FtpConfigProcess& app)
{
    app.SetText(IDC_SERVER_EDIT, "ftp.example.com");
    app.SetText(IDC_USER_EDIT, "user");
    app.SetText(IDC_PASSWORD_EDIT, "secret");
}

} // namespace

TEST(FolderPicker, CancelChangesNothing)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    HWND hPicker = OpenPicker(app);
    ASSERT_NE(hPicker, nullptr);
    PostMessageA(hPicker, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    WaitUntilGone(hPicker);
    app.Sync();

    EXPECT_EQ(app.Text(IDC_SAVE_EDIT), folder.String());
    FillEntries(app);
    EXPECT_EQ(app.Generate().strText, "Generate Success!");
    EXPECT_TRUE(std::filesystem::exists(uitest::ConfigFileIn(folder.Path())));
}

TEST(FolderPicker, ChosenFolderBecomesTheSaveFolder)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    HWND hPicker = OpenPicker(app);
    ASSERT_NE(hPicker, nullptr);

    // The tree's root is the desktop, a folder of the file system.
    HWND hTree = FindWindowExA(hPicker, nullptr, WC_TREEVIEWA, nullptr);
    LRESULT lRoot = SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    ASSERT_NE(lRoot, 0);
    SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, lRoot);
    PostMessageA(hPicker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntilGone(hPicker);
    app.Sync();

    std::string strChosen = app.Text(IDC_SAVE_EDIT);
    ASSERT_NE(strChosen, folder.String());
    ASSERT_TRUE(std::filesystem::is_directory(strChosen)) << strChosen;
    std::filesystem::path chosenFile = uitest::ConfigFileIn(strChosen);
    std::filesystem::remove(chosenFile);

    // Text typed into the save-folder edit does not move the file.
    app.SetText(IDC_SAVE_EDIT, folder.String());
    FillEntries(app);
    EXPECT_EQ(app.Generate().strText, "Generate Success!");
    EXPECT_TRUE(std::filesystem::exists(chosenFile));
    EXPECT_FALSE(std::filesystem::exists(uitest::ConfigFileIn(folder.Path())));
    std::filesystem::remove(chosenFile);
}
