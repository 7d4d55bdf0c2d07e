#pragma once

enum class Language { English, Chinese };

// The language of every message: Chinese when VEMO_LANG=zh, or when VEMO_LANG
// is unset and the locale (LC_ALL, LC_MESSAGES, LANG) starts with "zh";
// English otherwise. SetLanguage overrides both (tests, the desktop app).
Language CurrentLanguage();
bool IsChinese();
void SetLanguage(Language language);
void ResetLanguage();   // back to the environment's choice
