#pragma once
#include <string>
#include <string_view>

// The one bilingual table of user-visible texts. A text is keyed by its
// string-table number where it has one ("5002") and by a name otherwise
// ("TopologyQuestion"). Tr picks the language of CurrentLanguage(); a text
// that exists in one language only is shown under both.
std::string Tr(std::string_view key);
std::string Tr(int id);
std::string TrIn(std::string_view key, bool chinese);
bool HasText(std::string_view key);

struct TextEntry {
    const char* key;
    const char* english;
    const char* chinese;   // nullptr: the English text is used in both languages
};
