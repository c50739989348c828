// The ftpcfg executable against media that refuse a write: every failed
// "make" ends with exit code 2 and the previous "CFG_FTP.bin" byte for byte;
// a batch whose output folder fills up half-way reports what it wrote and
// leaves no half-written file.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <regex>
#include <vector>

#include "config_codec.h"
#include "config_store.h"
#include "factory_config.h"
#include "fault_support.h"
#include "temp_folder.h"

namespace {

using faults::ReadFile;
using faults::WriteFile;

const std::string kFtpcfg = FTPCFG_EXECUTABLE;

std::string OldImage()
{
    FactoryConfig s = MakeFreshConfig();
    s.bySelectBy = SELECT_SFTP;
    s.uwDebugPort = 22;
    std::strcpy(s.szDebugUrl, "old.example.net");
    std::strcpy(s.szFtpServer, "old.example.net");
    std::strcpy(s.szFtpUser, "old-user");
    std::strcpy(s.szFtpPassword, "old-pw");
    std::strcpy(s.szFtpDir, "/");
    std::string strImage(reinterpret_cast<const char*>(&s), CONFIG_RECORD_SIZE);
    EncodeConfig(&strImage[0], CONFIG_RECORD_SIZE);
    return strImage;
}

std::vector<std::string> MakeArgs(const std::filesystem::path& folder)
{
    return {kFtpcfg, "make", "--type", "ftp", "--server", "ftp.example.net", "--port", "2121",
            "--user", "installer", "--password", "s3cret", "--dir", "/cam/01", "-o", folder.string()};
}

std::string Describe(const faults::ProcessResult& r)
{
    return "exit " + std::to_string(r.iExitCode) + " signal " + std::to_string(r.iSignal) + "\nout: " + r.strOut
           + "\nerr: " + r.strErr;
}

// One way of making the card refuse the write, set up around a folder that
// holds the old file. An empty result means it is in place (for as long as
// the guards it hands back live); otherwise it says why it could not be.
struct MakeFault {
    const char* szName;
    std::function<std::string(const std::filesystem::path& card, std::vector<std::shared_ptr<void>>*,
                              faults::ProcessOptions*)>
        fnSetUp;
};

class MakeFaultTest : public ::testing::TestWithParam<MakeFault> {};

void PrintTo(const MakeFault& fault, std::ostream* pOut) { *pOut << fault.szName; }

TEST_P(MakeFaultTest, ExitsWithTwoAndKeepsTheOldFile)
{
    testsupport::TempFolder scratch;
    const std::filesystem::path card = scratch.Path() / "card";
    std::filesystem::create_directory(card);
    std::vector<std::shared_ptr<void>> keep;
    faults::ProcessOptions options;
    std::string strSkip = GetParam().fnSetUp(card, &keep, &options);
    if (!strSkip.empty())
        GTEST_SKIP() << "cannot set up this fault here: " << strSkip;
    const auto before = faults::Snapshot(scratch.Path());

    faults::ProcessResult r = faults::RunProcess(MakeArgs(card), options);
    EXPECT_EQ(r.iExitCode, 2) << Describe(r);
    EXPECT_NE(r.strErr.find("Failed to generate configuration file!"), std::string::npos) << Describe(r);
    EXPECT_EQ(faults::Snapshot(scratch.Path()), before);
}

std::string PutOldFile(const std::filesystem::path& card)
{
    WriteFile(card / CONFIG_FILE_NAME, OldImage());
    return "";
}

// A limit on the size of any file the program writes, as a medium that fills
// up in the middle of the write.
MakeFault SizeLimit(const char* szName, rlim_t uLimit)
{
    return MakeFault{szName, [uLimit](const std::filesystem::path& card, auto*, faults::ProcessOptions* pOptions) {
                         pOptions->uFileSizeLimit = uLimit;
                         return PutOldFile(card);
                     }};
}

INSTANTIATE_TEST_SUITE_P(
    Faults, MakeFaultTest,
    ::testing::Values(
        MakeFault{"MissingFolder",
                  [](const std::filesystem::path& card, auto*, auto*) {
                      std::filesystem::remove(card);
                      return std::string();
                  }},
        MakeFault{"FolderIsARegularFile",
                  [](const std::filesystem::path& card, auto*, auto*) {
                      std::filesystem::remove(card);
                      WriteFile(card, "not a folder");
                      return std::string();
                  }},
        MakeFault{"ConfigFileIsAFolder",
                  [](const std::filesystem::path& card, auto*, auto*) {
                      std::filesystem::create_directory(card / CONFIG_FILE_NAME);
                      WriteFile(card / CONFIG_FILE_NAME / "keep", "keep");
                      return std::string();
                  }},
        SizeLimit("FileSizeLimit0", 0), SizeLimit("FileSizeLimit1", 1), SizeLimit("FileSizeLimit200", 200),
        SizeLimit("FileSizeLimit307", 307),
        MakeFault{"FullMedium",
                  [](const std::filesystem::path& card, auto* pKeep, auto*) {
                      auto pMount = faults::ScopedMount::Tmpfs(card, 64 * 1024);
                      std::string strError = pMount->Error();
                      pKeep->push_back(std::move(pMount));
                      if (!strError.empty())
                          return strError;
                      PutOldFile(card);
                      return faults::FillUp(card);
                  }},
        MakeFault{"ReadOnlyMedium",
                  [](const std::filesystem::path& card, auto* pKeep, auto*) {
                      PutOldFile(card);
                      auto pMount = faults::ScopedMount::ReadOnly(card);
                      std::string strError = pMount->Error();
                      pKeep->push_back(std::move(pMount));
                      return strError;
                  }},
        MakeFault{"ImmutableFile",
                  [](const std::filesystem::path& card, auto* pKeep, auto*) {
                      PutOldFile(card);
                      auto pFlag = std::make_unique<faults::ScopedImmutable>(card / CONFIG_FILE_NAME);
                      std::string strError = pFlag->Error();
                      pKeep->push_back(std::move(pFlag));
                      return strError;
                  }}),
    [](const ::testing::TestParamInfo<MakeFault>& info) { return std::string(info.param.szName); });

// Folders near the longest the dialog can hold, and Chinese folder names,
// both as UTF-8 (this system's own) and as raw code page 936 bytes: make
// writes there, show and verify read it back.
class MakeFolderTest : public ::testing::TestWithParam<std::pair<const char*, std::string>> {};

TEST_P(MakeFolderTest, WritesShowsAndVerifies)
{
    testsupport::TempFolder scratch;
    std::string strFolder = scratch.String() + "/" + GetParam().second;
    // Padded with further components up to the length asked for.
    std::filesystem::path folder = strFolder;
    const std::string strName = GetParam().first;
    size_t uLength = 0;
    if (std::sscanf(strName.c_str(), "Length%zu", &uLength) == 1) {
        while (strFolder.size() + 1 < uLength)
            strFolder += "/" + std::string(std::min<size_t>(uLength - strFolder.size() - 1, 200), 'd');
        ASSERT_EQ(strFolder.size(), uLength);
        folder = strFolder;
    }
    std::filesystem::create_directories(folder);
    WriteFile(folder / CONFIG_FILE_NAME, OldImage());

    faults::ProcessResult r = faults::RunProcess(MakeArgs(folder));
    ASSERT_EQ(r.iExitCode, 0) << Describe(r);
    std::string strImage = ReadFile(folder / CONFIG_FILE_NAME);
    ASSERT_EQ(strImage.size(), size_t(CONFIG_RECORD_SIZE));
    EXPECT_NE(strImage, OldImage());
    EXPECT_EQ(faults::Snapshot(folder).size(), 1u);

    r = faults::RunProcess({kFtpcfg, "verify", folder.string()});
    EXPECT_EQ(r.iExitCode, 0) << Describe(r);
    r = faults::RunProcess({kFtpcfg, "show", "--json", folder.string()});
    EXPECT_EQ(r.iExitCode, 0) << Describe(r);
    EXPECT_NE(r.strOut.find("installer"), std::string::npos) << r.strOut;
}

INSTANTIATE_TEST_SUITE_P(
    Folders, MakeFolderTest,
    ::testing::Values(std::make_pair("Length255", std::string("d")), std::make_pair("Length256", std::string("d")),
                      std::make_pair("Length257", std::string("d")), std::make_pair("Length258", std::string("d")),
                      std::make_pair("Length259", std::string("d")),
                      std::make_pair("ChineseUtf8", std::string("\xE6\x91\x84\xE5\x83\x8F\xE5\xA4\xB4")),
                      std::make_pair("ChineseGbkBytes", std::string("\xC9\xE3\xCF\xF1\xCD\xB7")),
                      std::make_pair("GbkTrailBackslash", std::string("\x81\x5C\x81\x5C"))),
    [](const ::testing::TestParamInfo<MakeFolderTest::ParamType>& info) {
        return std::string(info.param.first);
    });

std::string DevicesCsv(int iRows)
{
    std::string strCsv = "name,type,server,port,user,password,dir\n";
    for (int i = 1; i <= iRows; ++i)
        strCsv += "cam" + std::to_string(100 + i) + ",ftp,ftp.example.net,21,user" + std::to_string(i) + ",pw,/cam\n";
    return strCsv;
}

// Every CFG_FTP.bin below the folder is whole; returns how many there are
// and fails on any other file.
int CountWholeFiles(const std::filesystem::path& out)
{
    int iWhole = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(out)) {
        if (entry.is_directory())
            continue;
        EXPECT_EQ(entry.path().filename(), CONFIG_FILE_NAME) << "left behind: " << entry.path();
        std::string strImage = ReadFile(entry.path());
        EXPECT_EQ(strImage.size(), size_t(CONFIG_RECORD_SIZE)) << entry.path();
        faults::ProcessResult r = faults::RunProcess({kFtpcfg, "verify", entry.path().string()});
        EXPECT_EQ(r.iExitCode, 0) << entry.path() << "\n" << Describe(r);
        ++iWhole;
    }
    return iWhole;
}

TEST(BatchFaultTest, OutputFolderFullHalfWayReportsWhatWasWritten)
{
    testsupport::TempFolder scratch;
    const int kRows = 12;
    WriteFile(scratch.Path() / "devices.csv", DevicesCsv(kRows));
    const std::filesystem::path out = scratch.Path() / "out";
    std::filesystem::create_directory(out);
    // Room for about half the files: each takes a page of its own.
    auto pMount = faults::ScopedMount::Tmpfs(out, 6 * 4096);
    if (!pMount->Error().empty())
        GTEST_SKIP() << "cannot mount a small tmpfs here: " << pMount->Error();

    faults::ProcessResult r = faults::RunProcess({kFtpcfg, "batch", (scratch.Path() / "devices.csv").string(), out.string()});
    EXPECT_EQ(r.iExitCode, 2) << Describe(r);
    int iWhole = CountWholeFiles(out);
    EXPECT_GT(iWhole, 0);
    EXPECT_LT(iWhole, kRows);

    // The report names as many folders as there are whole files, and where it stopped.
    std::smatch match;
    ASSERT_TRUE(std::regex_search(r.strErr, match, std::regex("(\\d+) of (\\d+) folders written"))) << r.strErr;
    EXPECT_EQ(std::stoi(match[1]), iWhole) << r.strErr;
    EXPECT_EQ(std::stoi(match[2]), kRows) << r.strErr;
    EXPECT_NE(r.strErr.find("line " + std::to_string(iWhole + 2) + " and those after it were not"), std::string::npos)
        << r.strErr;
}

// A folder that a row needs is already taken by a file: the rows before it
// are written, the rest not, and the file stays as it was.
TEST(BatchFaultTest, FileWhereARowsFolderGoesStopsThere)
{
    testsupport::TempFolder scratch;
    const int kRows = 6;
    WriteFile(scratch.Path() / "devices.csv", DevicesCsv(kRows));
    const std::filesystem::path out = scratch.Path() / "out";
    std::filesystem::create_directory(out);
    WriteFile(out / "cam104", "a file, not a folder");

    faults::ProcessResult r = faults::RunProcess({kFtpcfg, "batch", (scratch.Path() / "devices.csv").string(), out.string()});
    EXPECT_EQ(r.iExitCode, 2) << Describe(r);
    EXPECT_EQ(ReadFile(out / "cam104"), "a file, not a folder");
    std::filesystem::remove(out / "cam104");
    EXPECT_EQ(CountWholeFiles(out), 3);
    EXPECT_NE(r.strErr.find("3 of 6 folders written"), std::string::npos) << r.strErr;
}

// A file-size limit below one record stops the batch at its first row.
TEST(BatchFaultTest, WriteCutShortWritesNothingHalf)
{
    testsupport::TempFolder scratch;
    WriteFile(scratch.Path() / "devices.csv", DevicesCsv(3));
    const std::filesystem::path out = scratch.Path() / "out";
    faults::ProcessOptions options;
    options.uFileSizeLimit = 200;
    faults::ProcessResult r =
        faults::RunProcess({kFtpcfg, "batch", (scratch.Path() / "devices.csv").string(), out.string()}, options);
    EXPECT_EQ(r.iExitCode, 2) << Describe(r);
    EXPECT_EQ(CountWholeFiles(out), 0);
    EXPECT_NE(r.strErr.find("0 of 3 folders written"), std::string::npos) << r.strErr;
}

} // namespace

namespace {

// A sparse file whose size reads 308 in its low 32 bits is no configuration file.
TEST(HugeFileTest, ShowAndVerifyRefuseASizeThatWrapsTo308)
{
    testsupport::TempFolder folder;
    const std::filesystem::path file = folder.Path() / CONFIG_FILE_NAME;
    WriteFile(file, OldImage());
    std::error_code ec;
    std::filesystem::resize_file(file, (uintmax_t(1) << 32) + 308, ec);
    if (ec)
        GTEST_SKIP() << "cannot make a sparse file here: " << ec.message();
    faults::ProcessResult r = faults::RunProcess({kFtpcfg, "verify", file.string()});
    EXPECT_EQ(r.iExitCode, 1) << Describe(r);
    EXPECT_NE(r.strOut.find("4294967604 bytes, not 308"), std::string::npos) << Describe(r);
    r = faults::RunProcess({kFtpcfg, "show", file.string()});
    EXPECT_EQ(r.iExitCode, 2) << Describe(r);
}

// Inputs the fuzz targets found, kept as fixtures.
const std::filesystem::path kFixtures = FAULT_FIXTURES_DIR;

bool IsUtf8(const std::string& strText)
{
    size_t i = 0;
    while (i < strText.size()) {
        unsigned char c = static_cast<unsigned char>(strText[i]);
        size_t uExtra = c < 0x80 ? 0 : (c >= 0xC2 && c <= 0xDF) ? 1 : (c >= 0xE0 && c <= 0xEF) ? 2
                                                                  : (c >= 0xF0 && c <= 0xF4) ? 3 : 99;
        if (uExtra == 99 || i + uExtra >= strText.size() + (uExtra ? 0 : 1))
            return false;
        unsigned uCode = uExtra ? (c & (0x3Fu >> uExtra)) : c;
        for (size_t k = 1; k <= uExtra; ++k) {
            unsigned char t = static_cast<unsigned char>(strText[i + k]);
            if ((t & 0xC0) != 0x80)
                return false;
            uCode = (uCode << 6) | (t & 0x3Fu);
        }
        static const unsigned kMin[] = {0, 0x80, 0x800, 0x10000};
        if (uCode < kMin[uExtra] || uCode > 0x10FFFF || (uCode >= 0xD800 && uCode <= 0xDFFF))
            return false;
        i += uExtra + 1;
    }
    return true;
}

// Bytes F4 90 80 80 (beyond U+10FFFF), an overlong NUL and a surrogate in a
// server field: shown in code page 65001, each must come out as \xNN, and
// the output must stay UTF-8.
TEST(FuzzFindingTest, ShowInUtf8KeepsItsOutputUtf8)
{
    for (bool bJson : {false, true}) {
        std::vector<std::string> astrArgs = {kFtpcfg, "show", "--codepage", "65001",
                                             (kFixtures / "utf8-beyond-last-code-point.bin").string()};
        if (bJson)
            astrArgs.push_back("--json");
        faults::ProcessResult r = faults::RunProcess(astrArgs);
        EXPECT_EQ(r.iExitCode, 0) << Describe(r);
        EXPECT_TRUE(IsUtf8(r.strOut)) << r.strOut;
        EXPECT_EQ(r.strOut.find("\xF4\x90\x80\x80"), std::string::npos) << r.strOut;
    }
}

} // namespace
