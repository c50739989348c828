// The configuration file store: moves a FactoryConfig between memory and the
// scrambled file "CFG_FTP.bin". Diagnostic lines go to the given stream
// (standard output for the dialog; none for callers that report by themselves).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "factory_config.h"

// Room of the save folder text, NUL included: the platform's MAX_PATH.
enum { CONFIG_SAVE_PATH_SIZE = 260 };

#define CONFIG_FILE_NAME "CFG_FTP.bin"

// The save folder of the dialog. Starts as "C:\".
extern char g_szSavePath[CONFIG_SAVE_PATH_SIZE];

enum StoreStatus {
    STORE_OK,
    STORE_BAD_SIZE,       // missing, unreadable, or not exactly 308 bytes
    STORE_OPEN_FAILED,    // the file (or, saving, its temporary) would not open
    STORE_READ_FAILED,    // fewer than 308 bytes could be read
    STORE_WRITE_FAILED,   // writing, flushing or closing the temporary failed
    STORE_REPLACE_FAILED, // the temporary could not replace the file
};

// "<folder>\CFG_FTP.bin" on Windows, "<folder>/CFG_FTP.bin" elsewhere.
std::string ConfigFilePath(const char* szFolder);

// Size of the file in bytes, or 0 (with "File not exist!") if it will not open.
int32_t GetConfigFileSize(const char* szPath);

// Reads and unscrambles the file at szPath into *pConfig. *pConfig changes only
// on STORE_OK. pDiag may be null.
StoreStatus ReadConfigFile(const char* szPath, FactoryConfig* pConfig, FILE* pDiag);

// Scrambles a copy of *pConfig and writes it to a temporary file beside szPath,
// which then replaces szPath. On failure szPath keeps its old bytes and the
// temporary is removed. pDiag may be null.
StoreStatus WriteConfigFile(const char* szPath, const FactoryConfig* pConfig, FILE* pDiag);

// g_sFactoryConfig <-> g_szSavePath, diagnostics on standard output.
// Both return 1 on success and 0 on failure; a failure changes neither the
// record nor an existing file.
int LoadConfig();
int SaveConfig();
