// Faults that stop a write even for root: a small tmpfs that fills up, a
// read-only bind mount, the immutable file flag, a file-size limit in a child
// process. Each reports why it could not be set up, so the test can skip.
// Also: running a program with its output caught, and a folder's snapshot.
#pragma once

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <linux/fs.h>
#include <poll.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace faults {

inline std::string ErrorText(const char* szWhat)
{
    return std::string(szWhat) + ": " + std::strerror(errno);
}

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::filesystem::path& path, const std::string& strBytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << strBytes;
}

// Mounts made by a test live in a mount namespace of the test process's own,
// so they vanish with it even if the test dies half-way.
inline std::string EnterPrivateMountNamespace()
{
    static std::string strError = [] {
        if (unshare(CLONE_NEWNS) != 0)
            return ErrorText("unshare(CLONE_NEWNS)");
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return ErrorText("making / private");
        return std::string();
    }();
    return strError;
}

// A mount over an existing folder for one scope. Error() is empty when it worked.
class ScopedMount {
public:
    ScopedMount(const ScopedMount&) = delete;
    ScopedMount& operator=(const ScopedMount&) = delete;
    ~ScopedMount()
    {
        if (m_strError.empty())
            umount2(m_target.c_str(), MNT_DETACH);
    }
    const std::string& Error() const { return m_strError; }

    // A tmpfs of the given size (rounded up to pages by the kernel) and,
    // when nonzero, of at most that many files and folders, itself included.
    static std::unique_ptr<ScopedMount> Tmpfs(const std::filesystem::path& target, size_t uBytes,
                                              unsigned uInodes = 0)
    {
        std::unique_ptr<ScopedMount> pMount(new ScopedMount(target));
        if (!(pMount->m_strError = EnterPrivateMountNamespace()).empty())
            return pMount;
        std::string strOptions = "size=" + std::to_string(uBytes);
        if (uInodes)
            strOptions += ",nr_inodes=" + std::to_string(uInodes);
        if (mount("ftpconfig-fault", target.c_str(), "tmpfs", 0, strOptions.c_str()) != 0)
            pMount->m_strError = ErrorText("mount -t tmpfs");
        return pMount;
    }

    // The folder itself, bound onto itself read-only.
    static std::unique_ptr<ScopedMount> ReadOnly(const std::filesystem::path& target)
    {
        std::unique_ptr<ScopedMount> pMount(new ScopedMount(target));
        if (!(pMount->m_strError = EnterPrivateMountNamespace()).empty())
            return pMount;
        if (mount(target.c_str(), target.c_str(), nullptr, MS_BIND, nullptr) != 0) {
            pMount->m_strError = ErrorText("mount --bind");
            return pMount;
        }
        if (mount(nullptr, target.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
            pMount->m_strError = ErrorText("remount read-only");
            umount2(target.c_str(), MNT_DETACH);
        }
        return pMount;
    }

private:
    explicit ScopedMount(std::filesystem::path target) : m_target(std::move(target)) {}

    std::filesystem::path m_target;
    std::string m_strError;
};

// The immutable flag (chattr +i) on a file or folder for one scope: nobody,
// root included, may change, rename over or delete it, or add to the folder.
class ScopedImmutable {
public:
    explicit ScopedImmutable(const std::filesystem::path& path) : m_path(path)
    {
        int iFlags = 0;
        int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
        if (fd < 0) {
            m_strError = ErrorText("open");
            return;
        }
        if (ioctl(fd, FS_IOC_GETFLAGS, &iFlags) != 0) {
            m_strError = ErrorText("FS_IOC_GETFLAGS");
        } else {
            iFlags |= FS_IMMUTABLE_FL;
            if (ioctl(fd, FS_IOC_SETFLAGS, &iFlags) != 0)
                m_strError = ErrorText("FS_IOC_SETFLAGS");
        }
        close(fd);
    }
    ~ScopedImmutable()
    {
        if (!m_strError.empty())
            return;
        int fd = open(m_path.c_str(), O_RDONLY | O_NONBLOCK);
        int iFlags = 0;
        if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &iFlags) == 0) {
            iFlags &= ~FS_IMMUTABLE_FL;
            ioctl(fd, FS_IOC_SETFLAGS, &iFlags);
        }
        if (fd >= 0)
            close(fd);
    }
    ScopedImmutable(const ScopedImmutable&) = delete;
    ScopedImmutable& operator=(const ScopedImmutable&) = delete;
    const std::string& Error() const { return m_strError; }

private:
    std::filesystem::path m_path;
    std::string m_strError;
};

// Fills the file system that holds the folder until not one more byte goes
// in, so that the next file written there meets a full medium. Returns an
// error text if filling failed for another reason.
inline std::string FillUp(const std::filesystem::path& folder)
{
    std::vector<char> achBlock(4096, 'F');
    // Smaller and smaller pieces, each in a file of its own, take what a
    // larger one left.
    for (unsigned u = 0; !achBlock.empty(); ++u, achBlock.resize(achBlock.size() / 2)) {
        std::filesystem::path filler = folder / ("filler-" + std::to_string(u));
        int fd = open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return errno == ENOSPC ? "" : ErrorText("creating a filler");
        ssize_t iWritten;
        while ((iWritten = write(fd, achBlock.data(), achBlock.size())) > 0) {
        }
        int iError = errno;
        close(fd);
        if (iWritten < 0 && iError != ENOSPC)
            return std::string("filling up: ") + std::strerror(iError);
    }
    return "";
}

// What a child process did.
struct ProcessResult {
    int iExitCode = -1; // -1 when it did not exit normally
    int iSignal = 0;
    std::string strOut;
    std::string strErr;
};

struct ProcessOptions {
    std::optional<rlim_t> uFileSizeLimit; // RLIMIT_FSIZE, SIGXFSZ ignored
    std::string strStdin;
};

// Runs a program and waits for it. Its output comes through pipes, which no
// mount or file-size limit of the test touches.
inline ProcessResult RunProcess(const std::vector<std::string>& astrArgs, const ProcessOptions& options = {})
{
    ProcessResult result;
    int aiIn[2], aiOut[2], aiErr[2];
    if (pipe(aiIn) != 0 || pipe(aiOut) != 0 || pipe(aiErr) != 0)
        return result;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(aiIn[0], 0);
        dup2(aiOut[1], 1);
        dup2(aiErr[1], 2);
        for (int fd : {aiIn[0], aiIn[1], aiOut[0], aiOut[1], aiErr[0], aiErr[1]})
            close(fd);
        if (options.uFileSizeLimit) {
            // Ignored signals stay ignored across exec, so the write fails
            // with EFBIG instead of killing the program.
            signal(SIGXFSZ, SIG_IGN);
            struct rlimit sLimit;
            getrlimit(RLIMIT_FSIZE, &sLimit);
            sLimit.rlim_cur = *options.uFileSizeLimit;
            if (setrlimit(RLIMIT_FSIZE, &sLimit) != 0)
                _exit(126);
        }
        std::vector<char*> apszArgs;
        for (const std::string& str : astrArgs)
            apszArgs.push_back(const_cast<char*>(str.c_str()));
        apszArgs.push_back(nullptr);
        execv(apszArgs[0], apszArgs.data());
        _exit(127);
    }
    close(aiIn[0]);
    close(aiOut[1]);
    close(aiErr[1]);
    if (pid > 0 && !options.strStdin.empty()) {
        ssize_t iWritten = write(aiIn[1], options.strStdin.data(), options.strStdin.size());
        (void)iWritten; // a program that does not read its input is fine
    }
    close(aiIn[1]);
    struct pollfd asPoll[2] = {{aiOut[0], POLLIN, 0}, {aiErr[0], POLLIN, 0}};
    std::string* apTarget[2] = {&result.strOut, &result.strErr};
    int iOpen = 2;
    while (pid > 0 && iOpen > 0 && poll(asPoll, 2, -1) > 0) {
        for (int i = 0; i < 2; ++i) {
            if (asPoll[i].fd < 0 || !(asPoll[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char achBuffer[4096];
            ssize_t iRead = read(asPoll[i].fd, achBuffer, sizeof achBuffer);
            if (iRead > 0) {
                apTarget[i]->append(achBuffer, static_cast<size_t>(iRead));
            } else {
                close(asPoll[i].fd);
                asPoll[i].fd = -1;
                --iOpen;
            }
        }
    }
    for (int i = 0; i < 2; ++i)
        if (asPoll[i].fd >= 0)
            close(asPoll[i].fd);
    int iStatus = 0;
    if (pid > 0 && waitpid(pid, &iStatus, 0) == pid) {
        if (WIFEXITED(iStatus))
            result.iExitCode = WEXITSTATUS(iStatus);
        else if (WIFSIGNALED(iStatus))
            result.iSignal = WTERMSIG(iStatus);
    }
    return result;
}

// Every regular file below a folder, with its bytes, by path relative to it.
inline std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        std::string strRelative = std::filesystem::relative(entry.path(), folder).string();
        if (entry.is_regular_file()) {
            files[strRelative] = ReadFile(entry.path());
        } else {
            files[strRelative + "/"] = "";
        }
    }
    return files;
}

} // namespace faults
