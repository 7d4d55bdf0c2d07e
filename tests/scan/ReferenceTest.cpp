// The hatching sweep against a literal reference: edge lists walked from the
// head with sequential sorted insertion, a plain walk over the contour for
// every vertex, every hole's box tested on every line. Lines, directions and
// points must agree bit for bit.
#include "ScanFixtures.h"

#include "scan/ScanEdges.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <list>
#include <random>

using namespace scantest;

namespace {

struct RefLine {
    float c;
    int direction;
    std::vector<float> points;
};

struct Prim {
    float value;
    int kind;
    bool keep = false;
};

void InsertRule(std::vector<Prim>& list, Prim p, bool ascending)
{
    auto it = list.begin();
    for (; it != list.end(); ++it)
        if (ascending ? it->value > p.value : it->value < p.value)
            break;
    list.insert(it, p);
}

using EdgeList = std::list<CP2DLine>;

EdgeList RefTable(const CSliceLoop& loop, int axis)
{
    std::vector<CP2DLine> table;
    const std::size_t n = loop.m_points.size();
    for (std::size_t i = 0; n >= 2 && i < n; ++i) {
        const C2DPoint* p = &loop.m_points[i];
        const C2DPoint* q = &loop.m_points[(i + 1) % n];
        if (SweepOf(*p, axis) < SweepOf(*q, axis))
            InsertScanEdge(table, CP2DLine(p, q), axis);
        else if (SweepOf(*p, axis) > SweepOf(*q, axis))
            InsertScanEdge(table, CP2DLine(q, p), axis);
    }
    return EdgeList(table.begin(), table.end());
}

// One contour crossed with the line at c: false when pairing or marking failed.
bool RefCross(const CSliceLoop& loop, EdgeList& edges, float c, bool ascending, bool outer, int axis,
              std::vector<Prim>& prims)
{
    prims.clear();
    const auto pos = [&](const C2DPoint& p) { return axis == 0 ? p.m_x : p.m_y; };
    for (auto it = edges.begin(); it != edges.end();) {
        const C2DPoint& a = *it->m_pFirst;
        const C2DPoint& b = *it->m_pSecond;
        const float as = SweepOf(a, axis), bs = SweepOf(b, axis);
        const C2DPoint* v = nullptr;
        if (IsNearlyEqual(as, c)) {
            v = &a;
        } else if (IsNearlyEqual(bs, c)) {
            v = &b;
        } else if ((as < c && bs > c) || (as > c && bs < c)) {
            const double x = static_cast<double>(pos(a)) +
                             (static_cast<double>(pos(b)) - pos(a)) * (static_cast<double>(c) - as) /
                                 (static_cast<double>(bs) - as);
            InsertRule(prims, {static_cast<float>(x), 1}, ascending);
        } else if (as < c && bs < c) {
            it = edges.erase(it);
            continue;
        } else if (as > c && bs > c) {
            break;
        }
        if (v) {
            const int side = VertexSideCount(loop, *v, axis);
            if (side >= 0)
                InsertRule(prims, {pos(*v), side == 1 ? 2 : 5}, ascending);
        }
        ++it;
    }
    const std::size_t m = prims.size();
    for (std::size_t k = 0; k < m;) {
        if (prims[k].kind == 1) {
            ++k;
        } else if (k + 1 < m && prims[k + 1].kind == prims[k].kind) {
            prims[k].kind = prims[k].kind == 2 ? 3 : 6;
            prims[k + 1].kind = prims[k + 1].kind == 2 ? 4 : 7;
            k += 2;
        } else {
            return false;
        }
    }
    for (std::size_t k = 0; k < m;) {
        const int kind = prims[k].kind;
        const bool open = kind == 1 || (kind == 4 && !prims[k - 1].keep) || (kind == 7 && prims[k - 1].keep);
        if (!open) {
            ++k;
            continue;
        }
        if (k + 1 >= m)
            return false;
        prims[k].keep = prims[k + 1].keep = true;
        k += 2;
    }
    if (!outer)
        for (Prim& p : prims)
            if (p.kind != 1)
                p.keep = !p.keep;
    return true;
}

std::vector<RefLine> RefHatch(const CSliceLoop& outer, float h, int axis)
{
    std::vector<RefLine> lines;
    EdgeList outerEdges = RefTable(outer, axis);
    std::vector<EdgeList> holeEdges;
    for (const CSliceLoop* hole : outer.m_related)
        holeEdges.push_back(RefTable(*hole, axis));
    const float lo = SweepOf(outer.m_box.m_ptMin, axis);
    const float hi = SweepOf(outer.m_box.m_ptMax, axis);
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return lines;   // an unbounded extent is not hatched
    int direction = 5;
    float c = lo;
    bool clamped = false;
    std::vector<Prim> prims;
    while (c <= hi) {
        const bool ascending = direction == 5;
        bool failed = !RefCross(outer, outerEdges, c, ascending, true, axis, prims);
        std::vector<float> marked;
        for (const Prim& p : prims)
            if (p.keep)
                marked.push_back(p.value);
        for (std::size_t k = 0; k < outer.m_related.size(); ++k) {
            const CSliceLoop& hole = *outer.m_related[k];
            if (!(SweepOf(hole.m_box.m_ptMin, axis) <= c && c <= SweepOf(hole.m_box.m_ptMax, axis)))
                continue;
            failed = !RefCross(hole, holeEdges[k], c, ascending, false, axis, prims) || failed;
            for (const Prim& p : prims)
                if (p.keep)
                    marked.push_back(p.value);
        }
        if (!failed && !marked.empty()) {
            RefLine line{c, direction, {}};
            for (float v : marked) {
                auto it = line.points.begin();
                for (; it != line.points.end(); ++it)
                    if (ascending ? *it > v : *it < v)
                        break;
                line.points.insert(it, v);
            }
            lines.push_back(line);
            direction = direction == 5 ? 6 : 5;
        }
        c = c + h;
        if (c >= hi && !clamped) {
            c = hi;
            clamped = true;
        }
    }
    return lines;
}

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Random contours on a half-millimetre grid (vertices on the lines, level
// edges, shared heights), some nudged by less than the tolerance.
std::vector<C2DPoint> GridStar(std::mt19937& rng, float cx, float cy, float rMin, float rMax, int n)
{
    std::uniform_real_distribution<float> r(rMin, rMax);
    std::vector<C2DPoint> p;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * k / n;
        const float rad = r(rng);
        float x = std::round(static_cast<float>(cx + rad * std::cos(a)) * 2.0f) / 2.0f;
        float y = std::round(static_cast<float>(cy + rad * std::sin(a)) * 2.0f) / 2.0f;
        if (rng() % 6 == 0)
            y += (rng() % 2 ? 1 : -1) * 4.0e-6f * static_cast<float>(rng() % 3);
        if (rng() % 6 == 0)
            x += (rng() % 2 ? 1 : -1) * 4.0e-6f * static_cast<float>(rng() % 3);
        p.push_back({x, y});
        // now and then a point visited twice (self-touching) or a coordinate
        // that is not a number or infinite
        if (k > 2 && rng() % 25 == 0)
            p.push_back(p[rng() % p.size()]);
        if (rng() % 60 == 0)
            (rng() % 2 ? p.back().m_x : p.back().m_y) =
                rng() % 2 ? std::numeric_limits<float>::quiet_NaN() : std::numeric_limits<float>::infinity();
    }
    return p;
}

} // namespace

TEST(HatchReference, SweepMatchesTheLiteralAlgorithm)
{
    std::mt19937 rng(4242);
    int lines = 0;
    for (int round = 0; round < 150; ++round) {
        CSlice slice;
        CSliceLoop& outer = AddContour(slice, GridStar(rng, 25, 25, 10, 24, 4 + static_cast<int>(rng() % 120)), LOOP_OUTER);
        const int holes = static_cast<int>(rng() % 6);
        for (int k = 0; k < holes; ++k) {
            // holes may overlap each other or the outer contour: the sweep
            // must still agree with the literal algorithm
            std::uniform_real_distribution<float> at(15, 35);
            AttachHole(outer, AddContour(slice, GridStar(rng, at(rng), at(rng), 1, 5, 3 + static_cast<int>(rng() % 12)),
                                         LOOP_INNER));
        }
        Finish(slice);
        for (int axis : {0, 1}) {
            const float h = rng() % 2 ? 0.5f : 1.5f;
            const std::vector<RefLine> expected = RefHatch(outer, h, axis);
            Context ctx(h, axis == 0 ? ORIENT_X : ORIENT_Y);
            Hatch(ctx, slice);
            const std::size_t made = ctx.m_planes.empty() ? 0 : ctx.m_planes[0].m_paths.at(0).m_lines.size();
            ASSERT_EQ(made, expected.size()) << "round " << round << " axis " << axis;
            for (std::size_t k = 0; k < made; ++k) {
                const CScanLine& line = ctx.m_planes[0].m_paths[0].m_lines[k];
                const RefLine& ref = expected[k];
                ASSERT_TRUE(SameBits(line.m_coord, ref.c)) << "round " << round << " line " << k;
                ASSERT_EQ(line.m_direction, ref.direction) << "round " << round << " line " << k;
                ASSERT_EQ(line.m_scanPoints.size(), ref.points.size()) << "round " << round << " line " << k;
                for (std::size_t i = 0; i < ref.points.size(); ++i)
                    ASSERT_TRUE(SameBits(line.m_scanPoints[i].m_value, ref.points[i]))
                        << "round " << round << " line " << k << " point " << i;
            }
            lines += static_cast<int>(made);
        }
    }
    EXPECT_GT(lines, 5000);
}
