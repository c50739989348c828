// The expected texts of both languages.
#include "expected_texts.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace uitest {

namespace {

const TextPairExpected kTexts[] = {
    {"STR_DLG_TITLE", L"FTP\u8bbe\u7f6e", "FTP Settings"},                    // FTP设置
    {"STR_SELECT_TYPE", L"\u9009\u62e9FTP\u7c7b\u522b", "Select FTP type"},   // 选择FTP类别
    {"STR_FTP_PARAMS", L"FTP\u53c2\u6570", "FTP Parameters"},                 // FTP参数
    {"STR_SERVER", L"\u670d\u52a1\u5668", "Server"},                          // 服务器
    {"STR_PORT", L"\u7aef\u53e3", "Port"},                                    // 端口
    {"STR_USER", L"\u7528\u6237\u540d", "User Name"},                         // 用户名
    {"STR_PASSWORD", L"\u5bc6\u7801", "Password"},                            // 密码
    {"STR_UPLOAD_DIR", L"\u4e0a\u4f20\u5230\u7684FTP\u76ee\u5f55", "Upload to FTP directory"},
    {"STR_SAVE_PATH", L"\u53c2\u6570\u4fdd\u5b58\u4f4d\u7f6e", "Parameter Save Path"},
    {"STR_BROWSE", L"\u6d4f\u89c8", "Browse"},                                // 浏览
    {"STR_GENERATE", L"\u751f\u6210\u914d\u7f6e", "Generate"},                // 生成配置
    {"STR_VERSION", L"\u7248\u672c\u53f7: V1.3", "Version: V1.3"},            // 版本号: V1.3
    {"STR_DIR_ROOT", L"\u6839\u76ee\u5f55", "Root"},                          // 根目录
    {"STR_DIR_SPECIFY", L"\u6307\u5b9a\u76ee\u5f55", "Specify"},              // 指定目录
    {"STR_NOTICE", L"\u901a\u77e5", "Notice"},                                // 通知
    // 未生成配置文件！ then the reason.
    {"MSG_NO_SERVER", L"\u672a\u751f\u6210\u914d\u7f6e\u6587\u4ef6\uff01\r\n\u8bf7\u8f93\u5165FTP\u670d\u52a1\u5668\u3002",
     "Generate failed!\r\nPlease enter FTP server."},
    {"MSG_NO_PORT", L"\u672a\u751f\u6210\u914d\u7f6e\u6587\u4ef6\uff01\r\n\u8bf7\u8f93\u5165FTP\u7aef\u53e3\u3002",
     "Generate failed!\r\nPlease enter FTP port."},
    {"MSG_PORT_RANGE", L"\u672a\u751f\u6210\u914d\u7f6e\u6587\u4ef6\uff01\r\n\u7aef\u53e3\u4e0d\u80fd\u5927\u4e8e65535\u3002",
     "Generate failed!\r\nPort cannot be greater than 65535."},
    {"MSG_NO_USER", L"\u672a\u751f\u6210\u914d\u7f6e\u6587\u4ef6\uff01\r\nFTP\u5e10\u53f7\u9519\u8bef!",
     "Generate failed!\rFTP account error!"},
    {"MSG_NO_PASSWORD", L"\u672a\u751f\u6210\u914d\u7f6e\u6587\u4ef6\uff01\r\n\u8bf7\u8f93\u5165FTP\u5bc6\u7801\u3002",
     "Generate failed!\r\nPlease enter FTP password."},
    {"MSG_SAVE_FAILED", L"\u751f\u6210\u914d\u7f6e\u6587\u4ef6\u5931\u8d25!", "Failed to generate configuration file!"},
    {"MSG_SAVE_OK", L"\u6210\u529f\u751f\u6210\u914d\u7f6e\u6587\u4ef6!", "Generate Success!"},
};

} // namespace

Language ExpectedLanguage()
{
    // The locale the test registration chose; Chinese only for zh_CN.
    const char* szLocale = std::getenv("LC_ALL");
    if (!szLocale || !*szLocale)
        szLocale = std::getenv("LANG");
    Language eLanguage = (szLocale && std::strncmp(szLocale, "zh_CN", 5) == 0) ? Language::Chinese
                                                                               : Language::English;
    bool bChineseSystem = GetSystemDefaultLangID() == 0x0804;
    if (bChineseSystem != (eLanguage == Language::Chinese))
        throw std::runtime_error("the system's default language is not the one this run expects");
    return eLanguage;
}

std::string Cp936(const wchar_t* wszText)
{
    int iBytes = WideCharToMultiByte(936, 0, wszText, -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> achText(static_cast<size_t>(iBytes > 0 ? iBytes : 1), '\0');
    WideCharToMultiByte(936, 0, wszText, -1, achText.data(), iBytes, nullptr, nullptr);
    return std::string(achText.data());
}

std::string Expected(const char* szKey)
{
    for (const TextPairExpected& sText : kTexts)
        if (std::strcmp(sText.szKey, szKey) == 0)
            return ExpectedLanguage() == Language::Chinese ? Cp936(sText.wszChinese)
                                                           : std::string(sText.szEnglish);
    throw std::runtime_error(std::string("no expected text for ") + szKey);
}

} // namespace uitest
