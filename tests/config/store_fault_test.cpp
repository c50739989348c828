// Faults around the file: a save that fails keeps the old file byte for byte
// and leaves no temporary behind; a load that fails keeps the record.
#include "store_fixture.h"

#include <atomic>
#include <filesystem>
#include <thread>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

const std::string kUnderscores = std::string(48, '_') + "\n";

class StoreFaultTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        FactoryConfig sOld = SampleConfig();
        std::strcpy(sOld.szFtpUser, "old-user");
        m_abyOldFile = EncodedImageOf(sOld);
        testsupport::WriteBytes(ConfigFile(), m_abyOldFile);
        g_sFactoryConfig = SampleConfig();
    }

    void ExpectOldFileAndNoTemporary() const
    {
        EXPECT_EQ(testsupport::ReadBytes(ConfigFile()), m_abyOldFile);
        for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path()))
            EXPECT_EQ(entry.path().filename(), CONFIG_FILE_NAME) << "left behind: " << entry.path();
    }

    std::vector<uint8_t> m_abyOldFile;
};

TEST_F(StoreFaultTest, ConfigFileThatIsAFolderIsNotReplaced)
{
    std::filesystem::remove(ConfigFile());
    std::filesystem::create_directory(ConfigFile());
    std::filesystem::create_directory(ConfigFile() / "keep");

    StartCapture();
    EXPECT_EQ(SaveConfig(), 0);
    EXPECT_EQ(StopCapture(), "Open file - \"" + ConfigPathText() + "\" success!\n"
                             "Replace file - \"" + ConfigPathText() + "\" err!\n" + kUnderscores);
    EXPECT_TRUE(std::filesystem::is_directory(ConfigFile() / "keep"));
    EXPECT_TRUE(RecordEquals(g_sFactoryConfig, SampleConfig()));

    StartCapture();
    EXPECT_EQ(LoadConfig(), 0);
    StopCapture();
    EXPECT_TRUE(RecordEquals(g_sFactoryConfig, SampleConfig()));
}

TEST_F(StoreFaultTest, SaveFolderThatIsARegularFileFails)
{
    std::filesystem::path notAFolder = m_folder.Path() / "plain-file";
    testsupport::WriteBytes(notAFolder, {1, 2, 3});
    UseSaveFolder(notAFolder.string());

    StartCapture();
    EXPECT_EQ(SaveConfig(), 0);
    EXPECT_EQ(StopCapture(), "Open file - \"" + ConfigPathText() + "\" err!\n" + kUnderscores);
    EXPECT_EQ(testsupport::ReadBytes(notAFolder), (std::vector<uint8_t>{1, 2, 3}));
}

#ifndef _WIN32

// Holds the process's file-size limit below 308 bytes for one scope, the way a
// full medium stops a write part-way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t uBytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_sSaved);
        m_pfnSaved = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit sLimit = m_sSaved;
        sLimit.rlim_cur = uBytes;
        setrlimit(RLIMIT_FSIZE, &sLimit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_sSaved);
        std::signal(SIGXFSZ, m_pfnSaved);
    }

private:
    struct rlimit m_sSaved;
    void (*m_pfnSaved)(int);
};

TEST_F(StoreFaultTest, WriteCutShortFailsAndKeepsTheOldFile)
{
    for (rlim_t uLimit : {rlim_t(0), rlim_t(1), rlim_t(200), rlim_t(307)}) {
        int iResult;
        {
            FileSizeLimit limit(uLimit);
            iResult = WriteConfigFile(ConfigPathText().c_str(), &g_sFactoryConfig, nullptr);
        }
        EXPECT_EQ(iResult, STORE_WRITE_FAILED) << "limit " << uLimit;
        ExpectOldFileAndNoTemporary();
    }

    std::string strLines;
    {
        // Without capturing: the captured output lives in a file of its own,
        // which the limit would cut as well.
        FileSizeLimit limit(200);
        EXPECT_EQ(SaveConfig(), 0);
    }
    ExpectOldFileAndNoTemporary();
    EXPECT_TRUE(RecordEquals(g_sFactoryConfig, SampleConfig()));
}

TEST_F(StoreFaultTest, WriteCutShortIsReportedInTheDiagnostics)
{
    FILE* pDiag = std::tmpfile();
    ASSERT_NE(pDiag, nullptr);
    {
        FileSizeLimit limit(200);
        WriteConfigFile(ConfigPathText().c_str(), &g_sFactoryConfig, pDiag);
    }
    std::rewind(pDiag);
    char szLines[1024] = {};
    size_t uRead = std::fread(szLines, 1, sizeof szLines - 1, pDiag);
    std::fclose(pDiag);
    EXPECT_EQ(std::string(szLines, uRead),
              "Open file - \"" + ConfigPathText() + "\" success!\n"
              "Write file - \"" + ConfigPathText() + "\" err!\n" + kUnderscores);
}

// While a second thread keeps swapping a good 308-byte file and a 100-byte
// one into place, some loads measure the good file and then open the short
// one. Such a short read must fail and leave the record untouched; every
// load that succeeds must deliver exactly the good record.
TEST_F(StoreTest, FileCutBetweenSizeCheckAndReadIsRefused)
{
    const std::filesystem::path good = m_folder.Path() / "good";
    const std::filesystem::path cut = m_folder.Path() / "cut";
    const std::vector<uint8_t> abyGood = EncodedImageOf(SampleConfig());
    const std::vector<uint8_t> abyCut(abyGood.begin(), abyGood.begin() + 100);

    std::atomic<bool> bStop{false};
    std::thread swapper([&] {
        for (unsigned u = 0; !bStop; ++u) {
            const std::filesystem::path& source = (u % 2) ? cut : good;
            testsupport::WriteBytes(source, (u % 2) ? abyCut : abyGood);
            std::error_code ec;
            std::filesystem::rename(source, ConfigFile(), ec);
        }
    });

    const FactoryConfig sSentinel = MakeFreshConfig();
    int iShortReads = 0, iLoads = 0;
    auto tStart = std::chrono::steady_clock::now();
    while (iShortReads < 3 && std::chrono::steady_clock::now() - tStart < std::chrono::seconds(20)) {
        FactoryConfig sRecord = sSentinel;
        StoreStatus eStatus = ReadConfigFile(ConfigPathText().c_str(), &sRecord, nullptr);
        if (eStatus == STORE_OK) {
            ++iLoads;
            EXPECT_TRUE(RecordEquals(sRecord, SampleConfig()));
        } else {
            EXPECT_TRUE(RecordEquals(sRecord, sSentinel));
            if (eStatus == STORE_READ_FAILED)
                ++iShortReads;
        }
    }
    bStop = true;
    swapper.join();
    EXPECT_GE(iShortReads, 3) << "the race was never hit; loads that succeeded: " << iLoads;
}

#endif // !_WIN32

} // namespace
