// Code-page conversions on Windows: through UTF-16 with the strict flags, so
// that an invalid sequence or a best-fit substitute is an error.
#include "text_codec.h"

#include <windows.h>

#include <string>

namespace {

// The strict flags are not accepted by every code page (UTF-8, UTF-7, the
// stateful ISO-2022 family); those take none.
bool TakesStrictFlags(unsigned uCodepage)
{
    return uCodepage != CP_UTF8 && uCodepage != CP_UTF7 && !(uCodepage >= 50220 && uCodepage <= 50229)
           && !(uCodepage >= 57002 && uCodepage <= 57011) && uCodepage != 42;
}

bool ToWide(const std::string& strBytes, unsigned uCodepage, std::wstring* pOut)
{
    pOut->clear();
    if (strBytes.empty())
        return true;
    // MB_ERR_INVALID_CHARS is accepted for UTF-8 too: it refuses malformed input.
    DWORD dwFlags = (TakesStrictFlags(uCodepage) || uCodepage == CP_UTF8) ? MB_ERR_INVALID_CHARS : 0;
    int iLength = static_cast<int>(strBytes.size());
    int iCount = MultiByteToWideChar(uCodepage, dwFlags, strBytes.data(), iLength, nullptr, 0);
    if (iCount <= 0)
        return false;
    pOut->resize(static_cast<size_t>(iCount));
    return MultiByteToWideChar(uCodepage, dwFlags, strBytes.data(), iLength, &(*pOut)[0], iCount)
           == iCount;
}

bool FromWide(const std::wstring& wsText, unsigned uCodepage, std::string* pOut)
{
    pOut->clear();
    if (wsText.empty())
        return true;
    bool bStrict = TakesStrictFlags(uCodepage);
    DWORD dwFlags = bStrict ? WC_NO_BEST_FIT_CHARS : (uCodepage == CP_UTF8 ? WC_ERR_INVALID_CHARS : 0);
    BOOL bUsedDefault = FALSE;
    BOOL* pUsedDefault = bStrict ? &bUsedDefault : nullptr;
    int iLength = static_cast<int>(wsText.size());
    int iCount = WideCharToMultiByte(uCodepage, dwFlags, wsText.data(), iLength, nullptr, 0, nullptr,
                                     pUsedDefault);
    if (iCount <= 0 || bUsedDefault)
        return false;
    pOut->resize(static_cast<size_t>(iCount));
    return WideCharToMultiByte(uCodepage, dwFlags, wsText.data(), iLength, &(*pOut)[0], iCount,
                               nullptr, pUsedDefault)
               == iCount
           && !bUsedDefault;
}

} // namespace

bool ToUtf8(const std::string& strBytes, unsigned uCodepage, std::string* pOut)
{
    if (IsAsciiCompatible(uCodepage) && IsPlainAscii(strBytes)) {
        *pOut = strBytes;
        return true;
    }
    std::wstring wsText;
    // A lone surrogate would come out as ill-formed UTF-8: check the result.
    return ToWide(strBytes, uCodepage, &wsText) && FromWide(wsText, CP_UTF8, pOut) && IsValidUtf8(*pOut);
}

bool FromUtf8(const std::string& strUtf8, unsigned uCodepage, std::string* pOut)
{
    if (IsAsciiCompatible(uCodepage) && IsPlainAscii(strUtf8)) {
        *pOut = strUtf8;
        return true;
    }
    std::wstring wsText;
    return ToWide(strUtf8, CP_UTF8, &wsText) && FromWide(wsText, uCodepage, pOut);
}

bool IsCodepageSupported(unsigned uCodepage)
{
    return IsValidCodePage(uCodepage) != 0;
}
