// Fuzzes the SSL holder: any text must measure or fail cleanly, verify with a
// verdict, read layer by layer to its end, and a copy moved to the origin must
// measure again with no more layers than its source.
#include "platform/ScriptedPlatform.h"
#include "ssl/SslDataDoc.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
std::string TempPath(const char* name)
{
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/vemo-fuzz-ssl-" + std::to_string(getpid()) + "-" + name;
}

void ReadEveryLayer(CSslDataDoc& doc, PromptState prompt)
{
    if (!doc.OpenReading())
        return;
    // Every read consumes at least one token, so the text bounds the loop.
    for (std::int64_t i = 0; i <= doc.m_nLayerCount; ++i) {
        doc.ClearLayers();
        if (doc.ReadNextLayer(prompt) < 0)
            break;
    }
    doc.ClearLayers();
    doc.CloseReading();
}
} // namespace

// The two scratch files, removed when the fuzzer ends.
struct CScratch {
    std::string input = TempPath("in.ssl");
    std::string moved = TempPath("moved.ssl");
    ~CScratch()
    {
        std::remove(input.c_str());
        std::remove(moved.c_str());
    }
};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const CScratch scratch;
    const std::string& input = scratch.input;
    const std::string& moved = scratch.moved;
    if (std::FILE* f = std::fopen(input.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        return 0;
    }
    CScriptedPlatform platform;
    // Yes goes on at every question (topology, empty contours); Retry is never given.
    platform.SetDefaultAnswer(MsgAnswer::Yes);

    CSslDataDoc doc;
    doc.m_strFileName = input;
    doc.Verify(input);
    if (doc.Measure(input)) {
        ReadEveryLayer(doc, PROMPT_ASK);
        const std::int32_t layers = doc.m_nLayerCount;
        if (doc.WriteMoved(moved)) {
            CSslDataDoc copy;
            copy.m_strFileName = moved;
            if (!copy.Measure(moved) || copy.m_nLayerCount > layers)
                __builtin_trap();
            copy.Verify(moved);
            ReadEveryLayer(copy, PROMPT_GO_ON);
        }
    }
    std::remove(moved.c_str());
    return 0;
}
