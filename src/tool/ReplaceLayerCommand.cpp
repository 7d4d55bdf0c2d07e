#include "platform/Texts.h"
#include "tool/ConsolePlatform.h"
#include "tool/FormatCommands.h"
#include "tool/ToolSupport.h"

#include <charconv>

namespace {
int RunReplace(const ToolArgs& args);
const CToolCommand g_replace("replace-layer", "replace-layer FILE --layer N", RunReplace);

int RunReplace(const ToolArgs& args)
{
    const CParsedArgs a = ParseArgs(args, {}, {"--layer"});
    if (!a.problem.empty())
        return UsageError(g_replace, a.problem);
    if (a.positional.size() != 1)
        return UsageError(g_replace, a.positional.empty() ? "no FILE given" : "one FILE only");
    const std::string n = a.Value("--layer");
    int layer = 0;
    const auto r = std::from_chars(n.data(), n.data() + n.size(), layer);
    if (n.empty() || r.ec != std::errc() || r.ptr != n.data() + n.size() || layer < 1)
        return UsageError(g_replace, "--layer takes a layer number from 1");
    CConsolePlatform console;
    const std::string& path = a.positional[0];
    bool unreadable = false;
    switch (DetectFormat(path, unreadable)) {
    case FileFormat::Cli: return ReplaceLayerCli(path, layer);
    case FileFormat::Ssl:
    case FileFormat::Spf: return Fail(Tr("ToolReplaceCliOnly"));
    case FileFormat::Unknown: break;
    }
    return Fail(unreadable ? Tr(5003) + ": " + path : Tr("ToolUnknownFormat") + ": " + path);
}
} // namespace
