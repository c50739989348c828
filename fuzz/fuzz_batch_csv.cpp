// Fuzzes "ftpcfg batch" with a devices list of any bytes: the CSV reading and
// the row checks in both encodings, and, for a small list that passes them,
// the writing too: every folder it makes lies in the output folder and holds
// a file that "ftpcfg verify" finds nothing wrong with.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "batch.h"
#include "device_csv.h"
#include "text_codec.h"
#include "verify.h"

namespace {

std::filesystem::path g_folder;

void Require(bool bHolds, const char* szWhat)
{
    if (!bHolds) {
        std::fprintf(stderr, "broken: %s\n", szWhat);
        std::abort();
    }
}

void RemoveFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(g_folder, ec);
}

// Reads the rows the way the batch does and counts those that read.
long long CountReadableRows(const std::string& strCsv, CsvEncoding eEncoding, bool* pHeaderGood)
{
    std::istringstream in(strCsv);
    DeviceCsvReader reader(in, eEncoding);
    CsvProblem sProblem;
    *pHeaderGood = reader.ReadHeader(&sProblem);
    if (!*pHeaderGood)
        return 0;
    long long llRows = 0;
    uint64_t uLastLine = 1;
    DeviceRow sRow;
    for (CsvRead eRead; (eRead = reader.ReadRow(&sRow, &sProblem)) != CSV_END;) {
        uint64_t uLine = eRead == CSV_ROW ? sRow.uLine : sProblem.uLine;
        Require(uLine > uLastLine, "line numbers go up");
        uLastLine = uLine;
        if (eRead != CSV_ROW)
            continue;
        ++llRows;
        for (const std::string* pField : {&sRow.strName, &sRow.strType, &sRow.strServer, &sRow.strPort,
                                          &sRow.strUser, &sRow.strPassword, &sRow.strDir})
            Require(IsValidUtf8(*pField), "fields are UTF-8");
    }
    return llRows;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Writes a list that passed the checks and inspects what came out.
void CheckWriting(const std::string& strCsv, CsvEncoding eEncoding, long long llRows)
{
    const std::filesystem::path csv = g_folder / "devices.csv";
    const std::filesystem::path out = g_folder / "out";
    std::error_code ec;
    std::filesystem::remove_all(out, ec);
    {
        std::ofstream file(csv, std::ios::binary | std::ios::trunc);
        file << strCsv;
    }
    BatchOptions sOptions;
    sOptions.strCsvPath = csv.string();
    sOptions.strOutDir = out.string();
    sOptions.eEncoding = eEncoding;
    std::ostringstream sOut, sErr;
    Require(RunBatch(sOptions, sOut, sErr) == 0, "a list that passed the checks is written");

    long long llFolders = 0;
    for (const auto& entry : std::filesystem::directory_iterator(g_folder)) {
        const std::string strName = entry.path().filename().string();
        Require(strName == "devices.csv" || strName == "out", "nothing written beside the output folder");
    }
    for (const auto& entry : std::filesystem::directory_iterator(out)) {
        Require(entry.is_directory(), "one folder per row");
        ++llFolders;
        std::filesystem::path file = entry.path() / "CFG_FTP.bin";
        std::string strImage = ReadFile(file);
        Require(VerifyImage(strImage.data(), strImage.size()).empty(), "every file written verifies");
        long long llEntries = 0;
        for (const auto& inside : std::filesystem::directory_iterator(entry.path())) {
            (void)inside;
            ++llEntries;
        }
        Require(llEntries == 1, "nothing but the file in a folder");
    }
    Require(llFolders == llRows, "as many folders as rows");
    std::filesystem::remove_all(out, ec);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* szBase = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string strTemplate = std::string(szBase) + "/ftpconfig-fuzz-batch-XXXXXX";
    Require(mkdtemp(&strTemplate[0]) != nullptr, "temporary folder");
    g_folder = strTemplate;
    std::atexit(RemoveFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize)
{
    const std::string strCsv(reinterpret_cast<const char*>(pData), uSize);
    for (CsvEncoding eEncoding : {CSV_UTF8, CSV_GBK}) {
        bool bHeaderGood = false;
        long long llReadable = CountReadableRows(strCsv, eEncoding, &bHeaderGood);

        std::istringstream in(strCsv);
        std::ostringstream err;
        long long llGood = CheckDevices(in, eEncoding, 936, "devices.csv", err);
        Require(llGood >= -1, "result is a count or -1");
        Require(bHeaderGood || llGood == -1, "a bad header fails the list");
        Require(llGood == -1 || llGood == llReadable, "a good list counts every row");
        Require((llGood == -1) == !err.str().empty(), "problems reported exactly when the list fails");
        if (llGood > 0 && llGood <= 4)
            CheckWriting(strCsv, eEncoding, llGood);
    }
    return 0;
}
