// vemo-cli export: a CLI or SSL part in, a machine scan-path file out.
#include "cli/Cli.h"
#include "platform/Platform.h"
#include "platform/StatusWriter.h"
#include "platform/Texts.h"
#include "scan/PlanePath.h"
#include "spf/Spf.h"
#include "spf/SpfExport.h"
#include "tool/ConsolePlatform.h"
#include "tool/FormatCommands.h"
#include "tool/SpfTool.h"
#include "tool/ToolSupport.h"

#include "ssl/Ssl.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {
int RunExport(const ToolArgs& args);
const CToolCommand g_export(
    "export",
    "export INPUT -o OUTPUT [--hatch-space MM] [--orientation x|y|alternate] [--strategy 1|2|3|4] [--connect] "
    "[--contours none|first|last] [--border FILE]... [--cli-hatches] [--on-topology-error stop|continue] "
    "[--verify] [--quiet]",
    RunExport);

// Ctrl-C stops the export at the next layer, as Escape does in the desktop view.
std::atomic<bool>* g_exporting = nullptr;
extern "C" void StopExport(int)
{
    if (g_exporting)
        g_exporting->store(false);
}

// The status writer of the console: a progress line on standard error when
// it is a terminal (layer k of n, elapsed time).
class CExportProgress : public IStatusWriter {
public:
    explicit CExportProgress(bool show) : m_show(show), m_start(std::chrono::steady_clock::now()) {}
    ~CExportProgress() override { Clear(); }

    void ShowStatus(const std::string&, const std::string&, int total, int current) override
    {
        if (!m_show)
            return;
        if (current <= 0) {
            Clear();
            return;
        }
        const int k = current > total ? total : current;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        const int width = 30;
        // Layers done so far: the status names the layer about to be written.
        const int done = current - 1 > total ? total : current - 1;
        const int filled = total > 0 ? done * width / total : width;
        std::fprintf(stderr, "\rlayer %d of %d [%.*s%*s] %.1f s", k, total, filled,
                     "##############################", width - filled, "", seconds);
        std::fflush(stderr);
        m_shown = true;
    }

private:
    void Clear()
    {
        if (!m_shown)
            return;
        std::fprintf(stderr, "\r\033[K");
        std::fflush(stderr);
        m_shown = false;
    }

    bool m_show;
    bool m_shown = false;
    std::chrono::steady_clock::time_point m_start;
};

bool ParseStrategy(const std::string& text, int& strategy)
{
    static const char* const names[] = {"nearest", "extent", "depth", "mixed"};
    for (int i = 0; i < 4; ++i) {
        if (text == std::to_string(i + 1) || text == names[i]) {
            strategy = i + 1;
            return true;
        }
    }
    return false;
}

std::string Replace(std::string text, const std::string& key, const std::string& value)
{
    if (const auto at = text.find(key); at != std::string::npos)
        text.replace(at, key.size(), value);
    return text;
}

int RunExport(const ToolArgs& rawArgs)
{
    // --border may be given several times; the contour files keep their order.
    ToolArgs args;
    std::vector<std::string> borders;
    for (std::size_t i = 0; i < rawArgs.size(); ++i) {
        if (rawArgs[i] == "--border") {
            if (i + 1 >= rawArgs.size())
                return UsageError(g_export, "--border needs a value");
            borders.push_back(rawArgs[++i]);
        } else if (rawArgs[i].rfind("--border=", 0) == 0) {
            borders.push_back(rawArgs[i].substr(9));
        } else {
            args.push_back(rawArgs[i]);
        }
    }
    const CParsedArgs a = ParseArgs(args, {"--connect", "--cli-hatches", "--verify", "--quiet"},
                                    {"-o", "--output", "--hatch-space", "--orientation", "--strategy", "--contours",
                                     "--on-topology-error"});
    if (!a.problem.empty())
        return UsageError(g_export, a.problem);
    if (a.positional.size() != 1)
        return UsageError(g_export, a.positional.empty() ? "no INPUT given" : "one INPUT only");
    const std::string input = a.positional[0];
    const std::string output = !a.Value("-o").empty() ? a.Value("-o") : a.Value("--output");
    if (output.empty())
        return UsageError(g_export, "no OUTPUT given (-o)");
    const bool cliHatches = a.Has("--cli-hatches");

    // The options dialog's defaults and ranges.
    float hatchSpace = 0.2f;
    if (cliHatches) {
        if (!a.Value("--hatch-space").empty())
            return UsageError(g_export, "--cli-hatches writes the file's own hatches with a unit of 0.05 mm; "
                                        "--hatch-space does not apply");
        hatchSpace = 0.05f;
    } else if (!a.Value("--hatch-space").empty() &&
               (!ParseFloatArg(a.Value("--hatch-space"), hatchSpace) || hatchSpace < 0.1f || hatchSpace > 99999.0f)) {
        return UsageError(g_export, "--hatch-space takes a number from 0.1 to 99999 (mm)");
    }
    int orientation = 2;
    if (const std::string o = a.Value("--orientation"); !o.empty()) {
        if (o == "x")
            orientation = 0;
        else if (o == "y")
            orientation = 1;
        else if (o == "alternate")
            orientation = 2;
        else
            return UsageError(g_export, "--orientation takes x, y or alternate");
    }
    int strategy = 4;
    if (!a.Value("--strategy").empty() && !ParseStrategy(a.Value("--strategy"), strategy))
        return UsageError(g_export, "--strategy takes 1 to 4 (nearest, extent, depth, mixed)");
    int contourOption = 2;
    if (const std::string c = a.Value("--contours"); !c.empty()) {
        if (c == "none")
            contourOption = 0;
        else if (c == "first")
            contourOption = 1;
        else if (c == "last")
            contourOption = 2;
        else
            return UsageError(g_export, "--contours takes none, first or last");
    }

    CConsolePlatform console;
    if (!ConfigureTopologyAnswer(console, a.Value("--on-topology-error")))
        return UsageError(g_export, "--on-topology-error takes stop or continue");

    bool unreadable = false;
    const FileFormat format = DetectFormat(input, unreadable);
    if (unreadable)
        return Fail(Tr(5003) + ": " + input);
    if (format != FileFormat::Cli && format != FileFormat::Ssl)
        return Fail(Tr("ToolUnknownFormat") + ": " + input);
    if (cliHatches && format != FileFormat::Cli)
        return UsageError(g_export, "--cli-hatches needs a CLI input");
    for (const std::string& b : borders) {
        bool bad = false;
        if (DetectFormat(b, bad) != format)
            return Fail(Tr("SpfBorderKind") + " " + b);
    }
    if (a.Has("--verify")) {
        const int verdict = format == FileFormat::Cli ? VerifyCli(input) : VerifySsl(input);
        if (verdict != 0)
            return 1;
    }

    CSpf spf;
    CSpfExport exporter(spf);
    CCli cli;
    std::vector<std::unique_ptr<CCli>> cliBorders;
    CSsl ssl;
    std::vector<std::unique_ptr<CSsl>> sslBorders;
    if (format == FileFormat::Cli) {
        if (!cli.Load(input))
            return 1;
        cli.m_bOpen = true;
        exporter.m_cli = &cli;
        for (const std::string& b : borders) {
            auto holder = std::make_unique<CCli>();
            if (!holder->Load(b))
                return 1;
            exporter.m_cliContours.push_back(holder.get());
            cliBorders.push_back(std::move(holder));
        }
    } else {
        ssl.m_data.m_strFileName = input;
        if (!ssl.Open(input))
            return 1;
        ssl.m_bOpen = true;
        exporter.m_ssl = &ssl;
        for (const std::string& b : borders) {
            auto holder = std::make_unique<CSsl>();
            holder->m_data.m_strFileName = b;
            if (!holder->Open(b))
                return 1;
            exporter.m_sslContours.push_back(holder.get());
            sslBorders.push_back(std::move(holder));
        }
    }

    CSpfDataDoc& d = spf.m_data;
    d.m_hatchSpace = hatchSpace;
    d.m_orientation = orientation;
    d.m_pathStrategy = strategy;
    d.m_connectHatches = a.Has("--connect") ? 1 : 0;
    d.m_contourOption = contourOption;
    d.m_taggedLayout = 1;
    d.m_nScanDirX = d.m_nScanDirY = LINE_APPEND;
    exporter.UpdateFileKind();

    const bool quiet = a.Has("--quiet");
    CExportProgress progress(!quiet && isatty(STDERR_FILENO));
    CScopedPlatform scoped(CPlatform{&console, &console, &progress, nullptr});

    exporter.m_bExporting = true;
    g_exporting = &exporter.m_bExporting;
    auto previous = std::signal(SIGINT, StopExport);
    const auto start = std::chrono::steady_clock::now();
    const bool ok = exporter.WriteSpfFile(output, cliHatches);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::signal(SIGINT, previous);
    g_exporting = nullptr;

    if (!quiet && (ok || exporter.m_nLayersWritten > 0)) {
        char secs[32];
        std::snprintf(secs, sizeof secs, "%.2f", seconds);
        std::string summary = Tr("SpfSummary");
        summary = Replace(summary, "%1", std::to_string(exporter.m_nLayersWritten));
        summary = Replace(summary, "%2", std::to_string(exporter.m_nVectors));
        summary = Replace(summary, "%3", secs);
        const std::string stopped =
            ok ? std::string() : " (" + Tr(exporter.m_bKeptStopped ? "SpfStoppedKept" : "SpfStoppedDropped") + ")";
        std::printf("%s: %s%s\n", output.c_str(), summary.c_str(), stopped.c_str());
        std::fflush(stdout);
    }
    return ok ? 0 : 1;
}
} // namespace
