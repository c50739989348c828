// Portable parts of the text conversions: UTF-8 validation and the
// people-readable display of record bytes.
#include "text_codec.h"

#include <cstdio>

bool IsAsciiCompatible(unsigned uCodepage)
{
    switch (uCodepage) {
    case 437: case 850: case 852: case 866: case 874: case 932: case 936: case 949: case 950:
    case CODEPAGE_UTF8:
        return true;
    default:
        return (uCodepage >= 1250 && uCodepage <= 1258) || (uCodepage >= 28591 && uCodepage <= 28605);
    }
}

bool IsPlainAscii(const std::string& strText)
{
    for (char ch : strText)
        if (static_cast<unsigned char>(ch) >= 0x80)
            return false;
    return true;
}

bool IsValidUtf8(const std::string& strText)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(strText.data());
    size_t uSize = strText.size();
    size_t i = 0;
    while (i < uSize) {
        unsigned char c = p[i];
        size_t uExtra;
        unsigned uMin;
        unsigned uCode;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            uExtra = 1, uMin = 0x80, uCode = c & 0x1Fu;
        } else if (c >= 0xE0 && c <= 0xEF) {
            uExtra = 2, uMin = 0x800, uCode = c & 0x0Fu;
        } else if (c >= 0xF0 && c <= 0xF4) {
            uExtra = 3, uMin = 0x10000, uCode = c & 0x07u;
        } else {
            return false;
        }
        if (uSize - i <= uExtra)
            return false;
        for (size_t k = 1; k <= uExtra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
            uCode = (uCode << 6) | (p[i + k] & 0x3Fu);
        }
        if (uCode < uMin || uCode > 0x10FFFF || (uCode >= 0xD800 && uCode <= 0xDFFF))
            return false;
        i += uExtra + 1;
    }
    return true;
}

namespace {

void AppendEscaped(std::string* pOut, unsigned char c)
{
    char szEscape[5];
    std::snprintf(szEscape, sizeof szEscape, "\\x%02X", c);
    pOut->append(szEscape);
}

void AppendDisplayed(std::string* pOut, const std::string& strUtf8)
{
    for (char ch : strUtf8) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c == '\\')
            pOut->append("\\\\");
        else if (c < 0x20 || c == 0x7F)
            AppendEscaped(pOut, c);
        else
            pOut->push_back(ch);
    }
}

} // namespace

std::string DisplayText(const std::string& strBytes, unsigned uCodepage)
{
    std::string strOut;
    std::string strUtf8;
    if (ToUtf8(strBytes, uCodepage, &strUtf8)) {
        AppendDisplayed(&strOut, strUtf8);
        return strOut;
    }
    // Walk the bytes: take the shortest sequence (up to four bytes, the
    // longest character of any code page we meet) that converts, else show
    // one byte as \xNN and go on with the next.
    size_t i = 0;
    while (i < strBytes.size()) {
        size_t uTaken = 0;
        for (size_t uLength = 1; uLength <= 4 && i + uLength <= strBytes.size(); ++uLength) {
            if (ToUtf8(strBytes.substr(i, uLength), uCodepage, &strUtf8) && !strUtf8.empty()) {
                uTaken = uLength;
                break;
            }
        }
        if (uTaken == 0) {
            AppendEscaped(&strOut, static_cast<unsigned char>(strBytes[i]));
            i += 1;
        } else {
            AppendDisplayed(&strOut, strUtf8);
            i += uTaken;
        }
    }
    return strOut;
}
