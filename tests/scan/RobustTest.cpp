#include "ScanFixtures.h"

#include "scan/ScanEdges.h"

#include "io/MemoryStream.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <random>

using namespace scantest;

namespace {

double Area(const std::vector<C2DPoint>& poly)
{
    double a = 0;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
        a += static_cast<double>(poly[j].m_x) * poly[i].m_y - static_cast<double>(poly[i].m_x) * poly[j].m_y;
    return std::fabs(a) / 2;
}

// A star-shaped polygon around (cx, cy), radius between rMin and rMax.
std::vector<C2DPoint> Star(std::mt19937& rng, double cx, double cy, double rMin, double rMax, int n)
{
    std::uniform_real_distribution<double> r(rMin, rMax);
    std::vector<C2DPoint> p;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * k / n;
        const double rad = r(rng);
        p.push_back({static_cast<float>(cx + rad * std::cos(a)), static_cast<float>(cy + rad * std::sin(a))});
    }
    return p;
}

struct Region {
    std::vector<C2DPoint> outer;
    std::vector<std::vector<C2DPoint>> holes;
};

// Every vector's midpoint lies inside the outer contour and outside every
// hole; returns the total length.
double CheckInside(const CScanContext& ctx, const Region& region, const char* what)
{
    double total = 0;
    for (const C2DLine& v : Pool(ctx)) {
        const double mx = (static_cast<double>(v.m_ptStart.m_x) + v.m_ptEnd.m_x) / 2;
        const double my = (static_cast<double>(v.m_ptStart.m_y) + v.m_ptEnd.m_y) / 2;
        EXPECT_TRUE(InPolygon(region.outer, mx, my)) << what << " at " << mx << ", " << my;
        for (const auto& hole : region.holes)
            EXPECT_FALSE(InPolygon(hole, mx, my)) << what << " in a hole at " << mx << ", " << my;
        total += std::hypot(static_cast<double>(v.m_ptEnd.m_x) - v.m_ptStart.m_x,
                            static_cast<double>(v.m_ptEnd.m_y) - v.m_ptStart.m_y);
    }
    return total;
}

void Build(CSlice& slice, const Region& region)
{
    CSliceLoop& outer = AddContour(slice, region.outer, LOOP_OUTER);
    for (const auto& hole : region.holes)
        AttachHole(outer, AddContour(slice, hole, LOOP_INNER));
    Finish(slice);
}

} // namespace

TEST(HatchRobustness, DegenerateContoursNeitherCrashNorLeaveTheMaterial)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* name;
        Region region;
        bool wellFormed;   // vectors must then stay inside the material
    };
    const Case cases[] = {
        {"self-touching figure eight", {{{0, 0}, {10, 0}, {5, 5}, {10, 10}, {0, 10}, {5, 5}}, {}}, true},
        {"collinear runs",
         {{{0, 0}, {2, 0}, {4, 0}, {10, 0}, {10, 3}, {10, 3.5f}, {10, 10}, {5, 10}, {0, 10}, {0, 5}}, {}},
         true},
        {"spike into the material", {{{0, 0}, {10, 0}, {10, 10}, {6, 10}, {5.5f, 3.3f}, {5, 10}, {0, 10}}, {}}, true},
        {"spike out and back", {{{0, 0}, {10, 0}, {10, 5}, {14, 7.3f}, {10, 5}, {10, 10}, {0, 10}}, {}}, true},
        {"hole touching the outer contour", {Rect(0, 0, 10, 10), {{{0, 5}, {4, 2}, {4, 8}}}}, true},
        // Two holes sharing an edge: a line along the shared edge meets two
        // touching vertices of each and runs along the zero-width wall.
        {"hole sharing an edge with a hole", {Rect(0, 0, 10, 10), {Rect(2, 2, 5, 8), Rect(5, 2, 8, 8)}}, false},
        {"zero area", {{{0, 0}, {5, 5}, {10, 10}}, {}}, true},
        {"two points", {{{0, 0}, {10, 10}}, {}}, true},
        {"one point", {{{3, 3}}, {}}, true},
        {"no points", {{}, {}}, true},
        {"hole without points", {Rect(0, 0, 10, 10), {{}}}, true},
        {"not a number", {{{0, 0}, {nan, 0}, {10, nan}, {0, 10}}, {}}, false},
        {"all not a number", {{{nan, nan}, {nan, nan}, {nan, nan}}, {}}, false},
        {"infinite", {{{0, 0}, {inf, 0}, {10, 10}, {-inf, inf}}, {}}, false},
        {"huge", {{{-1e30f, -1e30f}, {1e30f, -1e30f}, {1e30f, 1e30f}}, {}}, false},
        {"far but finite", {Rect(1e6f, 1e6f, 1e6f + 30, 1e6f + 30), {}}, false},
        {"beyond the field", Region{Rect(-9999, -9999, 9999, 9999), {}}, true},
    };
    for (const Case& c : cases) {
        for (int orientation : {ORIENT_X, ORIENT_Y}) {
            for (float h : {0.5f, 0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
                if (std::string(c.name) == "beyond the field" && h == 0.5f)
                    h = 20.0f;
                CSlice slice;
                Build(slice, c.region);
                Context ctx(h, orientation);
                Hatch(ctx, slice);
                CScan::OrderLayer(ctx, PATH_DEPTH_EXTENT);
                if (c.wellFormed && c.region.outer.size() >= 3) {
                    CheckInside(ctx, c.region, c.name);
                }
                if (!(h > 0.0f)) {
                    EXPECT_TRUE(Pool(ctx).empty()) << c.name;
                }
            }
        }
    }
}

// Generated regions with holes: every vector lies in the material, and the
// hatched length matches the area within one hatch space per line.
TEST(HatchRobustness, GeneratedRegionsWithHoles)
{
    std::mt19937 rng(2026);
    for (int round = 0; round < 60; ++round) {
        Region region;
        region.outer = Star(rng, 50, 50, 25, 45, 5 + static_cast<int>(rng() % 60));
        // Holes well inside the outer contour's inner radius and apart from
        // each other.
        std::vector<std::pair<double, double>> centres;
        std::uniform_real_distribution<double> pos(30, 70);
        for (int tries = 0; tries < 20 && region.holes.size() < 5; ++tries) {
            const double x = pos(rng), y = pos(rng);
            bool apart = std::hypot(x - 50, y - 50) < 12;
            for (auto [cx, cy] : centres)
                apart = apart && std::hypot(x - cx, y - cy) > 13;
            if (!apart)
                continue;
            centres.emplace_back(x, y);
            region.holes.push_back(Star(rng, x, y, 2, 6, 3 + static_cast<int>(rng() % 20)));
        }
        double area = Area(region.outer);
        for (const auto& hole : region.holes)
            area -= Area(hole);
        const float h = round % 3 == 0 ? 1.0f : 0.37f;
        for (int orientation : {ORIENT_X, ORIENT_Y}) {
            CSlice slice;
            Build(slice, region);
            Context ctx(h, orientation);
            Hatch(ctx, slice);
            const double total = CheckInside(ctx, region, "generated");
            const CPlanePath& path = ctx.m_planes.at(0).m_paths.at(0);
            const double lines = static_cast<double>(path.m_lines.size());
            EXPECT_NEAR(total, area / h, lines * h) << "round " << round << " orientation " << orientation;
            // planning keeps every vector exactly once
            for (int strategy : {1, 2, 3, 4}) {
                CPlanePath copy = path;
                copy.Order(strategy);
                std::size_t junctions = copy.m_scanPath.size() - path.m_vectors.size();
                EXPECT_TRUE(strategy != 1 || junctions == 0);
                double planned = 0;
                for (const C2DLine& v : copy.m_scanPath)
                    planned += std::hypot(v.m_ptEnd.m_x - v.m_ptStart.m_x, v.m_ptEnd.m_y - v.m_ptStart.m_y);
                EXPECT_GE(planned + 1e-3, total) << strategy;
            }
        }
    }
}

// Random layers with odd values and odd links (a hole named twice or by two
// outer contours, an outer contour listed as its own hole, null links):
// hatching, every strategy, writing and drawing finish without fault.
TEST(HatchRobustness, RandomLayersWithOddValuesAndLinks)
{
    std::mt19937 rng(99);
    const float odd[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity(), 1e30f, -1e30f, 5.0f, 5.000004f, 0.0f};
    std::uniform_real_distribution<float> u(0.0f, 20.0f);
    for (int round = 0; round < 300; ++round) {
        CSlice slice;
        const int loops = 1 + static_cast<int>(rng() % 5);
        for (int l = 0; l < loops; ++l) {
            std::vector<C2DPoint> pts;
            const int n = static_cast<int>(rng() % 12);
            for (int k = 0; k < n; ++k) {
                C2DPoint p{u(rng), u(rng)};
                if (rng() % 4 == 0)
                    p.m_x = std::round(p.m_x);   // shared heights and positions
                if (rng() % 4 == 0)
                    p.m_y = std::round(p.m_y);
                if (rng() % 25 == 0)
                    p.m_x = odd[rng() % std::size(odd)];
                if (rng() % 25 == 0)
                    p.m_y = odd[rng() % std::size(odd)];
                pts.push_back(p);
            }
            AddContour(slice, pts, static_cast<std::uint16_t>(rng() % 3 == 0 ? 0 : rng() % 4));
        }
        Finish(slice);
        for (auto& a : slice.m_loops) {
            for (int links = static_cast<int>(rng() % 4); links > 0; --links) {
                const std::size_t pick = rng() % (slice.m_loops.size() + 1);
                a->m_related.push_back(pick < slice.m_loops.size() ? slice.m_loops[pick].get() : nullptr);
            }
        }
        Context ctx(rng() % 2 ? 0.5f : 0.05f, static_cast<int>(rng() % 3));
        Hatch(ctx, slice);
        std::vector<std::vector<C2DLine>> pools;
        for (const CScanPlane& plane : ctx.m_planes)
            for (const CPlanePath& path : plane.m_paths)
                pools.push_back(path.m_vectors);
        const int strategy = 1 + static_cast<int>(rng() % 4);
        CScan::OrderLayer(ctx, strategy);
        std::size_t p = 0;
        for (const CScanPlane& plane : ctx.m_planes) {
            CMemoryStream out;
            plane.WritePaths(out, static_cast<int>(rng() % 2), ctx.m_hatchSpace, static_cast<int>(rng() % 2));
            CRecordingSurface surface;
            plane.DrawPaths(0, surface, 800, 600, 0xFF, 1, 1.0f, 0.0f, 0.0f);
            // every hatch vector is planned (a junction may repeat one exactly)
            for (const CPlanePath& path : plane.m_paths) {
                const std::vector<C2DLine>& pool = pools[p++];
                if (strategy == PATH_NEAREST) {
                    EXPECT_EQ(path.m_scanPath.size(), pool.size());
                    continue;
                }
                for (const C2DLine& v : pool) {
                    const auto same = [&](const C2DLine& w) { return std::memcmp(&v, &w, sizeof v) == 0; };
                    EXPECT_GE(std::count_if(path.m_scanPath.begin(), path.m_scanPath.end(), same),
                              std::count_if(pool.begin(), pool.end(), same));
                }
            }
        }
    }
}

// A contour whose lower ends form one long chain of distinct values, each
// within the tolerance of the next: its edge table is still built at once,
// ordered by lower end up to the tolerance, and hatching it finishes.
TEST(HatchRobustness, LongChainOfNearlyEqualHeights)
{
    CSlice slice;
    std::vector<C2DPoint> pts;
    float y = 100.0f;
    for (int k = 0; k < 20000; ++k) {
        pts.push_back({static_cast<float>(k % 2 ? 50 : 0), y});
        y = std::nextafter(y, 200.0f);
    }
    pts.push_back({50.0f, 110.0f});
    pts.push_back({0.0f, 110.0f});
    CSliceLoop& loop = AddContour(slice, pts, LOOP_OUTER);
    Finish(slice);
    BuildScanEdges(loop, 0);
    ASSERT_EQ(loop.m_edges.size(), pts.size() - 1);
    for (std::size_t k = 1; k < loop.m_edges.size(); ++k)
        EXPECT_LE(loop.m_edges[k - 1].m_pFirst->m_y, loop.m_edges[k].m_pFirst->m_y + 1e-4f);
    Context ctx(0.5f);
    Hatch(ctx, slice);
    EXPECT_FALSE(ctx.m_planes.empty());
}
