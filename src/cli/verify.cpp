// The checks of "ftpcfg verify", in field order.
#include "verify.h"

#include <cstdio>

#include "record_view.h"

namespace {

template <size_t N>
void CheckTerminated(const char (&field)[N], int iOffset, const char* szName, std::vector<Finding>* pFindings)
{
    if (!FieldIsTerminated(field))
        pFindings->push_back({iOffset, szName, "no NUL within its " + std::to_string(N) + " bytes"});
}

} // namespace

std::vector<Finding> VerifyConfig(const FactoryConfig& s)
{
    std::vector<Finding> a;
    if (s.bySelectBy != SELECT_SFTP && s.bySelectBy != SELECT_FTP)
        a.push_back({0, "bySelectBy",
                     "transfer type " + std::to_string(s.bySelectBy) + " is neither 0 (SFTP) nor 1 (FTP)"});
    CheckTerminated(s.szDebugUrl, 4, "szDebugUrl", &a);
    if (FieldText(s.szDebugUrl).empty())
        a.push_back({4, "szDebugUrl", "the server is empty"});
    CheckTerminated(s.szUrl1, 66, "szUrl1", &a);
    if (s.iFtpDirMode != FTP_DIR_ROOT && s.iFtpDirMode != FTP_DIR_SPECIFY)
        a.push_back({128, "iFtpDirMode",
                     "directory mode " + std::to_string(s.iFtpDirMode) + " is neither 0 (root) nor 1 (specify)"});
    CheckTerminated(s.szFtpDir, 132, "szFtpDir", &a);
    if (s.iFtpDirMode == FTP_DIR_ROOT && FieldText(s.szFtpDir) != "/")
        a.push_back({132, "szFtpDir", "the directory is not \"/\" in root mode"});
    CheckTerminated(s.szFtpServer, 165, "szFtpServer", &a);
    if (FieldText(s.szFtpServer) != FieldText(s.szDebugUrl))
        a.push_back({165, "szFtpServer", "differs from szDebugUrl"});
    CheckTerminated(s.szFtpUser, 226, "szFtpUser", &a);
    if (FieldText(s.szFtpUser).empty())
        a.push_back({226, "szFtpUser", "the user name is empty"});
    CheckTerminated(s.szFtpPassword, 275, "szFtpPassword", &a);
    if (FieldText(s.szFtpPassword).empty())
        a.push_back({275, "szFtpPassword", "the password is empty"});
    return a;
}

std::vector<Finding> VerifyImage(const void* pData, size_t uSize)
{
    FactoryConfig sConfig;
    if (!DecodeImage(pData, uSize, &sConfig))
        return {{-1, "file", "the file is " + std::to_string(uSize) + " bytes, not "
                                 + std::to_string(CONFIG_RECORD_SIZE)}};
    return VerifyConfig(sConfig);
}

std::string RenderFindings(const std::vector<Finding>& aFindings)
{
    std::string strOut = "Offset  Field          Finding\n";
    for (const Finding& f : aFindings) {
        char szHead[48];
        if (f.iOffset < 0)
            std::snprintf(szHead, sizeof szHead, "%6s  %-14s ", "-", f.strField.c_str());
        else
            std::snprintf(szHead, sizeof szHead, "%6d  %-14s ", f.iOffset, f.strField.c_str());
        strOut += szHead + f.strMessage + "\n";
    }
    return strOut;
}
