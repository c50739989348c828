// The dialog's checks over one configuration's entries, and the storing of
// them into a record the way Generate stores them.
#include "entries.h"

#include <cstring>

#include "generate_messages.h"
#include "text_codec.h"

namespace {

std::string Lower(std::string str)
{
    for (char& ch : str)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return str;
}

// Encodes a text for a field of uWidth bytes (NUL included). Appends a
// problem and returns false when it cannot be stored exactly.
bool EncodeForField(const std::string& strUtf8, unsigned uCodepage, size_t uWidth, const char* szColumn,
                    const char* szLabel, std::string* pBytes, std::vector<EntryProblem>* pProblems)
{
    if (strUtf8.find('\0') != std::string::npos) {
        pProblems->push_back({szColumn, std::string(szLabel) + " contains a NUL character."});
        return false;
    }
    if (!FromUtf8(strUtf8, uCodepage, pBytes)) {
        pProblems->push_back({szColumn, std::string(szLabel) + " cannot be written in code page "
                                            + std::to_string(uCodepage) + "."});
        return false;
    }
    if (pBytes->size() + 1 > uWidth) {
        pProblems->push_back({szColumn, std::string(szLabel) + " is too long: " + std::to_string(pBytes->size())
                                            + " bytes in code page " + std::to_string(uCodepage)
                                            + ", at most " + std::to_string(uWidth - 1) + "."});
        return false;
    }
    return true;
}

// A text stored as Generate stores it: its bytes and one NUL, the rest of the
// field keeps what it held.
template <size_t N>
void StoreText(char (&field)[N], const std::string& strBytes)
{
    std::memcpy(field, strBytes.data(), strBytes.size());
    field[strBytes.size()] = '\0';
}

// 0 to 65535 in decimal digits only; *pbRange set when it is a number beyond.
bool ParsePort(const std::string& strPort, uint16_t* puwPort, bool* pbRange)
{
    *pbRange = false;
    unsigned long ulValue = 0;
    for (char ch : strPort) {
        if (ch < '0' || ch > '9')
            return false;
        if (ulValue <= 65535)
            ulValue = ulValue * 10 + static_cast<unsigned long>(ch - '0');
    }
    if (ulValue > 65535) {
        *pbRange = true;
        return false;
    }
    *puwPort = static_cast<uint16_t>(ulValue);
    return true;
}

} // namespace

bool ParseTransferType(const std::string& strType, uint8_t* pbyType)
{
    std::string strLower = Lower(strType);
    if (strLower == "sftp")
        *pbyType = SELECT_SFTP;
    else if (strLower == "ftp")
        *pbyType = SELECT_FTP;
    else
        return false;
    return true;
}

bool ApplyEntries(const ConfigEntries& e, unsigned uCodepage, FactoryConfig* pConfig,
                  std::vector<EntryProblem>* pProblems)
{
    size_t uBefore = pProblems->size();

    uint8_t byType = SELECT_SFTP;
    if (!ParseTransferType(e.strType, &byType))
        pProblems->push_back({"type", "Transfer type must be sftp or ftp."});

    std::string strServer;
    if (e.strServer.empty())
        pProblems->push_back({"server", GENERATE_NO_SERVER});
    else
        EncodeForField(e.strServer, uCodepage, sizeof pConfig->szDebugUrl, "server", "FTP server", &strServer,
                       pProblems);

    uint16_t uwPort = 0;
    bool bRange = false;
    if (e.strPort.empty())
        pProblems->push_back({"port", GENERATE_NO_PORT});
    else if (!ParsePort(e.strPort, &uwPort, &bRange))
        pProblems->push_back({"port", bRange ? GENERATE_PORT_RANGE : "Port must be a whole number from 0 to 65535."});

    std::string strUser;
    if (e.strUser.empty())
        pProblems->push_back({"user", GENERATE_NO_USER});
    else
        EncodeForField(e.strUser, uCodepage, sizeof pConfig->szFtpUser, "user", "FTP user", &strUser, pProblems);

    std::string strPassword;
    if (e.strPassword.empty())
        pProblems->push_back({"password", GENERATE_NO_PASSWORD});
    else
        EncodeForField(e.strPassword, uCodepage, sizeof pConfig->szFtpPassword, "password", "FTP password",
                       &strPassword, pProblems);

    std::string strDir = "/";
    if (e.bSpecifyDir)
        EncodeForField(e.strDir, uCodepage, sizeof pConfig->szFtpDir, "dir", "FTP directory", &strDir, pProblems);

    if (pProblems->size() != uBefore)
        return false;

    pConfig->bySelectBy = byType;
    StoreText(pConfig->szDebugUrl, strServer);
    StoreText(pConfig->szFtpServer, strServer);
    pConfig->uwDebugPort = uwPort;
    StoreText(pConfig->szFtpUser, strUser);
    StoreText(pConfig->szFtpPassword, strPassword);
    pConfig->iFtpDirMode = e.bSpecifyDir ? FTP_DIR_SPECIFY : FTP_DIR_ROOT;
    StoreText(pConfig->szFtpDir, strDir);
    return true;
}
