// Turning the entries of one configuration (from "ftpcfg make" or a CSV row)
// into a record, with the dialog's checks in the dialog's order, but refusing
// instead of cutting: every text must fit its field in the code page's bytes.
#pragma once

#include <string>
#include <vector>

#include "factory_config.h"

// All texts in UTF-8.
struct ConfigEntries {
    std::string strType;     // "sftp" or "ftp", any case
    std::string strServer;
    std::string strPort;     // decimal text, 0 to 65535
    std::string strUser;
    std::string strPassword;
    bool bSpecifyDir = false; // false: upload to the root directory "/"
    std::string strDir;       // used when bSpecifyDir
};

struct EntryProblem {
    std::string strColumn;  // "type", "server", "port", "user", "password", "dir"
    std::string strMessage; // one line, English, without the "Generate failed!" line
};

// Checks the entries in the dialog's order and stores them into *pConfig as
// Generate does (characters and one NUL; the bytes behind it stay). Every
// problem is appended to *pProblems in that order; *pConfig changes only when
// there is none. Returns true on success.
bool ApplyEntries(const ConfigEntries& sEntries, unsigned uCodepage, FactoryConfig* pConfig,
                  std::vector<EntryProblem>* pProblems);

// Parses the transfer type; false for anything but sftp/ftp (any case).
bool ParseTransferType(const std::string& strType, uint8_t* pbyType);
