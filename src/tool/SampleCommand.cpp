// vemo-cli sample: writes the test sample with border offset as a machine file.
#include "platform/Texts.h"
#include "spf/CreateSample.h"
#include "tool/ConsolePlatform.h"
#include "tool/SpfTool.h"
#include "tool/ToolSupport.h"

#include <cstdio>
#include <unistd.h>

namespace {
int RunSample(const ToolArgs& args);
const CToolCommand g_sample("sample",
                            "sample -o OUT.spf [--shape circle|square] [--layers N] [--thickness MM] [--blank N] "
                            "[--outer R1] [--inner R2] [--hatch-space H] [--offset D]",
                            RunSample);

int RunSample(const ToolArgs& args)
{
    const CParsedArgs a = ParseArgs(args, {"--quiet"},
                                    {"-o", "--output", "--shape", "--layers", "--thickness", "--blank", "--outer",
                                     "--inner", "--hatch-space", "--offset"});
    if (!a.problem.empty())
        return UsageError(g_sample, a.problem);
    if (!a.positional.empty())
        return UsageError(g_sample, "unexpected " + a.positional[0]);
    const std::string output = !a.Value("-o").empty() ? a.Value("-o") : a.Value("--output");
    if (output.empty())
        return UsageError(g_sample, "no OUT.spf given (-o)");

    CCreateSample sample;   // the dialog's defaults
    if (const std::string shape = a.Value("--shape"); !shape.empty()) {
        if (shape == "circle")
            sample.m_nShape = CCreateSample::SHAPE_CIRCLE;
        else if (shape == "square")
            sample.m_nShape = CCreateSample::SHAPE_SQUARE;
        else
            return UsageError(g_sample, "--shape takes circle or square");
    }
    struct FloatOption {
        const char* name;
        float* value;
    };
    for (const FloatOption& o : {FloatOption{"--thickness", &sample.m_fThickness}, FloatOption{"--outer", &sample.m_fOuter},
                                 FloatOption{"--inner", &sample.m_fInner}, FloatOption{"--hatch-space", &sample.m_fHatchSpace},
                                 FloatOption{"--offset", &sample.m_fOffset}}) {
        const std::string text = a.Value(o.name);
        if (!text.empty() && !ParseFloatArg(text, *o.value))
            return UsageError(g_sample, std::string(o.name) + " takes a number");
    }
    if (!a.Value("--layers").empty() && !ParseUIntArg(a.Value("--layers"), sample.m_nLayers))
        return UsageError(g_sample, "--layers takes a whole number");
    if (!a.Value("--blank").empty() && !ParseUIntArg(a.Value("--blank"), sample.m_nBlankLayers))
        return UsageError(g_sample, "--blank takes a whole number");
    std::string problem;
    if (!sample.CheckRanges(problem))
        return UsageError(g_sample, problem);

    CConsolePlatform console;
    const bool show = !a.Has("--quiet") && isatty(STDERR_FILENO);
    sample.m_onLayer = [show](std::uint32_t k, std::uint32_t n) {
        if (show)
            std::fprintf(stderr, "\r %-3u%%", k * 100 / n);
    };
    const bool ok = sample.CreateSampleFile(output);
    if (show)
        std::fprintf(stderr, "\r\033[K");
    if (!ok)
        return 1;
    if (!a.Has("--quiet"))
        std::printf("%s: %u layers, %d rings per layer\n", output.c_str(), sample.m_nLayerCount, sample.RingCount());
    return 0;
}
} // namespace
