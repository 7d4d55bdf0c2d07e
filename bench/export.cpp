// Export speed and memory.
//
//   BM_ExportSamplePart  the README's sample part (300 layers: a plate with
//                        holes, a pocket and an island, then a tapering boss
//                        with a bore), hatch space 0.1 mm, strategy 4,
//                        alternate orientation; reports layers per second.
//   BM_ExportLargeCli    a CLI file of about 1 GB (4200 layers, each a
//                        contour of 30 000 points) exported once; reports
//                        the peak resident memory of the process. Run it on
//                        its own (--benchmark_filter=LargeCli) so the figure
//                        is the export's alone. The file is made once in
//                        $VEMO_BENCH_DIR (default /tmp) and kept.
#include "cli/Cli.h"
#include "cli/CliLayerIo.h"
#include "io/FileStream.h"
#include "platform/Platform.h"
#include "scan/ScanLine.h"
#include "spf/Spf.h"
#include "spf/SpfExport.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>

namespace {

constexpr float kPi = 3.14159265f;

std::string BenchDir()
{
    const char* dir = std::getenv("VEMO_BENCH_DIR");
    return dir && *dir ? dir : "/tmp";
}

void AddCircle(CSlice& layer, float cx, float cy, float r, int segments, bool clockwise)
{
    CSliceLoop& loop = layer.AddLoop();
    loop.m_nType = LOOP_UNDECIDED;
    for (int i = 0; i < segments; ++i) {
        const float a = 2 * kPi * static_cast<float>(i) / static_cast<float>(segments);
        loop.m_points.emplace_back(cx + r * std::cos(a), cy + r * (clockwise ? -std::sin(a) : std::sin(a)));
    }
    loop.m_nPointCount = segments;
}

void AddRectangle(CSlice& layer, float x0, float y0, float x1, float y1, bool clockwise)
{
    CSliceLoop& loop = layer.AddLoop();
    loop.m_nType = LOOP_UNDECIDED;
    if (clockwise)
        loop.m_points = {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}};
    else
        loop.m_points = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    loop.m_nPointCount = 4;
}

// The sample part of vemo-make-sample, drawn the same way.
bool WriteSamplePart(const std::string& path)
{
    CCliDataDoc doc;
    doc.m_fUnits = 0.01f;
    doc.m_nLayers = 300;
    CFileStream out;
    if (!out.Open(path, CFileStream::Mode::Write) || !doc.WriteHeader(out))
        return false;
    for (int i = 0; i < 300; ++i) {
        CSlice layer;
        layer.m_fHeight = 0.05f * static_cast<float>(i + 1);
        if (i < 100) {
            AddRectangle(layer, 10, 10, 90, 70, false);
            for (float x : {18.0f, 82.0f})
                for (float y : {18.0f, 62.0f})
                    AddCircle(layer, x, y, 3.0f, 48, true);
            AddRectangle(layer, 22, 28, 42, 52, true);
            AddRectangle(layer, 28, 36, 36, 44, false);
            AddCircle(layer, 32, 40, 1.5f, 24, true);
        } else {
            const float t = static_cast<float>(i - 100) / 199.0f;
            AddCircle(layer, 66, 40, 15.0f - 5.0f * t, 96, false);
            AddCircle(layer, 66, 40, 6.0f, 64, true);
        }
        if (!WriteCliLayer(layer, out, i < 100 ? CLI_KIND_SHORT : CLI_KIND_LONG, 0.01f))
            return false;
    }
    return out.Close();
}

// About 1 GB: 4200 layers of one 30 000-point contour (long form).
bool WriteLargeCli(const std::string& path)
{
    constexpr int kLayers = 4200, kPoints = 30000;
    CCliDataDoc doc;
    doc.m_fUnits = 1.0f;
    doc.m_nLayers = kLayers;
    const std::string temp = path + ".tmp";
    CFileStream out;
    if (!out.Open(temp, CFileStream::Mode::Write) || !doc.WriteHeader(out))
        return false;
    CSlice layer;
    AddCircle(layer, 100, 100, 40, kPoints, false);
    for (int i = 0; i < kLayers; ++i) {
        layer.m_fHeight = 0.05f * static_cast<float>(i + 1);
        // A slowly turning outline, so no two layers are alike.
        const float turn = 0.001f * static_cast<float>(i);
        for (int p = 0; p < kPoints; ++p) {
            const float a = 2 * kPi * static_cast<float>(p) / kPoints + turn;
            layer.m_loops[0]->m_points[static_cast<std::size_t>(p)].SetPoint(100 + 40 * std::cos(a), 100 + 30 * std::sin(a));
        }
        if (!WriteCliLayer(layer, out, CLI_KIND_LONG, 1.0f))
            return false;
    }
    if (!out.Close())
        return false;
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    return !ec;
}

bool Export(const std::string& input, const std::string& output, float hatchSpace)
{
    CCli cli;
    if (!cli.Load(input))
        return false;
    cli.m_bOpen = true;
    CSpf spf;
    CSpfDataDoc& d = spf.m_data;
    d.m_hatchSpace = hatchSpace;
    d.m_orientation = 2;
    d.m_pathStrategy = 4;
    d.m_connectHatches = 0;
    d.m_contourOption = 2;
    d.m_nScanDirX = d.m_nScanDirY = LINE_APPEND;
    CSpfExport exporter(spf);
    exporter.m_cli = &cli;
    exporter.UpdateFileKind();
    exporter.m_bExporting = true;
    exporter.m_nTopologyReply = PROMPT_GO_ON;
    return exporter.WriteSpfFile(output, false);
}

void BM_ExportSamplePart(benchmark::State& state)
{
    const std::string input = BenchDir() + "/vemo_bench_plate.cli";
    const std::string output = BenchDir() + "/vemo_bench_plate.spf";
    if (!WriteSamplePart(input)) {
        state.SkipWithError("cannot write the sample part");
        return;
    }
    for (auto _ : state) {
        if (!Export(input, output, 0.1f)) {
            state.SkipWithError("export failed");
            return;
        }
    }
    state.counters["layers_per_second"] = benchmark::Counter(300.0 * static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate);
    std::remove(output.c_str());
}
BENCHMARK(BM_ExportSamplePart)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportLargeCli(benchmark::State& state)
{
    const std::string input = BenchDir() + "/vemo_bench_large.cli";
    const std::string output = BenchDir() + "/vemo_bench_large.spf";
    std::error_code ec;
    if (!std::filesystem::exists(input, ec) && !WriteLargeCli(input)) {
        state.SkipWithError("cannot write the large CLI file");
        return;
    }
    for (auto _ : state) {
        if (!Export(input, output, 0.2f)) {
            state.SkipWithError("export failed");
            return;
        }
    }
    state.counters["input_MB"] = static_cast<double>(std::filesystem::file_size(input, ec)) / 1.0e6;
    state.counters["peak_RSS_MB"] = PeakRssMb();
    state.counters["layers_per_second"] = benchmark::Counter(4200.0 * static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate);
    std::remove(output.c_str());
}
BENCHMARK(BM_ExportLargeCli)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

} // namespace
