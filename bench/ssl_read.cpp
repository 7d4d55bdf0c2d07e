// The SSL first pass and a full sequential read (with contour topology) of a
// 100 MB SSL file, generated once into a temporary directory: a plate with a
// 400-point outline and forty 96-point holes per layer. Reports throughput
// and the process's peak resident size, which stays bounded by one layer.
#include "io/FileStream.h"
#include "layer/SslLayer.h"
#include "ssl/SslDataDoc.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr std::int64_t kTargetBytes = 100ll << 20;

void AddCircle(CSlice& layer, float cx, float cy, float r, int n)
{
    CSliceLoop& loop = layer.AddLoop();
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
        m_dir = std::filesystem::temp_directory_path() / ("vemo-bench-ssl-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_dir);
        m_path = (m_dir / "big.ssl").string();
        CSlice layer;
        layer.m_fThickness = 0.03f;
        AddCircle(layer, 100, 100, 90, 400);
        for (int i = 0; i < 40; ++i)
            AddCircle(layer, 40 + 15 * static_cast<float>(i % 8), 60 + 20 * static_cast<float>(i / 8), 5, 96);
        CFileStream out;
        out.Open(m_path, CFileStream::Mode::Write);
        out.WriteText("Slice\tV0\nSLICES()\nFILE(file0,big.stl)");
        int layers = 0;
        while (out.Size() < kTargetBytes) {
            layer.m_fHeight = 0.03f * static_cast<float>(++layers);
            WriteSslLayer(layer, &out);
        }
        out.WriteText("\nEND");
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

void BM_SslMeasure(benchmark::State& state)
{
    const CBigFile& file = BigFile();
    for (auto _ : state) {
        CSslDataDoc doc;
        if (!doc.Measure(file.Path()) || doc.m_nLayerCount != file.Layers()) {
            state.SkipWithError("measure failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * file.Bytes());
    state.counters["file_MB"] = static_cast<double>(file.Bytes()) / (1 << 20);
    state.counters["peak_rss_MB"] = PeakRssMb();
}
BENCHMARK(BM_SslMeasure)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SslReadEveryLayerWithTopology(benchmark::State& state)
{
    const CBigFile& file = BigFile();
    CSslDataDoc doc;
    doc.m_strFileName = file.Path();
    if (!doc.Measure(file.Path())) {
        state.SkipWithError("measure failed");
        return;
    }
    std::int64_t layers = 0, holes = 0;
    for (auto _ : state) {
        doc.OpenReading();
        PromptState prompt = PROMPT_ASK;
        for (int i = 0; i < doc.m_nLayerCount; ++i) {
            doc.ClearLayers();
            if (doc.ReadNextLayer(prompt) == 1) {
                ++layers;
                holes += static_cast<std::int64_t>(doc.m_layers.back()->m_innerLoops.size());
            }
        }
        doc.ClearLayers();
        doc.CloseReading();
    }
    if (layers != state.iterations() * file.Layers())
        state.SkipWithError("not every layer was read");
    state.SetBytesProcessed(state.iterations() * file.Bytes());
    state.counters["layers"] = static_cast<double>(layers) / static_cast<double>(state.iterations());
    state.counters["holes_per_layer"] = layers ? static_cast<double>(holes) / static_cast<double>(layers) : 0;
    state.counters["peak_rss_MB"] = PeakRssMb();
}
BENCHMARK(BM_SslReadEveryLayerWithTopology)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
