// Hatching the layers of CLI files written by other tools: every vector lies
// in the material of the outer contour it belongs to.
#include "ScanFixtures.h"

#include "cli/Cli.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace scantest;

namespace {

bool InPolygon(const std::vector<C2DPoint>& poly, double x, double y)
{
    bool in = false;
    const std::size_t n = poly.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const double xi = poly[i].m_x, yi = poly[i].m_y, xj = poly[j].m_x, yj = poly[j].m_y;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            in = !in;
    }
    return in;
}

// Distance from (x, y) to the contour's boundary.
double ToBoundary(const std::vector<C2DPoint>& poly, double x, double y)
{
    double best = 1e300;
    const std::size_t n = poly.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const double ax = poly[j].m_x, ay = poly[j].m_y, bx = poly[i].m_x, by = poly[i].m_y;
        const double dx = bx - ax, dy = by - ay;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(ax + t * dx - x, ay + t * dy - y));
    }
    return best;
}

} // namespace

TEST(HatchRealData, VectorsOfEveryLayerLieInTheMaterial)
{
    const std::filesystem::path folder = std::filesystem::path(VEMO_SHARED_DATA_DIR) / "cli";
    if (!std::filesystem::exists(folder))
        GTEST_SKIP() << "no shared data at " << folder;
    CScriptedPlatform platform;
    int hatchedLayers = 0;
    std::size_t vectors = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".cli")
            continue;
        const std::string path = entry.path().string();
        CCli cli;
        ASSERT_TRUE(cli.Load(path)) << path;
        CCliDataDoc& doc = cli.m_data;
        ASSERT_TRUE(doc.OpenLayerFile()) << path;
        PromptState prompt = PROMPT_GO_ON;
        Context ctx(0.25f, ORIENT_ALTERNATE);
        int layer = 0;
        while (!doc.AtEndOfLayers()) {
            doc.ClearLayers();
            ctx.ClearPlanes();
            const int r = doc.ReadNextLayer(prompt);
            ASSERT_NE(r, 2) << path;
            if ((r != 1 && r != 3) || doc.m_layers.empty())
                continue;
            std::vector<CSlice*> slices;
            for (auto& s : doc.m_layers)
                slices.push_back(s.get());
            ctx.m_slices = slices;
            CScan::HatchLayer(ctx);
            CScan::OrderLayer(ctx, layer % 2 ? PATH_DEPTH_EXTENT : PATH_NEAREST);
            ++hatchedLayers;
            ++layer;
            for (std::size_t p = 0; p < ctx.m_planes.size(); ++p) {
                const CSlice& slice = *slices.at(p < slices.size() ? p : 0);
                for (const CPlanePath& planePath : ctx.m_planes[p].m_paths) {
                    vectors += planePath.m_scanPath.size();
                    for (const C2DLine& v : planePath.m_scanPath) {
                        const double mx = (static_cast<double>(v.m_ptStart.m_x) + v.m_ptEnd.m_x) / 2;
                        const double my = (static_cast<double>(v.m_ptStart.m_y) + v.m_ptEnd.m_y) / 2;
                        bool inside = false, onEdge = false;
                        for (const CSliceLoop* outer : slice.m_outerLoops) {
                            if (!InPolygon(outer->m_points, mx, my)) {
                                onEdge = onEdge || ToBoundary(outer->m_points, mx, my) < 1e-3;
                                continue;
                            }
                            bool inHole = false;
                            for (const CSliceLoop* hole : outer->m_related) {
                                if (InPolygon(hole->m_points, mx, my)) {
                                    inHole = true;
                                    onEdge = onEdge || ToBoundary(hole->m_points, mx, my) < 1e-3;
                                }
                            }
                            inside = inside || !inHole;
                        }
                        EXPECT_TRUE(inside || onEdge) << path << " layer " << layer << " at " << mx << ", " << my;
                    }
                }
            }
        }
        doc.CloseLayerFile();
    }
    EXPECT_GT(hatchedLayers, 50);
    EXPECT_GT(vectors, 10000u);
}
