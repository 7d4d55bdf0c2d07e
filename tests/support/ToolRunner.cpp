#include "support/ToolRunner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string& ToolPath()
{
    static const std::string path = std::string(VEMO_BINARY_DIR) + "/vemo-cli";
    return path;
}

bool ToolBuilt() { return std::filesystem::exists(ToolPath()); }

CToolRun RunTool(const CTempDir& dir, const std::string& args, const char* lang)
{
    const std::string out = dir.File("stdout.txt"), err = dir.File("stderr.txt");
    const std::string command = "cd '" + dir.Path().string() + "' && VEMO_LANG=" + lang + " '" + ToolPath() + "' " +
                                args + " </dev/null >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
}
