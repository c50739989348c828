// What the dialog should show, written here as Unicode and converted to the
// bytes the program must hand to the "A" functions: code page 936 for Chinese.
#pragma once

#include <string>

namespace uitest {

enum class Language { Chinese, English };

// The language this test run expects (from the locale the test registration
// sets), checked against the system's default language.
Language ExpectedLanguage();

// The code page 936 bytes of a UTF-16 text.
std::string Cp936(const wchar_t* wszText);

struct TextPairExpected {
    const char* szKey;
    const wchar_t* wszChinese;
    const char* szEnglish;
};

// The expected text of a key in the language of this run.
std::string Expected(const char* szKey);

} // namespace uitest
