// Which names may be used as one plain folder name on every system the
// configuration folders are carried to (Windows above all).
#pragma once

#include <string>

// Empty when strUtf8 is a safe folder name; else why not, in one line.
std::string FolderNameProblem(const std::string& strUtf8);

// The name folded for the duplicate check: Windows treats names that differ
// only in the case of ASCII letters as the same folder.
std::string FoldedName(const std::string& strUtf8);
