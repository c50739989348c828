// The built ftpcfg executable run as a child process: arguments as the system
// hands them over, standard input, output, error and the exit code.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "cli_support.h"
#include "config_store.h"
#include "temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path)
{
    std::vector<uint8_t> aby = testsupport::ReadBytes(path);
    std::string str(aby.begin(), aby.end());
    // The Windows console runtime writes "\r\n"; compare text, not line ends.
    std::string strOut;
    for (size_t i = 0; i < str.size(); ++i)
        if (!(str[i] == '\r' && i + 1 < str.size() && str[i + 1] == '\n'))
            strOut += str[i];
    return strOut;
}

#ifdef _WIN32
std::wstring Wide(const std::string& strUtf8)
{
    int iCount = MultiByteToWideChar(CP_UTF8, 0, strUtf8.c_str(), -1, nullptr, 0);
    std::wstring ws(static_cast<size_t>(iCount), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, strUtf8.c_str(), -1, &ws[0], iCount);
    ws.resize(static_cast<size_t>(iCount - 1));
    return ws;
}

// The build tree's Unix path, as Wine's drive Z: shows it.
std::wstring ExecutablePath()
{
    std::string str = FTPCFG_EXECUTABLE;
    if (!str.empty() && str[0] == '/') {
        for (char& ch : str)
            if (ch == '/')
                ch = '\\';
        str = "Z:" + str;
    }
    return Wide(str);
}

HANDLE Inheritable(const fs::path& path, bool bWrite)
{
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    return CreateFileW(path.wstring().c_str(), bWrite ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ, &sa,
                       bWrite ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

int Spawn(const std::vector<std::string>& astrArgs, const fs::path& in, const fs::path& out, const fs::path& err)
{
    std::wstring wsLine = L"\"" + ExecutablePath() + L"\"";
    for (const std::string& strArg : astrArgs)
        wsLine += L" \"" + Wide(strArg) + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = Inheritable(in, false);
    si.hStdOutput = Inheritable(out, true);
    si.hStdError = Inheritable(err, true);
    PROCESS_INFORMATION pi = {};
    std::wstring wsExe = ExecutablePath();
    BOOL bStarted = CreateProcessW(wsExe.c_str(), &wsLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    DWORD dwCode = 255;
    if (bStarted) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        GetExitCodeProcess(pi.hProcess, &dwCode);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(si.hStdInput);
    CloseHandle(si.hStdOutput);
    CloseHandle(si.hStdError);
    return bStarted ? static_cast<int>(dwCode) : -1;
}
#else
int Spawn(const std::vector<std::string>& astrArgs, const fs::path& in, const fs::path& out, const fs::path& err)
{
    std::vector<char*> apArgv;
    std::string strExe = FTPCFG_EXECUTABLE;
    apArgv.push_back(&strExe[0]);
    std::vector<std::string> astrCopy = astrArgs;
    for (std::string& str : astrCopy)
        apArgv.push_back(&str[0]);
    apArgv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    int iSpawned = posix_spawn(&pid, strExe.c_str(), &actions, nullptr, apArgv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (iSpawned != 0)
        return -1;
    int iStatus = 0;
    waitpid(pid, &iStatus, 0);
    return WIFEXITED(iStatus) ? WEXITSTATUS(iStatus) : -1;
}
#endif

class ProcessTest : public ::testing::Test {
protected:
    clitest::Outcome FtpcfgProcess(const std::vector<std::string>& astrArgs, const std::string& strStdin = "")
    {
        fs::path in = m_io.Path() / "stdin", out = m_io.Path() / "stdout", err = m_io.Path() / "stderr";
        std::ofstream(in, std::ios::binary) << strStdin;
        int iCode = Spawn(astrArgs, in, out, err);
        return {iCode, ReadText(out), ReadText(err)};
    }
    testsupport::TempFolder m_io;
    testsupport::TempFolder m_work;
};

TEST_F(ProcessTest, PrintsItsVersion)
{
    clitest::Outcome o = FtpcfgProcess({"--version"});
    EXPECT_EQ(o.iCode, 0);
    EXPECT_EQ(o.strOut.rfind("ftpcfg ", 0), 0u) << o.strOut;
}

TEST_F(ProcessTest, MakesShowsAndVerifiesAFile)
{
    clitest::Outcome made = FtpcfgProcess({"make", "--type", "sftp", "--server", "服务器.example", "--port", "2222", "--user",
                                 "中文", "--password-stdin", "--dir", "/上传", "-o", m_work.String()},
                                "s3cret\n");
    ASSERT_EQ(made.iCode, 0) << made.strErr;
    EXPECT_EQ(made.strErr, "");

    FactoryConfig s = clitest::RecordOf(testsupport::ReadBytes(m_work.Path() / CONFIG_FILE_NAME));
    EXPECT_EQ(FieldText(s.szFtpUser), "\xD6\xD0\xCE\xC4"); // code page 936
    EXPECT_EQ(FieldText(s.szFtpPassword), "s3cret");

    clitest::Outcome shown = FtpcfgProcess({"show", "--json", m_work.String()});
    ASSERT_EQ(shown.iCode, 0) << shown.strErr;
    nlohmann::json j = nlohmann::json::parse(shown.strOut);
    EXPECT_EQ(j["fields"]["szDebugUrl"]["text"], "服务器.example");
    EXPECT_EQ(j["fields"]["szFtpUser"]["text"], "中文");
    EXPECT_EQ(j["fields"]["szFtpDir"]["text"], "/上传");
    EXPECT_EQ(j["fields"]["uwDebugPort"]["value"], 2222);

    EXPECT_EQ(FtpcfgProcess({"verify", m_work.String()}).iCode, 0);
}

TEST_F(ProcessTest, ReportsFindingsWithExitCodeOne)
{
    FactoryConfig s = clitest::GoodRecord();
    clitest::SetText(s.szFtpPassword, "");
    testsupport::WriteBytes(m_work.Path() / CONFIG_FILE_NAME, clitest::ImageOf(s));
    clitest::Outcome o = FtpcfgProcess({"verify", m_work.String()});
    EXPECT_EQ(o.iCode, 1);
    EXPECT_NE(o.strOut.find("szFtpPassword  the password is empty"), std::string::npos) << o.strOut;
}

TEST_F(ProcessTest, RefusalsGoToStandardErrorWithExitCodeTwo)
{
    clitest::Outcome o = FtpcfgProcess({"make", "--type", "ftp", "--server", "s", "--port", "70000", "--user", "u",
                              "--password", "p", "-o", m_work.String()});
    EXPECT_EQ(o.iCode, 2);
    EXPECT_EQ(o.strOut, "");
    EXPECT_EQ(o.strErr, "Generate failed!\nPort cannot be greater than 65535.\n");
    EXPECT_FALSE(fs::exists(m_work.Path() / CONFIG_FILE_NAME));
    EXPECT_EQ(FtpcfgProcess({"no-such-command"}).iCode, 2);
}

TEST_F(ProcessTest, BatchesAllOrNothing)
{
    std::string strHeader = "\xEF\xBB\xBFname,type,server,port,user,password,dir\r\n";
    std::ofstream(m_work.Path() / "bad.csv", std::ios::binary)
        << strHeader << "cam1,ftp,s,21,u,p,/d\r\n" << "cam2,ftp,s,21,u,,/d\r\n";
    clitest::Outcome bad = FtpcfgProcess({"batch", (m_work.Path() / "bad.csv").string(), (m_work.Path() / "out").string()});
    EXPECT_EQ(bad.iCode, 2);
    EXPECT_NE(bad.strErr.find("bad.csv:3: column 'password': Please enter FTP password."), std::string::npos)
        << bad.strErr;
    EXPECT_FALSE(fs::exists(m_work.Path() / "out"));

    std::ofstream(m_work.Path() / "good.csv", std::ios::binary)
        << strHeader << "cam1,ftp,s,21,u,p,/d\r\n" << "\"cam 2\",sftp,s,22,u,\"p,q\",\r\n";
    clitest::Outcome good = FtpcfgProcess({"batch", (m_work.Path() / "good.csv").string(), (m_work.Path() / "out").string()});
    ASSERT_EQ(good.iCode, 0) << good.strErr;
    EXPECT_EQ(good.strErr, ""); // no progress bar when standard error is a file
    FactoryConfig s = clitest::RecordOf(testsupport::ReadBytes(m_work.Path() / "out" / "cam 2" / CONFIG_FILE_NAME));
    EXPECT_EQ(FieldText(s.szFtpPassword), "p,q");
}

} // namespace
