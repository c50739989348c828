// Every text the dialog chooses by language: pairs of 8-bit strings, the
// Chinese text (code page 936) first and the English text (ASCII) second.
#pragma once

enum { UI_LANG_CHINESE = 0, UI_LANG_ENGLISH = 1 };

typedef const char* const TextPair[2];

// Captions.
extern TextPair STR_DLG_TITLE;
extern TextPair STR_SELECT_TYPE;
extern TextPair STR_FTP_PARAMS;
extern TextPair STR_SERVER;
extern TextPair STR_PORT;
extern TextPair STR_USER;
extern TextPair STR_PASSWORD;
extern TextPair STR_UPLOAD_DIR;
extern TextPair STR_SAVE_PATH;
extern TextPair STR_BROWSE;
extern TextPair STR_GENERATE;
extern TextPair STR_VERSION;
extern TextPair STR_DIR_ROOT;
extern TextPair STR_DIR_SPECIFY;
extern TextPair STR_NOTICE;

// Message box texts of the Generate command.
extern TextPair MSG_NO_SERVER;
extern TextPair MSG_NO_PORT;
extern TextPair MSG_PORT_RANGE;
extern TextPair MSG_NO_USER;
extern TextPair MSG_NO_PASSWORD;
extern TextPair MSG_SAVE_FAILED;
extern TextPair MSG_SAVE_OK;

// Items of the directory-mode combo box: Chinese root, Chinese specify,
// English root, English specify. Item i in language L is entry L * 2 + i.
extern const char* const g_aszDirModeItems[4];
