#include "cli/Cli.h"
#include "cli/CliLayerIo.h"
#include "io/FileStream.h"
#include "io/MemoryStream.h"
#include "platform/ScriptedPlatform.h"
#include "platform/Texts.h"
#include "support/TempDir.h"
#include "CliBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string AsText(const std::vector<std::uint8_t>& b) { return std::string(b.begin(), b.end()); }

// Every layer of a file as read without topology: height, kind and contours.
struct CRawLayer {
    float z;
    int kind;
    std::vector<std::vector<C2DPoint>> contours;
    std::vector<std::uint16_t> types;
};

std::vector<CRawLayer> ReadRaw(const std::string& path, int* statedLayers = nullptr)
{
    CCli cli;
    std::vector<CRawLayer> layers;
    if (!cli.Load(path) || !cli.m_data.OpenLayerFile())
        return layers;
    if (statedLayers)
        *statedLayers = cli.m_data.m_nHeaderLayers;
    while (!cli.m_data.AtEndOfLayers()) {
        cli.m_data.ClearLayers();
        CCliLayerStart start;
        cli.m_data.ReadLayerRaw(&start);
        if (!start.started)
            continue;
        CRawLayer raw{start.z, start.kind, {}, {}};
        if (!cli.m_data.m_layers.empty()) {
            for (const auto& loop : cli.m_data.m_layers.back()->m_loops) {
                raw.contours.push_back(loop->m_points);
                raw.types.push_back(loop->m_nType);
            }
        }
        layers.push_back(raw);
    }
    return layers;
}

std::vector<float> Heights(const std::vector<CRawLayer>& layers)
{
    std::vector<float> z;
    for (const CRawLayer& l : layers)
        z.push_back(l.z);
    return z;
}

} // namespace

TEST(CliWrite, HeaderBytes)
{
    CCliDataDoc doc;
    doc.m_fUnits = 0.005f;
    doc.m_nVersion = 200;
    doc.m_box.m_ptMin = C3DPoint(1, 2, 3);
    doc.m_box.m_ptMax = C3DPoint(4, 5, 6);
    doc.m_nLayers = 10;
    CMemoryStream out;
    ASSERT_TRUE(doc.WriteHeader(out));
    EXPECT_EQ(AsText(out.Bytes()),
              "$$HEADERSTART\n$$BINARY\n$$UNITS/0.005000\n$$VERSION/200\n$$LABEL/1,part1\n"
              "$$DIMENSION/1.000000,2.000000,3.000000,4.000000,5.000000,6.000000\n$$LAYERS/10\n$$HEADEREND");
}

TEST(CliWrite, LayerAndContourCommands)
{
    CSlice layer;
    layer.m_fHeight = 0.75f;
    CSliceLoop& loop = layer.AddLoop();
    loop.m_nType = LOOP_OUTER;
    loop.m_points = {{1, 2}, {-1.5f, 3}};
    loop.m_nPointCount = 2;
    layer.AddLoop();   // a contour without points is not written

    CMemoryStream longForm;
    ASSERT_TRUE(WriteCliLayer(layer, longForm, CLI_KIND_LONG, 0.5f));
    CCliBytes expectLong;
    expectLong.LayerLong(1.5f).U16(130).I32(1).I32(1).I32(2).F32(2).F32(4).F32(-3).F32(6);
    EXPECT_EQ(longForm.Bytes(), expectLong.m_bytes);

    // Short form: values truncated, a negative one wrapped to 16 bits.
    CMemoryStream shortForm;
    ASSERT_TRUE(WriteCliLayer(layer, shortForm, CLI_KIND_SHORT, 0.5f));
    CCliBytes expectShort;
    expectShort.LayerShort(1).U16(129).U16(1).U16(1).U16(2).U16(2).U16(4).U16(0xFFFD).U16(6);
    EXPECT_EQ(shortForm.Bytes(), expectShort.m_bytes);

    // Units at or below the tolerance count as 1.
    CMemoryStream unitOne;
    ASSERT_TRUE(WriteCliLayer(layer, unitOne, CLI_KIND_LONG, 0.0f));
    EXPECT_EQ(unitOne.Bytes()[2], CCliBytes().F32(0.75f).m_bytes[0]);

    CSlice empty;
    CMemoryStream none;
    EXPECT_FALSE(WriteCliLayer(empty, none, CLI_KIND_LONG, 1.0f));
    EXPECT_EQ(none.Size(), 0);
}

TEST(CliWrite, ShortContourWithTooManyPointsGoesLong)
{
    CSliceLoop loop;
    loop.m_nType = LOOP_OUTER;
    for (int i = 0; i < 70000; ++i)
        loop.m_points.emplace_back(static_cast<float>(i % 100), static_cast<float>(i / 100));
    loop.m_nPointCount = 70000;
    CMemoryStream out;
    ASSERT_TRUE(WriteCliPolyline(loop, out, CLI_KIND_SHORT, 1.0f));
    ASSERT_TRUE(out.Seek(0));
    std::uint16_t code = 0;
    std::int32_t id = 0, dir = 0, n = 0;
    ASSERT_TRUE(out.ReadU16(code) && out.ReadI32(id) && out.ReadI32(dir) && out.ReadI32(n));
    EXPECT_EQ(code, 130);
    EXPECT_EQ(n, 70000);
    EXPECT_EQ(out.Size(), 14 + 70000 * 8);
}

TEST(CliWrite, WrittenFileReadsBackToTheSameLayers)
{
    CScriptedPlatform platform;
    CTempDir dir;
    const std::string path = dir.File("round.cli");
    struct Layer {
        float z;
        int kind;
        std::vector<std::vector<C2DPoint>> contours;
        std::vector<std::uint16_t> types;
    } layers[] = {
        {0.5f, CLI_KIND_SHORT, {{{0, 0}, {40, 0}, {40, 30}, {0, 30}}, {{10, 10}, {10, 20}, {20, 20}, {20, 10}}}, {1, 0}},
        {1.0f, CLI_KIND_LONG, {{{0.25f, 0.5f}, {40.75f, 0}, {40, 30.5f}}}, {1}},
        {1.5f, CLI_KIND_LONG, {{{0, 0}, {5, 0}, {5, 5}}, {{8, 8}, {9, 8}, {9, 9}}}, {2, 7}},
    };
    CCliDataDoc doc;
    doc.m_fUnits = 0.25f;
    doc.m_nVersion = 200;
    doc.m_nLayers = 3;
    CFileStream out;
    ASSERT_TRUE(out.Open(path, CFileStream::Mode::Write));
    ASSERT_TRUE(doc.WriteHeader(out));
    for (const Layer& l : layers) {
        CSlice slice;
        slice.m_fHeight = l.z;
        for (std::size_t i = 0; i < l.contours.size(); ++i) {
            CSliceLoop& loop = slice.AddLoop();
            loop.m_points = l.contours[i];
            loop.m_nPointCount = static_cast<std::int32_t>(loop.m_points.size());
            loop.m_nType = l.types[i];
        }
        ASSERT_TRUE(WriteCliLayer(slice, out, l.kind, doc.m_fUnits));
    }
    ASSERT_TRUE(out.Close());

    int stated = 0;
    const std::vector<CRawLayer> back = ReadRaw(path, &stated);
    EXPECT_EQ(stated, 3);
    ASSERT_EQ(back.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back[i].z, layers[i].z);
        EXPECT_EQ(back[i].kind, layers[i].kind);
        EXPECT_EQ(back[i].contours, layers[i].contours);
        EXPECT_EQ(back[i].types, layers[i].types);
    }
}

TEST(CliWrite, SaveAtOriginMovesThePartAndKeepsEveryLayer)
{
    CScriptedPlatform platform;
    CTempDir dir;
    const std::string source = CCliBytes::Binary("1", 3)
                                   .LayerLong(0).Square(1, -5, -5, 10).Square(0, -2, -2, 2)
                                   .LayerLong(1)   // yields no layer
                                   .LayerShort(2).Square(1, -5, -3, 4)
                                   .Save(dir);
    CCli cli;
    ASSERT_TRUE(cli.Load(source));
    EXPECT_EQ(cli.m_data.m_box.m_ptMin, C3DPoint(-5, -5, 0));
    const std::string target = dir.File("moved.cli");
    ASSERT_TRUE(cli.SaveAtOrigin(target));
    EXPECT_EQ(cli.m_data.m_box.m_ptMin, C3DPoint(0, 0, 0));
    EXPECT_EQ(cli.m_data.m_box.m_ptMax, C3DPoint(10, 10, 2));

    const std::string header = AsText(ReadAll(target)).substr(0, 140);
    EXPECT_NE(header.find("$$DIMENSION/0.000000,0.000000,0.000000,10.000000,10.000000,2.000000"), std::string::npos);
    int stated = 0;
    const std::vector<CRawLayer> moved = ReadRaw(target, &stated);
    ASSERT_EQ(moved.size(), 3u);
    EXPECT_EQ(stated, 3);
    EXPECT_EQ(Heights(moved), (std::vector<float>{0, 1, 2}));
    EXPECT_EQ(moved[1].contours.size(), 0u);
    EXPECT_EQ(moved[2].kind, CLI_KIND_SHORT);
    // Every point moved by (+5, +5), whatever the clean-up kept.
    ASSERT_EQ(moved[0].contours.size(), 2u);
    for (const C2DPoint& p : moved[0].contours[0]) {
        EXPECT_TRUE(p.m_x == 0 || p.m_x == 10) << p.m_x;
        EXPECT_TRUE(p.m_y == 0 || p.m_y == 10) << p.m_y;
    }
    for (const C2DPoint& p : moved[0].contours[1]) {
        EXPECT_TRUE(p.m_x == 3 || p.m_x == 5) << p.m_x;
        EXPECT_TRUE(p.m_y == 3 || p.m_y == 5) << p.m_y;
    }
    EXPECT_EQ(moved[0].types, (std::vector<std::uint16_t>{1, 0}));
    EXPECT_FALSE(std::filesystem::exists(target + ".vemo.tmp"));
}

TEST(CliWrite, ReplaceLayerCopiesTheNeighbour)
{
    struct Case {
        int n;
        bool ok;
        std::vector<float> heights;   // the layers written, by the height each keeps
    } cases[] = {
        {1, true, {2, 2, 3, 4}},
        {4, true, {1, 2, 3, 3}},
        {2, true, {1, 1, 3, 4}},
        {3, true, {1, 2, 2, 4}},   // layer 2 yields no layer and is still copied
        {0, false, {1, 2, 3, 4}},
        {5, false, {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        CScriptedPlatform platform;
        CTempDir dir;
        const std::string path = CCliBytes::Binary("1", 4)
                                     .LayerLong(1).Square(1, 0, 0, 1)
                                     .LayerShort(2)
                                     .LayerLong(3).Square(1, 0, 0, 3).HatchLong({{0, 1}, {1, 1}})
                                     .LayerLong(4).Square(1, 0, 0, 4)
                                     .Save(dir);
        const std::vector<std::uint8_t> before = ReadAll(path);
        {
            CCli cli;
            ASSERT_TRUE(cli.Load(path));
            ASSERT_TRUE(cli.m_data.OpenLayerFile());
            EXPECT_EQ(cli.m_data.ReplaceLayer(c.n), c.ok) << c.n;
            EXPECT_TRUE(cli.m_data.m_bFileOpen);
        }
        if (!c.ok) {
            EXPECT_EQ(ReadAll(path), before) << c.n;
        }
        int stated = 0;
        const std::vector<CRawLayer> after = ReadRaw(path, &stated);
        EXPECT_EQ(stated, 4);
        EXPECT_EQ(Heights(after), c.heights) << c.n;
        // Only the file itself is left: no temporary file beside it or in the current directory.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << c.n;
        EXPECT_FALSE(std::filesystem::exists("edit.tmp"));
    }
}

TEST(CliWrite, FailedReplaceLeavesTheFileUntouched)
{
    CScriptedPlatform platform;
    CTempDir dir;
    const std::string path =
        CCliBytes::Binary("1", 2).LayerLong(1).Square(1, 0, 0, 1).LayerLong(2).Square(1, 0, 0, 2).Save(dir);
    const std::vector<std::uint8_t> before = ReadAll(path);

    // The temporary file cannot be created: a directory stands in its place.
    std::filesystem::create_directory(path + ".edit.tmp");
    {
        CCli cli;
        ASSERT_TRUE(cli.Load(path));
        ASSERT_TRUE(cli.m_data.OpenLayerFile());
        EXPECT_FALSE(cli.m_data.ReplaceLayer(1));
    }
    EXPECT_EQ(ReadAll(path), before);
    std::filesystem::remove(path + ".edit.tmp");

    // The file holds fewer layers than measured (it was cut after the load): the
    // rewrite cannot be completed, is thrown away and the file stays as it was.
    {
        CCli cli;
        ASSERT_TRUE(cli.Load(path));
        ASSERT_TRUE(cli.m_data.OpenLayerFile());
        cli.m_data.m_nLayers = 3;
        EXPECT_FALSE(cli.m_data.ReplaceLayer(1));
        ASSERT_FALSE(platform.m_messages.empty());
        EXPECT_EQ(platform.m_messages.back().text, Tr(5004));
    }
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_FALSE(std::filesystem::exists(path + ".edit.tmp"));
}
