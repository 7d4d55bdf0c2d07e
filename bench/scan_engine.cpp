// Hatching, planning and drawing speed of the scan engine on plate-like layers.
#include "layer/Slice.h"
#include "platform/DrawSurface.h"
#include "scan/NearestOrder.h"
#include "scan/Scan.h"
#include "scan/ScanContext.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

std::vector<C2DPoint> Circle(float cx, float cy, float r, int n)
{
    std::vector<C2DPoint> p;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * k / n;
        p.push_back({static_cast<float>(cx + r * std::cos(a)), static_cast<float>(cy + r * std::sin(a))});
    }
    return p;
}

// A square plate of side `size` with round holes (64-gons) on a grid.
std::unique_ptr<CSlice> Plate(float size, int holesPerSide, float radius)
{
    auto slice = std::make_unique<CSlice>();
    CSliceLoop& outer = slice->AddLoop();
    outer.m_points = {{0, 0}, {size, 0}, {size, size}, {0, size}};
    outer.m_nType = LOOP_OUTER;
    const float pitch = size / static_cast<float>(holesPerSide);
    for (int i = 0; i < holesPerSide; ++i) {
        for (int j = 0; j < holesPerSide; ++j) {
            CSliceLoop& hole = slice->AddLoop();
            hole.m_points = Circle(pitch * (i + 0.5f), pitch * (j + 0.5f), radius, 64);
            hole.m_nType = LOOP_INNER;
            outer.m_related.push_back(&hole);
            hole.m_related.push_back(&outer);
        }
    }
    slice->ComputeBoxes();
    return slice;
}

// The square of 100 mm with three round holes.
std::unique_ptr<CSlice> SquareWithThreeHoles()
{
    auto slice = std::make_unique<CSlice>();
    CSliceLoop& outer = slice->AddLoop();
    outer.m_points = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    outer.m_nType = LOOP_OUTER;
    for (int k = 0; k < 3; ++k) {
        CSliceLoop& hole = slice->AddLoop();
        hole.m_points = Circle(25.0f + 25.0f * k, 30.0f + 20.0f * k, 10.0f, 64);
        hole.m_nType = LOOP_INNER;
        outer.m_related.push_back(&hole);
        hole.m_related.push_back(&outer);
    }
    slice->ComputeBoxes();
    return slice;
}

void Run(benchmark::State& state, CSlice& slice, float hatch, int strategy)
{
    CScanContext ctx;
    ctx.m_hatchSpace = hatch;
    ctx.m_nFileKind = 2;
    ctx.m_slices = {&slice};
    std::size_t vectors = 0;
    for (auto _ : state) {
        ctx.ClearPlanes();
        CScan::HatchLayer(ctx);
        if (strategy > 0)
            CScan::OrderLayer(ctx, strategy);
        vectors = ctx.m_planes.at(0).m_paths.at(0).m_vectors.size();
        benchmark::DoNotOptimize(ctx.m_planes.data());
    }
    state.counters["vectors"] = static_cast<double>(vectors);
}

void BM_Square3Holes_HatchPlan4_04mm(benchmark::State& state)
{
    auto slice = SquareWithThreeHoles();
    Run(state, *slice, 0.4f, PATH_DEPTH_EXTENT);
}
BENCHMARK(BM_Square3Holes_HatchPlan4_04mm)->Unit(benchmark::kMillisecond);

void BM_Plate400Holes_Hatch_01mm(benchmark::State& state)
{
    auto slice = Plate(200.0f, 20, 4.0f);
    Run(state, *slice, 0.1f, 0);
}
BENCHMARK(BM_Plate400Holes_Hatch_01mm)->Unit(benchmark::kMillisecond);

void BM_Plate400Holes_HatchPlan4_01mm(benchmark::State& state)
{
    auto slice = Plate(200.0f, 20, 4.0f);
    Run(state, *slice, 0.1f, PATH_DEPTH_EXTENT);
}
BENCHMARK(BM_Plate400Holes_HatchPlan4_01mm)->Unit(benchmark::kMillisecond);

void BM_Plate400Holes_HatchPlan2_01mm(benchmark::State& state)
{
    auto slice = Plate(200.0f, 20, 4.0f);
    Run(state, *slice, 0.1f, PATH_EXTENT);
}
BENCHMARK(BM_Plate400Holes_HatchPlan2_01mm)->Unit(benchmark::kMillisecond);

// Strategy 1 alone on the hatch vectors of a plate with larger holes (40,000 vectors).
void BM_NearestVector_40k(benchmark::State& state)
{
    auto slice = Plate(200.0f, 20, 4.75f);
    CScanContext ctx;
    ctx.m_hatchSpace = 0.1f;
    ctx.m_nFileKind = 2;
    ctx.m_slices = {slice.get()};
    CScan::HatchLayer(ctx);
    const std::vector<C2DLine> pool = ctx.m_planes.at(0).m_paths.at(0).m_vectors;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<C2DLine> work = pool;
        std::vector<C2DLine> path;
        state.ResumeTiming();
        OrderNearest(work, path);
        benchmark::DoNotOptimize(path.data());
    }
    state.counters["vectors"] = static_cast<double>(pool.size());
}
BENCHMARK(BM_NearestVector_40k)->Unit(benchmark::kMillisecond);

// A surface that only counts: the cost of the core's drawing walk.
class CCountingSurface : public IDrawSurface {
public:
    void SelectPen(PenStyle, int, Colour) override { ++m_calls; }
    void RestorePen() override { ++m_calls; }
    void MoveTo(int x, int y) override { m_sum += x + y; }
    void LineTo(int x, int y) override { m_sum += x - y; }
    long long m_calls = 0;
    long long m_sum = 0;
};

void BM_DrawPlate_40k_1600x1000(benchmark::State& state)
{
    auto slice = Plate(200.0f, 20, 4.75f);
    CScanContext ctx;
    ctx.m_hatchSpace = 0.1f;
    ctx.m_nFileKind = 2;
    ctx.m_slices = {slice.get()};
    CScan::HatchLayer(ctx);
    CScan::OrderLayer(ctx, PATH_DEPTH_EXTENT);
    CCountingSurface surface;
    for (auto _ : state) {
        ctx.m_planes[0].DrawPaths(0, surface, 1600, 1000, 0xFF0000, static_cast<int>(state.range(0)), 1.0f, -100.0f,
                                  -100.0f);
        benchmark::DoNotOptimize(surface.m_sum);
    }
    state.counters["pens"] = static_cast<double>(surface.m_calls) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DrawPlate_40k_1600x1000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
