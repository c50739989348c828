// The store against media that refuse a write, odd folder names, and a file
// that changes between its size check and its read. Every failed save must
// return 0, keep the previous "CFG_FTP.bin" byte for byte and leave nothing
// behind; every failed load must keep the record.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>

#include "config_codec.h"
#include "config_store.h"
#include "factory_config.h"
#include "fault_support.h"
#include "temp_folder.h"

namespace {

using faults::ReadFile;
using faults::WriteFile;

FactoryConfig RecordWithUser(const char* szUser)
{
    FactoryConfig s = MakeFreshConfig();
    s.bySelectBy = SELECT_FTP;
    s.uwDebugPort = 2121;
    std::strcpy(s.szDebugUrl, "ftp.example.net");
    std::strcpy(s.szFtpServer, "ftp.example.net");
    std::strcpy(s.szFtpUser, szUser);
    std::strcpy(s.szFtpPassword, "s3cret");
    s.iFtpDirMode = FTP_DIR_SPECIFY;
    std::strcpy(s.szFtpDir, "/cam/01");
    return s;
}

std::string EncodedImage(const FactoryConfig& sConfig)
{
    std::string strImage(reinterpret_cast<const char*>(&sConfig), CONFIG_RECORD_SIZE);
    EncodeConfig(&strImage[0], CONFIG_RECORD_SIZE);
    return strImage;
}

bool SameRecord(const FactoryConfig& a, const FactoryConfig& b)
{
    return std::memcmp(&a, &b, CONFIG_RECORD_SIZE) == 0;
}

// A save folder holding an old "CFG_FTP.bin", and a new record in memory.
class SaveFaultTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_sOld = RecordWithUser("old-user");
        m_sNew = RecordWithUser("new-user");
        m_card = m_scratch.Path() / "card";
        std::filesystem::create_directory(m_card);
    }
    void TearDown() override
    {
        g_sFactoryConfig = MakeFreshConfig();
        std::strcpy(g_szSavePath, "C:\\");
    }

    void PutOldFileAndUseCard()
    {
        WriteFile(m_card / CONFIG_FILE_NAME, EncodedImage(m_sOld));
        ASSERT_LT(m_card.string().size(), sizeof g_szSavePath);
        std::strcpy(g_szSavePath, m_card.c_str());
        g_sFactoryConfig = m_sNew;
    }

    // The save failed as a whole: result 0, record unchanged, the old file as
    // it was, and no other file than those the test put there.
    void ExpectFailedSaveKeptEverything(const std::map<std::string, std::string>& before)
    {
        ::testing::internal::CaptureStdout();
        int iResult = SaveConfig();
        std::string strLines = ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(iResult, 0) << strLines;
        EXPECT_TRUE(SameRecord(g_sFactoryConfig, m_sNew));
        EXPECT_EQ(ReadFile(m_card / CONFIG_FILE_NAME), EncodedImage(m_sOld));
        EXPECT_EQ(faults::Snapshot(m_card), before);
        EXPECT_NE(strLines.find(" err!\n"), std::string::npos) << strLines;
    }

    void ExpectSaveAndLoadWork()
    {
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(SaveConfig(), 1);
        g_sFactoryConfig = MakeFreshConfig();
        EXPECT_EQ(LoadConfig(), 1);
        ::testing::internal::GetCapturedStdout();
        EXPECT_TRUE(SameRecord(g_sFactoryConfig, m_sNew));
        EXPECT_EQ(ReadFile(m_card / CONFIG_FILE_NAME), EncodedImage(m_sNew));
    }

    testsupport::TempFolder m_scratch;
    std::filesystem::path m_card;
    FactoryConfig m_sOld, m_sNew;
};

// The card fills up: first all its space, then all its file entries. Once
// room is made again, the same save goes through.
TEST_F(SaveFaultTest, FullMediumFailsAndKeepsTheOldFile)
{
    for (bool bInodes : {false, true}) {
        SCOPED_TRACE(bInodes ? "no file entry left" : "no space left");
        // With entries limited: the folder itself, the old file, one filler.
        auto pCard = faults::ScopedMount::Tmpfs(m_card, 64 * 1024, bInodes ? 3 : 0);
        if (!pCard->Error().empty())
            GTEST_SKIP() << "cannot mount a small tmpfs here: " << pCard->Error();
        PutOldFileAndUseCard();
        if (bInodes)
            WriteFile(m_card / "filler", "x");
        else
            ASSERT_EQ(faults::FillUp(m_card), "");

        ExpectFailedSaveKeptEverything(faults::Snapshot(m_card));
        // The dialog's read-back of the failed save still finds the old file.
        g_sFactoryConfig = MakeFreshConfig();
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(LoadConfig(), 1);
        ::testing::internal::GetCapturedStdout();
        EXPECT_TRUE(SameRecord(g_sFactoryConfig, m_sOld));

        for (const auto& entry : std::filesystem::directory_iterator(m_card))
            if (entry.path().filename() != CONFIG_FILE_NAME)
                std::filesystem::remove(entry.path());
        g_sFactoryConfig = m_sNew;
        ExpectSaveAndLoadWork();
    }
}

TEST_F(SaveFaultTest, ReadOnlyMediumFailsAndKeepsTheOldFile)
{
    PutOldFileAndUseCard();
    auto pReadOnly = faults::ScopedMount::ReadOnly(m_card);
    if (!pReadOnly->Error().empty())
        GTEST_SKIP() << "cannot bind-mount read-only here: " << pReadOnly->Error();
    ExpectFailedSaveKeptEverything(faults::Snapshot(m_card));
}

// An immutable file cannot be replaced; an immutable folder takes no new file.
TEST_F(SaveFaultTest, ImmutableFileOrFolderFailsAndKeepsTheOldFile)
{
    PutOldFileAndUseCard();
    const auto before = faults::Snapshot(m_card);
    for (const std::filesystem::path& locked : {m_card / CONFIG_FILE_NAME, m_card}) {
        SCOPED_TRACE(locked.string());
        faults::ScopedImmutable immutable(locked);
        if (!immutable.Error().empty())
            GTEST_SKIP() << "this file system has no immutable flag: " << immutable.Error();
        ExpectFailedSaveKeptEverything(before);
    }
    ExpectSaveAndLoadWork();
}

// Something in the temporary file's place that cannot be written over.
TEST_F(SaveFaultTest, FolderInPlaceOfTheTemporaryFailsAndIsLeftAlone)
{
    PutOldFileAndUseCard();
    std::filesystem::path blocker =
        m_card / (std::string(CONFIG_FILE_NAME) + "." + std::to_string(getpid()) + ".tmp");
    std::filesystem::create_directory(blocker);
    WriteFile(blocker / "inside", "keep me");
    ExpectFailedSaveKeptEverything(faults::Snapshot(m_card));
}

// Save folders at and near the longest g_szSavePath holds, and folder names
// in code page 936 bytes (a double-byte character whose trail byte is a
// backslash among them); each replaces an old file and reads back.
struct FolderCase {
    const char* szName;
    std::string strLastComponent; // repeated to reach the length
    size_t uLength;               // of the whole folder text
};

void PrintTo(const FolderCase& folderCase, std::ostream* pOut) { *pOut << folderCase.szName; }

class SaveFolderNameTest : public SaveFaultTest, public ::testing::WithParamInterface<FolderCase> {};

std::filesystem::path MakeFolderOfLength(const std::filesystem::path& base, const std::string& strPiece,
                                         size_t uLength)
{
    std::string strPath = base.string();
    // Components of up to 200 bytes keep within each name's limit of 255.
    while (strPath.size() < uLength) {
        size_t uRoom = uLength - strPath.size() - 1;
        std::string strComponent;
        while (strComponent.size() + strPiece.size() <= std::min<size_t>(uRoom, 200))
            strComponent += strPiece;
        if (strComponent.empty() || uRoom - strComponent.size() == 1)
            strComponent = std::string(std::min<size_t>(uRoom, 200), 'd');
        strPath += "/" + strComponent;
    }
    std::filesystem::create_directories(strPath);
    return strPath;
}

TEST_P(SaveFolderNameTest, ReplacesTheOldFileAndReadsBack)
{
    const FolderCase& folderCase = GetParam();
    m_card = MakeFolderOfLength(m_scratch.Path(), folderCase.strLastComponent,
                                folderCase.uLength ? folderCase.uLength
                                                   : m_scratch.String().size() + 1 + folderCase.strLastComponent.size());
    if (folderCase.uLength) {
        ASSERT_EQ(m_card.string().size(), folderCase.uLength);
    }
    PutOldFileAndUseCard();

    ::testing::internal::CaptureStdout();
    EXPECT_EQ(SaveConfig(), 1);
    g_sFactoryConfig = MakeFreshConfig();
    EXPECT_EQ(LoadConfig(), 1);
    std::string strLines = ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(SameRecord(g_sFactoryConfig, m_sNew));
    EXPECT_EQ(ReadFile(m_card / CONFIG_FILE_NAME), EncodedImage(m_sNew));
    // The path is passed on byte for byte, in the lines as on the disk.
    EXPECT_NE(strLines.find("Open file - \"" + m_card.string() + "/" CONFIG_FILE_NAME "\" success!\n"),
              std::string::npos);
    EXPECT_EQ(faults::Snapshot(m_card).size(), 1u);
}

const std::string kGbkChinese = "\xD6\xD0\xCE\xC4";          // two characters, "Chinese"
const std::string kGbkCamera = "\xC9\xE3\xCF\xF1\xCD\xB7";   // three characters, "camera"
const std::string kGbkTrailBackslash = "\x81\x5C";           // trail byte 0x5C
const std::string kGbkLoneLead = "\xD6";                     // a lead byte without its trail

INSTANTIATE_TEST_SUITE_P(
    Folders, SaveFolderNameTest,
    ::testing::Values(FolderCase{"Ascii255", "d", 255}, FolderCase{"Ascii256", "d", 256},
                      FolderCase{"Ascii257", "d", 257}, FolderCase{"Ascii258", "d", 258},
                      FolderCase{"Ascii259", "d", 259}, FolderCase{"Gbk", kGbkChinese, 0},
                      FolderCase{"GbkCamera", kGbkCamera, 0}, FolderCase{"GbkTrailBackslash", kGbkTrailBackslash, 0},
                      FolderCase{"GbkLoneLead", kGbkLoneLead + "x" + kGbkLoneLead, 0},
                      FolderCase{"Gbk255", kGbkChinese, 255}, FolderCase{"Gbk259", kGbkChinese, 259},
                      FolderCase{"GbkTrailBackslash259", kGbkTrailBackslash, 259}),
    [](const ::testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.szName); });

// A diagnostics stream that runs a fault the moment the store writes a given
// line: that is how a change lands exactly between two steps of a load.
class FaultOnLine {
public:
    FaultOnLine(std::string strLinePrefix, std::function<void()> fnFault)
        : m_strPrefix(std::move(strLinePrefix)), m_fnFault(std::move(fnFault))
    {
        cookie_io_functions_t sFunctions = {};
        sFunctions.write = &FaultOnLine::Write;
        m_pStream = fopencookie(this, "w", sFunctions);
        if (m_pStream)
            setvbuf(m_pStream, nullptr, _IONBF, 0); // every line reaches Write at once
    }
    ~FaultOnLine()
    {
        if (m_pStream)
            std::fclose(m_pStream);
    }
    FaultOnLine(const FaultOnLine&) = delete;
    FaultOnLine& operator=(const FaultOnLine&) = delete;

    FILE* Stream() const { return m_pStream; }
    bool Fired() const { return m_bFired; }
    const std::string& Lines() const { return m_strLines; }

private:
    static ssize_t Write(void* pCookie, const char* pBuffer, size_t uSize)
    {
        FaultOnLine* pSelf = static_cast<FaultOnLine*>(pCookie);
        pSelf->m_strLines.append(pBuffer, uSize);
        size_t uLineStart = pSelf->m_strLines.rfind('\n', pSelf->m_strLines.size() - 2);
        uLineStart = uLineStart == std::string::npos ? 0 : uLineStart + 1;
        if (!pSelf->m_bFired && pSelf->m_strLines.back() == '\n'
            && pSelf->m_strLines.compare(uLineStart, pSelf->m_strPrefix.size(), pSelf->m_strPrefix) == 0) {
            pSelf->m_bFired = true;
            pSelf->m_fnFault();
        }
        return static_cast<ssize_t>(uSize);
    }

    std::string m_strPrefix;
    std::function<void()> m_fnFault;
    FILE* m_pStream = nullptr;
    bool m_bFired = false;
    std::string m_strLines;
};

enum class Outcome { Refused, OldRecord, NewRecord };

struct ChangeCase {
    const char* szName;
    const char* szAfterLine; // the fault runs when this line has been written
    Outcome eOutcome;
    std::function<void(const std::filesystem::path& file, const std::string& strOther)> fnChange;
};

void PrintTo(const ChangeCase& changeCase, std::ostream* pOut) { *pOut << changeCase.szName; }

class ChangedBeforeReadTest : public ::testing::TestWithParam<ChangeCase> {};

void Truncate(const std::filesystem::path& file, size_t uSize)
{
    std::filesystem::resize_file(file, uSize);
}

TEST_P(ChangedBeforeReadTest, LoadsOneWholeFileOrNothing)
{
    const ChangeCase& changeCase = GetParam();
    testsupport::TempFolder folder;
    const std::filesystem::path file = folder.Path() / CONFIG_FILE_NAME;
    const FactoryConfig sOld = RecordWithUser("old-user"), sNew = RecordWithUser("new-user");
    WriteFile(file, EncodedImage(sOld));

    FaultOnLine diag(changeCase.szAfterLine, [&] { changeCase.fnChange(file, EncodedImage(sNew)); });
    ASSERT_NE(diag.Stream(), nullptr);
    FactoryConfig sRecord = MakeFreshConfig();
    StoreStatus eStatus = ReadConfigFile(file.c_str(), &sRecord, diag.Stream());
    ASSERT_TRUE(diag.Fired()) << diag.Lines();

    switch (changeCase.eOutcome) {
    case Outcome::Refused:
        EXPECT_NE(eStatus, STORE_OK) << diag.Lines();
        EXPECT_TRUE(SameRecord(sRecord, MakeFreshConfig()));
        EXPECT_NE(diag.Lines().find(" err!\n"), std::string::npos) << diag.Lines();
        break;
    case Outcome::OldRecord:
        EXPECT_EQ(eStatus, STORE_OK) << diag.Lines();
        EXPECT_TRUE(SameRecord(sRecord, sOld));
        break;
    case Outcome::NewRecord:
        EXPECT_EQ(eStatus, STORE_OK) << diag.Lines();
        EXPECT_TRUE(SameRecord(sRecord, sNew));
        break;
    }
}

const char kMeasured[] = "iGetFileSize = 308";
const char kOpened[] = "Open file - ";

INSTANTIATE_TEST_SUITE_P(
    Changes, ChangedBeforeReadTest,
    ::testing::Values(
        ChangeCase{"CutToHalf", kMeasured, Outcome::Refused,
                   [](const std::filesystem::path& f, const std::string&) { Truncate(f, 154); }},
        ChangeCase{"Emptied", kMeasured, Outcome::Refused,
                   [](const std::filesystem::path& f, const std::string&) { Truncate(f, 0); }},
        ChangeCase{"CutByOneByte", kMeasured, Outcome::Refused,
                   [](const std::filesystem::path& f, const std::string&) { Truncate(f, 307); }},
        ChangeCase{"GrownByOneByte", kMeasured, Outcome::Refused,
                   [](const std::filesystem::path& f, const std::string&) { Truncate(f, 309); }},
        ChangeCase{"ReplacedByALongerFile", kMeasured, Outcome::Refused,
                   [](const std::filesystem::path& f, const std::string& strOther) {
                       WriteFile(f, strOther + strOther);
                   }},
        ChangeCase{"Removed", kMeasured, Outcome::Refused,
                   [](const std::filesystem::path& f, const std::string&) { std::filesystem::remove(f); }},
        ChangeCase{"ReplacedByAFolder", kMeasured, Outcome::Refused,
                   [](const std::filesystem::path& f, const std::string&) {
                       std::filesystem::remove(f);
                       std::filesystem::create_directory(f);
                   }},
        ChangeCase{"ReplacedByAnotherGoodFile", kMeasured, Outcome::NewRecord,
                   [](const std::filesystem::path& f, const std::string& strOther) {
                       std::filesystem::path other = f.string() + ".other";
                       WriteFile(other, strOther);
                       std::filesystem::rename(other, f);
                   }},
        // Once open, the stream holds the file it measured: a new file
        // renamed into place does not reach it, a cut of that file does.
        ChangeCase{"RenamedOverAfterTheOpen", kOpened, Outcome::OldRecord,
                   [](const std::filesystem::path& f, const std::string& strOther) {
                       std::filesystem::path other = f.string() + ".other";
                       WriteFile(other, strOther);
                       std::filesystem::rename(other, f);
                   }},
        ChangeCase{"CutAfterTheOpen", kOpened, Outcome::Refused,
                   [](const std::filesystem::path& f, const std::string&) { Truncate(f, 100); }},
        ChangeCase{"GrownAfterTheOpen", kOpened, Outcome::Refused,
                   [](const std::filesystem::path& f, const std::string&) { Truncate(f, 400); }}),
    [](const ::testing::TestParamInfo<ChangeCase>& info) { return std::string(info.param.szName); });

} // namespace

namespace {

// Sizes whose low 32 bits read 308: a size cut to 32 bits anywhere would
// take them for a configuration file. Sparse, so they cost no disk.
TEST(HugeFileTest, SizeThatWrapsTo308IsRefused)
{
    testsupport::TempFolder folder;
    const std::filesystem::path file = folder.Path() / CONFIG_FILE_NAME;
    for (uintmax_t uSize : {(uintmax_t(1) << 31) + 308, (uintmax_t(1) << 32) + 308}) {
        SCOPED_TRACE(uSize);
        WriteFile(file, EncodedImage(RecordWithUser("user")));
        std::error_code ec;
        std::filesystem::resize_file(file, uSize, ec);
        if (ec)
            GTEST_SKIP() << "cannot make a sparse file of " << uSize << " bytes here: " << ec.message();
        FactoryConfig sRecord = MakeFreshConfig();
        EXPECT_EQ(ReadConfigFile(file.c_str(), &sRecord, nullptr), STORE_BAD_SIZE);
        EXPECT_TRUE(SameRecord(sRecord, MakeFreshConfig()));
    }
}

} // namespace
