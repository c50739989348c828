// The ftpcfg command line: four subcommands over the core's file format.
#include "cli_app.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>

#include "batch.h"
#include "config_store.h"
#include "entries.h"
#include "generate_messages.h"
#include "platform/system.h"
#include "record_view.h"
#include "store_text.h"
#include "text_codec.h"
#include "verify.h"

#ifndef FTPCFG_VERSION
#define FTPCFG_VERSION "0"
#endif

namespace {

struct Options {
    std::string strPath;
    bool bJson = false;
    unsigned uCodepage = CODEPAGE_GBK;
    ConfigEntries sEntries;
    bool bPasswordStdin = false;
    std::string strOutFolder = ".";
    std::string strCsv, strOutDir, strCsvEncoding = "utf-8";
};

// A file image: up to one byte more than a record, and the file's full size.
struct Image {
    std::string strBytes;
    long long llSize = 0;
};

bool ReadImage(const std::string& strNative, Image* pImage)
{
    FILE* pFile = std::fopen(strNative.c_str(), "rb");
    if (!pFile)
        return false;
    char achBuffer[CONFIG_RECORD_SIZE + 1];
    size_t uRead = std::fread(achBuffer, 1, sizeof achBuffer, pFile);
    bool bOk = !std::ferror(pFile);
    pImage->strBytes.assign(achBuffer, uRead);
    pImage->llSize = static_cast<long long>(uRead);
    if (bOk && uRead == sizeof achBuffer && std::fseek(pFile, 0, SEEK_END) == 0)
        pImage->llSize = std::ftell(pFile);
    std::fclose(pFile);
    return bOk;
}

// PATH of show and verify: a file, or a folder holding CFG_FTP.bin.
bool ResolveConfigPath(const std::string& strUtf8, std::string* pNative, std::ostream& err, const char* szCommand)
{
    std::string strNative;
    if (!NativePathFromUtf8(strUtf8, &strNative)) {
        err << "ftpcfg " << szCommand << ": this system cannot name the path " << strUtf8 << "\n";
        return false;
    }
    *pNative = IsFolder(strNative) ? ConfigFilePath(strNative.c_str()) : strNative;
    return true;
}

bool LoadImage(const std::string& strUtf8, Image* pImage, std::string* pNative, std::ostream& err,
               const char* szCommand)
{
    if (!ResolveConfigPath(strUtf8, pNative, err, szCommand))
        return false;
    if (!ReadImage(*pNative, pImage)) {
        err << "ftpcfg " << szCommand << ": cannot read " << Utf8FromNativePath(*pNative) << "\n";
        return false;
    }
    return true;
}

bool CheckCodepage(unsigned uCodepage, std::ostream& err)
{
    if (IsCodepageSupported(uCodepage))
        return true;
    err << "ftpcfg: code page " << uCodepage << " is not supported on this system\n";
    return false;
}

int RunShow(const Options& o, std::ostream& out, std::ostream& err)
{
    if (!CheckCodepage(o.uCodepage, err))
        return EXIT_BAD_INPUT;
    Image sImage;
    std::string strNative;
    if (!LoadImage(o.strPath, &sImage, &strNative, err, "show"))
        return EXIT_BAD_INPUT;
    FactoryConfig sConfig;
    if (!DecodeImage(sImage.strBytes.data(), sImage.strBytes.size(), &sConfig)) {
        err << "ftpcfg show: " << Utf8FromNativePath(strNative) << " is " << sImage.llSize << " bytes, not "
            << CONFIG_RECORD_SIZE << "; it is not a configuration file\n";
        return EXIT_BAD_INPUT;
    }
    std::string strSource = Utf8FromNativePath(strNative);
    out << (o.bJson ? RenderConfigJson(sConfig, o.uCodepage, strSource)
                    : RenderConfigText(sConfig, o.uCodepage, strSource));
    return EXIT_DONE;
}

int RunVerify(const Options& o, std::ostream& out, std::ostream& err)
{
    Image sImage;
    std::string strNative;
    if (!LoadImage(o.strPath, &sImage, &strNative, err, "verify"))
        return EXIT_BAD_INPUT;
    std::vector<Finding> aFindings = VerifyImage(sImage.strBytes.data(), sImage.strBytes.size());
    if (!aFindings.empty() && aFindings[0].iOffset < 0)
        aFindings[0].strMessage = "the file is " + std::to_string(sImage.llSize) + " bytes, not "
                                  + std::to_string(CONFIG_RECORD_SIZE);
    std::string strSource = Utf8FromNativePath(strNative);
    if (aFindings.empty()) {
        out << strSource << ": OK, it holds what the dialog writes\n";
        return EXIT_DONE;
    }
    out << strSource << ": " << aFindings.size() << (aFindings.size() == 1 ? " finding\n" : " findings\n")
        << RenderFindings(aFindings);
    return EXIT_FINDINGS;
}

int RunMake(Options o, std::istream& in, std::ostream& out, std::ostream& err)
{
    if (!CheckCodepage(o.uCodepage, err))
        return EXIT_BAD_INPUT;
    if (o.bPasswordStdin) {
        std::getline(in, o.sEntries.strPassword);
        if (!o.sEntries.strPassword.empty() && o.sEntries.strPassword.back() == '\r')
            o.sEntries.strPassword.pop_back();
    }
    std::string strFolder;
    if (!NativePathFromUtf8(o.strOutFolder, &strFolder)) {
        err << "ftpcfg make: this system cannot name the folder " << o.strOutFolder << "\n";
        return EXIT_BAD_INPUT;
    }
    std::string strPath = ConfigFilePath(strFolder.c_str());

    // Start from the file already there, as the dialog does: its reserved
    // bytes, URL 1 and the bytes behind each text's NUL carry over.
    FactoryConfig sConfig = MakeFreshConfig();
    StoreStatus eLoaded = ReadConfigFile(strPath.c_str(), &sConfig, nullptr);
    if (eLoaded == STORE_OPEN_FAILED || eLoaded == STORE_READ_FAILED) {
        // A file of the right size that cannot be read would lose what it
        // carries if it were replaced: refuse rather than start afresh.
        err << GENERATE_SAVE_FAILED "\n" << Utf8FromNativePath(strPath)
            << ": the file there cannot be read, so what it carries would be lost\n";
        return EXIT_BAD_INPUT;
    }

    std::vector<EntryProblem> aProblems;
    if (!ApplyEntries(o.sEntries, o.uCodepage, &sConfig, &aProblems)) {
        // The dialog stops at the first entry it refuses; so does make.
        err << GENERATE_FAILED "\n" << aProblems.front().strMessage << "\n";
        return EXIT_BAD_INPUT;
    }
    StoreStatus eStatus = WriteConfigFile(strPath.c_str(), &sConfig, nullptr);
    if (eStatus != STORE_OK) {
        err << GENERATE_SAVE_FAILED "\n" << Utf8FromNativePath(strPath) << ": " << StoreStatusText(eStatus) << "\n";
        return EXIT_BAD_INPUT;
    }
    out << GENERATE_SAVE_OK "\n" << Utf8FromNativePath(strPath) << "\n";
    return EXIT_DONE;
}

void AddCodepageOption(CLI::App* pCommand, Options* pOptions)
{
    pCommand->add_option("--codepage", pOptions->uCodepage,
                         "Code page of the texts in the file (936 Simplified Chinese, 1252 Western, ...)")
        ->capture_default_str();
}

} // namespace

int RunCli(const std::vector<std::string>& astrArgs, std::istream& in, std::ostream& out, std::ostream& err,
           bool bTerminal)
{
    Options o;
    CLI::App app("Shows, verifies and makes the camera upload configuration file CFG_FTP.bin.", "ftpcfg");
    app.set_version_flag("--version", "ftpcfg " FTPCFG_VERSION);
    app.require_subcommand(1);
    app.footer("Exit codes: 0 done, 1 verify found problems, 2 bad input or a failed write.");

    CLI::App* pShow = app.add_subcommand("show", "Print every field of a configuration file with its offset");
    pShow->add_option("PATH", o.strPath, "CFG_FTP.bin, or a folder holding it")->required();
    pShow->add_flag("--json", o.bJson, "Print one JSON object (schema ftpcfg-show, version 1)");
    AddCodepageOption(pShow, &o);

    CLI::App* pVerify = app.add_subcommand("verify", "Check that a file holds what the dialog writes (exit 1 if not)");
    pVerify->add_option("PATH", o.strPath, "CFG_FTP.bin, or a folder holding it")->required();

    CLI::App* pMake = app.add_subcommand("make", "Write FOLDER/CFG_FTP.bin as the dialog's Generate does");
    pMake->add_option("--type", o.sEntries.strType, "Transfer type")
        ->required()
        ->check(CLI::IsMember({"sftp", "ftp"}, CLI::ignore_case));
    pMake->add_option("--server", o.sEntries.strServer, "Server address (at most 60 bytes in the code page)");
    pMake->add_option("--port", o.sEntries.strPort, "Port, 0 to 65535");
    pMake->add_option("--user", o.sEntries.strUser, "User name (at most 48 bytes)");
    CLI::Option* pPassword = pMake->add_option("--password", o.sEntries.strPassword, "Password (at most 32 bytes)");
    CLI::Option* pPasswordStdin = pMake->add_flag(
        "--password-stdin", o.bPasswordStdin, "Read the password from the first line of standard input");
    pPassword->excludes(pPasswordStdin);
    CLI::Option* pDir = pMake->add_option("--dir", o.sEntries.strDir,
                                          "Upload directory (at most 31 bytes); without it, the root directory \"/\"");
    pMake->add_option("-o,--output", o.strOutFolder, "Folder to write CFG_FTP.bin into")->capture_default_str();
    AddCodepageOption(pMake, &o);

    CLI::App* pBatch = app.add_subcommand("batch", "Write one folder with CFG_FTP.bin per row of a devices CSV");
    pBatch->add_option("DEVICES_CSV", o.strCsv, "CSV with the columns name,type,server,port,user,password,dir")
        ->required();
    pBatch->add_option("OUTDIR", o.strOutDir, "Folder to create the device folders in")->required();
    pBatch->add_option("--csv-encoding", o.strCsvEncoding, "Encoding of the CSV")
        ->check(CLI::IsMember({"utf-8", "gbk"}, CLI::ignore_case))
        ->capture_default_str();
    AddCodepageOption(pBatch, &o);

    std::vector<const char*> apArgs;
    for (const std::string& strArg : astrArgs)
        apArgs.push_back(strArg.c_str());
    try {
        app.parse(static_cast<int>(apArgs.size()), apArgs.data());
    } catch (const CLI::ParseError& e) {
        int iCode = app.exit(e, out, err);
        return iCode == 0 ? EXIT_DONE : EXIT_BAD_INPUT;
    }

    if (pShow->parsed())
        return RunShow(o, out, err);
    if (pVerify->parsed())
        return RunVerify(o, out, err);
    if (pMake->parsed()) {
        o.sEntries.bSpecifyDir = pDir->count() > 0;
        return RunMake(o, in, out, err);
    }
    BatchOptions sBatch;
    if (!NativePathFromUtf8(o.strCsv, &sBatch.strCsvPath) || !NativePathFromUtf8(o.strOutDir, &sBatch.strOutDir)) {
        err << "ftpcfg batch: this system cannot name the paths given\n";
        return EXIT_BAD_INPUT;
    }
    if (!CheckCodepage(o.uCodepage, err))
        return EXIT_BAD_INPUT;
    sBatch.eEncoding = (o.strCsvEncoding == "gbk" || o.strCsvEncoding == "GBK") ? CSV_GBK : CSV_UTF8;
    sBatch.uCodepage = o.uCodepage;
    sBatch.bProgress = bTerminal;
    return RunBatch(sBatch, out, err);
}
