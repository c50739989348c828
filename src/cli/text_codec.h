// Conversion of record texts between a Windows code page and UTF-8, the
// encoding ftpcfg speaks on its command line, in CSV files and on output.
#pragma once

#include <string>

enum { CODEPAGE_GBK = 936, CODEPAGE_WESTERN = 1252, CODEPAGE_UTF8 = 65001 };

// Strict conversions: false (and *pOut unspecified) when a byte sequence does
// not decode, or a character has no exact form in the code page. Nothing is
// dropped, replaced or approximated. Implemented per platform (iconv, Win32).
bool ToUtf8(const std::string& strBytes, unsigned uCodepage, std::string* pOut);
bool FromUtf8(const std::string& strUtf8, unsigned uCodepage, std::string* pOut);

// True when the code page can be used at all on this system.
bool IsCodepageSupported(unsigned uCodepage);

// True for the code pages in which the ASCII characters are single bytes of
// the same value (the ANSI and OEM code pages of Windows, UTF-8), so plain
// ASCII text needs no conversion.
bool IsAsciiCompatible(unsigned uCodepage);

// True when every byte is below 0x80.
bool IsPlainAscii(const std::string& strText);

// True when strText is well-formed UTF-8.
bool IsValidUtf8(const std::string& strText);

// Text for people: the bytes converted to UTF-8, with every byte that does not
// convert, every control character and the backslash itself written as \xNN
// (a backslash as \\), so the display is unambiguous and nothing is hidden.
std::string DisplayText(const std::string& strBytes, unsigned uCodepage);
