#include "GuiSupport.h"

#include "app/VemoView.h"

#include <QApplication>
#include <algorithm>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

class Previews : public ::testing::Test {
protected:
    std::vector<std::string> Panes() const
    {
        return {f.m_frame->PaneText(0), f.m_frame->PaneText(1), f.m_frame->PaneText(2), f.m_frame->PaneText(3)};
    }
    CTempDir m_dir;
    CFrameFixture f;
};

TEST_F(Previews, CliPreviewStepsToTheEnd)
{
    const std::string path = m_dir.File("part.cli");
    WriteSquareCli(path, 2, 0.0f, 0.0f, 10.0f, 10.0f);
    ASSERT_TRUE(f.m_frame->OpenFromCommandLine(path));
    CMainFrame& frame = *f.m_frame;
    EXPECT_FALSE(frame.CommandState(ID_CLI_NEXT).enabled);   // before the first step

    ASSERT_TRUE(frame.RunCommand(ID_CLI_START));
    EXPECT_TRUE(frame.m_bCliRunning);
    EXPECT_FALSE(frame.CommandState(ID_CLI_START).enabled);
    ASSERT_TRUE(frame.RunCommand(ID_CLI_PAUSE));
    EXPECT_FALSE(frame.m_bCliRunning);

    frame.OnTimer(2);
    EXPECT_EQ(frame.m_nCliLayer, 1u);
    EXPECT_EQ(f.m_doc.m_cli.m_data.m_layers.size(), 1u);
    EXPECT_EQ(Panes(), (std::vector<std::string>{"Reading slice file...", "Cost Time: 0:0:0", "Total Layer:2", "Current Layer:1"}));
    EXPECT_TRUE(frame.CommandState(ID_CLI_STOP).enabled);
    ASSERT_TRUE(frame.RunCommand(ID_CLI_NEXT));   // one posted step
    EXPECT_EQ(frame.m_nCliLayer, 1u);
    QApplication::processEvents();
    EXPECT_EQ(frame.m_nCliLayer, 2u);
    EXPECT_EQ(f.m_doc.m_cli.m_data.m_layers.size(), 1u);   // the layer replaces the previous one
    EXPECT_FALSE(frame.CommandState(ID_CLI_NEXT).enabled);  // after the last layer

    frame.OnTimer(2);
    EXPECT_EQ(Panes(), (std::vector<std::string>{"Read file finish!", "Cost Time: 0:0:0", "Total Layer:2", "Current Layer:2"}));
    EXPECT_FALSE(frame.m_bCliBar);
    EXPECT_TRUE(frame.m_wndCliBar->isHidden());
    EXPECT_FALSE(f.m_doc.m_cli.m_data.m_bFileOpen);

    // A start after the end rewinds to the first layer.
    ASSERT_TRUE(frame.RunCommand(ID_CLI_START));
    frame.OnTimer(2);
    EXPECT_EQ(frame.m_nCliLayer, 1u);
    ASSERT_TRUE(frame.RunCommand(ID_CLI_STOP));
    EXPECT_EQ(frame.m_nCliLayer, 0u);
    EXPECT_FALSE(frame.m_bCliRunning);
}

TEST_F(Previews, ClosingTheFileEndsARunningPreview)
{
    const std::string path = m_dir.File("part.cli");
    WriteSquareCli(path, 3, 0.0f, 0.0f, 10.0f, 10.0f);
    ASSERT_TRUE(f.m_frame->OpenFromCommandLine(path));
    ASSERT_TRUE(f.m_frame->RunCommand(ID_CLI_START));
    f.m_frame->OnTimer(2);
    f.m_platform.Answer(MsgAnswer::Yes);
    ASSERT_TRUE(f.m_frame->RunCommand(ID_CLOSE_CLI));
    EXPECT_TRUE(f.m_frame->m_bCliRunning);
    f.m_frame->OnTimer(2);
    EXPECT_FALSE(f.m_frame->m_bCliRunning);
    EXPECT_EQ(f.m_frame->PaneText(0), "Read file finish!");
}

TEST_F(Previews, SslPreviewShowsTotalWithoutColon)
{
    const std::string path = m_dir.File("part.ssl");
    WriteSquareSsl(path, 12, 1.0f);
    ASSERT_TRUE(f.m_frame->OpenFromCommandLine(path));
    ASSERT_TRUE(f.m_frame->RunCommand(ID_SSL_START));
    f.m_frame->OnTimer(1);
    EXPECT_EQ(f.m_frame->PaneText(2), "Total Layer12");
    EXPECT_EQ(f.m_frame->PaneText(3), "Current Layer:1");
    EXPECT_EQ(f.m_doc.m_ssl.m_data.m_layers.size(), 1u);
    EXPECT_TRUE(f.m_frame->CommandState(ID_SHOW_SLICE).enabled);
}

TEST_F(Previews, SpfPreviewFollowsTheRange)
{
    const std::string path = m_dir.File("ring.spf");
    ASSERT_TRUE(WriteSampleSpf(path, 10));
    ASSERT_TRUE(f.m_frame->OpenFromCommandLine(path));
    CMainFrame& frame = *f.m_frame;
    auto& spf = f.m_doc.m_spf.m_data;
    ASSERT_EQ(spf.m_nLayerCount, 10);
    spf.m_nFromLayer = 5;   // the range dialog does not move the counter
    spf.m_nToLayer = 7;
    ASSERT_TRUE(frame.RunCommand(ID_SPF_START));
    std::vector<std::uint32_t> shown;
    for (int i = 0; i < 8 && frame.m_bSpfRunning; ++i) {
        frame.OnTimer(3);
        if (frame.m_bSpfRunning)
            shown.push_back(frame.m_nSpfLayer);
    }
    EXPECT_EQ(shown, (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(frame.PaneText(0), "Read file finish!");

    ASSERT_TRUE(frame.RunCommand(ID_SPF_START));   // starts again at the range
    frame.OnTimer(3);
    frame.OnTimer(3);
    EXPECT_EQ(frame.m_nSpfLayer, 6u);
    EXPECT_EQ(frame.PaneText(2), "Total Layer:10");
    EXPECT_FALSE(spf.m_planes.empty());
    ASSERT_TRUE(frame.RunCommand(ID_SPF_PAUSE));
    ASSERT_TRUE(frame.RunCommand(ID_SPF_PREVIOUS));
    QApplication::processEvents();
    EXPECT_EQ(frame.m_nSpfLayer, 5u);
    EXPECT_FALSE(frame.CommandState(ID_SPF_PREVIOUS).enabled);
    EXPECT_FALSE(frame.CommandState(ID_SPF_STOP).enabled);   // paused at the range start
    EXPECT_FALSE(frame.CommandState(ID_SPF_NEXT).enabled);
    ASSERT_TRUE(frame.RunCommand(ID_SPF_START));
    ASSERT_TRUE(frame.RunCommand(ID_SPF_STOP));
    EXPECT_EQ(frame.m_nSpfLayer, 4u);
}

TEST_F(Previews, SpfStepWaitsUntilTheSimulationHasDrawnTheLayer)
{
    const std::string path = m_dir.File("ring.spf");
    ASSERT_TRUE(WriteSampleSpf(path, 5));
    ASSERT_TRUE(f.m_frame->OpenFromCommandLine(path));
    CMainFrame& frame = *f.m_frame;
    CVemoView& view = frame.View();
    ASSERT_TRUE(frame.RunCommand(ID_SIMULATION));
    ASSERT_TRUE(frame.RunCommand(ID_SPF_START));
    frame.OnTimer(3);   // the sample's blank first layer has nothing to draw
    EXPECT_FALSE(view.SimulationRunning());
    frame.OnTimer(3);
    ASSERT_EQ(frame.m_nSpfLayer, 2u);
    ASSERT_TRUE(view.SimulationRunning());
    ASSERT_GT(view.SimulationTotal(), 1);

    // Ticks while the layer is being drawn wait; they do not pile up.
    frame.OnTimer(3);
    frame.OnTimer(3);
    EXPECT_EQ(frame.m_nSpfLayer, 2u);
    EXPECT_TRUE(frame.StepWaiting(3));
    while (view.SimulationShown() < view.SimulationTotal() - 1)
        view.SimulationStep();
    QApplication::processEvents();
    EXPECT_EQ(frame.m_nSpfLayer, 2u);   // one line still to draw
    view.SimulationStep();
    EXPECT_FALSE(view.SimulationRunning());
    QApplication::processEvents();
    EXPECT_EQ(frame.m_nSpfLayer, 3u);   // the waiting step, once
    EXPECT_FALSE(frame.StepWaiting(3));
    EXPECT_EQ(frame.PaneText(3), "Current Layer:3");
    EXPECT_TRUE(view.SimulationRunning());   // the next layer from its first line
    EXPECT_EQ(view.SimulationShown(), 0);

    // A pause drops the tick that was waiting; a posted next step waits too.
    frame.OnTimer(3);
    ASSERT_TRUE(frame.RunCommand(ID_SPF_PAUSE));
    EXPECT_FALSE(frame.StepWaiting(3));
    ASSERT_TRUE(frame.RunCommand(ID_SPF_NEXT));
    QApplication::processEvents();
    EXPECT_TRUE(frame.StepWaiting(3));
    while (view.SimulationRunning())
        view.SimulationStep();
    QApplication::processEvents();
    EXPECT_EQ(frame.m_nSpfLayer, 4u);

    // Without simulation mode every tick steps at once.
    ASSERT_TRUE(frame.RunCommand(ID_SIMULATION));
    ASSERT_TRUE(frame.RunCommand(ID_SPF_PREVIOUS));
    QApplication::processEvents();
    EXPECT_EQ(frame.m_nSpfLayer, 3u);
    EXPECT_FALSE(view.SimulationRunning());
}

// The SPF preview's states, step by step on a 10-layer file with the range
// set to 5 to 7 after the import: the state, the counter, the first status
// pane and which bar commands are enabled after each user action.
TEST_F(Previews, SpfStateTable)
{
    const std::string path = m_dir.File("ten.spf");
    ASSERT_TRUE(WriteSampleSpf(path, 10));
    ASSERT_TRUE(f.m_frame->OpenFromCommandLine(path));
    CMainFrame& frame = *f.m_frame;
    auto& spf = f.m_doc.m_spf.m_data;
    ASSERT_EQ(spf.m_nLayerCount, 10);
    f.m_dialogs.m_range = std::make_pair(5u, 7u);
    f.m_platform.SetDefaultAnswer(MsgAnswer::Yes);   // the close question

    enum Action { Range, Start, Tick, Pause, Previous, Next, Stop, Close };
    struct Row {
        Action action;
        const char* state;        // idle, running or paused
        std::uint32_t counter;
        const char* pane0;        // nullptr: not looked at
        bool start, pause, stop, previous, next;
    };
    const std::vector<Row> rows = {
        // The range dialog does not move the counter the import set to 0.
        {Range, "idle", 0, nullptr, true, false, false, false, false},
        {Start, "running", 0, nullptr, false, true, true, false, false},
        {Tick, "running", 1, "Reading file...", false, true, true, false, false},
        {Tick, "running", 2, nullptr, false, true, true, false, false},
        {Tick, "running", 3, nullptr, false, true, true, false, false},
        {Tick, "running", 4, nullptr, false, true, true, false, false},
        {Tick, "running", 5, nullptr, false, true, true, false, false},
        {Tick, "running", 6, nullptr, false, true, true, false, false},
        {Tick, "running", 7, nullptr, false, true, true, false, false},
        {Tick, "idle", 8, "Read file finish!", true, false, false, false, false},
        // A start after the end begins at the range.
        {Start, "running", 4, nullptr, false, true, true, false, false},
        {Tick, "running", 5, nullptr, false, true, true, false, false},
        {Tick, "running", 6, nullptr, false, true, true, false, false},
        {Pause, "paused", 6, nullptr, true, false, true, true, true},
        // Previous at the range start: greyed, and so are next and stop.
        {Previous, "paused", 5, "Reading file...", true, false, false, false, false},
        {Start, "running", 5, nullptr, false, true, true, false, false},
        {Pause, "paused", 5, nullptr, true, false, false, false, false},
        {Start, "running", 5, nullptr, false, true, true, false, false},
        // Closing the file does not stop the preview: it reads on by name.
        {Close, "running", 5, nullptr, false, true, true, false, false},
        {Tick, "running", 6, "Reading file...", false, true, true, false, false},
        {Stop, "idle", 4, nullptr, false, false, false, false, false},
    };

    auto state = [&] {
        if (frame.m_bSpfRunning)
            return "running";
        const std::uint32_t end = std::min<std::uint32_t>(spf.m_nLayerCount, spf.m_nToLayer);
        // At rest: where the import or a stop left the counter, or past the end.
        const std::uint32_t n = frame.m_nSpfLayer;
        return n == 0 || n + 1 == spf.m_nFromLayer || n >= end ? "idle" : "paused";
    };
    int line = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE("row " + std::to_string(line++));
        switch (r.action) {
        case Range: ASSERT_TRUE(frame.RunCommand(ID_SPF_RANGE)); break;
        case Start: ASSERT_TRUE(frame.RunCommand(ID_SPF_START)); break;
        case Tick: frame.OnTimer(3); break;
        case Pause: ASSERT_TRUE(frame.RunCommand(ID_SPF_PAUSE)); break;
        case Previous: ASSERT_TRUE(frame.RunCommand(ID_SPF_PREVIOUS)); break;
        case Next: ASSERT_TRUE(frame.RunCommand(ID_SPF_NEXT)); break;
        case Stop: ASSERT_TRUE(frame.RunCommand(ID_SPF_STOP)); break;
        case Close:
            ASSERT_TRUE(frame.RunCommand(ID_CLOSE_SPF));
            EXPECT_FALSE(f.m_doc.m_spf.m_bOpen);
            break;
        }
        if (r.action == Previous || r.action == Next)
            QApplication::processEvents();   // the posted step
        EXPECT_STREQ(state(), r.state);
        EXPECT_EQ(frame.m_nSpfLayer, r.counter);
        if (r.pane0) {
            EXPECT_EQ(frame.PaneText(0), r.pane0);
        }
        EXPECT_EQ(frame.CommandState(ID_SPF_START).enabled, r.start);
        EXPECT_EQ(frame.CommandState(ID_SPF_PAUSE).enabled, r.pause);
        EXPECT_EQ(frame.CommandState(ID_SPF_STOP).enabled, r.stop);
        EXPECT_EQ(frame.CommandState(ID_SPF_PREVIOUS).enabled, r.previous);
        EXPECT_EQ(frame.CommandState(ID_SPF_NEXT).enabled, r.next);
    }
}

} // namespace
