// The two file operations whose portable forms fall short on Windows: paths
// beyond MAX_PATH, and replacing an existing file in one step.
#pragma once

#include <cstdio>

// fopen() that also reaches paths longer than the platform's usual limit.
FILE* OpenConfigStream(const char* szPath, const char* szMode);

// Moves szFrom over szTo, replacing szTo if it exists. Returns 1 or 0.
int ReplaceConfigFile(const char* szFrom, const char* szTo);

// Removes a file; failures are ignored.
void RemoveConfigFile(const char* szPath);

// Distinguishes the temporary files of programs that save at the same time.
unsigned long CurrentProcessNumber();
