#include "platform/Texts.h"
#include "tool/ConsolePlatform.h"
#include "tool/FormatCommands.h"
#include "tool/ToolSupport.h"

namespace {
int RunMove(const ToolArgs& args);
const CToolCommand g_move("move-to-origin", "move-to-origin FILE -o OUT", RunMove);

int RunMove(const ToolArgs& args)
{
    const CParsedArgs a = ParseArgs(args, {}, {"-o", "--output"});
    if (!a.problem.empty())
        return UsageError(g_move, a.problem);
    if (a.positional.size() != 1)
        return UsageError(g_move, a.positional.empty() ? "no FILE given" : "one FILE only");
    const std::string out = a.Value("-o").empty() ? a.Value("--output") : a.Value("-o");
    if (out.empty())
        return UsageError(g_move, "no output file (-o OUT) given");
    CConsolePlatform console;
    // Naming an output file answers the question whether to save a moved copy.
    console.SetAnswer(Tr("QuadrantMoveQuestion"), MsgAnswer::Yes);
    const std::string& path = a.positional[0];
    bool unreadable = false;
    switch (DetectFormat(path, unreadable)) {
    case FileFormat::Cli: return MoveCli(path, out);
    case FileFormat::Ssl: return MoveSsl(path, out);
    case FileFormat::Spf: return NotSupportedYet("move-to-origin", FileFormat::Spf);
    case FileFormat::Unknown: break;
    }
    return Fail(unreadable ? Tr(5003) + ": " + path : Tr("ToolUnknownFormat") + ": " + path);
}
} // namespace
