// ftpcfg make and the dialog's Generate write the same bytes for the same
// entries, into a fresh folder and over a loaded file.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "resource.h"
#include "temp_folder.h"
#include "ui_files.h"

using uitest::FtpConfigProcess;

namespace {

struct Entries {
    int iType;
    const char* szServer;
    const char* szPort;
    const char* szUser;
    const char* szPassword;
    const char* szDir; // nullptr: root directory
};

DWORD RunFtpcfg(const std::string& strArguments)
{
    std::string strExe = uitest::WindowsPathFromUnix(FTPCFG_EXE_UNIX_PATH);
    std::string strCommand = "\"" + strExe + "\" " + strArguments;
    std::vector<char> achCommand(strCommand.begin(), strCommand.end());
    achCommand.push_back('\0');
    STARTUPINFOA sStartup = {};
    sStartup.cb = sizeof sStartup;
    PROCESS_INFORMATION sProcess = {};
    if (!CreateProcessA(strExe.c_str(), achCommand.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &sStartup, &sProcess))
        return 0xFFFFFFFF;
    WaitForSingleObject(sProcess.hProcess, 30000);
    DWORD dwCode = 0xFFFFFFFF;
    GetExitCodeProcess(sProcess.hProcess, &dwCode);
    CloseHandle(sProcess.hThread);
    CloseHandle(sProcess.hProcess);
    return dwCode;
}

void GenerateInDialog(const std::filesystem::path& folder, const Entries& sEntries)
{
    FtpConfigProcess app(folder.string());
    app.ChooseComboItem(IDC_TYPE_COMBO, sEntries.iType);
    app.SetText(IDC_SERVER_EDIT, sEntries.szServer);
    app.SetText(IDC_PORT_EDIT, sEntries.szPort);
    app.SetText(IDC_USER_EDIT, sEntries.szUser);
    app.SetText(IDC_PASSWORD_EDIT, sEntries.szPassword);
    app.ChooseComboItem(IDC_DIR_COMBO, sEntries.szDir ? FTP_DIR_SPECIFY : FTP_DIR_ROOT);
    if (sEntries.szDir)
        app.SetText(IDC_DIR_EDIT, sEntries.szDir);
    EXPECT_EQ(app.Generate().strText, "Generate Success!");
}

void MakeWithFtpcfg(const std::filesystem::path& folder, const Entries& sEntries)
{
    std::string strArguments = std::string("make --type ") + (sEntries.iType == SELECT_FTP ? "ftp" : "sftp")
                               + " --server \"" + sEntries.szServer + "\" --port " + sEntries.szPort
                               + " --user \"" + sEntries.szUser + "\" --password \"" + sEntries.szPassword
                               + "\" -o \"" + folder.string() + "\"";
    if (sEntries.szDir)
        strArguments += std::string(" --dir \"") + sEntries.szDir + "\"";
    EXPECT_EQ(RunFtpcfg(strArguments), 0u) << strArguments;
}

FactoryConfig LoadedRecord()
{
    FactoryConfig sConfig = MakeFreshConfig();
    sConfig.byReserved1 = 0xA5;
    uitest::PutText(sConfig.szDebugUrl, "longserver.example.com");
    sConfig.byUrl1Enable = 1;
    uitest::PutText(sConfig.szUrl1, "backup.example.com");
    sConfig.iFtpDirMode = FTP_DIR_SPECIFY;
    uitest::PutText(sConfig.szFtpDir, "/upload/camera-one");
    sConfig.byReserved2 = 0x5A;
    uitest::PutText(sConfig.szFtpServer, "another.long.name.example");
    uitest::PutText(sConfig.szFtpUser, "installer-account");
    uitest::PutText(sConfig.szFtpPassword, "longpassword");
    return sConfig;
}

} // namespace

TEST(CliParity, MakeWritesWhatGenerateWrites)
{
    const Entries kCases[] = {
        {SELECT_FTP, "ftp.example.com", "2121", "camera", "secret", "/cam/one"},
        {SELECT_SFTP, "10.0.0.5", "22", "u", "p", nullptr},
        {SELECT_SFTP, "s", "0", "bob", "pw", ""},
    };
    for (bool bLoaded : {false, true}) {
        for (const Entries& sEntries : kCases) {
            SCOPED_TRACE(std::string(sEntries.szServer) + (bLoaded ? " over a loaded file" : " fresh"));
            testsupport::TempFolder dialogFolder, cliFolder;
            if (bLoaded) {
                uitest::WritePlainConfig(dialogFolder.Path(), LoadedRecord());
                uitest::WritePlainConfig(cliFolder.Path(), LoadedRecord());
            }
            GenerateInDialog(dialogFolder.Path(), sEntries);
            MakeWithFtpcfg(cliFolder.Path(), sEntries);
            std::vector<uint8_t> abyDialog = testsupport::ReadBytes(uitest::ConfigFileIn(dialogFolder.Path()));
            ASSERT_EQ(abyDialog.size(), 308u);
            EXPECT_EQ(testsupport::ReadBytes(uitest::ConfigFileIn(cliFolder.Path())), abyDialog);
        }
    }
}
