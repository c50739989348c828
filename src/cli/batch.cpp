// "ftpcfg batch": a first streaming pass checks every row, a second writes
// the folders. Memory is one row plus 8 bytes per row for the duplicate-name
// check (a hash of each name; a third pass over the few rows whose hashes
// meet tells real duplicates from collisions).
#include "batch.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <vector>

#include "config_store.h"
#include "entries.h"
#include "folder_name.h"
#include "platform/system.h"
#include "store_text.h"

namespace {

uint64_t NameHash(const std::string& strFolded)
{
    uint64_t uHash = 1469598103934665603ull; // FNV-1a
    for (char ch : strFolded) {
        uHash ^= static_cast<unsigned char>(ch);
        uHash *= 1099511628211ull;
    }
    return uHash;
}

void Report(std::ostream& err, const std::string& strSource, uint64_t uLine, const std::string& strColumn,
            const std::string& strMessage)
{
    err << strSource << ":" << uLine << ": ";
    if (!strColumn.empty())
        err << "column '" << strColumn << "': ";
    err << strMessage << "\n";
}

ConfigEntries EntriesOf(const DeviceRow& sRow)
{
    ConfigEntries e;
    e.strType = sRow.strType;
    e.strServer = sRow.strServer;
    e.strPort = sRow.strPort;
    e.strUser = sRow.strUser;
    e.strPassword = sRow.strPassword;
    e.bSpecifyDir = !sRow.strDir.empty(); // an empty dir uploads to the root
    e.strDir = sRow.strDir;
    return e;
}

// The checks of one row that need nothing but the row. Reports each problem.
bool CheckRow(const DeviceRow& sRow, unsigned uCodepage, const std::string& strSource, std::ostream& err)
{
    bool bGood = true;
    std::string strProblem = FolderNameProblem(sRow.strName);
    std::string strNative;
    if (strProblem.empty() && !NativePathFromUtf8(sRow.strName, &strNative))
        strProblem = "the name cannot be a folder name on this system";
    if (!strProblem.empty()) {
        Report(err, strSource, sRow.uLine, "name", strProblem);
        bGood = false;
    }
    FactoryConfig sConfig = MakeFreshConfig();
    std::vector<EntryProblem> aProblems;
    if (!ApplyEntries(EntriesOf(sRow), uCodepage, &sConfig, &aProblems)) {
        for (const EntryProblem& p : aProblems)
            Report(err, strSource, sRow.uLine, p.strColumn, p.strMessage);
        bGood = false;
    }
    return bGood;
}

bool Rewind(std::istream& in)
{
    in.clear();
    in.seekg(0);
    return static_cast<bool>(in);
}

// Reports the later rows of each repeated name; returns how many.
long long ReportDuplicates(std::istream& in, CsvEncoding eEncoding, const std::vector<uint64_t>& auSharedHashes,
                           const std::string& strSource, std::ostream& err)
{
    if (!Rewind(in)) {
        err << strSource << ": cannot read the file a second time\n";
        return 1;
    }
    DeviceCsvReader reader(in, eEncoding);
    CsvProblem sProblem;
    if (!reader.ReadHeader(&sProblem))
        return 1;
    std::map<std::string, uint64_t> mapFirstLine; // only names whose hash is shared
    long long llDuplicates = 0;
    DeviceRow sRow;
    for (CsvRead eRead; (eRead = reader.ReadRow(&sRow, &sProblem)) != CSV_END;) {
        if (eRead != CSV_ROW || !FolderNameProblem(sRow.strName).empty())
            continue;
        std::string strFolded = FoldedName(sRow.strName);
        if (!std::binary_search(auSharedHashes.begin(), auSharedHashes.end(), NameHash(strFolded)))
            continue;
        auto it = mapFirstLine.find(strFolded);
        if (it == mapFirstLine.end()) {
            mapFirstLine.emplace(strFolded, sRow.uLine);
        } else {
            Report(err, strSource, sRow.uLine, "name",
                   "the folder name '" + sRow.strName + "' is used already on line " + std::to_string(it->second));
            ++llDuplicates;
        }
    }
    return llDuplicates;
}

void DrawProgress(std::ostream& err, long long llDone, long long llTotal)
{
    const int kWidth = 40;
    int iFilled = llTotal ? static_cast<int>(llDone * kWidth / llTotal) : kWidth;
    int iPercent = llTotal ? static_cast<int>(llDone * 100 / llTotal) : 100;
    err << "\r[" << std::string(static_cast<size_t>(iFilled), '#') << std::string(static_cast<size_t>(kWidth - iFilled), '-')
        << "] " << iPercent << "% " << llDone << "/" << llTotal << std::flush;
}

} // namespace

long long CheckDevices(std::istream& in, CsvEncoding eEncoding, unsigned uCodepage,
                       const std::string& strSourceName, std::ostream& err)
{
    DeviceCsvReader reader(in, eEncoding);
    CsvProblem sProblem;
    if (!reader.ReadHeader(&sProblem)) {
        Report(err, strSourceName, sProblem.uLine, sProblem.strColumn, sProblem.strMessage);
        return -1;
    }
    bool bAllGood = true;
    long long llRows = 0;
    std::vector<uint64_t> auHashes;
    DeviceRow sRow;
    for (CsvRead eRead; (eRead = reader.ReadRow(&sRow, &sProblem)) != CSV_END;) {
        if (eRead == CSV_BAD_ROW) {
            Report(err, strSourceName, sProblem.uLine, sProblem.strColumn, sProblem.strMessage);
            bAllGood = false;
            continue;
        }
        ++llRows;
        if (!CheckRow(sRow, uCodepage, strSourceName, err))
            bAllGood = false;
        else
            auHashes.push_back(NameHash(FoldedName(sRow.strName)));
    }

    std::sort(auHashes.begin(), auHashes.end());
    std::vector<uint64_t> auShared;
    for (size_t i = 1; i < auHashes.size(); ++i)
        if (auHashes[i] == auHashes[i - 1] && (auShared.empty() || auShared.back() != auHashes[i]))
            auShared.push_back(auHashes[i]);
    std::vector<uint64_t>().swap(auHashes);
    if (!auShared.empty() && ReportDuplicates(in, eEncoding, auShared, strSourceName, err) > 0)
        bAllGood = false;
    return bAllGood ? llRows : -1;
}

int RunBatch(const BatchOptions& o, std::ostream& out, std::ostream& err)
{
    std::string strSource = Utf8FromNativePath(o.strCsvPath);
    std::ifstream in(o.strCsvPath, std::ios::binary);
    if (!in) {
        err << "ftpcfg batch: cannot open " << strSource << "\n";
        return 2;
    }
    long long llRows = CheckDevices(in, o.eEncoding, o.uCodepage, strSource, err);
    if (llRows < 0) {
        err << "ftpcfg batch: nothing written; correct the rows above and run again.\n";
        return 2;
    }
    if (llRows == 0) {
        err << "ftpcfg batch: " << strSource << " has no device rows; nothing written.\n";
        return 2;
    }

    std::string strError;
    if (!MakeFolders(o.strOutDir, &strError)) {
        err << "ftpcfg batch: cannot create " << Utf8FromNativePath(o.strOutDir) << ": " << strError
            << "; nothing written.\n";
        return 2;
    }
    if (!Rewind(in)) {
        err << "ftpcfg batch: cannot read " << strSource << " a second time; nothing written.\n";
        return 2;
    }

    DeviceCsvReader reader(in, o.eEncoding);
    CsvProblem sProblem;
    DeviceRow sRow;
    long long llWritten = 0;
    uint64_t uFirstLine = 0, uLastLine = 0;
    int iLastPercent = -1;
    std::string strFailure;
    uint64_t uFailedLine = 0;
    auto fail = [&](uint64_t uLine, const std::string& strWhy) {
        uFailedLine = uLine;
        strFailure = strWhy;
    };
    const char* const kChanged = "the file changed while it was read";
    if (!reader.ReadHeader(&sProblem))
        fail(sProblem.uLine, kChanged);
    while (strFailure.empty()) {
        CsvRead eRead = reader.ReadRow(&sRow, &sProblem);
        if (eRead == CSV_END)
            break;
        std::string strNative;
        FactoryConfig sConfig = MakeFreshConfig();
        std::vector<EntryProblem> aProblems;
        // Rows that were not checked (a file that grew, or changed) are never written.
        if (eRead != CSV_ROW || llWritten >= llRows || !FolderNameProblem(sRow.strName).empty()
            || !NativePathFromUtf8(sRow.strName, &strNative)) {
            fail(sProblem.uLine, kChanged);
            break;
        }
        std::string strFolder = JoinPath(o.strOutDir, strNative);
        bool bNewFolder = false;
        if (!MakeFolder(strFolder, &strError, &bNewFolder)) {
            fail(sRow.uLine, "cannot create the folder " + Utf8FromNativePath(strFolder) + ": " + strError);
            break;
        }
        // An existing file keeps its reserved bytes and URL 1, as with make.
        // A folder just created holds none, and looking would cost a lookup
        // per row.
        std::string strPath = ConfigFilePath(strFolder.c_str());
        StoreStatus eLoaded = bNewFolder ? STORE_BAD_SIZE : ReadConfigFile(strPath.c_str(), &sConfig, nullptr);
        if (eLoaded == STORE_OPEN_FAILED || eLoaded == STORE_READ_FAILED) {
            fail(sRow.uLine, "cannot read the file already in " + Utf8FromNativePath(strFolder)
                                 + ", so what it carries would be lost");
            break;
        }
        if (!ApplyEntries(EntriesOf(sRow), o.uCodepage, &sConfig, &aProblems)) {
            fail(sRow.uLine, kChanged);
            break;
        }
        StoreStatus eStatus = WriteConfigFile(strPath.c_str(), &sConfig, nullptr);
        if (eStatus != STORE_OK) {
            fail(sRow.uLine, "cannot write " + Utf8FromNativePath(strPath) + ": " + StoreStatusText(eStatus));
            break;
        }
        if (llWritten++ == 0)
            uFirstLine = sRow.uLine;
        uLastLine = sRow.uLine;
        if (o.bProgress) {
            int iPercent = static_cast<int>(llWritten * 100 / llRows);
            if (iPercent != iLastPercent) {
                DrawProgress(err, llWritten, llRows);
                iLastPercent = iPercent;
            }
        }
    }
    if (strFailure.empty() && llWritten != llRows)
        fail(sRow.uLine, kChanged);
    if (o.bProgress && iLastPercent >= 0)
        err << "\n";

    std::string strOutDir = Utf8FromNativePath(o.strOutDir);
    if (!strFailure.empty()) {
        Report(err, strSource, uFailedLine, "", strFailure);
        err << "ftpcfg batch: stopped; " << llWritten << " of " << llRows << " folders written";
        if (llWritten)
            err << " (the rows on lines " << uFirstLine << " to " << uLastLine << ")";
        err << " in " << strOutDir << "; the row on line " << uFailedLine << " and those after it were not.\n";
        return 2;
    }
    out << "Wrote " << llWritten << " configuration folders in " << strOutDir << "\n";
    return 0;
}
