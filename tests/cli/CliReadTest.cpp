#include "cli/Cli.h"
#include "cli/CliLayerIo.h"
#include "platform/ScriptedPlatform.h"
#include "platform/Texts.h"
#include "support/TempDir.h"
#include "CliBytes.h"

#include <gtest/gtest.h>

#include <bit>
#include <memory>

namespace {

// A CLI file loaded and opened for reading layers.
struct COpened {
    explicit COpened(const CCliBytes& bytes)
    {
        path = bytes.Save(dir);
        loaded = cli.Load(path);
        opened = loaded && cli.m_data.OpenLayerFile();
    }
    CCliDataDoc& Doc() { return cli.m_data; }
    const CSlice& Last() { return *cli.m_data.m_layers.back(); }

    CTempDir dir;
    std::string path;
    CCli cli;
    bool loaded = false;
    bool opened = false;
};

struct CRead {
    int result;
    bool started;
    float z;
};

CRead Next(CCliDataDoc& doc, PromptState& prompt, unsigned flags = 0)
{
    doc.ClearLayers();
    CCliLayerStart start;
    const int r = doc.ReadNextLayer(prompt, &start, flags);
    return {r, start.started, start.z};
}

} // namespace

TEST(CliRead, ScalesHeightsPointsAndHatchesByTheUnits)
{
    CScriptedPlatform platform;
    struct Case {
        const char* name;
        CCliBytes bytes;
        float z;
        C2DPoint first;
        C2DLine hatch;
    } cases[] = {
        {"short form, units 0.005",
         CCliBytes::Binary("0.005")
             .LayerShort(100)
             .PolyShort(1, {{2000, 400}, {4000, 400}, {4000, 2000}})
             .HatchShort({{200, 400}, {600, 400}}),
         0.5f, {10, 2}, {1, 2, 3, 2}},
        {"long form, units 1",
         CCliBytes::Binary("1").LayerLong(2.5f).Square(1, 3, 4, 5).HatchLong({{3.5f, 4}, {7.5f, 4}}),
         2.5f, {3, 4}, {3.5f, 4, 7.5f, 4}},
        {"long form, units 0.5 after a padded header value",
         CCliBytes::Binary("00000000.500000").LayerLong(3).Square(1, 2, 2, 4).HatchLong({{2, 3}, {6, 3}}),
         1.5f, {1, 1}, {1, 1.5f, 3, 1.5f}},
    };
    for (Case& c : cases) {
        COpened f(c.bytes);
        ASSERT_TRUE(f.opened) << c.name;
        PromptState prompt = PROMPT_ASK;
        const CRead r = Next(f.Doc(), prompt);
        ASSERT_EQ(r.result, 1) << c.name;
        const CSlice& layer = f.Last();
        EXPECT_FLOAT_EQ(layer.m_fHeight, c.z) << c.name;
        ASSERT_FALSE(layer.m_loops.empty()) << c.name;
        EXPECT_EQ(layer.m_loops[0]->m_nType, LOOP_OUTER) << c.name;
        ASSERT_EQ(layer.m_nHatchCount, 1) << c.name;
        ASSERT_EQ(layer.m_hatches[0].m_vectors.size(), 1u) << c.name;
        EXPECT_EQ(layer.m_hatches[0].m_nId, 7u) << c.name;
        EXPECT_EQ(layer.m_hatches[0].m_vectors[0], c.hatch) << c.name;
        // The clean-up may drop the first point; the point must be among them.
        bool found = false;
        for (const C2DPoint& p : layer.m_loops[0]->m_points)
            found = found || p == c.first;
        EXPECT_TRUE(found) << c.name;
    }
}

TEST(CliRead, LayerBoundariesAndRecordsOutsideLayers)
{
    CScriptedPlatform platform;
    // A point whose float bytes read 7F 00 00 00: decoded as commands it
    // would be a layer start.
    const float looksLikeLayerStart = std::bit_cast<float>(0x0000007Fu);
    CCliBytes bytes = CCliBytes::Binary("1");
    bytes.PolyLong(1, {{looksLikeLayerStart, 0}, {10, 0}, {10, 10}})   // before any layer
        .LayerLong(1)                                                   // empty: directly followed by a start
        .LayerLong(2).Square(1, 0, 0, 10)
        .LayerLong(3).HatchLong({{0, 1}, {5, 1}})                       // hatches only
        .LayerLong(4).Square(1, 0, 0, 10).U16(200)                      // an unknown code ends the layer
        .LayerLong(5).Square(1, 0, 0, 10).Square(1, 20, 0, 10);
    COpened f(bytes);
    ASSERT_TRUE(f.opened);
    // The measuring scan ends at the unknown code; the reading goes on behind it.
    EXPECT_EQ(f.Doc().m_nLayers, 4);

    struct Expect {
        int result;
        bool started;
        float z;
        std::size_t contours;
    } expected[] = {
        {0, false, 0, 0},   // the polyline outside a layer is passed over whole
        {0, true, 1, 0}, {1, true, 2, 1}, {0, true, 3, 0}, {1, true, 4, 1}, {1, true, 5, 2},
    };
    PromptState prompt = PROMPT_ASK;
    for (const Expect& e : expected) {
        const CRead r = Next(f.Doc(), prompt);
        EXPECT_EQ(r.result, e.result) << "z " << e.z;
        EXPECT_EQ(r.started, e.started) << "z " << e.z;
        EXPECT_EQ(r.z, e.z);
        EXPECT_EQ(f.Doc().m_layers.size(), e.result ? 1u : 0u);
        if (e.result) {
            EXPECT_EQ(f.Last().m_loops.size(), e.contours);
        }
    }
    EXPECT_TRUE(f.Doc().AtEndOfLayers());
    EXPECT_EQ(Next(f.Doc(), prompt).result, 0);

    // Writing a file's own hatches keeps the hatch-only layer.
    ASSERT_TRUE(f.Doc().OpenLayerFile());
    Next(f.Doc(), prompt);
    Next(f.Doc(), prompt);
    Next(f.Doc(), prompt);
    const CRead hatchOnly = Next(f.Doc(), prompt, CLI_READ_KEEP_HATCH_ONLY);
    EXPECT_EQ(hatchOnly.result, 1);
    ASSERT_EQ(f.Doc().m_layers.size(), 1u);
    EXPECT_EQ(f.Last().m_nHatchCount, 1);
    EXPECT_TRUE(f.Last().m_loops.empty());
}

TEST(CliRead, ShortHatchRecordOfMaximumCountIsReadExactly)
{
    CScriptedPlatform platform;
    CCliBytes bytes = CCliBytes::Binary("1");
    bytes.LayerLong(1).Square(1, 0, 0, 10).U16(131).U16(3).U16(65535);
    for (int i = 0; i < 65535; ++i)
        bytes.U16(static_cast<std::uint16_t>(i)).U16(1).U16(static_cast<std::uint16_t>(i)).U16(9);
    bytes.Square(1, 20, 0, 10).LayerLong(2).Square(1, 0, 0, 10);
    COpened f(bytes);
    ASSERT_TRUE(f.opened);
    PromptState prompt = PROMPT_ASK;
    ASSERT_EQ(Next(f.Doc(), prompt).result, 1);
    ASSERT_EQ(f.Last().m_hatches.size(), 1u);
    EXPECT_EQ(f.Last().m_hatches[0].m_nCount, 65535u);
    ASSERT_EQ(f.Last().m_hatches[0].m_vectors.size(), 65535u);
    EXPECT_EQ(f.Last().m_hatches[0].m_vectors[65534], C2DLine(65534, 1, 65534, 9));
    EXPECT_EQ(f.Last().m_loops.size(), 2u);   // the polyline behind the hatches belongs to the layer
    EXPECT_EQ(Next(f.Doc(), prompt).z, 2.0f);
}

TEST(CliRead, LoadCountsLayersAndMeasuresTheExtent)
{
    CScriptedPlatform platform;
    // The header states 5 layers and a box too small for the part.
    CCliBytes bytes;
    bytes.Text("$$HEADERSTART\n$$BINARY\n$$UNITS/0.5\n$$DIMENSION/1,1,1,2,2,2\n$$LAYERS/5\n$$HEADEREND")
        .LayerLong(2).Square(1, 0, 4, 40)
        .LayerLong(4).Square(1, 0, 4, 20)
        .LayerLong(7).Square(1, 6, 6, 2).HatchLong({{-100, -100}, {100, 100}});   // hatches do not count
    COpened f(bytes);
    ASSERT_TRUE(f.loaded);
    CCliDataDoc& d = f.Doc();
    EXPECT_EQ(d.m_nLayers, 3);
    EXPECT_EQ(d.m_nHeaderLayers, 5);
    EXPECT_EQ(d.m_box.m_ptMin, C3DPoint(0, 1, 1));
    EXPECT_EQ(d.m_box.m_ptMax, C3DPoint(20, 22, 3.5f));
    EXPECT_EQ(d.m_ptCentre, C3DPoint(10, 11.5f, 2.25f));
    EXPECT_FLOAT_EQ(d.m_fLayerThickness, 1.5f);
    // Opening the layer file reads the header again without undoing the measurement.
    ASSERT_TRUE(f.opened);
    EXPECT_EQ(d.m_nLayers, 3);
    EXPECT_EQ(d.m_box.m_ptMax, C3DPoint(20, 22, 3.5f));
    EXPECT_EQ(platform.m_progressOpened, 1);
    ASSERT_FALSE(platform.m_progressTexts.empty());
    EXPECT_EQ(platform.m_progressTexts[0], Tr(5005) + f.path + "...");
}

TEST(CliRead, ThicknessFromTheLastTwoLayerStarts)
{
    CScriptedPlatform platform;
    struct Case {
        CCliBytes bytes;
        float thickness;
    } cases[] = {
        {CCliBytes::Binary("1").LayerLong(0.25f).Square(1, 0, 0, 1), 0.25f},
        {CCliBytes::Binary("1"), 0.0f},
        {CCliBytes::Binary("0.01").LayerShort(10).LayerShort(13).LayerShort(17), 0.04f},
        // An unknown code before the second layer start does not end the scan.
        {CCliBytes::Binary("1").U16(999).LayerLong(1).U16(999).LayerLong(3).U16(999).LayerLong(9), 2.0f},
    };
    for (Case& c : cases) {
        COpened f(c.bytes);
        ASSERT_TRUE(f.loaded);
        EXPECT_FLOAT_EQ(f.Doc().m_fLayerThickness, c.thickness);
    }
}

TEST(CliRead, ReadLayerAtFindsTheNthLayer)
{
    CScriptedPlatform platform;
    COpened f(CCliBytes::Binary("1")
                  .LayerLong(1).Square(1, 0, 0, 1)
                  .LayerShort(2).Square(1, 0, 0, 2).HatchShort({{0, 1}, {1, 1}})
                  .LayerLong(3).Square(1, 0, 0, 3));
    ASSERT_TRUE(f.opened);
    int kind = 0;
    EXPECT_EQ(f.Doc().ReadLayerAt(2, kind), 1);
    EXPECT_EQ(kind, 2);
    ASSERT_EQ(f.Doc().m_layers.size(), 1u);
    EXPECT_EQ(f.Last().m_fHeight, 2.0f);
    EXPECT_EQ(f.Last().m_loops[0]->m_box.m_ptMax.m_x, 2.0f);
    f.Doc().ClearLayers();
    EXPECT_EQ(f.Doc().ReadLayerAt(4, kind), 0);
    EXPECT_TRUE(f.Doc().m_layers.empty());
    EXPECT_EQ(f.Doc().ReadLayerAt(3, kind), 1);
    EXPECT_EQ(f.Last().m_fHeight, 3.0f);
}

TEST(CliRead, TopologyQuestionIsAskedOncePerPass)
{
    // Each layer: an outer square and a hole lying outside it.
    CCliBytes bytes = CCliBytes::Binary("1");
    for (int i = 1; i <= 3; ++i)
        bytes.LayerLong(static_cast<float>(i)).Square(1, 0, 0, 10).Square(0, 20, 20, 2);
    struct Case {
        MsgAnswer answer;
        int first, second;
        PromptState state;
        std::size_t kept;
    } cases[] = {
        {MsgAnswer::No, 2, 2, PROMPT_STOP, 0},
        {MsgAnswer::Yes, 3, 3, PROMPT_GO_ON, 1},
    };
    for (const Case& c : cases) {
        CScriptedPlatform platform;
        platform.Answer(c.answer);
        COpened f(bytes);
        ASSERT_TRUE(f.opened);
        PromptState prompt = PROMPT_ASK;
        EXPECT_EQ(Next(f.Doc(), prompt).result, c.first);
        EXPECT_EQ(f.Doc().m_layers.size(), c.kept);
        EXPECT_EQ(prompt, c.state);
        EXPECT_EQ(Next(f.Doc(), prompt).result, c.second);
        ASSERT_EQ(platform.m_messages.size(), 1u);
        EXPECT_EQ(platform.m_messages[0].text, Tr("TopologyQuestion"));
        EXPECT_EQ(platform.m_messages[0].caption, Tr(5002));
        EXPECT_EQ(platform.m_messages[0].buttons, MsgButtons::YesNo);
    }
}

TEST(CliRead, TextLayersReadIntoTheSameModelAsBinaryOnes)
{
    CScriptedPlatform platform;
    // One part twice: as text (CR LF, padded header, per-block settings) and as binary.
    CCliBytes text;
    text.Text("$$HEADERSTART\r\n$$ASCII\r\n$$UNITS/00000000.005000\r\n$$LAYERS/000003\r\n$$HEADEREND\r\n"
              "$$GEOMETRYSTART\r\n"
              "$$LAYER/20.0\r\n"
              "$$POWER/100.0\r\n"
              "$$POLYLINE/1,1,4,0.00000,0.00000,2000.0,0,2000,2000,0,2000\r\n"
              "$$POLYLINE/2,0,4, 500,500, 500,1000, 1000,1000, 1000,500\r\n"
              "$$HATCHES/1,2,100,100,1900,100,100,300,1900,300\r\n"
              "$$LAYER/40\r\n"
              "$$LAYER/60\n"
              "$$SPEED/200.0\n"
              "$$POLYLINE/1,2,3,0,0,100,0,\n100,100\n"
              "$$GEOMETRYEND\r\n");
    CCliBytes binary = CCliBytes::Binary("0.005", 3);
    binary.LayerLong(20)
        .PolyLong(1, {{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}})
        .PolyLong(0, {{500, 500}, {500, 1000}, {1000, 1000}, {1000, 500}})
        .HatchLong({{100, 100}, {1900, 100}, {100, 300}, {1900, 300}})
        .LayerLong(40)
        .LayerLong(60)
        .PolyLong(2, {{0, 0}, {100, 0}, {100, 100}});
    COpened t(text), b(binary);
    ASSERT_TRUE(t.opened);
    ASSERT_TRUE(b.opened);
    EXPECT_TRUE(t.Doc().IsText());
    EXPECT_EQ(t.Doc().m_nLayers, 3);
    EXPECT_EQ(t.Doc().m_box.m_ptMin, b.Doc().m_box.m_ptMin);
    EXPECT_EQ(t.Doc().m_box.m_ptMax, b.Doc().m_box.m_ptMax);
    EXPECT_EQ(t.Doc().m_box.m_ptMax, C3DPoint(10, 10, 60 * 0.005f));
    EXPECT_FLOAT_EQ(t.Doc().m_fLayerThickness, 0.1f);

    PromptState pt = PROMPT_GO_ON, pb = PROMPT_GO_ON;
    int layers = 0;
    while (!b.Doc().AtEndOfLayers()) {
        const CRead rb = Next(b.Doc(), pb);
        const CRead rt = Next(t.Doc(), pt);
        ++layers;
        EXPECT_EQ(rt.result, rb.result) << "layer " << layers;
        EXPECT_EQ(rt.z, rb.z) << "layer " << layers;
        EXPECT_EQ(rt.started, rb.started);
        ASSERT_EQ(t.Doc().m_layers.size(), b.Doc().m_layers.size());
        if (b.Doc().m_layers.empty())
            continue;
        const CSlice& lt = t.Last();
        const CSlice& lb = b.Last();
        ASSERT_EQ(lt.m_loops.size(), lb.m_loops.size());
        for (std::size_t i = 0; i < lb.m_loops.size(); ++i) {
            EXPECT_EQ(lt.m_loops[i]->m_nType, lb.m_loops[i]->m_nType);
            EXPECT_EQ(lt.m_loops[i]->m_points, lb.m_loops[i]->m_points);
        }
        ASSERT_EQ(lt.m_hatches.size(), lb.m_hatches.size());
        for (std::size_t i = 0; i < lb.m_hatches.size(); ++i)
            EXPECT_EQ(lt.m_hatches[i].m_vectors, lb.m_hatches[i].m_vectors);
        EXPECT_EQ(lt.m_outerLoops.size(), lb.m_outerLoops.size());
        EXPECT_EQ(lt.m_innerLoops.size(), lb.m_innerLoops.size());
    }
    EXPECT_EQ(layers, 3);
    EXPECT_TRUE(t.Doc().AtEndOfLayers() || Next(t.Doc(), pt).started == false);
}
