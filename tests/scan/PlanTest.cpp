#include "ScanFixtures.h"

#include "scan/NearestOrder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <random>

using namespace scantest;

namespace {

// The nearest free vector, walking the pool for every step: the plain form
// the indexed planner must match choice for choice.
std::vector<C2DLine> PlainNearest(std::vector<C2DLine> pool)
{
    std::vector<C2DLine> path;
    if (pool.empty())
        return path;
    path.push_back(pool.front());
    pool.erase(pool.begin());
    C2DPoint current = path.back().m_ptEnd;
    while (!pool.empty()) {
        float best = 99999.0f;
        std::size_t chosen = 0;
        for (std::size_t k = 0; k < pool.size(); ++k) {
            float d = 0.0f;
            pool[k].NearestEnd(current, d);
            if (d < best) {
                best = d;
                chosen = k;
            }
        }
        C2DLine v = pool[chosen];
        pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(chosen));
        float d = 0.0f;
        if (v.NearestEnd(current, d) == 2)
            std::swap(v.m_ptStart, v.m_ptEnd);
        path.push_back(v);
        current = v.m_ptEnd;
    }
    return path;
}

// Hatches one outer contour with holes (h = 1, orientation X) and plans it.
CPlanePath Planned(std::vector<std::vector<C2DPoint>> contours, int strategy, float h = 1.0f)
{
    CSlice slice;
    CSliceLoop& outer = AddContour(slice, contours[0], LOOP_OUTER);
    for (std::size_t k = 1; k < contours.size(); ++k)
        AttachHole(outer, AddContour(slice, contours[k], LOOP_INNER));
    Finish(slice);
    Context ctx(h);
    Hatch(ctx, slice);
    CScan::OrderLayer(ctx, strategy);
    if (ctx.m_planes.empty() || ctx.m_planes[0].m_paths.empty())
        return CPlanePath();
    return std::move(ctx.m_planes[0].m_paths[0]);
}

std::vector<C2DLine> Alternating(float x0, float x1, int y0, int y1)
{
    std::vector<C2DLine> v;
    for (int y = y0; y <= y1; ++y)
        v.push_back((y - y0) % 2 ? L(x1, y, x0, y) : L(x0, y, x1, y));
    return v;
}

std::vector<C2DLine> Join(std::initializer_list<std::vector<C2DLine>> parts)
{
    std::vector<C2DLine> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

} // namespace

TEST(Plan, ConvexRegionIsOneColumnUnderEveryStrategy)
{
    const std::vector<C2DLine> expected = Alternating(0, 10, 1, 9);
    for (int strategy : {1, 2, 3, 4}) {
        CPlanePath path = Planned({Rect(0, 0, 10, 10)}, strategy);
        EXPECT_EQ(path.m_scanPath, expected) << strategy;
        if (strategy == 1) {
            EXPECT_TRUE(path.m_vectors.empty());
        } else {
            EXPECT_EQ(path.m_vectors.size(), 9u);
            for (const CScanLine& line : path.m_lines)
                EXPECT_TRUE(line.m_vectors.empty());
        }
        // a second run finds everything used up; after the nearest-vector
        // order the column strategies find nothing either
        path.Order(strategy);
        if (strategy == 1) {
            for (int again : {2, 3, 4})
                path.Order(again);
        }
        EXPECT_EQ(path.m_scanPath.size(), 9u) << strategy;
    }
    for (int strategy : {0, 5}) {
        CPlanePath path = Planned({Rect(0, 0, 10, 10)}, strategy);
        EXPECT_TRUE(path.m_scanPath.empty());
        EXPECT_EQ(path.m_vectors.size(), 9u);
    }
}

// Arms above a base (U) and arms below a bridge: the column order of each
// strategy and the junction that joins a column to a parent scanned
// earlier (lead-in, on the parent's last line) or later (lead-out, on the
// column's first line).
TEST(Plan, BranchingRegionsAndJunctions)
{
    const std::vector<C2DPoint> u = {{0, 0}, {10, 0}, {10, 10}, {7, 10}, {7, 4}, {3, 4}, {3, 10}, {0, 10}};
    const std::vector<C2DPoint> bridge = {{0, 0}, {3, 0}, {3, 6}, {7, 6}, {7, 0}, {10, 0}, {10, 10}, {0, 10}};
    const std::vector<C2DLine> base = Alternating(0, 10, 1, 3);
    const std::vector<C2DLine> leftArm = Alternating(3, 0, 4, 9);    // line 4 runs descending
    const std::vector<C2DLine> rightArm = Alternating(10, 7, 4, 9);
    const std::vector<C2DLine> legA = Alternating(0, 3, 1, 6);
    const std::vector<C2DLine> legB = Alternating(7, 10, 1, 6);
    const std::vector<C2DLine> top = Alternating(0, 10, 7, 9);
    struct Case {
        const char* name;
        const std::vector<C2DPoint>* shape;
        int strategy;
        std::vector<C2DLine> path;
    };
    const Case cases[] = {
        {"U extent", &u, 2, Join({base, leftArm, {L(7, 3, 10, 3)}, rightArm})},
        {"U depth", &u, 3, Join({base, leftArm, {L(7, 3, 10, 3)}, rightArm})},
        {"U mixed", &u, 4, Join({base, leftArm, {L(7, 3, 10, 3)}, rightArm})},
        {"bridge extent", &bridge, 2, Join({legA, legB, {L(3, 6, 0, 6)}, top})},
        {"bridge depth", &bridge, 3, Join({legA, top, legB, {L(7, 7, 10, 7)}})},
        {"bridge mixed", &bridge, 4, Join({legA, legB, {L(3, 6, 0, 6)}, top})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Planned({*c.shape}, c.strategy).m_scanPath, c.path) << c.name;
}

TEST(Plan, VectorsTouchingEndToEndAreNotLinked)
{
    // Line 0 has two vectors, line 1 one; the later one is linked to a column
    // only when it overlaps it, which gives a lead-in junction.
    struct Case {
        float from;
        std::size_t expected;
    };
    for (const Case c : {Case{5, 3u}, Case{4.5f, 4u}}) {
        CPlanePath path;
        path.m_vectors = {L(0, 0, 5, 0), L(20, 0, 25, 0), L(20, 1, c.from, 1)};
        CScanLine first;
        first.m_coord = 0;
        first.m_vectors = {0, 1};
        CScanLine second;
        second.m_coord = 1;
        second.m_direction = LINE_DESCENDING;
        second.m_vectors = {2};
        path.m_lines = {first, second};
        path.Order(PATH_EXTENT);
        EXPECT_EQ(path.m_scanPath.size(), c.expected) << c.from;
    }
}

TEST(Plan, NearestFreeVector)
{
    struct Case {
        const char* name;
        std::vector<C2DLine> pool;
        std::vector<C2DLine> path;
    };
    const Case cases[] = {
        {"reversed at its nearer end", {L(0, 0, 10, 0), L(0, 1, 10, 1)}, {L(0, 0, 10, 0), L(10, 1, 0, 1)}},
        {"tie: earlier in the pool",
         {L(0, 0, 10, 0), L(10, 2, 20, 2), L(10, -2, 0, -2)},
         {L(0, 0, 10, 0), L(10, 2, 20, 2), L(10, -2, 0, -2)}},
        {"tie, other pool order",
         {L(0, 0, 10, 0), L(10, -2, 0, -2), L(10, 2, 20, 2)},
         {L(0, 0, 10, 0), L(10, -2, 0, -2), L(10, 2, 20, 2)}},
        {"nothing nearer than 99999: the pool's first",
         {L(0, 0, 1, 0), L(300000, 5, 300001, 5), L(150000, 0, 150001, 0)},
         {L(0, 0, 1, 0), L(300000, 5, 300001, 5), L(150001, 0, 150000, 0)}},
    };
    for (const Case& c : cases) {
        std::vector<C2DLine> pool = c.pool;
        std::vector<C2DLine> path;
        OrderNearest(pool, path);
        EXPECT_EQ(path, c.path) << c.name;
        EXPECT_EQ(PlainNearest(c.pool), c.path) << c.name;
        EXPECT_TRUE(pool.empty());
    }
}

TEST(Plan, IndexedNearestChoosesExactlyAsThePlainWalk)
{
    std::mt19937 rng(11);
    auto check = [&](const std::vector<C2DLine>& pool, const char* what, int round) {
        std::vector<C2DLine> work = pool;
        std::vector<C2DLine> path;
        OrderNearest(work, path);
        const std::vector<C2DLine> expected = PlainNearest(pool);
        ASSERT_EQ(path.size(), expected.size());
        for (std::size_t k = 0; k < path.size(); ++k) {
            const bool same = std::memcmp(&path[k], &expected[k], sizeof(C2DLine)) == 0;
            ASSERT_TRUE(same) << what << " round " << round << " step " << k;
        }
    };
    for (int round = 0; round < 30; ++round) {
        // Integer grid points: many exact ties of distance.
        std::vector<C2DLine> grid;
        const int n = 50 + static_cast<int>(rng() % 1500);
        const int span = 3 + static_cast<int>(rng() % 40);
        for (int k = 0; k < n; ++k)
            grid.push_back(L(static_cast<float>(rng() % span), static_cast<float>(rng() % span),
                             static_cast<float>(rng() % span), static_cast<float>(rng() % span)));
        check(grid, "grid", round);
        // Clustered vectors with long jumps between clusters, some degenerate.
        std::vector<C2DLine> clusters;
        std::uniform_real_distribution<float> u(0.0f, 1.0f);
        for (int k = 0; k < n; ++k) {
            const float cx = static_cast<float>(rng() % 4) * 500.0f;
            const float x = cx + u(rng) * 5.0f;
            const float y = u(rng) * 5.0f;
            clusters.push_back(rng() % 10 == 0 ? L(x, y, x, y) : L(x, y, x + u(rng), y + u(rng)));
        }
        check(clusters, "clusters", round);
    }
    // Hatch vectors of real regions, several strategies' worth of layers.
    for (int holes = 0; holes < 4; ++holes) {
        CSlice slice;
        CSliceLoop& outer = AddContour(slice, Rect(0, 0, 50, 40), LOOP_OUTER);
        for (int k = 0; k < holes; ++k)
            AttachHole(outer, AddContour(slice, Rect(5 + 11 * k, 5, 12 + 11 * k, 33), LOOP_INNER));
        Finish(slice);
        Context ctx(0.25f);
        Hatch(ctx, slice);
        check(ctx.m_planes.at(0).m_paths.at(0).m_vectors, "hatch", holes);
    }
    // Values the grid leaves out: not a number, infinite, far away.
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<C2DLine> odd = {L(0, 0, 1, 0),   L(nan, 0, 2, 0), L(3, 0, 4, inf), L(1e9f, 0, 1e9f, 1),
                                      L(2, 1, 3, 1),   L(-inf, 5, 0, 5), L(5, 5, 6, 6),  L(nan, nan, nan, nan)};
    check(odd, "odd", 0);
    // Many vectors with an odd end, far-off outliers among ordinary ones.
    const float oddValues[] = {nan, inf, -inf, 1e20f, -3e30f, 1e7f};
    for (int round = 0; round < 20; ++round) {
        std::vector<C2DLine> mixed;
        for (int k = 0; k < 400; ++k) {
            float v[4];
            for (float& c : v)
                c = static_cast<float>(rng() % 30);
            if (rng() % 8 == 0)
                v[rng() % 4] = oddValues[rng() % std::size(oddValues)];
            mixed.push_back(L(v[0], v[1], v[2], v[3]));
        }
        check(mixed, "mixed", round);
    }
}
