// Reading every layer of a 200 MB CLI file, with contour topology, and the
// measuring scan of a load. The file is generated once into a temporary
// directory: a plate with a 400-point outline and forty 96-point holes per
// layer, long form. Reports throughput and the process's peak resident size,
// which must stay bounded by one layer, not by the file.
#include "cli/Cli.h"
#include "cli/CliLayerIo.h"
#include "io/FileStream.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr std::int64_t kTargetBytes = 200ll << 20;

void AddCircle(CSlice& layer, float cx, float cy, float r, int n, std::uint16_t type)
{
    CSliceLoop& loop = layer.AddLoop();
    loop.m_nType = type;
    for (int i = 0; i < n; ++i) {
        const float a = 6.2831853f * static_cast<float>(i) / static_cast<float>(n);
        loop.m_points.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a));
    }
    loop.m_nPointCount = n;
}

class CBigFile {
public:
    CBigFile()
    {
        m_dir = std::filesystem::temp_directory_path() / ("vemo-bench-cli-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_dir);
        m_path = (m_dir / "big.cli").string();
        CSlice layer;
        AddCircle(layer, 100, 100, 90, 400, LOOP_OUTER);
        for (int i = 0; i < 40; ++i)
            AddCircle(layer, 40 + 15 * static_cast<float>(i % 8), 60 + 20 * static_cast<float>(i / 8), 5, 96,
                      LOOP_UNDECIDED);
        CCliDataDoc header;
        header.m_fUnits = 0.001f;
        header.m_nVersion = 200;
        CFileStream out;
        out.Open(m_path, CFileStream::Mode::Write);
        header.WriteHeader(out);
        int layers = 0;
        while (out.Size() < kTargetBytes) {
            layer.m_fHeight = 0.03f * static_cast<float>(++layers);
            WriteCliLayer(layer, out, CLI_KIND_LONG, header.m_fUnits);
        }
        out.Close();
        m_bytes = static_cast<std::int64_t>(std::filesystem::file_size(m_path));
        m_layers = layers;
    }
    ~CBigFile()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    const std::string& Path() const { return m_path; }
    std::int64_t Bytes() const { return m_bytes; }
    int Layers() const { return m_layers; }

private:
    std::filesystem::path m_dir;
    std::string m_path;
    std::int64_t m_bytes = 0;
    int m_layers = 0;
};

const CBigFile& BigFile()
{
    static const CBigFile file;
    return file;
}

void BM_CliReadEveryLayerWithTopology(benchmark::State& state)
{
    const CBigFile& file = BigFile();
    CCli cli;
    if (!cli.Load(file.Path())) {
        state.SkipWithError("load failed");
        return;
    }
    std::int64_t layers = 0;
    std::int64_t holes = 0;
    for (auto _ : state) {
        cli.m_data.OpenLayerFile();
        PromptState prompt = PROMPT_GO_ON;
        while (!cli.m_data.AtEndOfLayers()) {
            cli.m_data.ClearLayers();
            if (cli.m_data.ReadNextLayer(prompt) > 0) {
                ++layers;
                holes += static_cast<std::int64_t>(cli.m_data.m_layers.back()->m_innerLoops.size());
            }
        }
        cli.m_data.ClearLayers();
    }
    state.SetBytesProcessed(state.iterations() * file.Bytes());
    state.counters["layers"] = static_cast<double>(layers) / static_cast<double>(state.iterations());
    state.counters["holes_per_layer"] = layers ? static_cast<double>(holes) / static_cast<double>(layers) : 0;
    state.counters["file_MB"] = static_cast<double>(file.Bytes()) / (1 << 20);
    state.counters["peak_rss_MB"] = PeakRssMb();
}
BENCHMARK(BM_CliReadEveryLayerWithTopology)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CliLoadMeasuringScan(benchmark::State& state)
{
    const CBigFile& file = BigFile();
    for (auto _ : state) {
        CCli cli;
        benchmark::DoNotOptimize(cli.Load(file.Path()));
    }
    state.SetBytesProcessed(state.iterations() * file.Bytes());
    state.counters["peak_rss_MB"] = PeakRssMb();
}
BENCHMARK(BM_CliLoadMeasuringScan)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
