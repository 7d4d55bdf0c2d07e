#include "platform/Texts.h"
#include "tool/ConsolePlatform.h"
#include "tool/FormatCommands.h"
#include "tool/ToolSupport.h"

namespace {
int RunInfo(const ToolArgs& args);
const CToolCommand g_info("info", "info FILE [--layers] [--json] [--on-topology-error stop|continue]", RunInfo);

int RunInfo(const ToolArgs& args)
{
    const CParsedArgs a = ParseArgs(args, {"--layers", "--json"}, {"--on-topology-error"});
    if (!a.problem.empty())
        return UsageError(g_info, a.problem);
    if (a.positional.size() != 1)
        return UsageError(g_info, a.positional.empty() ? "no FILE given" : "one FILE only");
    CConsolePlatform console;
    if (!ConfigureTopologyAnswer(console, a.Value("--on-topology-error")))
        return UsageError(g_info, "--on-topology-error takes stop or continue");
    CInfoOptions options;
    options.path = a.positional[0];
    options.layers = a.Has("--layers");
    options.json = a.Has("--json");
    bool unreadable = false;
    switch (DetectFormat(options.path, unreadable)) {
    case FileFormat::Cli: return InfoCli(options);
    case FileFormat::Ssl: return InfoSsl(options);
    case FileFormat::Spf: return InfoSpf(options);
    case FileFormat::Unknown: break;
    }
    return Fail(unreadable ? Tr(5003) + ": " + options.path : Tr("ToolUnknownFormat") + ": " + options.path);
}
} // namespace
