#include "tool/ToolCommand.h"

#include <cstdio>
#include <cstring>

namespace {
std::vector<const CToolCommand*>& Registry()
{
    static std::vector<const CToolCommand*> commands;
    return commands;
}

void PrintUsage(std::FILE* out)
{
    std::fprintf(out, "usage: vemo-cli COMMAND ...\n");
    for (const CToolCommand* c : Registry())
        std::fprintf(out, "  vemo-cli %s\n", c->usage);
}
} // namespace

CToolCommand::CToolCommand(const char* n, const char* u, ToolRun r) : name(n), usage(u), run(r)
{
    Registry().push_back(this);
}

const std::vector<const CToolCommand*>& ToolCommands() { return Registry(); }

int UsageError(const CToolCommand& command, const std::string& problem)
{
    if (!problem.empty())
        std::fprintf(stderr, "vemo-cli %s: %s\n", command.name, problem.c_str());
    std::fprintf(stderr, "usage: vemo-cli %s\n", command.usage);
    return 2;
}

int main(int argc, char** argv)
{
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        PrintUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    for (const CToolCommand* c : Registry()) {
        if (std::strcmp(c->name, argv[1]) == 0)
            return c->run(ToolArgs(argv + 2, argv + argc));
    }
    std::fprintf(stderr, "vemo-cli: unknown command '%s'\n", argv[1]);
    PrintUsage(stderr);
    return 2;
}
