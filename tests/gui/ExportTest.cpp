#include "GuiSupport.h"

#include "app/SpfOutPutFormat.h"
#include "app/VemoView.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class ExportCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_cli = m_dir.File("part.cli");
        WriteSquareCli(m_cli, 3, 10.0f, 10.0f, 30.0f, 30.0f);
        ASSERT_TRUE(f.m_frame->OpenFromCommandLine(m_cli));
    }
    CTempDir m_dir;
    std::string m_cli;
    CFrameFixture f;
};

TEST_F(ExportCommand, WritesWithTheChosenOptionsAndOpensTheResult)
{
    CExportOptions options;
    options.hatchSpace = 0.5f;
    options.orientation = 0;
    options.pathStrategy = 1;
    options.connectHatches = 1;
    options.contourOption = 0;
    f.m_dialogs.m_options = options;
    f.m_dialogs.m_savePaths.push_back(m_dir.File("out"));   // the ending is added
    ASSERT_TRUE(f.m_frame->RunCommand(ID_EXPORT_SPF));

    const std::string out = m_dir.File("out.spf");
    EXPECT_EQ(f.m_dialogs.m_saveAsked, (std::vector<std::string>{"spf Rapid prototyping file(*.spf)|*.spf|| " + m_dir.File("part") + " ask"}));
    ASSERT_EQ(f.m_dialogs.m_optionsShown.size(), 1u);
    EXPECT_FALSE(f.m_dialogs.m_optionsShown[0].hasContourFiles);
    const auto& data = f.m_doc.m_spf.m_data;
    EXPECT_FLOAT_EQ(data.m_hatchSpace, 0.5f);
    EXPECT_EQ(data.m_orientation, 0);
    EXPECT_EQ(data.m_pathStrategy, 1);
    EXPECT_EQ(data.m_connectHatches, 1);
    EXPECT_EQ(data.m_taggedLayout, 1);
    EXPECT_TRUE(std::filesystem::exists(out));
    EXPECT_FALSE(f.m_frame->m_bExporting);
    EXPECT_TRUE(f.m_doc.m_spf.m_bOpen);
    EXPECT_EQ(f.m_doc.m_spf.m_strFileName, out);
    EXPECT_EQ(data.m_nLayerCount, 3);
    EXPECT_EQ(f.m_doc.m_nFileKind, 3);
    EXPECT_TRUE(f.m_frame->m_bSpfBar);
    EXPECT_FALSE(f.m_frame->m_bCliBar);
    EXPECT_FALSE(data.m_bJumpTrack);
    EXPECT_TRUE(f.m_doc.m_bDisplay);
    EXPECT_EQ(f.m_frame->Title(), "Rapid prototyping" + out);
    // The written layers can be previewed.
    ASSERT_TRUE(f.m_frame->RunCommand(ID_SPF_START));
    f.m_frame->OnTimer(3);
    EXPECT_FALSE(f.m_doc.m_spf.m_data.m_planes.empty());
}

TEST_F(ExportCommand, CancelledOptionsStillReadTheChosenFileBack)
{
    const std::string existing = m_dir.File("old.spf");
    ASSERT_TRUE(WriteSampleSpf(existing, 2));
    f.m_dialogs.m_savePaths.push_back(existing);
    ASSERT_TRUE(f.m_frame->RunCommand(ID_EXPORT_SPF));
    EXPECT_TRUE(f.m_doc.m_spf.m_bOpen);
    EXPECT_EQ(f.m_doc.m_spf.m_data.m_nLayerCount, 2);   // the old file, untouched
    EXPECT_EQ(f.m_doc.m_nFileKind, 3);
    EXPECT_TRUE(f.m_platform.m_messages.empty());

    // A name ending in upper-case .SPF gets the ending appended.
    f.m_dialogs.m_savePaths.push_back(m_dir.File("part.SPF"));
    f.m_platform.SetDefaultAnswer(MsgAnswer::Ok);
    ASSERT_TRUE(f.m_frame->RunCommand(ID_EXPORT_SPF));
    EXPECT_EQ(f.m_doc.m_spf.m_strFileName, m_dir.File("part.SPF.spf"));
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("part.SPF.spf")));   // nothing written
    EXPECT_FALSE(f.m_platform.m_messages.empty());   // the reader said it cannot open it

    // No name: nothing happens at all.
    const size_t shown = f.m_dialogs.m_optionsShown.size();
    ASSERT_TRUE(f.m_frame->RunCommand(ID_EXPORT_SPF));
    EXPECT_EQ(f.m_dialogs.m_optionsShown.size(), shown);
}

TEST_F(ExportCommand, CliHatchModeAsksNoOptions)
{
    f.m_dialogs.m_savePaths.push_back(m_dir.File("hatch.spf"));
    ASSERT_TRUE(f.m_frame->RunCommand(ID_CLI_TO_SPF));
    EXPECT_TRUE(f.m_dialogs.m_optionsShown.empty());
    EXPECT_FLOAT_EQ(f.m_doc.m_spf.m_data.m_hatchSpace, 0.05f);
    EXPECT_EQ(f.m_doc.m_spf.m_data.m_contourOption, 2);
    EXPECT_EQ(f.m_doc.m_spf.m_data.m_connectHatches, 0);
    EXPECT_EQ(f.m_doc.m_nFileKind, 3);
}

TEST_F(ExportCommand, EscapeInTheViewStopsTheExport)
{
    // The main window's status writer pumps the events between layers, as in
    // the application.
    CPlatform platform;
    platform.messageBox = &f.m_platform;
    platform.progress = &f.m_platform;
    platform.clock = &f.m_platform;
    platform.status = f.m_frame.get();
    CScopedPlatform scope(platform);

    f.m_dialogs.m_options = CExportOptions{};
    f.m_dialogs.m_savePaths.push_back(m_dir.File("stopped.spf"));
    QCoreApplication::postEvent(&f.m_frame->View(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    f.m_platform.Answer(MsgAnswer::No);   // do not keep the stopped file
    f.m_platform.SetDefaultAnswer(MsgAnswer::Ok);
    ASSERT_TRUE(f.m_frame->RunCommand(ID_EXPORT_SPF));
    EXPECT_FALSE(f.m_frame->m_bExporting);
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("stopped.spf")));
    ASSERT_FALSE(f.m_platform.m_messages.empty());
    EXPECT_EQ(f.m_platform.m_messages[0].text, "Already Save the SPF file?");
}

TEST(SpfOutPutFormat, StartValuesAndHatchSpaceRange)
{
    CScriptedPlatform platform;
    CSpfOutPutFormat dialog(false);
    EXPECT_EQ(dialog.m_pathStrategy, 4);
    EXPECT_TRUE(dialog.m_orient[2]->isChecked());
    EXPECT_TRUE(dialog.m_contour[2]->isChecked());
    EXPECT_FALSE(dialog.m_contour[1]->isEnabled());
    EXPECT_FALSE(dialog.m_contour[2]->isEnabled());
    EXPECT_TRUE(dialog.m_strategy[3]->isChecked());
    dialog.m_strategy[0]->click();
    EXPECT_EQ(dialog.m_pathStrategy, 1);
    EXPECT_FALSE(dialog.m_strategy[3]->isChecked());
    dialog.m_space->setText("0.05");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(platform.m_messages.size(), 1u);
    EXPECT_EQ(platform.m_messages[0].text, "“请填入一个在0.1和99999之间的数字。”");
    dialog.m_space->setText("0.1");
    dialog.m_orient[1]->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FLOAT_EQ(dialog.m_hatchSpace, 0.1f);
    EXPECT_EQ(dialog.m_orientation, 1);

    CSpfOutPutFormat withContours(true);
    EXPECT_TRUE(withContours.m_contour[1]->isEnabled());
}

// The main window as the export's status writer, watched: what its panes
// read after every report, and whether every pump handled an event posted
// just before it.
class CWatchedStatus : public IStatusWriter {
public:
    explicit CWatchedStatus(CMainFrame& frame) : m_frame(frame) {}
    void ShowStatus(const std::string& message, const std::string& costText, int total, int current) override
    {
        m_frame.ShowStatus(message, costText, total, current);
        m_panes.push_back({m_frame.PaneText(0), m_frame.PaneText(1), m_frame.PaneText(2), m_frame.PaneText(3)});
    }
    void PumpOneMessage() override
    {
        QTimer::singleShot(0, &m_frame, [this] { ++m_handled; });
        m_frame.PumpOneMessage();
        ++m_pumps;
        m_allHandled = m_allHandled && m_handled == m_pumps;
    }
    CMainFrame& m_frame;
    std::vector<std::vector<std::string>> m_panes;
    int m_pumps = 0, m_handled = 0;
    bool m_allHandled = true;
};

// A clock on which every reading is 700 ms after the one before.
class CTickingClock : public IClock {
public:
    std::int64_t NowSeconds() override { return NowMilliseconds() / 1000; }
    std::int64_t NowMilliseconds() override { return m_ms += 700; }
    void SleepMs(int ms) override { m_ms += ms; }
    void Today(int& year, int& month, int& day) override { year = 2024, month = 5, day = 6; }
    std::int64_t m_ms = 0;
};

TEST(ExportResponsiveness, EveryLayerHandlesEventsAndShowsTimeAndLayer)
{
    CTempDir dir;
    const std::string cli = dir.File("tall.cli");
    WriteSquareCli(cli, 12, 10.0f, 10.0f, 30.0f, 30.0f);
    CFrameFixture f;
    ASSERT_TRUE(f.m_frame->OpenFromCommandLine(cli));
    CWatchedStatus status(*f.m_frame);
    CTickingClock clock;
    const CScopedPlatform scope(CPlatform{&f.m_platform, &f.m_platform, &status, &clock});
    f.m_dialogs.m_options = CExportOptions{};
    f.m_dialogs.m_savePaths.push_back(dir.File("tall.spf"));
    ASSERT_TRUE(f.m_frame->RunCommand(ID_EXPORT_SPF));
    EXPECT_TRUE(f.m_doc.m_spf.m_bOpen);

    EXPECT_GE(status.m_pumps, 12);   // one pump before every layer at least
    EXPECT_TRUE(status.m_allHandled);
    // The first report, one after every layer naming the layer to come, then
    // the end with no layer.
    ASSERT_EQ(status.m_panes.size(), 14u);
    for (std::size_t i = 0; i < status.m_panes.size(); ++i) {
        const auto& p = status.m_panes[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(p[0], i + 1 < status.m_panes.size() ? "Outputing the SPF file..." : "Output SPF file successfully!");
        EXPECT_EQ(p[1].rfind("Cost Time: 0:0:", 0), 0u) << p[1];
        EXPECT_EQ(p[2], "Total Layer:12");
        EXPECT_EQ(p[3], i + 1 < status.m_panes.size() ? "Current Layer:" + std::to_string(i + 1) : "");
    }
    // Time goes on from layer to layer.
    EXPECT_EQ(status.m_panes.front()[1], "Cost Time: 0:0:0");
    EXPECT_NE(status.m_panes.back()[1], "Cost Time: 0:0:0");
}

} // namespace
