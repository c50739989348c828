// The process-wide configuration record and the bounded reading of its texts.
#include "factory_config.h"

#include <cstring>

// Static initialisation: all zero but the port.
FactoryConfig g_sFactoryConfig = {
    SELECT_SFTP, 0, CONFIG_DEFAULT_PORT, {}, 0, {}, FTP_DIR_ROOT, {}, 0, {}, {}, {},
};

FactoryConfig MakeFreshConfig()
{
    FactoryConfig sConfig;
    std::memset(&sConfig, 0, sizeof sConfig);
    sConfig.uwDebugPort = CONFIG_DEFAULT_PORT;
    return sConfig;
}

std::string BoundedText(const char* pField, size_t uWidth)
{
    const void* pNul = std::memchr(pField, '\0', uWidth);
    size_t uLength = pNul ? static_cast<size_t>(static_cast<const char*>(pNul) - pField) : uWidth;
    return std::string(pField, uLength);
}

bool IsFieldTerminated(const char* pField, size_t uWidth)
{
    return std::memchr(pField, '\0', uWidth) != nullptr;
}
