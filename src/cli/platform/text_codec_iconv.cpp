// Code-page conversions on glibc: iconv without transliteration, so that an
// unconvertible sequence is an error rather than a silent substitute.
#include "text_codec.h"

#include <cerrno>
#include <iconv.h>
#include <string>

namespace {

std::string IconvName(unsigned uCodepage)
{
    if (uCodepage == CODEPAGE_UTF8)
        return "UTF-8";
    return "CP" + std::to_string(uCodepage);
}

// Opening a converter costs far more than converting one short text, and a
// batch converts several texts per row: keep the last converter open.
class ConverterCache {
public:
    ~ConverterCache()
    {
        if (m_hConv != kNone)
            iconv_close(m_hConv);
    }
    iconv_t Get(const std::string& strFrom, const std::string& strTo)
    {
        if (m_hConv != kNone && strFrom == m_strFrom && strTo == m_strTo) {
            iconv(m_hConv, nullptr, nullptr, nullptr, nullptr); // back to the initial state
            return m_hConv;
        }
        if (m_hConv != kNone)
            iconv_close(m_hConv);
        m_hConv = iconv_open(strTo.c_str(), strFrom.c_str());
        m_strFrom = strFrom;
        m_strTo = strTo;
        return m_hConv;
    }

private:
    const iconv_t kNone = reinterpret_cast<iconv_t>(-1);
    iconv_t m_hConv = kNone;
    std::string m_strFrom, m_strTo;
};

// One cache per direction, so that a round trip does not reopen either.
thread_local ConverterCache g_toUtf8, g_fromUtf8;

bool Convert(const std::string& strIn, const std::string& strFrom, const std::string& strTo,
             std::string* pOut)
{
    iconv_t hConv = (strTo == "UTF-8" ? g_toUtf8 : g_fromUtf8).Get(strFrom, strTo);
    if (hConv == reinterpret_cast<iconv_t>(-1))
        return false;

    std::string strResult;
    char achBuffer[256];
    char* pIn = const_cast<char*>(strIn.data());
    size_t uInLeft = strIn.size();
    bool bOk = true;
    for (;;) {
        char* pDst = achBuffer;
        size_t uDstLeft = sizeof achBuffer;
        // A final call with no input flushes any pending shift state.
        size_t uDone = uInLeft ? iconv(hConv, &pIn, &uInLeft, &pDst, &uDstLeft)
                               : iconv(hConv, nullptr, nullptr, &pDst, &uDstLeft);
        strResult.append(achBuffer, static_cast<size_t>(pDst - achBuffer));
        if (uDone == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            bOk = false; // EILSEQ or EINVAL: does not convert, or cut short
            break;
        }
        // glibc counts characters it had to approximate as irreversible.
        if (uDone > 0) {
            bOk = false;
            break;
        }
        if (uInLeft == 0 && pIn != nullptr) {
            pIn = nullptr; // next round flushes
            continue;
        }
        break;
    }
    if (bOk)
        *pOut = std::move(strResult);
    return bOk;
}

} // namespace

bool ToUtf8(const std::string& strBytes, unsigned uCodepage, std::string* pOut)
{
    if (IsAsciiCompatible(uCodepage) && IsPlainAscii(strBytes)) {
        *pOut = strBytes;
        return true;
    }
    // glibc passes UTF-8 beyond U+10FFFF through from "UTF-8": check what
    // comes out, so that a success always means well-formed UTF-8.
    return Convert(strBytes, IconvName(uCodepage), "UTF-8", pOut) && IsValidUtf8(*pOut);
}

bool FromUtf8(const std::string& strUtf8, unsigned uCodepage, std::string* pOut)
{
    if (IsAsciiCompatible(uCodepage) && IsPlainAscii(strUtf8)) {
        *pOut = strUtf8;
        return true;
    }
    if (!IsValidUtf8(strUtf8))
        return false;
    return Convert(strUtf8, "UTF-8", IconvName(uCodepage), pOut);
}

bool IsCodepageSupported(unsigned uCodepage)
{
    iconv_t hConv = iconv_open("UTF-8", IconvName(uCodepage).c_str());
    if (hConv == reinterpret_cast<iconv_t>(-1))
        return false;
    iconv_close(hConv);
    return true;
}
