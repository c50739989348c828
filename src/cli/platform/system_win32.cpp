// Windows side of ftpcfg's system needs: the wide command line turned into
// UTF-8, paths in the ANSI code page for the core, console output in UTF-8.
#include "platform/system.h"

#include <windows.h>

#include <io.h>
#include <shellapi.h>

#include "text_codec.h"

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
    int iCount = 0;
    LPWSTR* ppArgs = CommandLineToArgvW(GetCommandLineW(), &iCount);
    if (!ppArgs)
        return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> astrArgs;
    for (int i = 0; i < iCount; ++i) {
        int iBytes = WideCharToMultiByte(CP_UTF8, 0, ppArgs[i], -1, nullptr, 0, nullptr, nullptr);
        std::string strArg(iBytes > 0 ? static_cast<size_t>(iBytes) : 1, '\0');
        if (iBytes > 0)
            WideCharToMultiByte(CP_UTF8, 0, ppArgs[i], -1, &strArg[0], iBytes, nullptr, nullptr);
        strArg.resize(strArg.size() - 1);
        astrArgs.push_back(strArg);
    }
    LocalFree(ppArgs);
    return astrArgs;
}

bool NativePathFromUtf8(const std::string& strUtf8, std::string* pNative)
{
    return strUtf8.find('\0') == std::string::npos && FromUtf8(strUtf8, GetACP(), pNative);
}

std::string Utf8FromNativePath(const std::string& strNative)
{
    std::string strUtf8;
    return ToUtf8(strNative, GetACP(), &strUtf8) ? strUtf8 : strNative;
}

std::string JoinPath(const std::string& strFolder, const std::string& strName)
{
    if (!strFolder.empty() && (strFolder.back() == '\\' || strFolder.back() == '/'))
        return strFolder + strName;
    return strFolder + "\\" + strName;
}

namespace {

std::string ErrorText(DWORD dwError)
{
    char* pText = nullptr;
    DWORD dwLength = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                        | FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, dwError, 0, reinterpret_cast<LPSTR>(&pText), 0, nullptr);
    std::string strText = dwLength && pText ? std::string(pText, dwLength) : "error " + std::to_string(dwError);
    if (pText)
        LocalFree(pText);
    while (!strText.empty() && (strText.back() == '\n' || strText.back() == '\r' || strText.back() == '.'))
        strText.pop_back();
    return Utf8FromNativePath(strText);
}

} // namespace

bool IsFolder(const std::string& strNative)
{
    DWORD dwAttributes = GetFileAttributesA(strNative.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolder(const std::string& strNative, std::string* pError, bool* pbCreated)
{
    bool bCreated = CreateDirectoryA(strNative.c_str(), nullptr) != 0;
    if (pbCreated)
        *pbCreated = bCreated;
    if (bCreated)
        return true;
    DWORD dwError = GetLastError();
    if (dwError == ERROR_ALREADY_EXISTS && IsFolder(strNative))
        return true;
    *pError = ErrorText(dwError);
    return false;
}

bool MakeFolders(const std::string& strNative, std::string* pError)
{
    for (size_t uSlash = strNative.find_first_of("\\/", 1); uSlash != std::string::npos;
         uSlash = strNative.find_first_of("\\/", uSlash + 1)) {
        std::string strParent = strNative.substr(0, uSlash);
        if (strParent.size() == 2 && strParent[1] == ':')
            continue; // a drive, "C:"
        if (!IsFolder(strParent) && !MakeFolder(strParent, pError))
            return false;
    }
    return MakeFolder(strNative, pError);
}

bool IsTerminal(FILE* pStream)
{
    return _isatty(_fileno(pStream)) != 0;
}

void PrepareConsole()
{
    if (_isatty(_fileno(stdout)) || _isatty(_fileno(stderr)))
        SetConsoleOutputCP(CP_UTF8);
}
