#include "ScanFixtures.h"

#include "io/MemoryStream.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace scantest;

namespace {

struct Record {
    std::uint16_t tag = 0;
    std::uint32_t count = 0;
    std::vector<std::uint16_t> words;
};

// Splits tagged output into records whose points are all present.
std::vector<Record> Records(const std::vector<std::uint8_t>& bytes)
{
    CMemoryStream in(bytes);
    std::vector<Record> out;
    Record r;
    while (in.ReadU16(r.tag) && in.ReadU32(r.count)) {
        r.words.assign(2 * r.count, 0);
        for (auto& w : r.words)
            EXPECT_TRUE(in.ReadU16(w));
        out.push_back(r);
    }
    EXPECT_TRUE(in.AtEnd());
    return out;
}

std::vector<std::uint16_t> Words(const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::uint16_t> w(bytes.size() / 2);
    std::memcpy(w.data(), bytes.data(), w.size() * 2);
    return w;
}

// The 10 mm square hatched at 1 mm and planned, as one scan plane.
CScanPlane SquarePlane()
{
    CSlice slice;
    AddContour(slice, Rect(0, 0, 10, 10), LOOP_OUTER);
    Finish(slice);
    Context ctx(1.0f);
    Hatch(ctx, slice);
    CScan::OrderLayer(ctx, PATH_EXTENT);
    return std::move(ctx.m_planes.at(0));
}

CScanPlane PlaneWithPath(std::vector<C2DLine> path, int orientation = 0)
{
    CScanPlane plane(0.0f, orientation, 0);
    plane.m_paths.emplace_back();
    plane.m_paths.back().m_scanPath = std::move(path);
    return plane;
}

} // namespace

TEST(Output, TheFourWriteCasesOfTheSquare)
{
    const CScanPlane plane = SquarePlane();
    struct Case {
        int connect;
        int tagged;
        int written;
        std::size_t bytes;
    };
    const Case cases[] = {{1, 1, 9, 6 + 18 * 4}, {0, 1, 9, 9 * 14}, {1, 0, 17, 17 * 8}, {0, 0, 9, 9 * 8}};
    for (const Case& c : cases) {
        CMemoryStream out;
        EXPECT_EQ(plane.WritePaths(out, c.connect, 1.0f, c.tagged), c.written) << c.connect << c.tagged;
        ASSERT_EQ(out.Bytes().size(), c.bytes) << c.connect << c.tagged;
        if (c.tagged == 1) {
            const std::vector<Record> records = Records(out.Bytes());
            ASSERT_EQ(records.size(), c.connect ? 1u : 9u);
            for (const Record& r : records) {
                EXPECT_EQ(r.tag, 301);
                EXPECT_EQ(r.count, c.connect ? 18u : 2u);
            }
            // (0, 1) -> (10, 1), then (10, 2): normalised words
            EXPECT_EQ(records[0].words[0], 0);
            EXPECT_EQ(records[0].words[1], 32);
            EXPECT_EQ(records[0].words[2], 327);
            EXPECT_EQ(records[0].words[3], 32);
        } else {
            const std::vector<std::uint16_t> w = Words(out.Bytes());
            const std::vector<std::uint16_t> head = {0, 4999, 10, 4999};
            EXPECT_EQ(std::vector<std::uint16_t>(w.begin(), w.begin() + 4), head);
            // connected: the one-hatch-space step comes next, then the vector
            const std::vector<std::uint16_t> next = c.connect ? std::vector<std::uint16_t>{10, 4999, 10, 4998}
                                                              : std::vector<std::uint16_t>{10, 4998, 0, 4998};
            EXPECT_EQ(std::vector<std::uint16_t>(w.begin() + 4, w.begin() + 8), next);
        }
    }
    // An unordered plane path writes nothing.
    CMemoryStream out;
    EXPECT_EQ(PlaneWithPath({}).WritePaths(out, 1, 1.0f, 1), 0);
    EXPECT_TRUE(out.Bytes().empty());
}

TEST(Output, ConnectionTest)
{
    struct Case {
        const char* name;
        std::vector<C2DLine> path;
        int orientation;
        std::size_t records;
    };
    const Case cases[] = {
        {"one step across", {L(0, 1, 10, 1), L(10, 2, 0, 2)}, 0, 1},
        {"0.6 hatch spaces to the side", {L(0, 1, 10, 1), L(10.6f, 2, 0, 2)}, 0, 2},
        {"0.4 to the side, same column", {L(0, 1, 10, 1), L(10.4f, 2, 0, 2)}, 0, 1},
        {"clamped last line", {L(0, 9, 10, 9), L(10, 9.5f, 0, 9.5f)}, 0, 2},
        {"two lines apart", {L(0, 1, 10, 1), L(10, 3, 0, 3)}, 0, 2},
        {"vertical", {L(1, 0, 1, 10), L(2, 10, 2, 0)}, 1, 1},
        {"vertical read as horizontal", {L(1, 0, 1, 10), L(2, 10, 2, 0)}, 0, 2},
    };
    for (const Case& c : cases) {
        CMemoryStream out;
        EXPECT_EQ(PlaneWithPath(c.path, c.orientation).WritePaths(out, 1, 1.0f, 1), 2) << c.name;
        EXPECT_EQ(Records(out.Bytes()).size(), c.records) << c.name;
    }
}

TEST(Output, TinyUnitWritesTagsAndCountsOnly)
{
    const CScanPlane plane = SquarePlane();
    CMemoryStream out;
    EXPECT_EQ(plane.WritePaths(out, 0, 0.000001f, 1), 9);
    EXPECT_EQ(out.Bytes().size(), 9u * 6u);
}

TEST(Output, ReadBackKeepsFileOrderInThePool)
{
    CMemoryStream file;
    file.WriteU16(0x1234);   // bytes before the block
    const std::int64_t offset = file.Tell();
    file.WriteU16(0xFFFD);
    file.WriteF32(0.1f / 25.4f);
    const CScanPlane square = SquarePlane();
    square.WritePaths(file, 1, 1.0f, 1);
    file.WriteU16(400);   // an unknown word is skipped on its own
    file.WriteU16(302);
    file.WriteU32(1);     // one point: no vector
    file.WriteU32(0);
    file.WriteU16(0xFFFE);

    CScanPlane plane(3.0f, 0, static_cast<int>(offset));
    EXPECT_TRUE(plane.ReadPaths(file, 0, 1.0f, 1));
    ASSERT_EQ(plane.m_paths.size(), 1u);
    const CPlanePath& path = plane.m_paths[0];
    EXPECT_EQ(path.m_z, 3.0f);
    EXPECT_TRUE(path.m_scanPath.empty());
    EXPECT_TRUE(path.m_lines.empty());
    ASSERT_EQ(path.m_vectors.size(), 17u);   // 9 hatch vectors and the 8 steps
    EXPECT_NEAR(path.m_vectors[1].m_ptStart.m_x, 10.0f, 0.05f);
    EXPECT_NEAR(path.m_vectors[1].m_ptStart.m_y, 1.0f, 0.05f);
    EXPECT_NEAR(path.m_vectors[1].m_ptEnd.m_y, 2.0f, 0.05f);
}

TEST(Output, ReadBackOfDamagedBlocksStopsCleanly)
{
    auto block = [](std::initializer_list<std::uint16_t> words) {
        std::vector<std::uint8_t> b;
        for (std::uint16_t w : words) {
            b.push_back(static_cast<std::uint8_t>(w));
            b.push_back(static_cast<std::uint8_t>(w >> 8));
        }
        return b;
    };
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        int tagged;
        std::int64_t length;
        bool ok;
        std::size_t vectors;
    };
    const Case cases[] = {
        {"no block start", block({0x1111, 0, 0, 0xFFFE}), 1, 0, false, 0},
        {"count far beyond the data", block({0xFFFD, 0, 0, 301, 0xFFFF, 0xFFFF, 1, 1, 2, 2, 3, 3}), 1, 0, false, 2},
        {"count zero", block({0xFFFD, 0, 0, 301, 0, 0, 0xFFFE}), 1, 0, true, 0},
        {"no end word", block({0xFFFD, 0, 0, 302, 2, 0, 1, 1, 2, 2}), 1, 0, false, 1},
        {"empty file", {}, 1, 0, false, 0},
        {"fixed, length beyond the data", block({1, 4999, 2, 4999, 3}), 0, 800, false, 1},
        {"fixed, negative length", block({1, 4999, 2, 4999}), 0, -8, true, 0},
    };
    for (const Case& c : cases) {
        CMemoryStream file(c.bytes);
        CScanPlane plane;
        EXPECT_EQ(plane.ReadPaths(file, c.length, 1.0f, c.tagged), c.ok) << c.name;
        ASSERT_EQ(plane.m_paths.size(), 1u) << c.name;
        EXPECT_EQ(plane.m_paths[0].m_vectors.size(), c.vectors) << c.name;
    }
    CMemoryStream file(block({0xFFFD}));
    CScanPlane beyond(0.0f, 0, 100);
    EXPECT_FALSE(beyond.ReadPaths(file, 0, 1.0f, 1));
}

TEST(Drawing, StartMarkPathColourJumpTracksAndPause)
{
    const Colour colour = MakeRgb(0, 0, 255);
    const int w = 800, h = 640;
    const std::vector<C2DLine> path = {L(0, 1, 10, 1), L(10, 2, 0, 2), L(0, 3, 10, 3)};
    const CScanPlane plane = PlaneWithPath(path);
    auto px = [&](const C2DPoint& p) { return ToScreen(p, w, h, 1.0f, 0.0f, 0.0f); };
    struct Case {
        int pause;
        int jump;
    };
    for (const Case c : {Case{0, 0}, Case{0, 1}, Case{1, 0}, Case{1, 1}}) {
        CScriptedPlatform platform;
        CRecordingSurface surface;
        plane.DrawPaths(c.pause, surface, w, h, colour, c.jump, 1.0f, 0.0f, 0.0f);
        // the start mark: a yellow cross of +-5 pixels around the first start
        const CPixel s = px(path[0].m_ptStart);
        ASSERT_GE(surface.m_ops.size(), 6u);
        EXPECT_EQ(surface.m_ops[0].kind, CRecordingSurface::Op::Pen);
        EXPECT_EQ(surface.m_ops[0].colour, 0x0000FFFFu);
        EXPECT_EQ(surface.m_ops[1].a, s.x);
        EXPECT_EQ(surface.m_ops[1].b, s.y + 5);
        EXPECT_EQ(surface.m_ops[2].b, s.y - 5);
        EXPECT_EQ(surface.m_ops[3].a, s.x - 5);
        EXPECT_EQ(surface.m_ops[4].a, s.x + 5);
        EXPECT_EQ(surface.m_ops[5].kind, CRecordingSurface::Op::Restore);
        // then the lines in order: each vector in the path colour, with a red
        // jump track from the previous end before it when asked for
        std::vector<std::pair<C2DLine, Colour>> expected;
        for (std::size_t k = 0; k < path.size(); ++k) {
            if (c.jump && k > 0)
                expected.push_back({L(path[k - 1].m_ptEnd.m_x, path[k - 1].m_ptEnd.m_y, path[k].m_ptStart.m_x,
                                      path[k].m_ptStart.m_y),
                                    0x000000FFu});
            expected.push_back({path[k], colour});
        }
        std::size_t next = 0;
        CPixel from;
        for (std::size_t i = 6; i < surface.m_ops.size(); ++i) {
            const auto& op = surface.m_ops[i];
            if (op.kind == CRecordingSurface::Op::Move)
                from = {op.a, op.b};
            if (op.kind != CRecordingSurface::Op::Line)
                continue;
            ASSERT_LT(next, expected.size());
            EXPECT_EQ(from, px(expected[next].first.m_ptStart));
            EXPECT_EQ((CPixel{op.a, op.b}), px(expected[next].first.m_ptEnd));
            EXPECT_EQ(op.colour, expected[next].second);
            ++next;
        }
        EXPECT_EQ(next, expected.size());
        EXPECT_TRUE(surface.m_penStack.empty());
        EXPECT_EQ(platform.m_sleptMs, c.pause ? 10 * static_cast<std::int64_t>(expected.size()) : 0);
        // a plain drawing selects the path pen once
        if (!c.pause && !c.jump) {
            EXPECT_EQ(surface.CountOf(CRecordingSurface::Op::Pen), 2);
        }
    }
}

TEST(Drawing, UnorderedPathShowsThePoolAndEmptyDrawsNothing)
{
    CScanPlane plane;
    plane.m_paths.emplace_back();
    plane.m_paths.emplace_back();
    plane.m_paths[0].m_vectors = {L(0, 0, 10, 0), L(10, 1, 0, 1)};
    CRecordingSurface surface;
    plane.DrawPaths(0, surface, 800, 600, 0xFF0000, 0, 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(surface.CountOf(CRecordingSurface::Op::Line), 2 + 2);
    CRecordingSurface none;
    CScanPlane().DrawPaths(0, none, 800, 600, 0xFF0000, 1, 1.0f, 0.0f, 0.0f);
    EXPECT_TRUE(none.m_ops.empty());
}
