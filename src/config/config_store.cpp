// The configuration file store. The diagnostic lines keep their historic
// texts (typos included); tools and support staff grep for them.
#include "config_store.h"

#include <cstring>

#include "config_codec.h"
#include "platform/file_system.h"

char g_szSavePath[CONFIG_SAVE_PATH_SIZE] = "C:\\";

#ifdef _WIN32
#define CONFIG_PATH_SEPARATOR "\\"
#else
// A backslash is an ordinary file-name character here, so join with "/".
#define CONFIG_PATH_SEPARATOR "/"
#endif

namespace {

const char kUnderscoreLine[] = "________________________________________________\n";

void Diag(FILE* pDiag, const char* szFormat)
{
    if (pDiag)
        std::fprintf(pDiag, "%s", szFormat);
}

template <typename... Args>
void Diag(FILE* pDiag, const char* szFormat, Args... args)
{
    if (pDiag)
        std::fprintf(pDiag, szFormat, args...);
}

int32_t MeasureConfigFile(const char* szPath, FILE* pDiag)
{
    FILE* pFile = OpenConfigStream(szPath, "rb");
    if (!pFile) {
        Diag(pDiag, "File not exist!\n");
        return 0;
    }
    std::fseek(pFile, 0, SEEK_END);
    long lSize = std::ftell(pFile);
    std::fclose(pFile);
    // A size beyond the 32-bit range is simply not 308.
    return (lSize < 0 || lSize > INT32_MAX) ? -1 : static_cast<int32_t>(lSize);
}

std::string TemporaryPathFor(const char* szPath)
{
    char szSuffix[32];
    std::snprintf(szSuffix, sizeof szSuffix, ".%lu.tmp", CurrentProcessNumber());
    return std::string(szPath) + szSuffix;
}

} // namespace

std::string ConfigFilePath(const char* szFolder)
{
    return std::string(szFolder) + CONFIG_PATH_SEPARATOR CONFIG_FILE_NAME;
}

int32_t GetConfigFileSize(const char* szPath)
{
    return MeasureConfigFile(szPath, stdout);
}

StoreStatus ReadConfigFile(const char* szPath, FactoryConfig* pConfig, FILE* pDiag)
{
    Diag(pDiag, "sizeof = %d\n", static_cast<int>(sizeof(FactoryConfig)));

    int32_t iSize = MeasureConfigFile(szPath, pDiag);
    Diag(pDiag, "iGetFileSize = %d\n", static_cast<int>(iSize));
    if (iSize != CONFIG_RECORD_SIZE) {
        Diag(pDiag, "File szie != struct size!\n");
        return STORE_BAD_SIZE;
    }

    FILE* pFile = OpenConfigStream(szPath, "rb");
    if (!pFile) {
        Diag(pDiag, "Open file - \"%s\" err!\n", szPath);
        return STORE_OPEN_FAILED;
    }
    Diag(pDiag, "Open file - \"%s\" success!\n", szPath);

    // Read into a buffer of our own: the file may have shrunk or grown since
    // it was measured, and neither may leave a half-filled or foreign record.
    unsigned char abyImage[CONFIG_RECORD_SIZE];
    size_t uRead = std::fread(abyImage, 1, sizeof abyImage, pFile);
    bool bEndReached = uRead == sizeof abyImage && std::fgetc(pFile) == EOF;
    std::fclose(pFile);
    if (!bEndReached) {
        Diag(pDiag, "Read file - \"%s\" err!\n", szPath);
        return STORE_READ_FAILED;
    }

    DecodeConfig(abyImage, CONFIG_RECORD_SIZE);
    std::memcpy(pConfig, abyImage, CONFIG_RECORD_SIZE);

    Diag(pDiag, "g_sFactoryConfig.bySelectBy =%d\n", static_cast<int>(pConfig->bySelectBy));
    Diag(pDiag, "g_sFactoryConfig.uwDebugPort=%d\n", static_cast<int>(pConfig->uwDebugPort));
    Diag(pDiag, "g_sFactoryConfig.szDebugUrl =%s\n", FieldText(pConfig->szDebugUrl).c_str());
    return STORE_OK;
}

StoreStatus WriteConfigFile(const char* szPath, const FactoryConfig* pConfig, FILE* pDiag)
{
    // The record itself stays plain; only this copy is scrambled.
    unsigned char abyImage[CONFIG_RECORD_SIZE];
    std::memcpy(abyImage, pConfig, CONFIG_RECORD_SIZE);

    std::string strTemporary = TemporaryPathFor(szPath);
    FILE* pFile = OpenConfigStream(strTemporary.c_str(), "wb");
    if (!pFile) {
        Diag(pDiag, "Open file - \"%s\" err!\n", szPath);
        Diag(pDiag, kUnderscoreLine);
        return STORE_OPEN_FAILED;
    }
    Diag(pDiag, "Open file - \"%s\" success!\n", szPath);

    EncodeConfig(abyImage, CONFIG_RECORD_SIZE);
    size_t uWritten = std::fwrite(abyImage, 1, sizeof abyImage, pFile);
    bool bFlushed = std::fflush(pFile) == 0;
    bool bClosed = std::fclose(pFile) == 0;
    if (uWritten != sizeof abyImage || !bFlushed || !bClosed) {
        RemoveConfigFile(strTemporary.c_str());
        Diag(pDiag, "Write file - \"%s\" err!\n", szPath);
        Diag(pDiag, kUnderscoreLine);
        return STORE_WRITE_FAILED;
    }

    if (!ReplaceConfigFile(strTemporary.c_str(), szPath)) {
        RemoveConfigFile(strTemporary.c_str());
        Diag(pDiag, "Replace file - \"%s\" err!\n", szPath);
        Diag(pDiag, kUnderscoreLine);
        return STORE_REPLACE_FAILED;
    }

    Diag(pDiag, kUnderscoreLine);
    return STORE_OK;
}

int LoadConfig()
{
    std::string strPath = ConfigFilePath(g_szSavePath);
    return ReadConfigFile(strPath.c_str(), &g_sFactoryConfig, stdout) == STORE_OK ? 1 : 0;
}

int SaveConfig()
{
    std::string strPath = ConfigFilePath(g_szSavePath);
    return WriteConfigFile(strPath.c_str(), &g_sFactoryConfig, stdout) == STORE_OK ? 1 : 0;
}
