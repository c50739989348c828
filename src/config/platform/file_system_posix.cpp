// POSIX file operations of the store: rename() replaces atomically.
#include "file_system.h"

#include <cstdio>
#include <unistd.h>

FILE* OpenConfigStream(const char* szPath, const char* szMode)
{
    return std::fopen(szPath, szMode);
}

int ReplaceConfigFile(const char* szFrom, const char* szTo)
{
    return std::rename(szFrom, szTo) == 0 ? 1 : 0;
}

void RemoveConfigFile(const char* szPath)
{
    std::remove(szPath);
}

unsigned long CurrentProcessNumber()
{
    return static_cast<unsigned long>(getpid());
}
