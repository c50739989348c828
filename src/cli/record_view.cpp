// Rendering of a decoded record for "ftpcfg show", as text and as JSON.
#include "record_view.h"

#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>

#include "config_codec.h"
#include "text_codec.h"

bool DecodeImage(const void* pData, size_t uSize, FactoryConfig* pConfig)
{
    if (uSize != CONFIG_RECORD_SIZE)
        return false;
    unsigned char abyImage[CONFIG_RECORD_SIZE];
    std::memcpy(abyImage, pData, CONFIG_RECORD_SIZE);
    DecodeConfig(abyImage, CONFIG_RECORD_SIZE);
    std::memcpy(pConfig, abyImage, CONFIG_RECORD_SIZE);
    return true;
}

namespace {

struct TextField {
    const char* szName;
    size_t uOffset;
    size_t uWidth;
};

// The six texts in file order.
const TextField kTextFields[] = {
    {"szDebugUrl", offsetof(FactoryConfig, szDebugUrl), sizeof(FactoryConfig::szDebugUrl)},
    {"szUrl1", offsetof(FactoryConfig, szUrl1), sizeof(FactoryConfig::szUrl1)},
    {"szFtpDir", offsetof(FactoryConfig, szFtpDir), sizeof(FactoryConfig::szFtpDir)},
    {"szFtpServer", offsetof(FactoryConfig, szFtpServer), sizeof(FactoryConfig::szFtpServer)},
    {"szFtpUser", offsetof(FactoryConfig, szFtpUser), sizeof(FactoryConfig::szFtpUser)},
    {"szFtpPassword", offsetof(FactoryConfig, szFtpPassword), sizeof(FactoryConfig::szFtpPassword)},
};

// One text field taken apart: its value, whether a NUL ends it inside its
// width, and the bytes behind the NUL up to the last one that is not zero.
struct TextParts {
    std::string strValue;
    bool bTerminated;
    size_t uTailOffset; // record offset of the first byte behind the NUL
    std::string strTail;
};

TextParts SplitText(const FactoryConfig& sConfig, const TextField& sField)
{
    const char* pField = reinterpret_cast<const char*>(&sConfig) + sField.uOffset;
    TextParts sParts;
    sParts.strValue = BoundedText(pField, sField.uWidth);
    sParts.bTerminated = sParts.strValue.size() < sField.uWidth;
    sParts.uTailOffset = sField.uOffset + sParts.strValue.size() + 1;
    if (sParts.bTerminated) {
        size_t uBegin = sParts.strValue.size() + 1;
        size_t uEnd = sField.uWidth;
        while (uEnd > uBegin && pField[uEnd - 1] == '\0')
            --uEnd;
        sParts.strTail.assign(pField + uBegin, uEnd - uBegin);
    }
    return sParts;
}

std::string Hex(const std::string& strBytes, const char* szSeparator)
{
    std::string strOut;
    char szByte[3];
    for (size_t i = 0; i < strBytes.size(); ++i) {
        if (i)
            strOut += szSeparator;
        std::snprintf(szByte, sizeof szByte, "%02x", static_cast<unsigned char>(strBytes[i]));
        strOut += szByte;
    }
    return strOut;
}

const char* TypeName(uint8_t byType)
{
    return byType == SELECT_SFTP ? "sftp" : byType == SELECT_FTP ? "ftp" : nullptr;
}

const char* DirModeName(int32_t iMode)
{
    return iMode == FTP_DIR_ROOT ? "root" : iMode == FTP_DIR_SPECIFY ? "specify" : nullptr;
}

std::string Line(size_t uOffset, const char* szField, const std::string& strValue)
{
    char szHead[48];
    std::snprintf(szHead, sizeof szHead, "%6zu  %-14s ", uOffset, szField);
    return szHead + strValue + "\n";
}

} // namespace

std::string RenderConfigText(const FactoryConfig& sConfig, unsigned uCodepage,
                             const std::string& strSource)
{
    std::string strOut = strSource + ": " + std::to_string(CONFIG_RECORD_SIZE) + " bytes, texts in code page "
                         + std::to_string(uCodepage) + "\n";
    strOut += "Offset  Field          Value\n";

    const char* szType = TypeName(sConfig.bySelectBy);
    strOut += Line(0, "bySelectBy",
                   std::to_string(sConfig.bySelectBy) + " (" + (szType ? szType : "unknown type") + ")");
    strOut += Line(1, "byReserved1", std::to_string(sConfig.byReserved1));
    strOut += Line(2, "uwDebugPort", std::to_string(sConfig.uwDebugPort));

    auto renderText = [&](const TextField& sField) {
        TextParts sParts = SplitText(sConfig, sField);
        std::string strValue = "\"" + DisplayText(sParts.strValue, uCodepage) + "\"";
        if (!sParts.bTerminated)
            strValue += "  [no NUL within its " + std::to_string(sField.uWidth) + " bytes]";
        strOut += Line(sField.uOffset, sField.szName, strValue);
        if (!sParts.strTail.empty())
            strOut += "                       behind the NUL, from offset " + std::to_string(sParts.uTailOffset)
                      + ": " + Hex(sParts.strTail, " ") + "\n";
    };

    renderText(kTextFields[0]);
    strOut += Line(65, "byUrl1Enable",
                   std::to_string(sConfig.byUrl1Enable) + (sConfig.byUrl1Enable ? " (on)" : " (off)"));
    renderText(kTextFields[1]);
    const char* szMode = DirModeName(sConfig.iFtpDirMode);
    strOut += Line(128, "iFtpDirMode",
                   std::to_string(sConfig.iFtpDirMode) + " (" + (szMode ? szMode : "unknown mode") + ")");
    renderText(kTextFields[2]);
    strOut += Line(164, "byReserved2", std::to_string(sConfig.byReserved2));
    for (size_t i = 3; i < sizeof kTextFields / sizeof kTextFields[0]; ++i)
        renderText(kTextFields[i]);
    return strOut;
}

std::string RenderConfigJson(const FactoryConfig& sConfig, unsigned uCodepage,
                             const std::string& strSource)
{
    using nlohmann::ordered_json;
    ordered_json jRoot;
    jRoot["format"] = "ftpcfg-show";
    jRoot["version"] = 1;
    jRoot["source"] = strSource;
    jRoot["size"] = static_cast<int>(CONFIG_RECORD_SIZE);
    jRoot["codepage"] = uCodepage;

    auto number = [](size_t uOffset, long long llValue) {
        ordered_json j;
        j["offset"] = uOffset;
        j["value"] = llValue;
        return j;
    };
    auto text = [&](const TextField& sField) {
        TextParts sParts = SplitText(sConfig, sField);
        ordered_json j;
        j["offset"] = sField.uOffset;
        j["size"] = sField.uWidth;
        std::string strUtf8;
        // Exact text only when every byte converts; the display form always.
        if (ToUtf8(sParts.strValue, uCodepage, &strUtf8))
            j["text"] = strUtf8;
        else
            j["text"] = nullptr;
        j["display"] = DisplayText(sParts.strValue, uCodepage);
        j["hex"] = Hex(sParts.strValue, "");
        j["terminated"] = sParts.bTerminated;
        if (sParts.strTail.empty()) {
            j["tail"] = nullptr;
        } else {
            ordered_json jTail;
            jTail["offset"] = sParts.uTailOffset;
            jTail["hex"] = Hex(sParts.strTail, "");
            j["tail"] = jTail;
        }
        return j;
    };

    ordered_json& jFields = jRoot["fields"];
    jFields["bySelectBy"] = number(0, sConfig.bySelectBy);
    const char* szType = TypeName(sConfig.bySelectBy);
    jFields["bySelectBy"]["name"] = szType ? ordered_json(szType) : ordered_json(nullptr);
    jFields["byReserved1"] = number(1, sConfig.byReserved1);
    jFields["uwDebugPort"] = number(2, sConfig.uwDebugPort);
    jFields["szDebugUrl"] = text(kTextFields[0]);
    jFields["byUrl1Enable"] = number(65, sConfig.byUrl1Enable);
    jFields["byUrl1Enable"]["on"] = sConfig.byUrl1Enable != 0;
    jFields["szUrl1"] = text(kTextFields[1]);
    jFields["iFtpDirMode"] = number(128, sConfig.iFtpDirMode);
    const char* szMode = DirModeName(sConfig.iFtpDirMode);
    jFields["iFtpDirMode"]["name"] = szMode ? ordered_json(szMode) : ordered_json(nullptr);
    jFields["szFtpDir"] = text(kTextFields[2]);
    jFields["byReserved2"] = number(164, sConfig.byReserved2);
    for (size_t i = 3; i < sizeof kTextFields / sizeof kTextFields[0]; ++i)
        jFields[kTextFields[i].szName] = text(kTextFields[i]);
    // Invalid UTF-8 cannot reach here (display and text are converted), but
    // the source path might be anything: replace rather than throw.
    return jRoot.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}
