// Hatching the layers of CLI files written by other tools: the lines agree
// bit for bit with the literal form of the sweep, and every vector lies in the
// material of the outer contour it belongs to.
#include "ScanFixtures.h"
#include "ScanReference.h"

#include "cli/Cli.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

using namespace scantest;

namespace {

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

TEST(HatchRealData, EveryLayerMatchesTheLiteralSweepAndStaysInTheMaterial)
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
            for (std::size_t p = 0; p < ctx.m_planes.size() && ctx.m_planes.size() == slices.size(); ++p) {
                const CScanPlane& plane = ctx.m_planes[p];
                std::size_t next = 0;
                for (const auto& loop : slices[p]->m_loops) {
                    if (loop->m_nType != LOOP_OUTER)
                        continue;
                    std::vector<RefLine> ref = RefHatch(*loop, ctx.m_hatchSpace, plane.m_orientation);
                    if (ref.empty())
                        continue;
                    ASSERT_LT(next, plane.m_paths.size()) << path << " layer " << layer;
                    const CPlanePath& made = plane.m_paths[next++];
                    ASSERT_EQ(made.m_lines.size(), ref.size()) << path << " layer " << layer;
                    if (made.m_lines.front().m_coord != ref.front().c)
                        std::reverse(ref.begin(), ref.end());   // lines put at the head
                    for (std::size_t k = 0; k < ref.size(); ++k) {
                        const CScanLine& line = made.m_lines[k];
                        ASSERT_EQ(line.m_coord, ref[k].c) << path << " layer " << layer;
                        ASSERT_EQ(line.m_direction, ref[k].direction) << path << " layer " << layer;
                        ASSERT_EQ(line.m_scanPoints.size(), ref[k].points.size()) << path << " layer " << layer;
                        for (std::size_t i = 0; i < ref[k].points.size(); ++i)
                            ASSERT_EQ(line.m_scanPoints[i].m_value, ref[k].points[i]) << path << " layer " << layer;
                    }
                }
                EXPECT_EQ(next, plane.m_paths.size()) << path << " layer " << layer;
            }
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
