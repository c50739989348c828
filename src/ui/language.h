// The interface language: chosen once from the system's default language,
// then used to pick every text and to caption the dialog.
#pragma once

#include <windows.h>

#include "text_tables.h"

// UI_LANG_CHINESE for Chinese (PRC), 0x0804 exactly; UI_LANG_ENGLISH otherwise.
int LanguageForLangId(LANGID wLangId);

// The member of a pair in the language g_iLanguage selects.
const char* Text(TextPair pair);

// Directory-mode item i (FTP_DIR_ROOT or FTP_DIR_SPECIFY) in that language.
const char* DirModeItem(int iItem);

// Puts the captions of the chosen language on the dialog and its controls.
void ApplyCaptions(HWND hDlg);
