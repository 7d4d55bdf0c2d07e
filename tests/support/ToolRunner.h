#pragma once
#include "support/TempDir.h"

#include <string>

// Runs the built vemo-cli as a user would, inside dir, with standard input
// from /dev/null (so nobody can be asked) and the given language.
struct CToolRun {
    int code = -1;
    std::string out;
    std::string err;
};

const std::string& ToolPath();
bool ToolBuilt();
CToolRun RunTool(const CTempDir& dir, const std::string& args, const char* lang = "en");
std::string ReadFile(const std::string& path);
