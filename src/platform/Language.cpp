#include "platform/Language.h"

#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

std::optional<Language> g_forced;

bool StartsWithZh(const char* value)
{
    return value && std::strncmp(value, "zh", 2) == 0;
}

Language FromEnvironment()
{
    if (const char* forced = std::getenv("VEMO_LANG"); forced && *forced)
        return StartsWithZh(forced) ? Language::Chinese : Language::English;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return StartsWithZh(value) ? Language::Chinese : Language::English;
    }
    return Language::English;
}

} // namespace

Language CurrentLanguage() { return g_forced ? *g_forced : FromEnvironment(); }
bool IsChinese() { return CurrentLanguage() == Language::Chinese; }
void SetLanguage(Language language) { g_forced = language; }
void ResetLanguage() { g_forced.reset(); }
