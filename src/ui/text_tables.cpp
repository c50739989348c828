// The text tables. The Chinese texts are written as their code page 936
// bytes, with the characters in the comment beside them; the program hands
// them unchanged to the "A" functions, which expect the system's ANSI page.
#include "text_tables.h"

// The two directory items are needed both as pairs and as the item table.
#define ZH_DIR_ROOT    "\xb8\xf9\xc4\xbf\xc2\xbc"         /* 根目录 */
#define ZH_DIR_SPECIFY "\xd6\xb8\xb6\xa8\xc4\xbf\xc2\xbc" /* 指定目录 */

// Start of every Chinese refusal: 未生成配置文件！ (full-width "！").
#define ZH_NOT_GENERATED "\xce\xb4\xc9\xfa\xb3\xc9\xc5\xe4\xd6\xc3\xce\xc4\xbc\xfe\xa3\xa1"

/* FTP设置 */
TextPair STR_DLG_TITLE   = { "FTP" "\xc9\xe8\xd6\xc3", "FTP Settings" };
/* 选择FTP类别 */
TextPair STR_SELECT_TYPE = { "\xd1\xa1\xd4\xf1" "FTP" "\xc0\xe0\xb1\xf0", "Select FTP type" };
/* FTP参数 */
TextPair STR_FTP_PARAMS  = { "FTP" "\xb2\xce\xca\xfd", "FTP Parameters" };
/* 服务器 */
TextPair STR_SERVER      = { "\xb7\xfe\xce\xf1\xc6\xf7", "Server" };
/* 端口 */
TextPair STR_PORT        = { "\xb6\xcb\xbf\xda", "Port" };
/* 用户名 */
TextPair STR_USER        = { "\xd3\xc3\xbb\xa7\xc3\xfb", "User Name" };
/* 密码 */
TextPair STR_PASSWORD    = { "\xc3\xdc\xc2\xeb", "Password" };
/* 上传到的FTP目录 */
TextPair STR_UPLOAD_DIR  = { "\xc9\xcf\xb4\xab\xb5\xbd\xb5\xc4" "FTP" "\xc4\xbf\xc2\xbc",
                             "Upload to FTP directory" };
/* 参数保存位置 */
TextPair STR_SAVE_PATH   = { "\xb2\xce\xca\xfd\xb1\xa3\xb4\xe6\xce\xbb\xd6\xc3",
                             "Parameter Save Path" };
/* 浏览 */
TextPair STR_BROWSE      = { "\xe4\xaf\xc0\xc0", "Browse" };
/* 生成配置 */
TextPair STR_GENERATE    = { "\xc9\xfa\xb3\xc9\xc5\xe4\xd6\xc3", "Generate" };
/* 版本号: V1.3 (ASCII colon and one space) */
TextPair STR_VERSION     = { "\xb0\xe6\xb1\xbe\xba\xc5" ": V1.3", "Version: V1.3" };
TextPair STR_DIR_ROOT    = { ZH_DIR_ROOT, "Root" };
TextPair STR_DIR_SPECIFY = { ZH_DIR_SPECIFY, "Specify" };
/* 通知 */
TextPair STR_NOTICE      = { "\xcd\xa8\xd6\xaa", "Notice" };

/* 未生成配置文件！\r\n请输入FTP服务器。 */
TextPair MSG_NO_SERVER   = { ZH_NOT_GENERATED "\r\n" "\xc7\xeb\xca\xe4\xc8\xeb" "FTP"
                             "\xb7\xfe\xce\xf1\xc6\xf7\xa1\xa3",
                             "Generate failed!\r\nPlease enter FTP server." };
/* 未生成配置文件！\r\n请输入FTP端口。 */
TextPair MSG_NO_PORT     = { ZH_NOT_GENERATED "\r\n" "\xc7\xeb\xca\xe4\xc8\xeb" "FTP"
                             "\xb6\xcb\xbf\xda\xa1\xa3",
                             "Generate failed!\r\nPlease enter FTP port." };
/* 未生成配置文件！\r\n端口不能大于65535。 */
TextPair MSG_PORT_RANGE  = { ZH_NOT_GENERATED "\r\n" "\xb6\xcb\xbf\xda\xb2\xbb\xc4\xdc\xb4\xf3\xd3\xda"
                             "65535" "\xa1\xa3",
                             "Generate failed!\r\nPort cannot be greater than 65535." };
/* 未生成配置文件！\r\nFTP帐号错误! (ASCII "!"; the English text has a lone \r) */
TextPair MSG_NO_USER     = { ZH_NOT_GENERATED "\r\n" "FTP" "\xd5\xca\xba\xc5\xb4\xed\xce\xf3" "!",
                             "Generate failed!\rFTP account error!" };
/* 未生成配置文件！\r\n请输入FTP密码。 */
TextPair MSG_NO_PASSWORD = { ZH_NOT_GENERATED "\r\n" "\xc7\xeb\xca\xe4\xc8\xeb" "FTP"
                             "\xc3\xdc\xc2\xeb\xa1\xa3",
                             "Generate failed!\r\nPlease enter FTP password." };
/* 生成配置文件失败! */
TextPair MSG_SAVE_FAILED = { "\xc9\xfa\xb3\xc9\xc5\xe4\xd6\xc3\xce\xc4\xbc\xfe\xca\xa7\xb0\xdc" "!",
                             "Failed to generate configuration file!" };
/* 成功生成配置文件! */
TextPair MSG_SAVE_OK     = { "\xb3\xc9\xb9\xa6\xc9\xfa\xb3\xc9\xc5\xe4\xd6\xc3\xce\xc4\xbc\xfe" "!",
                             "Generate Success!" };

const char* const g_aszDirModeItems[4] = { ZH_DIR_ROOT, ZH_DIR_SPECIFY, "Root", "Specify" };
