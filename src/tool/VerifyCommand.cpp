#include "platform/Texts.h"
#include "tool/ConsolePlatform.h"
#include "tool/FormatCommands.h"
#include "tool/ToolSupport.h"

namespace {
int RunVerify(const ToolArgs& args);
const CToolCommand g_verify("verify", "verify FILE [--yes]", RunVerify);

int RunVerify(const ToolArgs& args)
{
    const CParsedArgs a = ParseArgs(args, {"--yes"}, {});
    if (!a.problem.empty())
        return UsageError(g_verify, a.problem);
    if (a.positional.size() != 1)
        return UsageError(g_verify, a.positional.empty() ? "no FILE given" : "one FILE only");
    CConsolePlatform console;
    // --yes answers the SSL question whether to go on despite empty contours.
    console.SetAnswer(Tr("SslEmptyCycleQuestion"), a.Has("--yes") ? MsgAnswer::Yes : MsgAnswer::No);
    const std::string& path = a.positional[0];
    bool unreadable = false;
    switch (DetectFormat(path, unreadable)) {
    case FileFormat::Cli: return VerifyCli(path);
    case FileFormat::Ssl: return VerifySsl(path);
    case FileFormat::Spf: return VerifySpf(path);
    case FileFormat::Unknown: break;
    }
    return Fail(unreadable ? Tr(5003) + ": " + path : Tr("ToolUnknownFormat") + ": " + path);
}
} // namespace
