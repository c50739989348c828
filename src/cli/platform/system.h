// What ftpcfg needs from the operating system beyond the core's file store:
// arguments and paths in UTF-8, folders, and whether a stream is a terminal.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The program's arguments as UTF-8 (on Windows from the wide command line).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// A UTF-8 path in the form the core's file functions take (the ANSI code page
// on Windows). False when the system cannot name it.
bool NativePathFromUtf8(const std::string& strUtf8, std::string* pNative);

// A native path for messages, in UTF-8.
std::string Utf8FromNativePath(const std::string& strNative);

// "<folder><separator><name>".
std::string JoinPath(const std::string& strFolder, const std::string& strName);

// Creates one folder (its parent must exist); an existing folder is fine.
// False with *pError set otherwise. *pbCreated (if given) tells whether the
// folder is new, and so certainly empty.
bool MakeFolder(const std::string& strNative, std::string* pError, bool* pbCreated = nullptr);

// Creates a folder and any missing parents.
bool MakeFolders(const std::string& strNative, std::string* pError);

bool IsTerminal(FILE* pStream);

// Lets a console show UTF-8 output.
void PrepareConsole();

// True when the path names an existing folder.
bool IsFolder(const std::string& strNative);
