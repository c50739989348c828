// The program as a whole: its window, keys that must do nothing, closing,
// command-line arguments and copies side by side.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "resource.h"
#include "temp_folder.h"
#include "ui_files.h"

using uitest::FtpConfigProcess;

namespace {

struct ChildExpected {
    int iId;
    const char* szClass;
};

// The template's 24 controls, in creation order.
const ChildExpected kChildren[] = {
    {IDC_TYPE_LABEL, "Static"},     {IDC_TYPE_COMBO, "ComboBox"},
    {IDC_FTP_GROUP, "Button"},      {IDC_SERVER_LABEL, "Static"},
    {IDC_SERVER_EDIT, "Edit"},      {IDC_PORT_LABEL, "Static"},
    {IDC_PORT_EDIT, "Edit"},        {IDC_USER_LABEL, "Static"},
    {IDC_USER_EDIT, "Edit"},        {IDC_PASSWORD_LABEL, "Static"},
    {IDC_URL1_GROUP, "Button"},     {IDC_PASSWORD_EDIT, "Edit"},
    {IDC_URL1_GROUP, "Static"},     {IDC_URL1_CHECK, "Button"},
    {IDC_URL1_ENABLE_LABEL, "Static"}, {IDC_DIR_GROUP, "Button"},
    {IDC_URL1_EDIT, "Edit"},        {IDC_DIR_COMBO, "ComboBox"},
    {IDC_DIR_EDIT, "Edit"},         {IDC_SAVE_GROUP, "Button"},
    {IDC_BROWSE, "Button"},         {IDC_SAVE_EDIT, "Edit"},
    {IDC_GENERATE, "Button"},       {IDC_VERSION_LABEL, "Static"},
};

std::vector<HWND> Children(HWND hDlg)
{
    std::vector<HWND> ahChildren;
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
        ahChildren.push_back(hChild);
    return ahChildren;
}

std::string BaseClassName(HWND hWnd)
{
    char szClass[64] = "";
    GetClassNameA(hWnd, szClass, sizeof szClass);
    std::string strClass = szClass;
    size_t uBang = strClass.rfind('!'); // versioned class names of the common controls
    return uBang == std::string::npos ? strClass : strClass.substr(uBang + 1);
}

HWND FocusOf(HWND hDlg)
{
    GUITHREADINFO sInfo = {};
    sInfo.cbSize = sizeof sInfo;
    GetGUIThreadInfo(GetWindowThreadProcessId(hDlg, nullptr), &sInfo);
    return sInfo.hwndFocus;
}

// Everything a user sees of the dialog, in one text.
std::string Snapshot(const FtpConfigProcess& app)
{
    std::string strAll = uitest::WindowText(app.Dialog()) + "|";
    for (HWND hChild : Children(app.Dialog()))
        strAll += uitest::WindowText(hChild) + (IsWindowEnabled(hChild) ? "+" : "-")
                  + (IsWindowVisible(hChild) ? "v|" : "h|");
    return strAll;
}

} // namespace

TEST(DialogHost, OpensWithItsControlsInTemplateOrder)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());

    std::vector<HWND> ahChildren = Children(app.Dialog());
    ASSERT_EQ(ahChildren.size(), std::size(kChildren));
    for (size_t i = 0; i < ahChildren.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i + 1));
        EXPECT_EQ(GetDlgCtrlID(ahChildren[i]), kChildren[i].iId);
        EXPECT_STRCASEEQ(BaseClassName(ahChildren[i]).c_str(), kChildren[i].szClass);
    }
    // The shared identifier finds the group box, the first of the two.
    EXPECT_EQ(app.Item(IDC_URL1_GROUP), ahChildren[10]);
}

TEST(DialogHost, FocusStartsOnTheServerEdit)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    EXPECT_EQ(FocusOf(app.Dialog()), app.Item(IDC_SERVER_EDIT));
}

TEST(DialogHost, EscapeAndEnterDoNothing)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    app.SetText(IDC_SERVER_EDIT, "ftp.example.com");
    std::string strBefore = Snapshot(app);

    HWND hEdit = app.Item(IDC_SERVER_EDIT);
    for (WPARAM wKey : {VK_ESCAPE, VK_RETURN}) {
        PostMessageA(hEdit, WM_KEYDOWN, wKey, 1);
        PostMessageA(hEdit, WM_KEYUP, wKey, 0xC0000001);
    }
    // The commands the dialog manager makes of those keys.
    PostMessageA(app.Dialog(), WM_COMMAND, IDCANCEL, 0);
    PostMessageA(app.Dialog(), WM_COMMAND, IDOK, 0);
    app.Sync();
    Sleep(200);
    app.Sync();

    EXPECT_FALSE(app.HasExited());
    EXPECT_TRUE(IsWindowVisible(app.Dialog()));
    EXPECT_EQ(uitest::FindTopLevelDialog(app.ProcessId(), app.Dialog()), nullptr) << "a box opened";
    EXPECT_EQ(Snapshot(app), strBefore);
    EXPECT_FALSE(std::filesystem::exists(uitest::ConfigFileIn(folder.Path())));
}

TEST(DialogHost, CloseEndsWithExitCodeZeroAndWritesNothing)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    app.SetText(IDC_SERVER_EDIT, "ftp.example.com");
    app.SetText(IDC_USER_EDIT, "user");
    app.SetText(IDC_PASSWORD_EDIT, "secret");
    app.Close();
    EXPECT_EQ(app.WaitForExit(), 0u);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(DialogHost, CloseAfterGenerateStillEndsWithZero)
{
    testsupport::TempFolder folder;
    FtpConfigProcess app(folder.String());
    app.SetText(IDC_SERVER_EDIT, "ftp.example.com");
    app.SetText(IDC_USER_EDIT, "user");
    app.SetText(IDC_PASSWORD_EDIT, "secret");
    ASSERT_NE(app.Generate().hBox, nullptr);
    std::vector<uint8_t> abyWritten = testsupport::ReadBytes(uitest::ConfigFileIn(folder.Path()));
    app.Close();
    EXPECT_EQ(app.WaitForExit(), 0u);
    EXPECT_EQ(testsupport::ReadBytes(uitest::ConfigFileIn(folder.Path())), abyWritten);
}

TEST(DialogHost, CommandLineArgumentsChangeNothing)
{
    testsupport::TempFolder folder;
    FtpConfigProcess plain(folder.String());
    std::string strPlain = Snapshot(plain);
    plain.Close();
    ASSERT_EQ(plain.WaitForExit(), 0u);

    FtpConfigProcess withArguments(folder.String(), "/s --help C:\\elsewhere CFG_FTP.bin");
    EXPECT_EQ(Snapshot(withArguments), strPlain);
    EXPECT_EQ(withArguments.Output(), plain.Output());
    withArguments.Close();
    EXPECT_EQ(withArguments.WaitForExit(), 0u);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(DialogHost, TwoCopiesRunSideBySide)
{
    testsupport::TempFolder folderA, folderB;
    FtpConfigProcess first(folderA.String());
    FtpConfigProcess second(folderB.String());
    EXPECT_NE(first.Dialog(), second.Dialog());

    first.SetText(IDC_SERVER_EDIT, "a.example.com");
    second.SetText(IDC_SERVER_EDIT, "b.example.com");
    for (FtpConfigProcess* pApp : {&first, &second}) {
        pApp->SetText(IDC_USER_EDIT, "user");
        pApp->SetText(IDC_PASSWORD_EDIT, "secret");
        ASSERT_NE(pApp->Generate().hBox, nullptr);
    }
    EXPECT_EQ(FieldText(uitest::ReadRecord(folderA.Path()).szDebugUrl), "a.example.com");
    EXPECT_EQ(FieldText(uitest::ReadRecord(folderB.Path()).szDebugUrl), "b.example.com");

    first.Close();
    second.Close();
    EXPECT_EQ(first.WaitForExit(), 0u);
    EXPECT_EQ(second.WaitForExit(), 0u);
}
