// POSIX side of ftpcfg's system needs: arguments and paths are already bytes
// in the user's (UTF-8) locale.
#include "platform/system.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

bool NativePathFromUtf8(const std::string& strUtf8, std::string* pNative)
{
    *pNative = strUtf8;
    return strUtf8.find('\0') == std::string::npos;
}

std::string Utf8FromNativePath(const std::string& strNative)
{
    return strNative;
}

std::string JoinPath(const std::string& strFolder, const std::string& strName)
{
    if (!strFolder.empty() && strFolder.back() == '/')
        return strFolder + strName;
    return strFolder + "/" + strName;
}

bool MakeFolder(const std::string& strNative, std::string* pError, bool* pbCreated)
{
    bool bCreated = mkdir(strNative.c_str(), 0777) == 0;
    if (pbCreated)
        *pbCreated = bCreated;
    if (bCreated)
        return true;
    int iError = errno;
    struct stat sInfo;
    if (iError == EEXIST && stat(strNative.c_str(), &sInfo) == 0 && S_ISDIR(sInfo.st_mode))
        return true;
    *pError = std::strerror(iError);
    return false;
}

bool MakeFolders(const std::string& strNative, std::string* pError)
{
    for (size_t uSlash = strNative.find('/', 1); uSlash != std::string::npos;
         uSlash = strNative.find('/', uSlash + 1)) {
        std::string strParent = strNative.substr(0, uSlash);
        struct stat sInfo;
        if (stat(strParent.c_str(), &sInfo) != 0 && !MakeFolder(strParent, pError))
            return false;
    }
    return MakeFolder(strNative, pError);
}

bool IsTerminal(FILE* pStream)
{
    return isatty(fileno(pStream)) != 0;
}

void PrepareConsole() {}

bool IsFolder(const std::string& strNative)
{
    struct stat sInfo;
    return stat(strNative.c_str(), &sInfo) == 0 && S_ISDIR(sInfo.st_mode);
}
