// Win32 file operations of the store. ANSI paths of MAX_PATH or more are
// widened from the ANSI code page and given the "\\?\" prefix, the only way
// the file functions accept them; shorter paths go through unchanged.
#include "file_system.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

bool NeedsLongForm(const char* szPath)
{
    // Only an absolute drive path can take the prefix.
    return std::strlen(szPath) >= MAX_PATH && szPath[0] != '\0' && szPath[1] == ':'
           && szPath[2] == '\\';
}

std::wstring LongForm(const char* szPath)
{
    int iCount = MultiByteToWideChar(CP_ACP, 0, szPath, -1, nullptr, 0);
    if (iCount <= 0)
        return std::wstring();
    std::wstring wsPath(static_cast<size_t>(iCount), L'\0');
    MultiByteToWideChar(CP_ACP, 0, szPath, -1, &wsPath[0], iCount);
    wsPath.resize(static_cast<size_t>(iCount - 1));
    return L"\\\\?\\" + wsPath;
}

std::wstring WideMode(const char* szMode)
{
    return std::wstring(szMode, szMode + std::strlen(szMode));
}

} // namespace

FILE* OpenConfigStream(const char* szPath, const char* szMode)
{
    if (!NeedsLongForm(szPath))
        return std::fopen(szPath, szMode);
    std::wstring wsPath = LongForm(szPath);
    return wsPath.empty() ? nullptr : _wfopen(wsPath.c_str(), WideMode(szMode).c_str());
}

int ReplaceConfigFile(const char* szFrom, const char* szTo)
{
    if (!NeedsLongForm(szFrom) && !NeedsLongForm(szTo))
        return MoveFileExA(szFrom, szTo, MOVEFILE_REPLACE_EXISTING) ? 1 : 0;
    return MoveFileExW(LongForm(szFrom).c_str(), LongForm(szTo).c_str(),
                       MOVEFILE_REPLACE_EXISTING)
               ? 1
               : 0;
}

void RemoveConfigFile(const char* szPath)
{
    if (NeedsLongForm(szPath))
        DeleteFileW(LongForm(szPath).c_str());
    else
        DeleteFileA(szPath);
}

unsigned long CurrentProcessNumber()
{
    return GetCurrentProcessId();
}
