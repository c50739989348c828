// A save folder of its own for each store test, with the global record and
// save path reset around it, and standard output captured on request.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config_codec.h"
#include "config_store.h"
#include "factory_config.h"
#include "temp_folder.h"

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_sFactoryConfig = MakeFreshConfig();
        UseSaveFolder(m_folder.String());
    }
    void TearDown() override
    {
        g_sFactoryConfig = MakeFreshConfig();
        std::strcpy(g_szSavePath, "C:\\");
    }

    static void UseSaveFolder(const std::string& strFolder)
    {
        ASSERT_LT(strFolder.size(), sizeof g_szSavePath);
        std::strcpy(g_szSavePath, strFolder.c_str());
    }

    std::filesystem::path ConfigFile() const { return m_folder.Path() / CONFIG_FILE_NAME; }
    std::string ConfigPathText() const { return ConfigFilePath(g_szSavePath); }

    static std::vector<uint8_t> ImageOf(const FactoryConfig& sConfig)
    {
        const uint8_t* pby = reinterpret_cast<const uint8_t*>(&sConfig);
        return std::vector<uint8_t>(pby, pby + CONFIG_RECORD_SIZE);
    }
    static std::vector<uint8_t> EncodedImageOf(const FactoryConfig& sConfig)
    {
        std::vector<uint8_t> aby = ImageOf(sConfig);
        EncodeConfig(aby.data(), CONFIG_RECORD_SIZE);
        return aby;
    }

    // A record that differs from the fresh one in every field.
    static FactoryConfig SampleConfig()
    {
        FactoryConfig s = MakeFreshConfig();
        s.bySelectBy = SELECT_FTP;
        s.byReserved1 = 0xA5;
        s.uwDebugPort = 2121;
        std::strcpy(s.szDebugUrl, "ftp.example.net");
        s.byUrl1Enable = 1;
        std::strcpy(s.szUrl1, "backup.example.net");
        s.iFtpDirMode = FTP_DIR_SPECIFY;
        std::strcpy(s.szFtpDir, "/cam/01");
        s.byReserved2 = 0x5A;
        std::strcpy(s.szFtpServer, "ftp.example.net");
        std::strcpy(s.szFtpUser, "installer");
        std::strcpy(s.szFtpPassword, "s3cret");
        return s;
    }

    static void StartCapture() { ::testing::internal::CaptureStdout(); }
    static std::string StopCapture() { return ::testing::internal::GetCapturedStdout(); }

    testsupport::TempFolder m_folder;
};

inline bool RecordEquals(const FactoryConfig& a, const FactoryConfig& b)
{
    return std::memcmp(&a, &b, CONFIG_RECORD_SIZE) == 0;
}
