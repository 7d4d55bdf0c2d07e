#include "tool/FormatCommands.h"
#include "tool/SpfTool.h"
#include "tool/ToolSupport.h"

#include "platform/Texts.h"

namespace {
int RunDump(const ToolArgs& args);
const CToolCommand g_dump("dump", "dump FILE.spf [--layer N] [--json]", RunDump);

int RunDump(const ToolArgs& args)
{
    const CParsedArgs a = ParseArgs(args, {"--json"}, {"--layer"});
    if (!a.problem.empty())
        return UsageError(g_dump, a.problem);
    if (a.positional.size() != 1)
        return UsageError(g_dump, a.positional.empty() ? "no FILE given" : "one FILE only");
    std::uint32_t layer = 0;
    if (!a.Value("--layer").empty() && (!ParseUIntArg(a.Value("--layer"), layer) || layer == 0))
        return UsageError(g_dump, "--layer takes a layer number from 1");
    const std::string& path = a.positional[0];
    bool unreadable = false;
    const FileFormat format = DetectFormat(path, unreadable);
    if (unreadable)
        return Fail(Tr(5003) + ": " + path);
    if (format != FileFormat::Spf)
        return Fail(Tr("SpfNotAnSpf") + ": " + path);
    return DumpSpf(path, layer, a.Has("--json"));
}
} // namespace
