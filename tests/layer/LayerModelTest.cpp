#include "io/MemoryStream.h"
#include "layer/Slice.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
CSliceLoop& AddContour(CSlice& slice, std::vector<C2DPoint> pts, std::uint16_t type)
{
    CSliceLoop& loop = slice.AddLoop();
    loop.m_points = std::move(pts);
    loop.m_nPointCount = static_cast<std::int32_t>(loop.m_points.size());
    loop.m_nType = type;
    return loop;
}

// The stream read back as 16-bit words and 32-bit counts in a given layout.
struct CReader {
    CMemoryStream s;
    explicit CReader(const CMemoryStream& w) : s(w.Bytes()) {}
    std::uint16_t U16()
    {
        std::uint16_t v = 0;
        EXPECT_TRUE(s.ReadU16(v));
        return v;
    }
    std::int32_t I32()
    {
        std::int32_t v = 0;
        EXPECT_TRUE(s.ReadI32(v));
        return v;
    }
};
} // namespace

TEST(LayerModel, EmptyLayerKeepsAnEmptyBoxAndCentresOnItsHeight)
{
    CSlice slice;
    slice.m_fHeight = 2.5f;
    slice.ComputeBoxes();
    slice.ComputeCentre();
    EXPECT_TRUE(slice.m_box.IsEmpty());
    EXPECT_EQ(slice.m_ptCentre, C3DPoint(0, 0, 2.5f));
}

TEST(LayerModel, ContourSegmentsInBothModes)
{
    CSlice slice;
    AddContour(slice, {{1, 1}, {2, 1}, {2, 2}}, LOOP_OUTER);
    AddContour(slice, {}, LOOP_OUTER);   // no points: nothing written
    {
        CMemoryStream out;
        EXPECT_EQ(slice.WriteContours(out, 0.1f, 1), 3);
        CReader r(out);
        // Two consecutive segments, then the closing one, each a record 302 with count 2.
        const float ends[3][4] = {{1, 1, 2, 1}, {2, 1, 2, 2}, {2, 2, 1, 1}};
        for (const auto& e : ends) {
            EXPECT_EQ(r.U16(), 302);
            EXPECT_EQ(r.I32(), 2);
            C2DLine line;
            ASSERT_TRUE(line.ReadWords(r.s, 0.1f, 1));
            EXPECT_NEAR(line.m_ptStart.m_x, e[0], 0.04f);
            EXPECT_NEAR(line.m_ptStart.m_y, e[1], 0.04f);
            EXPECT_NEAR(line.m_ptEnd.m_x, e[2], 0.04f);
            EXPECT_NEAR(line.m_ptEnd.m_y, e[3], 0.04f);
        }
        EXPECT_TRUE(r.s.AtEnd());
    }
    {
        CMemoryStream out;
        EXPECT_EQ(slice.WriteContours(out, 0.1f, 0), 2);
        // Plain words only, no record code and no closing segment.
        ASSERT_EQ(out.Size(), 2 * 8);
        CReader r(out);
        C2DLine a, b;
        ASSERT_TRUE(a.ReadWords(r.s, 0.1f, 0));
        ASSERT_TRUE(b.ReadWords(r.s, 0.1f, 0));
        EXPECT_FLOAT_EQ(a.m_ptStart.m_x, 1.0f);
        EXPECT_FLOAT_EQ(b.m_ptEnd.m_y, 2.0f);
    }
}

TEST(LayerModel, HatchVectorsAsBlocksWithPatchedCounts)
{
    CSlice slice;
    CHatch hatch;
    hatch.m_vectors = {C2DLine(1, 1, 5, 1), C2DLine(5, 2, 1, 2), C2DLine(1, 3, 5, 3)};
    slice.m_hatches.push_back(hatch);
    slice.m_hatches.emplace_back();   // no vectors: nothing written
    {
        CMemoryStream out;
        EXPECT_EQ(slice.WriteHatches(out, 0.1f, 1), 3);
        EXPECT_EQ(out.Tell(), out.Size());   // left at the end after every patch
        CReader r(out);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(r.U16(), 301);
            EXPECT_EQ(r.I32(), 2);
            C2DLine line;
            ASSERT_TRUE(line.ReadWords(r.s, 0.1f, 1));
            EXPECT_NEAR(line.m_ptStart.m_y, static_cast<float>(i + 1), 0.04f);
        }
        EXPECT_TRUE(r.s.AtEnd());
    }
    {
        CMemoryStream out;
        EXPECT_EQ(slice.WriteHatches(out, 0.1f, 0), 3);
        EXPECT_EQ(out.Size(), 3 * 8);
    }
}

TEST(LayerModel, TranslateMovesContoursButNotHatches)
{
    CSlice slice;
    slice.m_fHeight = 5.0f;
    CSliceLoop& loop = AddContour(slice, {{10, 20}, {30, 20}, {30, 40}}, LOOP_OUTER);
    loop.m_ptTest = C2DPoint(10, 20);
    CHatch hatch;
    hatch.m_vectors = {C2DLine(11, 21, 29, 21)};
    slice.m_hatches.push_back(hatch);
    slice.ComputeBoxes();
    slice.ComputeCentre();

    slice.TranslateLayer(C3DPoint(10, 20, 1));
    EXPECT_FLOAT_EQ(slice.m_fHeight, 4.0f);
    EXPECT_EQ(slice.m_box.m_ptMin, C2DPoint(0, 0));
    EXPECT_EQ(slice.m_box.m_ptMax, C2DPoint(20, 20));
    EXPECT_EQ(slice.m_ptCentre, C3DPoint(10, 10, 4));
    EXPECT_EQ(loop.m_points[2], C2DPoint(20, 20));
    EXPECT_EQ(loop.m_ptTest, C2DPoint(0, 0));
    EXPECT_EQ(loop.m_box.m_ptMax, C2DPoint(20, 20));
    EXPECT_EQ(slice.m_hatches[0].m_vectors[0], C2DLine(11, 21, 29, 21));
}

TEST(LayerModel, DrawLoopDrawsTheClosingEdgeFirstInTheTypeColour)
{
    const Colour blue = MakeRgb(0, 0, 255);
    struct Case {
        std::uint16_t type;
        Colour expected;
    };
    for (const Case c : {Case{LOOP_OUTER, blue}, Case{LOOP_INNER, MakeRgb(165, 165, 165)},
                         Case{7, MakeRgb(165, 165, 165)}}) {
        CSlice slice;
        AddContour(slice, {{0, 0}, {320, 0}, {320, 320}}, c.type);
        AddContour(slice, {}, c.type);   // draws nothing
        CRecordingSurface surface;
        slice.DrawContours(surface, 800, 600, blue, 1.0f, 0, 0);
        ASSERT_EQ(surface.m_ops.size(), 6u);
        EXPECT_EQ(surface.m_ops[0].kind, CRecordingSurface::Op::Pen);
        EXPECT_EQ(surface.m_ops[0].colour, c.expected);
        EXPECT_EQ(surface.m_ops[0].a, 1);   // one pixel wide
        EXPECT_EQ(surface.m_ops[0].style, PenStyle::Solid);
        // Move to the last point, then lines to the first, second and last.
        const int expected[4][3] = {{CRecordingSurface::Op::Move, 700, 0},
                                    {CRecordingSurface::Op::Line, 400, 300},
                                    {CRecordingSurface::Op::Line, 700, 300},
                                    {CRecordingSurface::Op::Line, 700, 0}};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(surface.m_ops[i + 1].kind, expected[i][0]);
            EXPECT_EQ(surface.m_ops[i + 1].a, expected[i][1]);
            EXPECT_EQ(surface.m_ops[i + 1].b, expected[i][2]);
        }
        EXPECT_EQ(surface.m_ops[5].kind, CRecordingSurface::Op::Restore);
    }
}
