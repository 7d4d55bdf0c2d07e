#include "layer/Slice.h"
#include "platform/Language.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {
using Points = std::vector<C2DPoint>;

CSliceLoop& AddContour(CSlice& slice, Points pts, std::uint16_t type = LOOP_UNDECIDED)
{
    CSliceLoop& loop = slice.AddLoop();
    loop.m_points = std::move(pts);
    loop.m_nPointCount = static_cast<std::int32_t>(loop.m_points.size());
    loop.m_nType = type;
    return loop;
}

Points Square(float x0, float y0, float x1, float y1)
{
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

void Fill(CSliceLoop& loop, Points pts)
{
    loop.m_points = std::move(pts);
    loop.m_nPointCount = static_cast<std::int32_t>(loop.m_points.size());
    loop.ComputeLoopBox();
}
} // namespace

TEST(Topology, CleanUpRemovesRepeatsAndCollinearPoints)
{
    struct Case {
        const char* name;
        Points in, out;
    };
    const Case cases[] = {
        {"closed by repeating the first point; (5,0) goes in the wrap-around",
         {{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}},
         {{10, 0}, {10, 10}, {0, 10}, {0, 0}}},
        {"a run of collinear points keeps its first point and tests on from it",
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 3}, {0, 3}},
         {{0, 0}, {3, 0}, {3, 3}, {0, 3}}},
        {"repeats within the tolerance",
         {{0, 0}, {0, 0.000005f}, {0.000005f, 0}, {4, 0}, {4, 4}},
         {{0, 0}, {4, 0}, {4, 4}}},
        {"a spike turning back on its own line",
         {{0, 0}, {4, 0}, {2, 0}, {2, 3}},
         {{0, 0}, {2, 0}, {2, 3}}},
        {"the last point on the closing line",
         {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 2}},
         {{0, 0}, {4, 0}, {4, 4}, {0, 4}}},
        {"the last point and then the first on the closing line",
         {{2, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}, {1, 0}},
         {{4, 0}, {4, 4}, {0, 4}, {0, 0}}},
        {"fewer than three points stay", {{0, 0}, {1, 1}}, {{0, 0}, {1, 1}}},
        {"two repeated points become one", {{1, 1}, {1, 1}}, {{1, 1}}},
        {"nothing", {}, {}},
    };
    for (const Case& c : cases) {
        CSlice slice;
        CSliceLoop& loop = AddContour(slice, c.in);
        slice.CleanContours();
        EXPECT_EQ(loop.m_points, c.out) << c.name;
        EXPECT_EQ(loop.m_nPointCount, static_cast<std::int32_t>(loop.m_points.size())) << c.name;
    }
}

TEST(Topology, TestPointIsTheLowestOfThePointsFurthestRightInOneWalk)
{
    struct Case {
        Points pts;
        C2DPoint test;
    };
    const Case cases[] = {
        {Square(0, 0, 10, 10), {0, 0}},   // nothing is both right of and below (0, 0)
        {{{0, 5}, {5, 0}, {10, 5}, {5, 10}}, {5, 0}},
        {{{0, 5}, {5, 1}, {10, 0}, {6, -1}}, {10, 0}},   // (6, -1) is lower but left of the candidate
    };
    for (const Case& c : cases) {
        CSliceLoop loop;
    Fill(loop, c.pts);
        loop.ChooseTestPoint();
        EXPECT_EQ(loop.m_ptTest, c.test);
    }
}

TEST(Topology, EdgesRunInContourOrderAndCloseTheContour)
{
    CSliceLoop loop;
    Fill(loop, {{0, 0}, {4, 0}, {4, 4}});
    loop.BuildEdges();
    ASSERT_EQ(loop.m_edges.size(), 3u);
    const int ends[3][2] = {{0, 1}, {1, 2}, {2, 0}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(loop.m_edges[i].m_pFirst, &loop.m_points[ends[i][0]]);
        EXPECT_EQ(loop.m_edges[i].m_pSecond, &loop.m_points[ends[i][1]]);
    }
    loop.BuildEdges();   // rebuilt, not appended
    EXPECT_EQ(loop.m_edges.size(), 3u);
}

TEST(Topology, RayCrossingsWithVerticesAndHorizontalEdgesOnTheRay)
{
    struct Case {
        const char* name;
        Points pts;
        C2DPoint t;
        int count;
        float nearest;
    };
    const Case cases[] = {
        {"plain crossing", Square(0, 0, 10, 10), {5, 5}, 1, 10},
        {"on the box's bottom: outside", Square(0, 0, 10, 10), {5, 0}, 0, NEAREST_NONE},
        {"left of the box: outside", Square(0, 0, 10, 10), {-1, 5}, 0, NEAREST_NONE},
        {"step with the same direction on both sides of a horizontal run",
         {{0, 0}, {10, 0}, {10, 5}, {8, 5}, {8, 10}, {0, 10}}, {2, 5}, 1, 8},
        {"bump with opposite directions on both sides of a horizontal run",
         {{0, 0}, {6, 0}, {6, 5}, {8, 5}, {8, 0}, {10, 0}, {10, 10}, {0, 10}}, {2, 5}, 3, 6},
        {"vertex touching the ray and turning back",
         {{0, 0}, {5, 0}, {6, 5}, {7, 0}, {10, 0}, {10, 10}, {0, 10}}, {2, 5}, 1, 6},
        {"first edge starts on the ray: handled with the last edge",
         {{10, 5}, {10, 10}, {0, 10}, {0, 0}, {10, 0}}, {2, 5}, 1, 10},
        {"first edge lies on the ray's line",
         {{8, 5}, {10, 5}, {10, 10}, {0, 10}, {0, 0}, {8, 0}}, {2, 5}, 1, 8},
        {"first edge lies on the ray's line, neighbours opposite",
         {{8, 5}, {10, 5}, {10, 0}, {12, 0}, {12, 10}, {0, 10}, {0, 0}, {8, 0}}, {2, 5}, 3, 8},
        {"first edge ends on the ray, run then same direction",
         {{10, 0}, {10, 5}, {12, 5}, {12, 10}, {0, 10}, {0, 0}}, {2, 5}, 1, 10},
    };
    for (const Case& c : cases) {
        CSliceLoop loop;
    Fill(loop, c.pts);
        float nearest = -1;
        EXPECT_EQ(loop.CountCrossings(c.t, nearest), c.count) << c.name;
        EXPECT_FLOAT_EQ(nearest, c.nearest) << c.name;

        float inside = -1;
        EXPECT_EQ(loop.IsInside(c.t, inside), c.count % 2 == 1) << c.name;
        EXPECT_FLOAT_EQ(inside, c.count % 2 == 1 ? c.nearest : -1.0f) << c.name;
    }
}

TEST(Topology, DegenerateAndNaNContoursEndTheCountSafely)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // A test point on a horizontal edge whose far neighbour was already
    // consumed: the count so far stands.
    CSliceLoop onBoundary;
    Fill(onBoundary, {{0, 5}, {0, 10}, {10, 10}, {10, 0}, {6, 0}, {6, 5}});
    float nearest = 0;
    EXPECT_EQ(onBoundary.CountCrossings(C2DPoint(3, 5), nearest), 1);
    EXPECT_FLOAT_EQ(nearest, 10.0f);

    CSliceLoop withNaN;
    Fill(withNaN, {{0, 0}, {nan, 5}, {10, 0}, {10, 10}, {nan, nan}, {0, 10}});
    withNaN.m_box.SetBox(10, 10, 0, 0);
    EXPECT_GE(withNaN.CountCrossings(C2DPoint(5, 5), nearest), 0);

    CSlice slice;
    AddContour(slice, {{nan, nan}, {nan, 1}, {1, nan}});
    AddContour(slice, Square(0, 0, 10, 10));
    AddContour(slice, {{2, 2}, {nan, 3}, {3, 3}, {3, 4}});
    PromptState prompt = PROMPT_ASK;
    CScriptedPlatform platform;
    const int result = slice.BuildTopology(prompt);
    EXPECT_GE(result, 0);
    EXPECT_LE(result, 3);
}

TEST(Topology, NestedSquaresAlternateOuterAndHole)
{
    CScriptedPlatform platform;
    {
        CSlice slice;
        CSliceLoop& outer = AddContour(slice, Square(0, 0, 10, 10));
        CSliceLoop& inner = AddContour(slice, Square(2, 2, 8, 8));
        PromptState prompt = PROMPT_ASK;
        EXPECT_EQ(slice.BuildTopology(prompt), 1);
        EXPECT_EQ(outer.m_nType, LOOP_OUTER);
        EXPECT_EQ(inner.m_nType, LOOP_INNER);
        EXPECT_EQ(inner.m_related, std::vector<CSliceLoop*>{&outer});
        EXPECT_EQ(outer.m_related, std::vector<CSliceLoop*>{&inner});
        EXPECT_EQ(prompt, PROMPT_ASK);
    }
    {
        // Innermost first in the file: its parity is still decided by the contours around it.
        CSlice slice;
        CSliceLoop& innermost = AddContour(slice, Square(4, 4, 6, 6));
        CSliceLoop& outer = AddContour(slice, Square(0, 0, 10, 10));
        CSliceLoop& middle = AddContour(slice, Square(2, 2, 8, 8));
        PromptState prompt = PROMPT_ASK;
        EXPECT_EQ(slice.BuildTopology(prompt), 1);
        EXPECT_EQ(outer.m_nType, LOOP_OUTER);
        EXPECT_EQ(middle.m_nType, LOOP_INNER);
        EXPECT_EQ(innermost.m_nType, LOOP_OUTER);
        EXPECT_EQ(slice.m_outerLoops, (std::vector<CSliceLoop*>{&innermost, &outer}));
        EXPECT_EQ(slice.m_innerLoops, std::vector<CSliceLoop*>{&middle});
        EXPECT_TRUE(innermost.m_related.empty());
        EXPECT_EQ(outer.m_related, std::vector<CSliceLoop*>{&middle});
        EXPECT_EQ(middle.m_related, std::vector<CSliceLoop*>{&outer});
    }
    EXPECT_TRUE(platform.m_messages.empty());
}

TEST(Topology, HoleInAnIslandBelongsToTheIsland)
{
    CScriptedPlatform platform;
    CSlice slice;
    CSliceLoop& big = AddContour(slice, Square(0, 0, 100, 100), LOOP_OUTER);
    CSliceLoop& island = AddContour(slice, Square(20, 20, 60, 60), LOOP_OUTER);
    CSliceLoop& bigHole = AddContour(slice, Square(10, 10, 80, 80), LOOP_INNER);
    CSliceLoop& islandHole = AddContour(slice, Square(30, 30, 40, 40), LOOP_INNER);
    CSliceLoop& other = AddContour(slice, Square(85, 85, 90, 90), 7);   // takes no part
    PromptState prompt = PROMPT_ASK;
    EXPECT_EQ(slice.BuildTopology(prompt), 1);
    EXPECT_EQ(islandHole.m_related, std::vector<CSliceLoop*>{&island});
    EXPECT_EQ(bigHole.m_related, std::vector<CSliceLoop*>{&big});
    EXPECT_EQ(big.m_related, std::vector<CSliceLoop*>{&bigHole});
    EXPECT_EQ(island.m_related, std::vector<CSliceLoop*>{&islandHole});
    EXPECT_EQ(other.m_nType, 7);
    EXPECT_EQ(slice.m_outerLoops.size() + slice.m_innerLoops.size(), 4u);

    // Nesting the same layer again links every hole once, not twice.
    EXPECT_EQ(slice.NestContours(prompt), 1);
    EXPECT_EQ(big.m_related, std::vector<CSliceLoop*>{&bigHole});
}

TEST(Topology, LatticeOfCellsInsideAFrame)
{
    // Many contours: a frame around a grid of cells, each cell a square with
    // a smaller square inside. Cells are holes of the frame, their inner
    // squares islands without holes.
    CScriptedPlatform platform;
    CSlice slice;
    CSliceLoop& frame = AddContour(slice, Square(-1, -1, 61, 61));
    std::vector<CSliceLoop*> cells, islands;
    for (int row = 0; row < 15; ++row) {
        for (int col = 0; col < 15; ++col) {
            const float x = 4.0f * static_cast<float>(col), y = 4.0f * static_cast<float>(row);
            cells.push_back(&AddContour(slice, Square(x, y, x + 3, y + 3)));
            islands.push_back(&AddContour(slice, Square(x + 1, y + 1, x + 2, y + 2)));
        }
    }
    PromptState prompt = PROMPT_ASK;
    EXPECT_EQ(slice.BuildTopology(prompt), 1);
    EXPECT_EQ(frame.m_nType, LOOP_OUTER);
    EXPECT_EQ(frame.m_related, cells);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(cells[i]->m_nType, LOOP_INNER) << i;
        EXPECT_EQ(islands[i]->m_nType, LOOP_OUTER) << i;
        EXPECT_TRUE(islands[i]->m_related.empty()) << i;
    }
    // The same cells typed in the file with a hole of their own each: every
    // hole goes to the cell around it, none to the frame.
    CSlice typed;
    CSliceLoop& typedFrame = AddContour(typed, Square(-1, -1, 61, 61), LOOP_OUTER);
    for (int row = 0; row < 15; ++row) {
        for (int col = 0; col < 15; ++col) {
            const float x = 4.0f * static_cast<float>(col), y = 4.0f * static_cast<float>(row);
            CSliceLoop& cell = AddContour(typed, Square(x, y, x + 3, y + 3), LOOP_OUTER);
            CSliceLoop& hole = AddContour(typed, Square(x + 1, y + 1, x + 2, y + 2), LOOP_INNER);
            (void)cell;
            (void)hole;
        }
    }
    // A strip sharing the frame's right edge, with a hole in it: the two
    // boundaries are equally near, and the earlier contour, the frame, wins.
    CSliceLoop& strip = AddContour(typed, Square(59.5f, 50.2f, 61, 50.8f), LOOP_OUTER);
    CSliceLoop& tie = AddContour(typed, Square(60, 50.4f, 60.5f, 50.6f), LOOP_INNER);
    EXPECT_EQ(typed.BuildTopology(prompt), 1);
    EXPECT_EQ(typedFrame.m_related, std::vector<CSliceLoop*>{&tie});
    EXPECT_TRUE(strip.m_related.empty());
    for (std::size_t i = 1; i + 2 < typed.m_loops.size(); i += 2)
        EXPECT_EQ(typed.m_loops[i]->m_related, std::vector<CSliceLoop*>{typed.m_loops[i + 1].get()}) << i;
    EXPECT_TRUE(platform.m_messages.empty());
}

TEST(Topology, OrphanHoleAsksOncePerPassInBothLanguages)
{
    const auto orphanLayer = [](CSlice& slice) {
        AddContour(slice, Square(0, 0, 10, 10), LOOP_OUTER);
        AddContour(slice, Square(20, 20, 22, 22), LOOP_INNER);
    };
    struct Case {
        Language language;
        MsgAnswer answer;
        int result;
        PromptState state;
        const char* text;
        const char* caption;
    };
    const Case cases[] = {
        {Language::English, MsgAnswer::No, 2, PROMPT_STOP, "The topology structure have error, Continue?", "Error"},
        {Language::English, MsgAnswer::Yes, 3, PROMPT_GO_ON, "The topology structure have error, Continue?", "Error"},
        {Language::Chinese, MsgAnswer::No, 2, PROMPT_STOP, "数据拓扑结构有错，不能正确处理! 需要继续吗", "错误"},
        {Language::Chinese, MsgAnswer::Yes, 3, PROMPT_GO_ON, "数据拓扑结构有错，不能正确处理! 需要继续吗", "错误"},
    };
    for (const Case& c : cases) {
        SetLanguage(c.language);
        CScriptedPlatform platform;
        platform.Answer(c.answer);
        PromptState prompt = PROMPT_ASK;
        CSlice first;
        orphanLayer(first);
        EXPECT_EQ(first.BuildTopology(prompt), c.result);
        EXPECT_EQ(prompt, c.state);
        ASSERT_EQ(platform.m_messages.size(), 1u);
        EXPECT_EQ(platform.m_messages[0].text, c.text);
        EXPECT_EQ(platform.m_messages[0].caption, c.caption);
        EXPECT_EQ(platform.m_messages[0].icon, MsgIcon::Warning);
        EXPECT_EQ(platform.m_messages[0].buttons, MsgButtons::YesNo);

        // Later layers of the pass are not asked again; they carry the answer.
        CSlice second, clean, empty;
        orphanLayer(second);
        AddContour(clean, Square(0, 0, 5, 5));
        EXPECT_EQ(second.BuildTopology(prompt), c.result);
        EXPECT_EQ(clean.BuildTopology(prompt), c.result);
        EXPECT_EQ(empty.BuildTopology(prompt), 0);
        EXPECT_EQ(platform.m_messages.size(), 1u);
    }
    ResetLanguage();
}

TEST(Topology, LayersWithoutOuterContours)
{
    CScriptedPlatform platform;
    CSlice empty;
    PromptState prompt = PROMPT_ASK;
    EXPECT_EQ(empty.BuildTopology(prompt), 0);
    EXPECT_TRUE(empty.m_box.IsEmpty());

    // An orphan hole without any outer contour is not reported.
    CSlice holesOnly;
    AddContour(holesOnly, Square(0, 0, 10, 10), LOOP_INNER);
    EXPECT_EQ(holesOnly.BuildTopology(prompt), 0);
    EXPECT_EQ(holesOnly.m_innerLoops.size(), 1u);
    EXPECT_TRUE(platform.m_messages.empty());
    EXPECT_EQ(prompt, PROMPT_ASK);
    PromptState goOn = PROMPT_GO_ON;
    EXPECT_EQ(holesOnly.BuildTopology(goOn), 3);
}
