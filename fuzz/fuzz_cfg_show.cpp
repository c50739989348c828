// Fuzzes what "ftpcfg show" and "ftpcfg verify" do with a file of any bytes
// and any length: decoding, the findings, the code-page conversions (936,
// 1252, UTF-8) and the text and JSON renderings.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "factory_config.h"
#include "record_view.h"
#include "text_codec.h"
#include "verify.h"

namespace {

const unsigned kCodepages[] = {CODEPAGE_GBK, CODEPAGE_WESTERN, CODEPAGE_UTF8};

void Require(bool bHolds, const char* szWhat)
{
    if (!bHolds) {
        std::fprintf(stderr, "broken: %s\n", szWhat);
        std::abort();
    }
}

// As Require, showing the text that broke it.
void RequireUtf8(const std::string& strText, unsigned uCodepage, const char* szWhat)
{
    if (!IsValidUtf8(strText))
        std::fprintf(stderr, "code page %u:\n%s\n", uCodepage, strText.c_str());
    Require(IsValidUtf8(strText), szWhat);
}

bool HasControlBytes(const std::string& strText)
{
    for (char ch : strText) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F)
            return true;
    }
    return false;
}

int HexValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    return -1;
}

size_t Utf8Length(unsigned char c)
{
    return c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
}

// Reads a display back into the bytes it shows: "\\" is a backslash,
// "\xNN" the byte NN, and every other character goes back to the code page.
// Nothing may be lost on the way, so this must give the original bytes.
bool UndoDisplay(const std::string& strShown, unsigned uCodepage, std::string* pBytes)
{
    pBytes->clear();
    size_t i = 0;
    while (i < strShown.size()) {
        if (strShown[i] == '\\') {
            if (i + 1 < strShown.size() && strShown[i + 1] == '\\') {
                pBytes->push_back('\\');
                i += 2;
                continue;
            }
            if (i + 3 < strShown.size() && strShown[i + 1] == 'x' && HexValue(strShown[i + 2]) >= 0
                && HexValue(strShown[i + 3]) >= 0) {
                pBytes->push_back(static_cast<char>(HexValue(strShown[i + 2]) * 16 + HexValue(strShown[i + 3])));
                i += 4;
                continue;
            }
            return false;
        }
        if (static_cast<unsigned char>(strShown[i]) < 0x80) {
            pBytes->push_back(strShown[i]); // ASCII is itself in every code page here
            ++i;
            continue;
        }
        size_t uLength = Utf8Length(static_cast<unsigned char>(strShown[i]));
        if (i + uLength > strShown.size())
            return false;
        std::string strBack;
        if (!FromUtf8(strShown.substr(i, uLength), uCodepage, &strBack))
            return false;
        *pBytes += strBack;
        i += uLength;
    }
    return true;
}

void CheckConversions(const std::string& strBytes)
{
    for (unsigned uCodepage : kCodepages) {
        std::string strShown = DisplayText(strBytes, uCodepage);
        RequireUtf8(strShown, uCodepage, "display is UTF-8");
        Require(!HasControlBytes(strShown), "display has no control bytes");
        std::string strBack;
        Require(UndoDisplay(strShown, uCodepage, &strBack), "display reads back");
        Require(strBack == strBytes, "display keeps every byte");

        std::string strUtf8;
        if (ToUtf8(strBytes, uCodepage, &strUtf8)) {
            Require(IsValidUtf8(strUtf8), "conversion gives UTF-8");
            std::string strRoundTrip;
            Require(FromUtf8(strUtf8, uCodepage, &strRoundTrip), "converted text converts back");
            Require(strRoundTrip == strBytes, "conversion round trip");
        }
        if (uCodepage == CODEPAGE_UTF8)
            Require(ToUtf8(strBytes, uCodepage, &strUtf8) == IsValidUtf8(strBytes), "UTF-8 agrees with itself");
    }
}

bool SameFindings(const std::vector<Finding>& a, const std::vector<Finding>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].iOffset != b[i].iOffset || a[i].strField != b[i].strField || a[i].strMessage != b[i].strMessage)
            return false;
    return true;
}

void CheckRecord(const FactoryConfig& sConfig, const std::vector<Finding>& aImageFindings)
{
    Require(SameFindings(aImageFindings, VerifyConfig(sConfig)), "image and record findings agree");
    for (const Finding& f : aImageFindings)
        Require(f.iOffset >= 0 && f.iOffset < CONFIG_RECORD_SIZE, "finding offset inside the record");

    // One code page per input, chosen by a byte of it: rendering costs a
    // conversion per field, and every code page is reached all the same.
    const uint8_t* pbyRecord = reinterpret_cast<const uint8_t*>(&sConfig);
    {
        unsigned uCodepage = kCodepages[pbyRecord[1] % 3];
        std::string strText = RenderConfigText(sConfig, uCodepage, "CFG_FTP.bin");
        RequireUtf8(strText, uCodepage, "text rendering is UTF-8");

        std::string strJson = RenderConfigJson(sConfig, uCodepage, "CFG_FTP.bin");
        Require(!strJson.empty() && strJson.back() == '\n', "JSON ends with a newline");
        nlohmann::json json = nlohmann::json::parse(strJson, nullptr, false);
        Require(!json.is_discarded(), "JSON parses");
        Require(json.is_object(), "JSON is one object");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize)
{
    std::vector<Finding> aFindings = VerifyImage(pData, uSize);
    std::string strTable = RenderFindings(aFindings);
    Require(IsValidUtf8(strTable), "findings are UTF-8");

    FactoryConfig sConfig;
    std::memset(&sConfig, 0xEE, sizeof sConfig);
    bool bDecoded = DecodeImage(pData, uSize, &sConfig);
    Require(bDecoded == (uSize == CONFIG_RECORD_SIZE), "decodes exactly at 308 bytes");
    if (bDecoded) {
        CheckRecord(sConfig, aFindings);
        // The fields' own bytes, as show converts them.
        const char* pRecord = reinterpret_cast<const char*>(&sConfig);
        CheckConversions(std::string(pRecord + 4, 61));
        CheckConversions(std::string(pRecord + 226, 49));
    } else {
        Require(aFindings.size() == 1 && aFindings[0].iOffset == -1, "a wrong size is one finding");
    }
    // Conversions of raw bytes, bounded: each undecodable byte costs a lookup.
    CheckConversions(std::string(reinterpret_cast<const char*>(pData), uSize < 64 ? uSize : 64));
    return 0;
}
