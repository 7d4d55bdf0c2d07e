#include "ScanFixtures.h"

#include "scan/ScanEdges.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace scantest;

namespace {

std::vector<float> Coords(const CPlanePath& path)
{
    std::vector<float> c;
    for (const CScanLine& line : path.m_lines)
        c.push_back(line.m_coord);
    return c;
}

std::vector<float> Points(const CScanLine& line)
{
    std::vector<float> v;
    for (const CScanPoint& p : line.m_scanPoints)
        v.push_back(p.m_value);
    return v;
}

const CScanLine* LineAt(const CPlanePath& path, float c)
{
    for (const CScanLine& line : path.m_lines)
        if (line.m_coord == c)
            return &line;
    return nullptr;
}

} // namespace

TEST(ScanLine, AddPointKeepsLineDirectionAndInsertionOrderOfEqualValues)
{
    CScanLine fresh;
    EXPECT_EQ(fresh.m_coord, -1.0f);
    EXPECT_EQ(fresh.m_direction, LINE_ASCENDING);
    EXPECT_EQ(fresh.AddPoint(nullptr), 0);

    struct Case {
        int direction;
        std::vector<float> in;
        std::vector<float> out;
    };
    const Case cases[] = {
        {LINE_ASCENDING, {3, 7, 5}, {3, 5, 7}},
        {LINE_DESCENDING, {3, 7, 5}, {7, 5, 3}},
        {LINE_ASCENDING, {5, 2, 5, 9, 2}, {2, 2, 5, 5, 9}},
    };
    for (const Case& c : cases) {
        CScanLine line;
        line.m_direction = c.direction;
        std::vector<int> results;
        for (float v : c.in) {
            CScanPoint p(v);
            results.push_back(line.AddPoint(&p));
        }
        EXPECT_EQ(Points(line), c.out);
        EXPECT_EQ(results.front(), 1);
        EXPECT_EQ(results.back(), 3);
    }
}

TEST(ScanEdges, TableIsOrderedByLowerEndThenUpperEndWithinTolerance)
{
    CSlice slice;
    // A zigzag whose vertices share heights: ties go by the upper end.
    CSliceLoop& loop = AddContour(slice, {{0, 0}, {4, 2}, {8, 0}, {8, 5}, {4, 3}, {0, 5}}, LOOP_OUTER);
    BuildScanEdges(loop, 0);
    std::vector<std::pair<float, float>> keys;
    for (const CP2DLine& e : loop.m_edges) {
        EXPECT_LT(e.m_pFirst->m_y, e.m_pSecond->m_y);
        keys.emplace_back(e.m_pFirst->m_y, e.m_pSecond->m_y);
    }
    const std::vector<std::pair<float, float>> expected = {{0, 2}, {0, 2}, {0, 5}, {0, 5}, {3, 5}, {3, 5}};
    EXPECT_EQ(keys, expected);
    // Horizontal pairs make no edge on the x axis table's key: the vertical
    // sides of a rectangle are left out of the x table.
    CSliceLoop& rect = AddContour(slice, Rect(0, 0, 10, 10), LOOP_OUTER);
    BuildScanEdges(rect, 1);
    EXPECT_EQ(rect.m_edges.size(), 2u);
    BuildScanEdges(rect, 7);
    EXPECT_EQ(rect.m_edges.size(), 2u);
}

TEST(ScanEdges, FastTableEqualsInsertionOneByOne)
{
    // Lower ends drawn from a few values and their float neighbours, so that
    // exact ties, near ties (within the tolerance) and chains of them occur.
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        CSlice slice;
        std::vector<C2DPoint> pts;
        const int n = 3 + static_cast<int>(rng() % 60);
        for (int k = 0; k < n; ++k) {
            float y = static_cast<float>(rng() % 6);
            for (unsigned steps = rng() % 4; steps > 0; --steps)
                y = std::nextafter(y, 100.0f);
            pts.push_back({static_cast<float>(rng() % 100), y * 10.0f});
        }
        CSliceLoop& loop = AddContour(slice, pts, LOOP_OUTER);
        for (int axis : {0, 1}) {
            BuildScanEdges(loop, axis);
            std::vector<CP2DLine> plain;
            const std::size_t m = loop.m_points.size();
            for (std::size_t i = 0; i < m; ++i) {
                const C2DPoint* p = &loop.m_points[i];
                const C2DPoint* q = &loop.m_points[(i + 1) % m];
                if (SweepOf(*p, axis) < SweepOf(*q, axis))
                    InsertScanEdge(plain, CP2DLine(p, q), axis);
                else if (SweepOf(*p, axis) > SweepOf(*q, axis))
                    InsertScanEdge(plain, CP2DLine(q, p), axis);
            }
            ASSERT_EQ(plain.size(), loop.m_edges.size());
            for (std::size_t i = 0; i < plain.size(); ++i) {
                ASSERT_EQ(plain[i].m_pFirst, loop.m_edges[i].m_pFirst) << "round " << round << " edge " << i;
                ASSERT_EQ(plain[i].m_pSecond, loop.m_edges[i].m_pSecond);
            }
        }
    }
}

TEST(ScanEdges, VertexSideCount)
{
    CSlice slice;
    // Square with a V notch from the top: the notch tip (5, 4) touches y = 4
    // from above (2), the corner (0, 0) has both sides above (2), a side vertex
    // (10, 5) of a diamond passes through (1).
    CSliceLoop& notch = AddContour(slice, {{0, 0}, {10, 0}, {10, 10}, {5, 4}, {0, 10}}, LOOP_OUTER);
    CSliceLoop& diamond = AddContour(slice, {{5, 0}, {10, 5}, {5, 10}, {0, 5}}, LOOP_OUTER);
    CSliceLoop& flat = AddContour(slice, Rect(4, 4, 6, 6), LOOP_INNER);
    CSliceLoop& two = AddContour(slice, {{0, 0}, {1, 1}}, LOOP_OUTER);
    CSliceLoop& none = AddContour(slice, {}, LOOP_OUTER);
    struct Case {
        const CSliceLoop* loop;
        C2DPoint v;
        int axis;
        int expected;
    };
    const Case cases[] = {
        {&notch, {5, 4}, 0, 2},   {&notch, {0, 0}, 0, 2},     {&diamond, {10, 5}, 0, 1},
        {&diamond, {5, 0}, 0, 2}, {&diamond, {5, 10}, 0, 0},  {&diamond, {5, 0}, 1, 1},
        {&flat, {4, 4}, 0, 2},    {&flat, {6, 6}, 0, 0},      {&flat, {4, 6}, 1, 2},
        {&notch, {5, 4.000001f}, 0, 2}, {&notch, {3, 3}, 0, -1}, {&two, {0, 0}, 0, -2},
        {&none, {0, 0}, 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VertexSideCount(*c.loop, c.v, c.axis), c.expected) << c.v.m_x << "," << c.v.m_y;
}

TEST(Hatch, SquareMakesNineAlternatingVectorsAndClampsTheLastLine)
{
    CSlice slice;
    slice.m_fHeight = 0.5f;
    AddContour(slice, Rect(0, 0, 10, 10), LOOP_OUTER);
    Finish(slice);

    Context ctx(1.0f);
    Hatch(ctx, slice);
    ASSERT_EQ(ctx.m_planes.size(), 1u);
    const CScanPlane& plane = ctx.m_planes[0];
    EXPECT_EQ(plane.m_z, 0.5f);
    EXPECT_EQ(plane.m_orientation, 0);
    ASSERT_EQ(plane.m_paths.size(), 1u);
    const CPlanePath& path = plane.m_paths[0];
    EXPECT_EQ(path.m_z, 0.5f);
    EXPECT_EQ(Coords(path), (std::vector<float>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    std::vector<C2DLine> expected;
    for (int y = 1; y <= 9; ++y)
        expected.push_back(y % 2 ? L(0, y, 10, y) : L(10, y, 0, y));
    EXPECT_EQ(path.m_vectors, expected);
    for (std::size_t k = 0; k < path.m_lines.size(); ++k) {
        EXPECT_EQ(path.m_lines[k].m_direction, k % 2 ? LINE_DESCENDING : LINE_ASCENDING);
        EXPECT_EQ(path.m_lines[k].m_vectors, (std::vector<std::uint32_t>{static_cast<std::uint32_t>(k)}));
    }
    EXPECT_EQ(ctx.m_nScanDirX, LINE_PREPEND);
    EXPECT_EQ(ctx.m_nScanDirY, LINE_APPEND);

    Context coarse(3.0f);
    CSlice again;
    AddContour(again, Rect(0, 0, 10, 10), LOOP_OUTER);
    Finish(again);
    Hatch(coarse, again);
    ASSERT_EQ(coarse.m_planes.size(), 1u);
    EXPECT_EQ(Coords(coarse.m_planes[0].m_paths[0]), (std::vector<float>{3, 6, 9}));
}

TEST(Hatch, VerticesOnTheLine)
{
    struct Case {
        const char* name;
        std::vector<std::vector<C2DPoint>> contours;   // first outer, then holes
        float c;                                       // line coordinate looked at
        std::vector<float> points;                     // the line's points (empty: no line)
    };
    const Case cases[] = {
        // passing corners reported twice each, one span
        {"diamond middle", {{{5, 0}, {10, 5}, {5, 10}, {0, 5}}}, 5, {0, 10}},
        {"diamond bottom", {{{5, 0}, {10, 5}, {5, 10}, {0, 5}}}, 0, {}},
        // the hole's bottom corners are touching vertices inside the material
        {"square hole middle", {Rect(0, 0, 10, 10), Rect(4, 4, 6, 6)}, 5, {0, 4, 6, 10}},
        {"square hole bottom", {Rect(0, 0, 10, 10), Rect(4, 4, 6, 6)}, 4, {0, 4, 6, 10}},
        {"square hole top", {Rect(0, 0, 10, 10), Rect(4, 4, 6, 6)}, 6, {0, 4, 6, 10}},
        // a diamond hole's bottom corner splits the span
        {"diamond hole corner", {Rect(0, 0, 10, 10), {{5, 3}, {7, 5}, {5, 7}, {3, 5}}}, 3, {0, 5, 5, 10}},
        // a notch tip touching the line from above splits the span
        {"notch tip", {{{0, 0}, {10, 0}, {10, 10}, {5, 4}, {0, 10}}}, 4, {0, 5, 5, 10}},
        // a notch from below whose tip touches the line splits it as well
        {"notch tip from below", {{{0, 0}, {5, 6}, {10, 0}, {10, 10}, {0, 10}}}, 6, {0, 5, 5, 10}},
        // an apex touching the line outside any span is ignored
        {"apex outside", {{{0, 0}, {10, 0}, {5, 6}}}, 6, {}},
        // a hole's apex touching the line from below lies in the material: split
        {"hole apex", {Rect(0, 0, 10, 10), {{3, 2}, {7, 2}, {5, 6}}}, 6, {0, 5, 5, 10}},
        // a hole's notch tip touching the line inside the hole's void drops out
        {"hole notch tip", {Rect(0, 0, 10, 10), {{2, 2}, {8, 2}, {8, 8}, {5, 5}, {2, 8}}}, 5, {0, 2, 8, 10}},
    };
    for (const Case& c : cases) {
        CSlice slice;
        CSliceLoop& outer = AddContour(slice, c.contours[0], LOOP_OUTER);
        for (std::size_t k = 1; k < c.contours.size(); ++k)
            AttachHole(outer, AddContour(slice, c.contours[k], LOOP_INNER));
        Finish(slice);
        Context ctx(1.0f);
        Hatch(ctx, slice);
        ASSERT_EQ(ctx.m_planes.size(), 1u) << c.name;
        const CScanLine* line = LineAt(ctx.m_planes[0].m_paths[0], c.c);
        if (c.points.empty()) {
            EXPECT_EQ(line, nullptr) << c.name;
            continue;
        }
        ASSERT_NE(line, nullptr) << c.name;
        std::vector<float> pts = Points(*line);
        if (line->m_direction == LINE_DESCENDING)
            std::reverse(pts.begin(), pts.end());
        EXPECT_EQ(pts, c.points) << c.name;
    }
}

TEST(Hatch, SquareWithHoleSplitsEveryLineThroughIt)
{
    CSlice slice;
    CSliceLoop& outer = AddContour(slice, Rect(0, 0, 10, 10), LOOP_OUTER);
    AttachHole(outer, AddContour(slice, Rect(4, 4, 6, 6), LOOP_INNER));
    Finish(slice);
    Context ctx(1.0f);
    Hatch(ctx, slice);
    const CPlanePath& path = ctx.m_planes.at(0).m_paths.at(0);
    for (const CScanLine& line : path.m_lines) {
        const bool through = line.m_coord >= 4 && line.m_coord <= 6;
        ASSERT_EQ(line.m_vectors.size(), through ? 2u : 1u) << line.m_coord;
        for (std::uint32_t v : line.m_vectors) {
            const C2DLine& vec = path.m_vectors[v];
            const float lo = std::min(vec.m_ptStart.m_x, vec.m_ptEnd.m_x);
            const float hi = std::max(vec.m_ptStart.m_x, vec.m_ptEnd.m_x);
            if (through) {
                EXPECT_TRUE(hi <= 4 || lo >= 6) << line.m_coord;
            }
        }
    }
}

TEST(Hatch, PiecesNoLongerThanTheHatchSpaceAreNotScanned)
{
    for (float width : {1.0f, 1.001f}) {
        CSlice slice;
        AddContour(slice, Rect(0, 0, width, 2.5f), LOOP_OUTER);
        Finish(slice);
        Context ctx(1.0f);
        Hatch(ctx, slice);
        ASSERT_EQ(ctx.m_planes.size(), 1u);
        EXPECT_EQ(Pool(ctx).size(), width > 1.0f ? 2u : 0u) << width;   // lines 1 and 2
    }
}

TEST(Hatch, OrientationYSwapsTheAxes)
{
    CSlice slice;
    AddContour(slice, Rect(0, 0, 4, 10), LOOP_OUTER);
    Finish(slice);
    Context ctx(1.0f, ORIENT_Y);
    Hatch(ctx, slice);
    ASSERT_EQ(ctx.m_planes.size(), 1u);
    EXPECT_EQ(ctx.m_planes[0].m_orientation, 1);
    EXPECT_EQ(Pool(ctx), (std::vector<C2DLine>{L(1, 0, 1, 10), L(2, 10, 2, 0), L(3, 0, 3, 10)}));
    EXPECT_EQ(ctx.m_nScanDirY, LINE_PREPEND);
    EXPECT_EQ(ctx.m_nScanDirX, LINE_APPEND);
}

TEST(Hatch, OrientationAndLineOrderAcrossLayersAndExports)
{
    CSlice slice;
    AddContour(slice, Rect(0, 0, 10, 10), LOOP_OUTER);
    Finish(slice);

    // Alternate: X, Y, X in one export; the state carries on into the next.
    Context ctx(1.0f, ORIENT_ALTERNATE);
    std::vector<int> orientations;
    for (int layer = 0; layer < 4; ++layer) {
        Hatch(ctx, slice);
        ASSERT_EQ(ctx.m_planes.size(), 1u);
        orientations.push_back(ctx.m_planes[0].m_orientation);
    }
    EXPECT_EQ(orientations, (std::vector<int>{0, 1, 0, 1}));
    ctx.m_nScanDirX = ctx.m_nScanDirY = LINE_APPEND;   // a new export command
    ctx.m_alternateState = 1;                          // three layers were exported before
    Hatch(ctx, slice);
    EXPECT_EQ(ctx.m_planes[0].m_orientation, 1);

    // Orientation X: bottom to top, top to bottom, bottom to top.
    Context x(1.0f);
    std::vector<float> firsts;
    for (int layer = 0; layer < 3; ++layer) {
        Hatch(x, slice);
        firsts.push_back(x.m_planes.at(0).m_paths.at(0).m_lines.front().m_coord);
        // the line direction restarts ascending for every outer contour
        EXPECT_EQ(LineAt(x.m_planes[0].m_paths[0], 1)->m_direction, LINE_ASCENDING);
    }
    EXPECT_EQ(firsts, (std::vector<float>{1, 9, 1}));

    // Any other orientation hatches nothing; a context without a slice file neither.
    Context other(1.0f, 5);
    Hatch(other, slice);
    EXPECT_TRUE(other.m_planes.empty());
    Context noFile(1.0f);
    noFile.m_nFileKind = 3;
    Hatch(noFile, slice);
    EXPECT_TRUE(noFile.m_planes.empty());
}

TEST(Hatch, SeveralOuterContoursAndSlices)
{
    CSlice a;
    AddContour(a, Rect(0, 0, 10, 3.5f), LOOP_OUTER);
    AddContour(a, Rect(20, 0, 30, 3.5f), LOOP_OUTER);
    AddContour(a, Rect(40, 0, 50, 3.5f), 7);   // neither outer nor hole: not hatched
    Finish(a);
    CSlice empty;
    CSlice b;
    b.m_fHeight = 2;
    AddContour(b, Rect(0, 0, 10, 2.5f), LOOP_OUTER);
    Finish(b);
    Context ctx(1.0f);
    ctx.m_slices = {&a, &empty, &b};
    CScan::HatchLayer(ctx);
    ASSERT_EQ(ctx.m_planes.size(), 2u);
    ASSERT_EQ(ctx.m_planes[0].m_paths.size(), 2u);
    // One line order per slice: the first slice appends, the second prepends.
    EXPECT_EQ(Coords(ctx.m_planes[0].m_paths[1]), (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(Coords(ctx.m_planes[1].m_paths[0]), (std::vector<float>{2, 1}));
    EXPECT_EQ(ctx.m_planes[1].m_z, 2.0f);
    EXPECT_EQ(ctx.m_planes[0].m_paths[1].m_vectors.front(), L(20, 1, 30, 1));
}

// A contour whose vertex lies within the tolerance of a line, next to an
// almost level sloped edge: the vertex is reported once and cannot be
// paired. The line then yields nothing for the whole group, and the line
// direction does not flip for it.
TEST(Hatch, UnpairableLineYieldsNothingForTheGroup)
{
    const float c = 5.0f;
    const float up = 5.000004f;     // within the tolerance of 5, but not equal
    const float down = 4.999997f;
    for (bool inHole : {false, true}) {
        CSlice slice;
        CSliceLoop* outer = nullptr;
        if (!inHole) {
            // right side: (10, 0) -> (10, up) -> (8, down) -> (8, 10): a step
            // with an almost level edge lying on the line
            outer = &AddContour(slice, {{0, 0}, {10, 0}, {10, up}, {12, down}, {12, 10}, {0, 10}}, LOOP_OUTER);
        } else {
            outer = &AddContour(slice, Rect(0, 0, 20, 10), LOOP_OUTER);
            AttachHole(*outer, AddContour(slice, {{4, 2}, {10, 2}, {10, up}, {12, down}, {12, 8}, {4, 8}},
                                          LOOP_INNER));
        }
        Finish(slice);
        Context ctx(1.0f);
        Hatch(ctx, slice);
        const CPlanePath& path = ctx.m_planes.at(0).m_paths.at(0);
        EXPECT_EQ(LineAt(path, c), nullptr) << inHole;
        // every other line is there, alternating as if line 5 did not exist
        const std::vector<float> coords = Coords(path);
        EXPECT_EQ(coords, (std::vector<float>{1, 2, 3, 4, 6, 7, 8, 9})) << inHole;
        EXPECT_EQ(LineAt(path, 6)->m_direction, LINE_ASCENDING);
        // no vector runs across the hole's void
        for (const C2DLine& v : path.m_vectors) {
            if (!inHole || v.m_ptStart.m_y < 2 || v.m_ptStart.m_y > 8) {
                continue;
            }
            const float lo = std::min(v.m_ptStart.m_x, v.m_ptEnd.m_x);
            const float hi = std::max(v.m_ptStart.m_x, v.m_ptEnd.m_x);
            EXPECT_TRUE(hi <= 4.0001f || lo >= 9.9999f) << v.m_ptStart.m_y;
        }
    }
}
