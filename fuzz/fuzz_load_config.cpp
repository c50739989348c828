// Fuzzes loading: any bytes of any length as "CFG_FTP.bin", through LoadConfig
// and ReadConfigFile and on into everything that shows a field as text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "config_codec.h"
#include "config_store.h"
#include "factory_config.h"

namespace {

std::string g_strFolder;
std::string g_strFile;

// Any broken promise is a finding: abort so that libFuzzer keeps the input.
void Require(bool bHolds, const char* szWhat)
{
    if (!bHolds) {
        std::fprintf(stderr, "broken: %s\n", szWhat);
        std::abort();
    }
}

void RemoveFolder()
{
    std::remove(g_strFile.c_str());
    rmdir(g_strFolder.c_str());
}

// A RAM-backed folder where the machine has one: the target writes a file per input.
void MakeFolder()
{
    const char* szBase = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string strTemplate = std::string(szBase) + "/ftpconfig-fuzz-XXXXXX";
    Require(mkdtemp(&strTemplate[0]) != nullptr, "temporary folder");
    g_strFolder = strTemplate;
    g_strFile = ConfigFilePath(g_strFolder.c_str());
    Require(g_strFolder.size() < sizeof g_szSavePath, "folder fits g_szSavePath");
    std::strcpy(g_szSavePath, g_strFolder.c_str());
    std::atexit(RemoveFolder);
}

void WriteInput(const uint8_t* pData, size_t uSize)
{
    FILE* pFile = std::fopen(g_strFile.c_str(), "wb");
    Require(pFile != nullptr, "open the input file");
    Require(uSize == 0 || std::fwrite(pData, 1, uSize, pFile) == uSize, "write the input file");
    Require(std::fclose(pFile) == 0, "close the input file");
}

std::string ReadFile(const std::string& strPath)
{
    std::string strBytes;
    FILE* pFile = std::fopen(strPath.c_str(), "rb");
    if (!pFile)
        return strBytes;
    char achBuffer[512];
    size_t uRead;
    while ((uRead = std::fread(achBuffer, 1, sizeof achBuffer, pFile)) > 0)
        strBytes.append(achBuffer, uRead);
    std::fclose(pFile);
    return strBytes;
}

// A field shown as text: never longer than its width, equal to its bytes up to
// the first NUL, and usable as a C string without reading past the field.
template <size_t N>
void ShowField(const char (&field)[N])
{
    std::string strText = FieldText(field);
    const void* pNul = std::memchr(field, '\0', N);
    Require(FieldIsTerminated(field) == (pNul != nullptr), "terminated flag");
    size_t uExpected = pNul ? static_cast<size_t>(static_cast<const char*>(pNul) - field) : N;
    Require(strText.size() == uExpected, "bounded length");
    Require(std::memcmp(strText.data(), field, uExpected) == 0, "bounded bytes");

    char szLine[128];
    int iLength = std::snprintf(szLine, sizeof szLine, "[%s]", strText.c_str());
    Require(iLength == static_cast<int>(uExpected) + 2, "printed length");
}

void ShowRecord(const FactoryConfig& sRecord)
{
    ShowField(sRecord.szDebugUrl);
    ShowField(sRecord.szUrl1);
    ShowField(sRecord.szFtpDir);
    ShowField(sRecord.szFtpServer);
    ShowField(sRecord.szFtpUser);
    ShowField(sRecord.szFtpPassword);
}

// The record the file decodes to, straight from the input bytes.
FactoryConfig DecodedImage(const uint8_t* pData)
{
    FactoryConfig sRecord;
    std::memcpy(&sRecord, pData, CONFIG_RECORD_SIZE);
    DecodeConfig(&sRecord, CONFIG_RECORD_SIZE);
    return sRecord;
}

// The diagnostic lines a load writes for this input.
std::string ExpectedLines(const uint8_t* pData, size_t uSize)
{
    char szLine[512];
    std::string strLines = "sizeof = 308\n";
    std::snprintf(szLine, sizeof szLine, "iGetFileSize = %d\n", static_cast<int>(uSize));
    strLines += szLine;
    if (uSize != CONFIG_RECORD_SIZE)
        return strLines + "File szie != struct size!\n";
    strLines += "Open file - \"" + g_strFile + "\" success!\n";
    FactoryConfig sRecord = DecodedImage(pData);
    std::snprintf(szLine, sizeof szLine,
                  "g_sFactoryConfig.bySelectBy =%d\ng_sFactoryConfig.uwDebugPort=%d\n"
                  "g_sFactoryConfig.szDebugUrl =%s\n",
                  sRecord.bySelectBy, sRecord.uwDebugPort, FieldText(sRecord.szDebugUrl).c_str());
    return strLines + szLine;
}

std::string DiagnosticsOfRead(FactoryConfig* pRecord, StoreStatus* pStatus)
{
    char* pBuffer = nullptr;
    size_t uLength = 0;
    FILE* pDiag = open_memstream(&pBuffer, &uLength);
    Require(pDiag != nullptr, "memory stream");
    *pStatus = ReadConfigFile(g_strFile.c_str(), pRecord, pDiag);
    std::fclose(pDiag);
    std::string strLines(pBuffer, uLength);
    std::free(pBuffer);
    return strLines;
}

FactoryConfig Sentinel()
{
    FactoryConfig sRecord = MakeFreshConfig();
    std::memset(&sRecord, 0xEE, sizeof sRecord);
    return sRecord;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    MakeFolder();
    // The dialog's lines go to standard output; formatting them is part of
    // what is fuzzed, printing them is not.
    Require(std::freopen("/dev/null", "w", stdout) != nullptr, "/dev/null");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize)
{
    WriteInput(pData, uSize);
    const bool bRightSize = uSize == CONFIG_RECORD_SIZE;
    const FactoryConfig sSentinel = Sentinel();

    // The store's own entry point, with its lines checked word for word.
    FactoryConfig sRecord = sSentinel;
    StoreStatus eStatus;
    std::string strLines = DiagnosticsOfRead(&sRecord, &eStatus);
    Require(strLines == ExpectedLines(pData, uSize), "diagnostic lines");
    Require((eStatus == STORE_OK) == bRightSize, "accepted exactly at 308 bytes");
    if (bRightSize) {
        FactoryConfig sExpected = DecodedImage(pData);
        Require(std::memcmp(&sRecord, &sExpected, CONFIG_RECORD_SIZE) == 0, "decoded record");
        ShowRecord(sRecord);
    } else {
        Require(std::memcmp(&sRecord, &sSentinel, CONFIG_RECORD_SIZE) == 0, "record kept");
    }

    // The dialog's entry point on the global record.
    g_sFactoryConfig = sSentinel;
    int iLoaded = LoadConfig();
    Require(iLoaded == (bRightSize ? 1 : 0), "LoadConfig result");
    Require(std::memcmp(&g_sFactoryConfig, bRightSize ? &sRecord : &sSentinel, CONFIG_RECORD_SIZE) == 0,
            "LoadConfig record");
    ShowRecord(g_sFactoryConfig);

    // Whatever was loaded is saved back byte for byte.
    if (bRightSize) {
        Require(SaveConfig() == 1, "SaveConfig");
        std::string strSaved = ReadFile(g_strFile);
        Require(strSaved.size() == uSize && std::memcmp(strSaved.data(), pData, uSize) == 0,
                "saved file equals the loaded one");
        Require(std::memcmp(&g_sFactoryConfig, &sRecord, CONFIG_RECORD_SIZE) == 0, "record stays plain");
    }
    return 0;
}
