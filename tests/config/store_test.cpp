// LoadConfig and SaveConfig: every outcome, with its exact diagnostic lines.
#include "store_fixture.h"

#include <filesystem>

namespace {

const std::string kUnderscores = std::string(48, '_') + "\n";

std::string SuccessfulLoadLines(const std::string& strPath, const FactoryConfig& s)
{
    return "sizeof = 308\n"
           "iGetFileSize = 308\n"
           "Open file - \"" + strPath + "\" success!\n"
           "g_sFactoryConfig.bySelectBy =" + std::to_string(s.bySelectBy) + "\n"
           "g_sFactoryConfig.uwDebugPort=" + std::to_string(s.uwDebugPort) + "\n"
           "g_sFactoryConfig.szDebugUrl =" + FieldText(s.szDebugUrl) + "\n";
}

TEST_F(StoreTest, MissingFileIsRefusedAndTheRecordKept)
{
    g_sFactoryConfig = SampleConfig();
    StartCapture();
    EXPECT_EQ(LoadConfig(), 0);
    EXPECT_EQ(StopCapture(), "sizeof = 308\n"
                             "File not exist!\n"
                             "iGetFileSize = 0\n"
                             "File szie != struct size!\n");
    EXPECT_TRUE(RecordEquals(g_sFactoryConfig, SampleConfig()));
}

class StoreWrongSizeTest : public StoreTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(StoreWrongSizeTest, IsRefusedWithoutFileNotExist)
{
    size_t uSize = GetParam();
    testsupport::WriteBytes(ConfigFile(), std::vector<uint8_t>(uSize, 0x5B));
    g_sFactoryConfig = SampleConfig();
    StartCapture();
    EXPECT_EQ(LoadConfig(), 0);
    EXPECT_EQ(StopCapture(), "sizeof = 308\n"
                             "iGetFileSize = " + std::to_string(uSize) + "\n"
                             "File szie != struct size!\n");
    EXPECT_TRUE(RecordEquals(g_sFactoryConfig, SampleConfig()));
}

INSTANTIATE_TEST_SUITE_P(Sizes, StoreWrongSizeTest, ::testing::Values(0, 1, 307, 309, 616, 4096));

TEST_F(StoreTest, AnyContentOfTheRightSizeIsAccepted)
{
    FactoryConfig sOdd = SampleConfig();
    sOdd.bySelectBy = 7;
    sOdd.uwDebugPort = 0;
    sOdd.iFtpDirMode = 5;
    testsupport::WriteBytes(ConfigFile(), EncodedImageOf(sOdd));

    StartCapture();
    EXPECT_EQ(LoadConfig(), 1);
    EXPECT_EQ(StopCapture(), SuccessfulLoadLines(ConfigPathText(), sOdd));
    EXPECT_TRUE(RecordEquals(g_sFactoryConfig, sOdd));
}

TEST_F(StoreTest, SaveWritesTheEncodedRecordAndKeepsItPlain)
{
    g_sFactoryConfig = SampleConfig();
    StartCapture();
    EXPECT_EQ(SaveConfig(), 1);
    EXPECT_EQ(StopCapture(), "Open file - \"" + ConfigPathText() + "\" success!\n" + kUnderscores);

    EXPECT_EQ(testsupport::ReadBytes(ConfigFile()), EncodedImageOf(SampleConfig()));
    EXPECT_TRUE(RecordEquals(g_sFactoryConfig, SampleConfig()));
    // Only the file itself is left in the folder: no temporary remains.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(StoreTest, SaveThenLoadGivesTheRecordBackByteForByte)
{
    FactoryConfig s = SampleConfig();
    // Bytes behind the NULs, as left by longer earlier texts, travel too.
    std::memcpy(s.szDebugUrl, "a.b\0old-tail", 12);
    std::memcpy(s.szFtpServer, "a.b\0old-tail", 12);
    g_sFactoryConfig = s;
    StartCapture();
    ASSERT_EQ(SaveConfig(), 1);
    g_sFactoryConfig = MakeFreshConfig();
    ASSERT_EQ(LoadConfig(), 1);
    StopCapture();
    EXPECT_TRUE(RecordEquals(g_sFactoryConfig, s));
}

TEST_F(StoreTest, SaveReplacesAFileOfAnotherSize)
{
    testsupport::WriteBytes(ConfigFile(), std::vector<uint8_t>(5000, 1));
    StartCapture();
    EXPECT_EQ(SaveConfig(), 1);
    StopCapture();
    EXPECT_EQ(testsupport::ReadBytes(ConfigFile()), EncodedImageOf(MakeFreshConfig()));
}

TEST_F(StoreTest, SaveIntoAMissingFolderFailsAndChangesNothing)
{
    UseSaveFolder((m_folder.Path() / "no-such-folder").string());
    g_sFactoryConfig = SampleConfig();
    StartCapture();
    EXPECT_EQ(SaveConfig(), 0);
    EXPECT_EQ(StopCapture(), "Open file - \"" + ConfigPathText() + "\" err!\n" + kUnderscores);
    EXPECT_TRUE(RecordEquals(g_sFactoryConfig, SampleConfig()));
    EXPECT_FALSE(std::filesystem::exists(m_folder.Path() / "no-such-folder"));
}

TEST_F(StoreTest, UnterminatedServerFieldIsPrintedBoundedAndKeptAsLoaded)
{
    FactoryConfig s = SampleConfig();
    std::memset(s.szDebugUrl, 'u', sizeof s.szDebugUrl);
    std::memset(s.szFtpPassword, 'p', sizeof s.szFtpPassword);
    testsupport::WriteBytes(ConfigFile(), EncodedImageOf(s));

    StartCapture();
    EXPECT_EQ(LoadConfig(), 1);
    std::string strLines = StopCapture();
    EXPECT_NE(strLines.find("g_sFactoryConfig.szDebugUrl =" + std::string(61, 'u') + "\n"),
              std::string::npos)
        << strLines;
    EXPECT_TRUE(RecordEquals(g_sFactoryConfig, s));

    StartCapture();
    ASSERT_EQ(SaveConfig(), 1);
    StopCapture();
    EXPECT_EQ(testsupport::ReadBytes(ConfigFile()), EncodedImageOf(s));
}

TEST_F(StoreTest, FolderEndingInASeparatorStillReachesTheFile)
{
#ifdef _WIN32
    const char* szSeparator = "\\";
#else
    const char* szSeparator = "/";
#endif
    UseSaveFolder(m_folder.String() + szSeparator);
#ifdef _WIN32
    EXPECT_EQ(ConfigPathText(), m_folder.String() + "\\\\CFG_FTP.bin");
#endif
    g_sFactoryConfig = SampleConfig();
    StartCapture();
    ASSERT_EQ(SaveConfig(), 1);
    g_sFactoryConfig = MakeFreshConfig();
    ASSERT_EQ(LoadConfig(), 1);
    StopCapture();
    EXPECT_TRUE(RecordEquals(g_sFactoryConfig, SampleConfig()));
    EXPECT_TRUE(std::filesystem::exists(ConfigFile()));
}

TEST_F(StoreTest, TheLongestSaveFolderWorks)
{
    // 259 characters, the most that the save path can hold.
    std::filesystem::path folder = m_folder.Path();
    while (folder.string().size() < 259) {
        size_t uRoom = 259 - folder.string().size() - 1;
        folder /= std::string(std::min<size_t>(uRoom, 60), 'd');
    }
    ASSERT_EQ(folder.string().size(), 259u);
    std::filesystem::create_directories(folder);
    UseSaveFolder(folder.string());

    g_sFactoryConfig = SampleConfig();
    StartCapture();
    EXPECT_EQ(SaveConfig(), 1);
    g_sFactoryConfig = MakeFreshConfig();
    EXPECT_EQ(LoadConfig(), 1);
    std::string strLines = StopCapture();
    EXPECT_NE(strLines.find("\"" + ConfigFilePath(folder.string().c_str()) + "\""), std::string::npos);
    EXPECT_TRUE(RecordEquals(g_sFactoryConfig, SampleConfig()));
}

TEST_F(StoreTest, GetConfigFileSizeMeasuresOrReportsAMissingFile)
{
    testsupport::WriteBytes(ConfigFile(), std::vector<uint8_t>(123, 0));
    StartCapture();
    EXPECT_EQ(GetConfigFileSize(ConfigFile().string().c_str()), 123);
    EXPECT_EQ(GetConfigFileSize((m_folder.Path() / "absent").string().c_str()), 0);
    EXPECT_EQ(StopCapture(), "File not exist!\n");
}

} // namespace
