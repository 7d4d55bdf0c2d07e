#include "io/FileStream.h"
#include "io/MemoryStream.h"
#include "layer/Hatch.h"
#include "platform/ScriptedPlatform.h"
#include "spf/Spf.h"
#include "spf/SpfDataDoc.h"
#include "spf/SpfFormat.h"
#include "spf/SpfRecords.h"
#include "spf/SpfWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint16_t v)
{
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void PutF32(Bytes& b, float f)
{
    std::uint32_t v;
    std::memcpy(&v, &f, 4);
    Put32(b, v);
}
void Set32(Bytes& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A tagged header with the given version and n layers, fields in writing order.
Bytes TaggedHeader(std::uint8_t version, std::uint16_t layers, float unitMm = 0.2f)
{
    Bytes b;
    Put16(b, SPF_MAGIC);
    b.push_back(version);
    for (char c : {'Q', 'R', 'B', '\0', '\0'})
        b.push_back(static_cast<std::uint8_t>(c));
    Put16(b, SPF_HEADER_START);
    Put16(b, 151), Put16(b, layers);
    Put16(b, 152), PutF32(b, 0.1f / 25.4f);
    Put16(b, 153), PutF32(b, unitMm / 25.4f);
    Put16(b, 154), PutF32(b, unitMm / 25.4f);
    Put16(b, 155), Put16(b, 2010), b.push_back(3), b.push_back(15);
    Put16(b, 156), Put16(b, 3964);
    Put16(b, 157), Put16(b, 327);
    Put16(b, 158), Put16(b, 2621);
    Put16(b, 159), Put16(b, 163);
    Put16(b, SPF_HEADER_END);
    return b;
}

// A complete tagged file whose layers hold the given records (tag + words).
struct RawRecord {
    std::uint16_t tag;
    std::vector<std::uint16_t> words;   // x, y pairs
};
Bytes TaggedFile(const std::vector<std::vector<RawRecord>>& layers)
{
    Bytes b = TaggedHeader(10, static_cast<std::uint16_t>(layers.size()));
    const std::size_t index = b.size();
    b.resize(b.size() + 4 * layers.size());
    Put16(b, SPF_INDEX_END);
    for (std::size_t k = 0; k < layers.size(); ++k) {
        Set32(b, index + 4 * k, static_cast<std::uint32_t>(b.size()));
        Put16(b, SPF_LAYER_START);
        PutF32(b, 0.1f / 25.4f);
        for (const RawRecord& r : layers[k]) {
            Put16(b, r.tag);
            Put32(b, static_cast<std::uint32_t>(r.words.size() / 2));
            for (std::uint16_t w : r.words)
                Put16(b, w);
        }
        Put16(b, SPF_LAYER_END);
    }
    Put16(b, SPF_FILE_END);
    return b;
}

std::vector<C2DLine> LoadLines(CSpfDataDoc& doc, CByteStream& file, std::uint32_t k, bool* ok = nullptr)
{
    doc.ClearPlanes();
    const bool loaded = doc.LoadLayer(file, k);
    if (ok)
        *ok = loaded;
    if (!loaded || doc.m_planes.empty() || doc.m_planes[0].m_paths.empty())
        return {};
    return doc.m_planes[0].m_paths[0].m_vectors;
}

} // namespace

TEST(SpfFile, WorkedExampleByteForByte)
{
    CScriptedPlatform platform;
    platform.SetToday(2010, 3, 15);
    CSpfDataDoc doc;
    doc.m_taggedLayout = 1;
    doc.m_nLayerCount = 1;
    doc.m_thickness = 0.1f;
    doc.m_unitX = doc.m_unitY = 0.2f;
    doc.m_maxX = 121, doc.m_minX = 10, doc.m_maxY = 80, doc.m_minY = 5;

    CMemoryStream file;
    ASSERT_TRUE(doc.WriteHeader(file));
    CSpfWriter writer(file, true, doc.m_countOffset);
    ASSERT_TRUE(writer.BeginIndex(1));
    ASSERT_TRUE(writer.BeginLayer(doc.m_thickness));
    const C2DPoint contour[2] = {{10, 10}, {20, 10}};
    ASSERT_TRUE(WriteRecord(file, SPF_RECORD_CONTOUR, contour, 2, 0.2f));
    CHatch hatch;
    hatch.m_vectors.emplace_back(12.0f, 11.0f, 18.0f, 11.0f);
    EXPECT_EQ(hatch.WriteHatchVectors(file, 0.2f, 1), 1);
    ASSERT_TRUE(writer.EndLayer());
    ASSERT_TRUE(writer.Finish());

    const Bytes expected = {
        0xEF, 0xFF, 0x0A, 0x51, 0x52, 0x42, 0x00, 0x00, 0xFA, 0xFF,                   // magic .. header start
        0x97, 0x00, 0x01, 0x00, 0x98, 0x00, 0x04, 0x02, 0x81, 0x3B,                   // 151, 152
        0x99, 0x00, 0x04, 0x02, 0x01, 0x3C, 0x9A, 0x00, 0x04, 0x02, 0x01, 0x3C,       // 153, 154
        0x9B, 0x00, 0xDA, 0x07, 0x03, 0x0F,                                           // 155
        0x9C, 0x00, 0x7C, 0x0F, 0x9D, 0x00, 0x47, 0x01, 0x9E, 0x00, 0x3D, 0x0A,       // 156-158
        0x9F, 0x00, 0xA3, 0x00, 0xFB, 0xFF,                                           // 159, header end
        0x3E, 0x00, 0x00, 0x00, 0xFC, 0xFF,                                           // index
        0xFD, 0xFF, 0x04, 0x02, 0x81, 0x3B,                                           // layer start
        0x2E, 0x01, 0x02, 0x00, 0x00, 0x00, 0x47, 0x01, 0x47, 0x01, 0x8F, 0x02, 0x47, 0x01,
        0x2D, 0x01, 0x02, 0x00, 0x00, 0x00, 0x89, 0x01, 0x68, 0x01, 0x4D, 0x02, 0x68, 0x01,
        0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(file.Bytes(), expected);

    // And read back: header fields, bounds (whole mm, truncated) and the two lines.
    CSpfDataDoc back;
    ASSERT_TRUE(back.ReadHeader(file));
    EXPECT_EQ(back.m_taggedLayout, 1);
    EXPECT_EQ(back.m_nLayerCount, 1);
    EXPECT_EQ(back.m_indexStart, 56u);
    EXPECT_FLOAT_EQ(back.m_thickness, 0.1f);
    EXPECT_FLOAT_EQ(back.m_hatchSpace, 0.2f);
    EXPECT_EQ(back.m_maxX, 120);
    EXPECT_EQ(back.m_minX, 9);
    EXPECT_EQ(back.m_maxY, 79);
    EXPECT_EQ(back.m_minY, 4);
    EXPECT_EQ(back.m_date.year, 2010);
    const auto lines = LoadLines(back, file, 1);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NEAR(lines[0].m_ptStart.m_x, 10.0f, 0.031f);
    EXPECT_NEAR(lines[0].m_ptEnd.m_x, 20.0f, 0.031f);
    EXPECT_NEAR(lines[1].m_ptStart.m_x, 12.0f, 0.031f);
    EXPECT_NEAR(lines[1].m_ptEnd.m_y, 11.0f, 0.031f);
    EXPECT_EQ(back.m_planes[0].m_fileOffset, 62);
}

TEST(SpfFile, IndexLayoutForAnyLayerCount)
{
    // Blocks follow the index at (after header) + 4n + 2; the index end sits
    // right after the n-th entry; no layers still end with both end words.
    for (std::uint32_t n : {0u, 1u, 3u, 17u}) {
        CScriptedPlatform platform;
        CSpfDataDoc doc;
        doc.m_taggedLayout = 1;
        doc.m_nLayerCount = static_cast<std::uint16_t>(n);
        CMemoryStream file;
        ASSERT_TRUE(doc.WriteHeader(file));
        const std::int64_t index = file.Tell();
        CSpfWriter writer(file, true, doc.m_countOffset);
        ASSERT_TRUE(writer.BeginIndex(n));
        EXPECT_EQ(writer.BlockStart(), index + 4 * n + 2);
        for (std::uint32_t k = 0; k < n; ++k) {
            ASSERT_TRUE(writer.BeginLayer(0.1f));
            ASSERT_TRUE(writer.EndLayer());
        }
        ASSERT_TRUE(writer.Finish());
        const Bytes& b = file.Bytes();
        const auto word = [&](std::int64_t at) { return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8); };
        EXPECT_EQ(word(index + 4 * n), SPF_INDEX_END) << n;
        EXPECT_EQ(word(b.size() - 2), SPF_FILE_END) << n;
        EXPECT_EQ(b.size(), static_cast<std::size_t>(index + 4 * n + 2 + 8 * n + 2)) << n;
        CSpfDataDoc back;
        ASSERT_TRUE(back.ReadHeader(file));
        for (std::uint32_t k = 1; k <= n; ++k) {
            bool ok = false;
            EXPECT_TRUE(LoadLines(back, file, k, &ok).empty());
            EXPECT_TRUE(ok);
            EXPECT_EQ(back.m_planes[0].m_fileOffset, index + 4 * n + 2 + 8 * (k - 1));
        }
    }
}

TEST(SpfFile, WriterEndingEarlyStatesTheLayersWritten)
{
    CScriptedPlatform platform;
    CSpfDataDoc doc;
    doc.m_taggedLayout = 1;
    doc.m_nLayerCount = 10;
    CMemoryStream file;
    ASSERT_TRUE(doc.WriteHeader(file));
    CSpfWriter writer(file, true, doc.m_countOffset);
    ASSERT_TRUE(writer.BeginIndex(10));
    for (int k = 0; k < 4; ++k) {
        ASSERT_TRUE(writer.BeginLayer(0.1f));
        const C2DPoint p[2] = {{1, 1}, {2, 2}};
        ASSERT_TRUE(WriteRecord(file, SPF_RECORD_HATCH, p, 2, 0.1f));
        ASSERT_TRUE(writer.EndLayer());
    }
    ASSERT_TRUE(writer.Finish());
    CSpfDataDoc back;
    ASSERT_TRUE(back.ReadHeader(file));
    EXPECT_EQ(back.m_nLayerCount, 4);
    const Bytes& b = file.Bytes();
    EXPECT_EQ(b[back.m_indexStart + 16] | b[back.m_indexStart + 17] << 8, SPF_INDEX_END);
    for (std::uint32_t k = 1; k <= 4; ++k)
        EXPECT_EQ(LoadLines(back, file, k).size(), 1u);
    bool ok = true;
    LoadLines(back, file, 5, &ok);
    EXPECT_FALSE(ok);
}

TEST(SpfFile, BlockReadingRules)
{
    struct Case {
        const char* name;
        std::vector<RawRecord> records;
        std::size_t lines;
    };
    const std::vector<Case> cases = {
        {"count 1 gives no line", {{301, {0, 0}}}, 0},
        {"count 2v gives 2v-1 lines", {{301, {10, 10, 20, 10, 20, 20, 10, 20}}}, 3},
        {"contour and hatch alike", {{302, {1, 1, 2, 2}}, {301, {3, 3, 4, 4}}}, 2},
        {"count 0", {{302, {}}}, 0},
    };
    for (const Case& c : cases) {
        CMemoryStream file(TaggedFile({c.records}));
        CSpfDataDoc doc;
        ASSERT_TRUE(doc.ReadHeader(file)) << c.name;
        EXPECT_EQ(LoadLines(doc, file, 1).size(), c.lines) << c.name;
    }

    // Unknown words (300, 400) inside a block are skipped one by one.
    Bytes b = TaggedFile({{{301, {1, 2, 3, 4}}}});
    CSpfDataDoc doc;
    {
        CMemoryStream plain(b);
        ASSERT_TRUE(doc.ReadHeader(plain));
    }
    const std::size_t block = doc.m_indexStart + 4 + 2 + 6;
    Bytes withJunk(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(block));
    Put16(withJunk, 300);
    Put16(withJunk, 400);
    withJunk.insert(withJunk.end(), b.begin() + static_cast<std::ptrdiff_t>(block), b.end());
    CMemoryStream junk(withJunk);
    const auto lines = LoadLines(doc, junk, 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], C2DLine(DecodeWordX(1, 0, 1), DecodeWordY(2, 0, 1), DecodeWordX(3, 0, 1), DecodeWordY(4, 0, 1)));
}

TEST(SpfFile, ReadersRefuseWhatTheFileDoesNotHold)
{
    const Bytes good = TaggedFile({{{301, {1, 1, 50, 50, 100, 100}}}, {{302, {7, 7, 8, 8}}}});
    CMemoryStream goodFile(good);
    CSpfDataDoc doc;
    ASSERT_TRUE(doc.ReadHeader(goodFile));
    bool ok = false;
    for (std::uint32_t k : {0u, 3u, 0xFFFFFFFFu}) {
        LoadLines(doc, goodFile, k, &ok);
        EXPECT_FALSE(ok) << "layer " << k;
    }

    // An index entry pointing past the end of the file, or into the header.
    for (std::uint32_t offset : {static_cast<std::uint32_t>(good.size()), 0xFFFFFFF0u, 4u}) {
        Bytes bad = good;
        Set32(bad, doc.m_indexStart + 4, offset);
        CMemoryStream file(bad);
        LoadLines(doc, file, 2, &ok);
        EXPECT_FALSE(ok) << offset;
        EXPECT_EQ(LoadLines(doc, file, 1).size(), 2u);
    }

    // A header announcing more layers than the index of a short file holds.
    Bytes shortIndex = good;
    shortIndex[12] = 0xFF;
    shortIndex[13] = 0x7F;
    CMemoryStream lying(shortIndex);
    CSpfDataDoc liar;
    ASSERT_TRUE(liar.ReadHeader(lying));
    LoadLines(liar, lying, 30000, &ok);
    EXPECT_FALSE(ok);

    // A block cut off anywhere: reading stops at the end of the file and
    // keeps the complete lines read before it.
    for (std::size_t cut = good.size() - 1; cut > doc.m_indexStart + 10; --cut) {
        CMemoryStream file(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)));
        CSpfDataDoc d;
        ASSERT_TRUE(d.ReadHeader(file));
        EXPECT_LE(LoadLines(d, file, 1).size(), 2u);
        EXPECT_LE(LoadLines(d, file, 2).size(), 1u);
    }

    // A record announcing four billion points costs no more than the file:
    // its one point and the two end words (read as a second point) make one line.
    CMemoryStream huge(TaggedFile({{{301, {1, 1}}}}));
    Bytes hb = huge.Bytes();
    CSpfDataDoc hd;
    ASSERT_TRUE(hd.ReadHeader(huge));
    Set32(hb, hd.m_indexStart + 4 + 2 + 6 + 2, 0xFFFFFFFFu);
    CMemoryStream hugeFile(hb);
    EXPECT_EQ(LoadLines(hd, hugeFile, 1).size(), 1u);
}

TEST(SpfFile, HeaderVersionsAndLayouts)
{
    // Versions 5 and 6 are tagged, 7 fixed; 6 and up store bounds as words,
    // 5 as machine units (X units, Y from 5000 down).
    {
        CMemoryStream v6(TaggedHeader(6, 2));
        CSpfDataDoc doc;
        ASSERT_TRUE(doc.ReadHeader(v6));
        EXPECT_EQ(doc.m_taggedLayout, 1);
        EXPECT_EQ(doc.m_maxX, 120);
        EXPECT_EQ(doc.m_minX, 9);
    }
    {
        Bytes b = TaggedHeader(5, 2, 0.5f);
        // maxX 100 units, minX 10 units, maxY word 4900, minY word 4990.
        const std::size_t bounds = 40;
        auto set16 = [&](std::size_t at, std::uint16_t v) { b[at] = v & 0xFF, b[at + 1] = v >> 8; };
        set16(bounds, 100), set16(bounds + 4, 10), set16(bounds + 8, 4900), set16(bounds + 12, 4990);
        CMemoryStream v5(b);
        CSpfDataDoc doc;
        ASSERT_TRUE(doc.ReadHeader(v5));
        EXPECT_EQ(doc.m_taggedLayout, 1);
        EXPECT_EQ(doc.m_maxX, 50);
        EXPECT_EQ(doc.m_minX, 5);
        EXPECT_EQ(doc.m_maxY, 50);
        EXPECT_EQ(doc.m_minY, 5);
    }
    // Tagged headers that must fail: no start word, an unknown field, cut short.
    {
        Bytes noStart = TaggedHeader(10, 1);
        noStart[8] = 0;
        Bytes unknown = TaggedHeader(10, 1);
        unknown[10] = 0x96;   // tag 150
        Bytes cut = TaggedHeader(10, 1);
        cut.resize(cut.size() - 2);
        for (const Bytes& b : {noStart, unknown, cut}) {
            CMemoryStream file(b);
            CSpfDataDoc doc;
            EXPECT_FALSE(doc.ReadHeader(file));
        }
    }
}

TEST(SpfFile, FixedLayoutWrittenAndReadBack)
{
    CScriptedPlatform platform;
    CSpfDataDoc doc;
    doc.m_taggedLayout = 0;
    doc.m_version = 7;
    doc.m_nLayerCount = 18;   // two blocks of 16 index entries
    doc.m_thickness = 0.1f;
    doc.m_unitX = doc.m_unitY = 0.5f;
    doc.m_maxX = 60, doc.m_minX = 10, doc.m_maxY = 40, doc.m_minY = 0;
    CMemoryStream file;
    ASSERT_TRUE(doc.WriteHeader(file));
    EXPECT_EQ(file.Tell(), 64);
    CSpfWriter writer(file, false, doc.m_countOffset);
    ASSERT_TRUE(writer.BeginIndex(18));
    EXPECT_EQ(writer.BlockStart(), 64 + 128);
    for (int k = 0; k < 18; ++k) {
        ASSERT_TRUE(writer.BeginLayer(0.1f));
        for (int v = 0; v <= k % 3; ++v) {
            const C2DLine line(10.0f + v, 0.0f, 20.0f + v, 5.5f);
            ASSERT_TRUE(line.WriteWords(file, doc.m_unitX, 0));
        }
        ASSERT_TRUE(writer.EndLayer());
    }
    ASSERT_TRUE(writer.Finish());
    // The Y word of y = 0 is 5000.
    const Bytes& b = file.Bytes();
    EXPECT_EQ(b[192 + 2] | b[192 + 3] << 8, 5000);

    CSpfDataDoc back;
    ASSERT_TRUE(back.ReadHeader(file));
    EXPECT_EQ(back.m_taggedLayout, 0);
    EXPECT_EQ(back.m_nLayerCount, 18);
    EXPECT_FLOAT_EQ(back.m_hatchSpace, 0.5f);
    EXPECT_EQ(back.m_maxX, 60);
    EXPECT_EQ(back.m_minX, 10);
    EXPECT_EQ(back.m_maxY, 40);
    EXPECT_EQ(back.m_minY, 0);
    for (std::uint32_t k = 1; k <= 18; ++k) {
        const auto lines = LoadLines(back, file, k);
        ASSERT_EQ(lines.size(), (k - 1) % 3 + 1) << k;
        EXPECT_EQ(lines.back(), C2DLine(10.0f + (k - 1) % 3, 0.0f, 20.0f + (k - 1) % 3, 5.5f)) << k;
    }
}

TEST(SpfFile, OpenReportsAMissingFileButNotABadHeader)
{
    CScriptedPlatform platform;
    CTempDir dir;
    CSpf spf;
    EXPECT_FALSE(spf.Open(dir.File("missing.spf")));
    ASSERT_EQ(platform.m_messages.size(), 1u);
    EXPECT_EQ(platform.m_messages[0].text, "File could not be opened ");

    {
        CFileStream bad;
        ASSERT_TRUE(bad.Open(dir.File("bad.spf"), CFileStream::Mode::Write));
        bad.WriteU16(SPF_MAGIC);
    }
    EXPECT_FALSE(spf.Open(dir.File("bad.spf")));
    EXPECT_EQ(platform.m_messages.size(), 1u);
    EXPECT_FALSE(spf.m_data.m_bShowPaths);

    {
        CFileStream good;
        ASSERT_TRUE(good.Open(dir.File("good.spf"), CFileStream::Mode::Write));
        const Bytes b = TaggedFile({{}, {}, {}});
        good.Write(b.data(), b.size());
    }
    ASSERT_TRUE(spf.Open(dir.File("good.spf")));
    EXPECT_TRUE(spf.m_data.m_bShowPaths);
    EXPECT_FLOAT_EQ(spf.m_data.m_box.m_ptMax.m_z, 2 * 0.1f);
    EXPECT_FLOAT_EQ(spf.m_data.m_centre.m_x, (120.0f + 9.0f) / 2);
    EXPECT_TRUE(spf.m_data.LoadLayer(dir.File("good.spf"), 3));
    EXPECT_FALSE(spf.m_data.LoadLayer(dir.File("missing.spf"), 1));
}
