// The fresh record and the bounded reading of its text fields.
#include <gtest/gtest.h>

#include <cstring>

#include "factory_config.h"

namespace {

TEST(RecordTest, FreshRecordIsZeroButThePort)
{
    const uint8_t* pby = reinterpret_cast<const uint8_t*>(&g_sFactoryConfig);
    FactoryConfig sFresh = MakeFreshConfig();
    EXPECT_EQ(std::memcmp(&sFresh, &g_sFactoryConfig, CONFIG_RECORD_SIZE), 0);
    for (int i = 0; i < CONFIG_RECORD_SIZE; ++i)
        EXPECT_EQ(pby[i], i == 2 ? 21 : 0) << "offset " << i;
    EXPECT_EQ(g_sFactoryConfig.bySelectBy, SELECT_SFTP);
    EXPECT_EQ(g_sFactoryConfig.iFtpDirMode, FTP_DIR_ROOT);
}

TEST(RecordTest, FieldTextStopsAtTheFirstNul)
{
    FactoryConfig sConfig = MakeFreshConfig();
    std::memcpy(sConfig.szFtpDir, "/long/old/dir", 14);
    std::memcpy(sConfig.szFtpDir, "/", 2); // a short text over a longer one
    EXPECT_EQ(FieldText(sConfig.szFtpDir), "/");
    EXPECT_TRUE(FieldIsTerminated(sConfig.szFtpDir));
}

TEST(RecordTest, UnterminatedFieldIsBoundedByItsWidth)
{
    FactoryConfig sConfig = MakeFreshConfig();
    std::memset(sConfig.szDebugUrl, 'a', sizeof sConfig.szDebugUrl);
    sConfig.byUrl1Enable = 'X';   // what a read past the field would pick up
    std::memset(sConfig.szFtpPassword, 'p', sizeof sConfig.szFtpPassword);
    EXPECT_FALSE(FieldIsTerminated(sConfig.szDebugUrl));
    EXPECT_EQ(FieldText(sConfig.szDebugUrl), std::string(61, 'a'));
    // The last field ends the record: nothing beyond it may be read.
    EXPECT_EQ(FieldText(sConfig.szFtpPassword), std::string(33, 'p'));
}

TEST(RecordTest, FieldTextKeepsCodePageBytes)
{
    FactoryConfig sConfig = MakeFreshConfig();
    const char szGbk[] = "\xD6\xD0\xCE\xC4"; // "中文" in code page 936
    std::memcpy(sConfig.szFtpUser, szGbk, sizeof szGbk);
    EXPECT_EQ(FieldText(sConfig.szFtpUser), std::string(szGbk));
}

} // namespace
