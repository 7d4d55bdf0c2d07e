// Fuzzes the CLI reader, the verifier and the writer: any input must load or
// fail cleanly, read layer by layer to its end, verify, and a copy written at
// the origin must read back with the same number of layers and verify as right.
#include "cli/Cli.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
std::string TempPath(const char* name)
{
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/vemo-fuzz-cli-" + std::to_string(getpid()) + "-" + name;
}

void ReadEveryLayer(CCliDataDoc& d, PromptState prompt)
{
    if (!d.OpenLayerFile())
        return;
    while (!d.AtEndOfLayers()) {
        d.ClearLayers();
        if (d.ReadNextLayer(prompt, nullptr, CLI_READ_KEEP_HATCH_ONLY) == 2)
            break;
    }
    d.ClearLayers();
    int kind = 0;
    d.ReadLayerAt(2, kind);
    d.ClearLayers();
    d.OpenLayerFile();
    while (!d.AtEndOfLayers()) {
        d.ClearLayers();
        d.ReadLayerRaw();
    }
    d.ClearLayers();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string input = TempPath("in.cli");
    static const std::string moved = TempPath("moved.cli");
    static const int cleanup = std::atexit([] {
        std::remove(input.c_str());
        std::remove(moved.c_str());
    });
    (void)cleanup;
    if (std::FILE* f = std::fopen(input.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        return 0;
    }

    CCli cli;
    cli.m_data.m_strPathName = input;
    cli.m_data.VerifyFile();
    if (!cli.Load(input))
        return 0;
    ReadEveryLayer(cli.m_data, PROMPT_ASK);
    const int layers = cli.m_data.m_nLayers;
    if (layers > 100000)
        return 0;   // keep each run short
    if (cli.SaveAtOrigin(moved)) {
        CCli copy;
        copy.m_data.m_strPathName = moved;
        if (!copy.m_data.VerifyFile() || !copy.Load(moved) || copy.m_data.m_nLayers != layers)
            std::abort();
        ReadEveryLayer(copy.m_data, PROMPT_GO_ON);
        std::remove(moved.c_str());
    }
    return 0;
}
