#include "platform/Texts.h"

#include "platform/Language.h"

#include <string>
#include <unordered_map>

namespace {

// Each subsystem keeps its texts in its own fragment of the table.
const TextEntry kTexts[] = {
#include "platform/texts/Core.inc"
#include "platform/texts/Cli.inc"
#include "platform/texts/Ssl.inc"
#include "platform/texts/Scan.inc"
#include "platform/texts/Spf.inc"
#include "platform/texts/Tool.inc"
#include "platform/texts/App.inc"
};

const std::unordered_map<std::string_view, const TextEntry*>& Index()
{
    static const auto index = [] {
        std::unordered_map<std::string_view, const TextEntry*> map;
        for (const TextEntry& e : kTexts)
            map.emplace(e.key, &e);
        return map;
    }();
    return index;
}

} // namespace

std::string TrIn(std::string_view key, bool chinese)
{
    const auto& index = Index();
    auto it = index.find(key);
    if (it == index.end())
        return std::string(key);   // a missing text shows its key rather than nothing
    const TextEntry& e = *it->second;
    return (chinese && e.chinese) ? e.chinese : e.english;
}

std::string Tr(std::string_view key) { return TrIn(key, IsChinese()); }
std::string Tr(int id) { return Tr(std::to_string(id)); }
bool HasText(std::string_view key) { return Index().count(key) != 0; }
