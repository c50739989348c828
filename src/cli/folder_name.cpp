// Folder names that are safe on Windows and everywhere else: no separators,
// no characters or device names Windows reserves, no "." or "..".
#include "folder_name.h"

#include <cstring>

#include "text_codec.h"

namespace {

std::string UpperAscii(std::string str)
{
    for (char& ch : str)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    return str;
}

bool IsReservedDeviceName(const std::string& strName)
{
    // Windows reserves these with any extension too ("NUL.txt"), and ignores
    // trailing spaces before the dot.
    std::string strStem = UpperAscii(strName.substr(0, strName.find('.')));
    while (!strStem.empty() && strStem.back() == ' ')
        strStem.pop_back();
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* szDevice : kDevices)
        if (strStem == szDevice)
            return true;
    if (strStem.size() == 4 && (strStem.compare(0, 3, "COM") == 0 || strStem.compare(0, 3, "LPT") == 0)
        && strStem[3] >= '1' && strStem[3] <= '9')
        return true;
    return false;
}

} // namespace

std::string FolderNameProblem(const std::string& strUtf8)
{
    if (strUtf8.empty())
        return "the name is empty";
    if (!IsValidUtf8(strUtf8))
        return "the name is not valid text";
    if (strUtf8 == "." || strUtf8 == "..")
        return "\"" + strUtf8 + "\" is not a folder name";
    for (char ch : strUtf8) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F)
            return "the name contains a control character";
        if (ch == '/' || ch == '\\')
            return "the name contains a path separator";
        if (std::strchr("<>:\"|?*", ch))
            return std::string("the name contains '") + ch + "', which Windows forbids in names";
    }
    if (strUtf8.back() == '.' || strUtf8.back() == ' ')
        return "the name ends in a dot or a space, which Windows drops";
    if (IsReservedDeviceName(strUtf8))
        return "\"" + strUtf8 + "\" is a device name on Windows";
    if (strUtf8.size() > 255)
        return "the name is longer than 255 bytes";
    return std::string();
}

std::string FoldedName(const std::string& strUtf8)
{
    return UpperAscii(strUtf8);
}
