#pragma once
#include <string>
#include <vector>

// vemo-cli subcommands. Each command file registers itself with a static
// CToolCommand, so adding a command means adding one file.
// Exit codes: 0 success, 1 a failure reported in the system's words, 2 a usage error.
using ToolArgs = std::vector<std::string>;
using ToolRun = int (*)(const ToolArgs& args);

struct CToolCommand {
    CToolCommand(const char* name, const char* usage, ToolRun run);
    const char* name;
    const char* usage;   // "info FILE [--layers] [--json]"
    ToolRun run;
};

const std::vector<const CToolCommand*>& ToolCommands();
// Prints "usage: vemo-cli <usage>" to standard error and returns 2.
int UsageError(const CToolCommand& command, const std::string& problem = {});
