#include "cli/Cli.h"
#include "platform/ScriptedPlatform.h"
#include "platform/Texts.h"
#include "support/TempDir.h"
#include "CliBytes.h"

#include <gtest/gtest.h>

TEST(CliVerify, VerdictOnTheCommandStructure)
{
    struct Case {
        const char* name;
        CCliBytes bytes;
        bool right;
    } cases[] = {
        {"short polylines and negative coordinates are fine",
         CCliBytes::Binary().LayerLong(1).PolyLong(1, {{-5, -5}, {3, 2}}).PolyShort(0, {{1, 1}})
             .HatchShort({{0, 0}, {1, 1}}).HatchLong({{0, 0}, {1, 1}}).LayerShort(2),
         true},
        {"no layers at all", CCliBytes::Binary(), true},
        {"code 200 after the first layer", CCliBytes::Binary().LayerLong(1).Square(1, 0, 0, 1).U16(200), false},
        {"a record cut short", CCliBytes::Binary().LayerLong(1).Square(1, 0, 0, 1).Truncate(3), false},
        {"a layer start cut short", CCliBytes::Binary().LayerLong(1).Truncate(1), false},
        {"a long polyline announcing 2^31 points",
         CCliBytes::Binary().LayerLong(1).U16(130).I32(1).I32(1).I32(INT32_MIN).F32(0).F32(0), false},
        {"a negative long hatch count", CCliBytes::Binary().LayerLong(1).U16(132).I32(1).I32(-4), false},
        {"a header without its end", CCliBytes().Text("$$HEADERSTART\n$$BINARY\n").LayerLong(1), false},
        {"an empty file", CCliBytes(), false},
        {"text layers",
         CCliBytes().Text("$$HEADERSTART\n$$ASCII\n$$HEADEREND\n$$GEOMETRYSTART\n$$LAYER/1\n$$POWER/90\n"
                          "$$POLYLINE/1,1,3,0,0,1,0,1,1\n$$HATCHES/1,1,0,0,1,1\n$$GEOMETRYEND\n"),
         true},
        {"text polyline holding fewer values than it announces",
         CCliBytes().Text("$$HEADERSTART\n$$ASCII\n$$HEADEREND\n$$LAYER/1\n$$POLYLINE/1,1,3,0,0,1,0\n"), false},
        {"text polyline holding more values than it announces",
         CCliBytes().Text("$$HEADERSTART\n$$ASCII\n$$HEADEREND\n$$LAYER/1\n$$POLYLINE/1,1,1,0,0,1,0\n"), false},
        {"text that is no command",
         CCliBytes().Text("$$HEADERSTART\n$$ASCII\n$$HEADEREND\n$$LAYER/1\nLAYER/2\n"), false},
        {"a text layer without its height",
         CCliBytes().Text("$$HEADERSTART\n$$ASCII\n$$HEADEREND\n$$LAYER/\n$$LAYER/2\n"), false},
    };
    for (Case& c : cases) {
        CScriptedPlatform platform;
        CTempDir dir;
        CCli cli;
        cli.m_data.m_strPathName = c.bytes.Save(dir);
        EXPECT_EQ(cli.m_data.VerifyFile(), c.right) << c.name;
        ASSERT_EQ(platform.m_messages.size(), 1u) << c.name;
        EXPECT_EQ(platform.m_messages[0].text, c.right ? Tr(61450) : Tr(61451)) << c.name;
        EXPECT_EQ(platform.m_messages[0].caption, Tr(5001)) << c.name;
        EXPECT_EQ(platform.m_progressOpened, 1) << c.name;
        EXPECT_EQ(platform.m_progressClosed, 1) << c.name;
    }
}

TEST(CliVerify, StoppingAsksWhetherToLoad)
{
    CCliBytes bytes = CCliBytes::Binary();
    for (int i = 0; i < 20; ++i)
        bytes.LayerLong(static_cast<float>(i)).Square(1, 0, 0, 1);
    for (MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
        CScriptedPlatform platform;
        platform.CancelProgressAfter(3);
        platform.Answer(answer);
        CTempDir dir;
        CCli cli;
        cli.m_data.m_strPathName = bytes.Save(dir);
        EXPECT_EQ(cli.m_data.VerifyFile(), answer == MsgAnswer::Yes);
        ASSERT_EQ(platform.m_messages.size(), 1u);
        EXPECT_EQ(platform.m_messages[0].text, Tr("CliVerifyStopped"));
        EXPECT_EQ(platform.m_messages[0].buttons, MsgButtons::YesNo);
    }
}

TEST(CliVerify, UnopenableFileOffersRetry)
{
    CScriptedPlatform platform;
    platform.Answer(MsgAnswer::Retry);
    platform.Answer(MsgAnswer::Abort);
    CCli cli;
    cli.m_data.m_strPathName = "/nonexistent/part.cli";
    EXPECT_FALSE(cli.m_data.VerifyFile());
    ASSERT_EQ(platform.m_messages.size(), 2u);
    EXPECT_EQ(platform.m_messages[1].text, Tr(5003));
    EXPECT_EQ(platform.m_messages[1].caption, Tr(5002));
    EXPECT_EQ(platform.m_messages[1].buttons, MsgButtons::AbortRetryIgnore);
}
