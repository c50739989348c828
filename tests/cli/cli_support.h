// Helpers of the ftpcfg tests: running the command line in-process and
// building file images.
#pragma once

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "cli_app.h"
#include "config_codec.h"
#include "factory_config.h"

namespace clitest {

struct Outcome {
    int iCode;
    std::string strOut;
    std::string strErr;
};

inline Outcome Ftpcfg(std::vector<std::string> astrArgs, const std::string& strStdin = "")
{
    astrArgs.insert(astrArgs.begin(), "ftpcfg");
    std::istringstream in(strStdin);
    std::ostringstream out, err;
    int iCode = RunCli(astrArgs, in, out, err);
    return {iCode, out.str(), err.str()};
}

// The scrambled file image of a record.
inline std::vector<uint8_t> ImageOf(const FactoryConfig& sConfig)
{
    std::vector<uint8_t> aby(CONFIG_RECORD_SIZE);
    std::memcpy(aby.data(), &sConfig, CONFIG_RECORD_SIZE);
    EncodeConfig(aby.data(), CONFIG_RECORD_SIZE);
    return aby;
}

inline FactoryConfig RecordOf(std::vector<uint8_t> aby)
{
    FactoryConfig sConfig;
    DecodeConfig(aby.data(), static_cast<int32_t>(aby.size()));
    std::memcpy(&sConfig, aby.data(), CONFIG_RECORD_SIZE);
    return sConfig;
}

template <size_t N>
void SetText(char (&field)[N], const std::string& str)
{
    std::memset(field, 0, N);
    std::memcpy(field, str.data(), str.size() < N ? str.size() : N);
}

// A record as the dialog writes it.
inline FactoryConfig GoodRecord()
{
    FactoryConfig s = MakeFreshConfig();
    s.bySelectBy = SELECT_FTP;
    s.uwDebugPort = 2121;
    SetText(s.szDebugUrl, "ftp.example.com");
    SetText(s.szFtpServer, "ftp.example.com");
    SetText(s.szFtpUser, "camera");
    SetText(s.szFtpPassword, "secret");
    s.iFtpDirMode = FTP_DIR_SPECIFY;
    SetText(s.szFtpDir, "/upload");
    return s;
}

} // namespace clitest
