// Damaged and hostile files: every one loads or fails cleanly, reads to its
// end in a bounded number of steps and verifies as wrong where it is wrong.
#include "cli/Cli.h"
#include "platform/ScriptedPlatform.h"
#include "platform/Texts.h"
#include "support/TempDir.h"
#include "CliBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct CHostileOutcome {
    bool loaded;
    int layersKept;
    std::size_t contours;
    bool verified;
};

CHostileOutcome LoadReadVerify(const CCliBytes& bytes)
{
    CScriptedPlatform platform;
    CTempDir dir;
    CHostileOutcome o{};
    CCli cli;
    const std::string path = bytes.Save(dir);
    o.loaded = cli.Load(path);
    if (o.loaded && cli.m_data.OpenLayerFile()) {
        PromptState prompt = PROMPT_GO_ON;
        // Every read consumes input, so the file's size bounds the steps.
        for (std::size_t steps = 0; !cli.m_data.AtEndOfLayers() && steps <= bytes.m_bytes.size(); ++steps) {
            cli.m_data.ClearLayers();
            if (cli.m_data.ReadNextLayer(prompt) > 0) {
                ++o.layersKept;
                o.contours += cli.m_data.m_layers.back()->m_loops.size();
            }
        }
        EXPECT_TRUE(cli.m_data.AtEndOfLayers());
    }
    cli.m_data.m_strPathName = path;
    o.verified = cli.m_data.VerifyFile();
    return o;
}
} // namespace

TEST(CliHostile, DamagedFilesNeverMisreadOrOverrun)
{
    struct Case {
        const char* name;
        CCliBytes bytes;
        CHostileOutcome expected;
    } cases[] = {
        {"an empty file", CCliBytes(), {false, 0, 0, false}},
        {"a header without its end",
         CCliBytes().Text("$$HEADERSTART\n$$BINARY\n$$UNITS/1\n").LayerLong(1).Square(1, 0, 0, 1), {false, 0, 0, false}},
        {"a file cut inside a polyline",
         CCliBytes::Binary().LayerLong(1).Square(1, 0, 0, 5).LayerLong(2).Square(1, 0, 0, 5).Truncate(5),
         {true, 1, 1, false}},
        {"a long polyline announcing 2^31 points",
         CCliBytes::Binary().LayerLong(1).Square(1, 0, 0, 5).U16(130).I32(1).I32(1).I32(INT32_MIN).F32(1).F32(2),
         {true, 1, 1, false}},
        {"a long polyline announcing 2^31 - 1 points",
         CCliBytes::Binary().LayerLong(1).Square(1, 0, 0, 5).U16(130).I32(1).I32(1).I32(INT32_MAX).F32(1).F32(2),
         {true, 1, 1, false}},
        {"a long polyline announcing more points than the file holds",
         CCliBytes::Binary().LayerLong(1).Square(1, 0, 0, 5).U16(130).I32(1).I32(1).I32(1000000).F32(1).F32(2),
         {true, 1, 1, false}},
        {"a negative hatch count", CCliBytes::Binary().LayerLong(1).Square(1, 0, 0, 5).U16(132).I32(1).I32(-1),
         {true, 1, 1, false}},
        {"a short hatch count beyond the end", CCliBytes::Binary().LayerLong(1).Square(1, 0, 0, 5).U16(131).U16(1).U16(9999),
         {true, 1, 1, false}},
        // A contour with a coordinate that is no finite number is dropped whole.
        {"NaN and infinite coordinates",
         CCliBytes::Binary()
             .LayerLong(1).Square(1, 0, 0, 5).PolyLong(1, {{kNaN, 0}, {1, 1}, {2, 0}})
             .LayerLong(2).PolyLong(1, {{0, 0}, {kInf, 0}, {1, 1}}).HatchLong({{-kInf, 0}, {1, 1}})
             .LayerLong(kNaN).Square(1, 0, 0, 5),
         {true, 2, 2, true}},
        {"units that overflow every coordinate",
         CCliBytes::Binary("1e38").LayerLong(1).Square(1, 0, 0, 5), {true, 0, 0, true}},
        {"text numbers that are no numbers",
         CCliBytes().Text("$$HEADERSTART\n$$ASCII\n$$HEADEREND\n$$LAYER/1\n$$POLYLINE/1,1,3,0,0,x,0,1,1\n"
                          "$$POLYLINE/1,1,3,0,0,nan,0,1,1\n$$POLYLINE/1,1,99999999999,0,0\n"
                          "$$LAYER/2\n$$POLYLINE/1,1,3,0,0,1,0,1,1\n"),
         {true, 1, 1, false}},
        {"binary data behind a text header",
         CCliBytes().Text("$$HEADERSTART\n$$ASCII\n$$HEADEREND").LayerLong(1).Square(1, 0, 0, 5),
         {true, 0, 0, false}},
    };
    for (Case& c : cases) {
        const CHostileOutcome o = LoadReadVerify(c.bytes);
        EXPECT_EQ(o.loaded, c.expected.loaded) << c.name;
        EXPECT_EQ(o.layersKept, c.expected.layersKept) << c.name;
        EXPECT_EQ(o.contours, c.expected.contours) << c.name;
        EXPECT_EQ(o.verified, c.expected.verified) << c.name;
    }
}

TEST(CliHostile, HeaderWithoutEndFailsTheLoadWithTheFileError)
{
    CScriptedPlatform platform;
    CTempDir dir;
    CCli cli;
    ASSERT_FALSE(cli.Load(CCliBytes().Text("$$HEADERSTART\n$$LAYERS/3\n").LayerLong(1).Save(dir)));
    ASSERT_EQ(platform.m_messages.size(), 1u);
    EXPECT_EQ(platform.m_messages[0].text, Tr(5004));
    EXPECT_EQ(platform.m_messages[0].caption, Tr(5002));
    EXPECT_FALSE(cli.m_data.m_bLoaded);
    EXPECT_EQ(cli.m_data.m_box.m_ptMin, C3DPoint(0, 0, 0));
    EXPECT_EQ(cli.m_data.m_box.m_ptMax, C3DPoint(0, 0, 0));
}
