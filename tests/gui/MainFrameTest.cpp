#include "GuiSupport.h"

#include "app/VemoView.h"
#include "platform/Texts.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> Panes(const CMainFrame& frame)
{
    return {frame.PaneText(0), frame.PaneText(1), frame.PaneText(2), frame.PaneText(3)};
}

std::vector<int> BarIds(QToolBar* bar)
{
    std::vector<int> ids;
    for (QAction* a : bar->actions())
        ids.push_back(a->isSeparator() ? 0 : a->data().toInt());
    return ids;
}

TEST(MainFrame, StartsWithTitleBarsAndPanes)
{
    CFrameFixture f;
    CMainFrame& frame = *f.m_frame;
    EXPECT_EQ(frame.Title(), "Rapid prototyping system");
    EXPECT_EQ(Panes(frame), (std::vector<std::string>{"", "Time", "Total Layer Number", "The current Layer"}));
    EXPECT_EQ(BarIds(frame.m_wndToolBar), (std::vector<int>{32776, 32778, 32780, 32782, 0, 32792, 32793, 0, 32930, 32865,
                                                             32863, 32864, 32926, 0, 32872, 0, 32953}));
    EXPECT_EQ(BarIds(frame.m_wndSslBar), (std::vector<int>{32886, 32888, 32889, 32890}));
    EXPECT_EQ(BarIds(frame.m_wndCliBar), (std::vector<int>{32908, 32909, 32910, 32911}));
    EXPECT_EQ(BarIds(frame.m_wndSpfBar), (std::vector<int>{32903, 32904, 32905, 32949, 32906}));
    EXPECT_TRUE(frame.m_wndSslBar->isHidden() && frame.m_wndCliBar->isHidden() && frame.m_wndSpfBar->isHidden());
    EXPECT_EQ(frame.m_wndToolBar->windowTitle().toStdString(), "Preview Change Bar");
    EXPECT_EQ(frame.m_wndSpfBar->windowTitle().toStdString(), "spf slice preview control");
    // Prompt split: status text before the line break, tool tip after it.
    EXPECT_EQ(frame.Action(32872)->statusTip().toStdString(), "Export SPF file");
    EXPECT_EQ(frame.Action(32872)->toolTip().toStdString(), "Export SPF");
    EXPECT_EQ(frame.Action(32792)->shortcut(), QKeySequence(Qt::KeypadModifier | Qt::Key_Plus));
    EXPECT_EQ(frame.Action(32776)->shortcut(), QKeySequence(Qt::Key_Up));
    EXPECT_FALSE(frame.Action(57667)->isEnabled());
}

TEST(MainFrame, ChineseVariantHasChineseMenusAndNoCliToSpfButton)
{
    CFrameFixture f(Language::Chinese);
    CMainFrame& frame = *f.m_frame;
    std::vector<std::string> menus;
    for (QAction* a : frame.menuBar()->actions())
        menus.push_back(a->text().toStdString());
    EXPECT_EQ(menus, (std::vector<std::string>{"文件(&F)", "视图(&V)", "编辑", "显示", "工具(&T)", "帮助(&H)"}));
    EXPECT_EQ(frame.Action(32861)->text().toStdString(), "CLI文件(&C)");
    EXPECT_EQ(frame.Action(32951)->text().toStdString(), "创建螺旋扫描线样件(&S)");
    EXPECT_EQ(frame.Action(57664)->text().toStdString(), "关于Vemo(&A)...");
    const std::vector<int> ids = BarIds(frame.m_wndToolBar);
    EXPECT_EQ(ids.back(), 32872);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), 32953), 0);
    // A command without a Chinese prompt shows no prompt and no tool tip.
    for (int id : {32840, 32841, 32880, 32891, 32901, 32912, 32922, 32923, 32924, 32925, 32947}) {
        EXPECT_TRUE(frame.Action(id)->statusTip().isEmpty()) << id;
        EXPECT_TRUE(frame.Action(id)->property("vemoTip").toString().isEmpty()) << id;
    }
    // Bar buttons of the previews have a prompt but no tool tip.
    EXPECT_EQ(frame.Action(32889)->statusTip().toStdString(), "停止");
    EXPECT_TRUE(frame.Action(32889)->property("vemoTip").toString().isEmpty());
    EXPECT_EQ(frame.Action(32776)->toolTip().toStdString(), "向上平移(W)");
    EXPECT_EQ(Panes(frame)[1], "耗时统计");
}

TEST(MainFrame, ShowStatusAndCostTime)
{
    struct Case {
        std::int64_t seconds;
        const char* text;
    };
    for (const Case& c : {Case{3725, "Cost Time: 1:2:5"}, Case{59, "Cost Time: 0:0:59"}, Case{0, "Cost Time: 0:0:0"},
                          Case{3600, "Cost Time: 1:0:0"}, Case{7199, "Cost Time: 1:59:59"}, Case{60, "Cost Time: 0:1:0"}})
        EXPECT_EQ(CMainFrame::FormatCostTime(c.seconds), c.text) << c.seconds;

    CFrameFixture f;
    f.m_frame->ShowStatus("msg", "cost", 12, 3);
    EXPECT_EQ(Panes(*f.m_frame), (std::vector<std::string>{"msg", "cost", "Total Layer:12", "Current Layer:3"}));
    f.m_frame->ShowStatus("", "", 0, 0);
    EXPECT_EQ(Panes(*f.m_frame), (std::vector<std::string>{"", "", "", ""}));
}

TEST(MainFrame, PreviewBarIsDockedOnTheMainBarRow)
{
    CFrameFixture f;
    CMainFrame& frame = *f.m_frame;
    frame.show();
    for (int kind : {1, 2, 3}) {
        frame.ShowPreviewBar(kind);
        QToolBar* shown = kind == 1 ? frame.m_wndSslBar : kind == 2 ? frame.m_wndSpfBar : frame.m_wndCliBar;
        QApplication::processEvents();
        EXPECT_EQ(frame.m_bSslBar, kind == 1);
        EXPECT_EQ(frame.m_bSpfBar, kind == 2);
        EXPECT_EQ(frame.m_bCliBar, kind == 3);
        EXPECT_TRUE(shown->isVisible()) << kind;
        EXPECT_EQ(frame.toolBarArea(shown), Qt::TopToolBarArea);
        EXPECT_EQ(shown->geometry().top(), frame.m_wndToolBar->geometry().top()) << kind;
        EXPECT_GE(shown->geometry().left(), frame.m_wndToolBar->geometry().right()) << kind;
        int visible = 0;
        for (QToolBar* bar : {frame.m_wndSslBar, frame.m_wndSpfBar, frame.m_wndCliBar})
            visible += bar->isVisible() ? 1 : 0;
        EXPECT_EQ(visible, 1);
    }
    frame.ShowPreviewBar(0);
    EXPECT_FALSE(frame.m_wndSslBar->isVisible() || frame.m_wndSpfBar->isVisible() || frame.m_wndCliBar->isVisible());
    EXPECT_FALSE(frame.m_bSslBar || frame.m_bSpfBar || frame.m_bCliBar);
}

class FileFlows : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_cli = m_dir.File("part.cli");
        WriteSquareCli(m_cli, 2, 10.0f, 10.0f, 30.0f, 30.0f);
        m_ssl = m_dir.File("part.ssl");
        WriteSquareSsl(m_ssl, 3, 1.0f);
        m_spf = m_dir.File("ring.spf");
        ASSERT_TRUE(WriteSampleSpf(m_spf, 4));
    }
    void OpenCli(const std::string& path, bool verify = false)
    {
        f.m_dialogs.m_paths.push_back(path);
        f.m_dialogs.m_verify.push_back(verify);
        ASSERT_TRUE(f.m_frame->RunCommand(ID_OPEN_CLI));
    }
    void OpenSsl(const std::string& path, bool verify = false)
    {
        f.m_dialogs.m_paths.push_back(path);
        f.m_dialogs.m_verify.push_back(verify);
        ASSERT_TRUE(f.m_frame->RunCommand(ID_OPEN_SSL));
    }
    void ImportSpf(const std::string& path)
    {
        f.m_dialogs.m_paths.push_back(path);
        ASSERT_TRUE(f.m_frame->RunCommand(ID_IMPORT_SPF));
    }

    CTempDir m_dir;
    std::string m_cli, m_ssl, m_spf;
    CFrameFixture f;
};

TEST_F(FileFlows, OpenCliLeavesDocumentTitleStatusAndBar)
{
    OpenCli(m_cli);
    CMainFrame& frame = *f.m_frame;
    const CVemoDoc& doc = f.m_doc;
    EXPECT_TRUE(doc.m_cli.m_bOpen);
    EXPECT_TRUE(doc.m_cli.m_data.m_bLoaded);
    EXPECT_TRUE(doc.m_bDisplay);
    EXPECT_EQ(doc.m_nFileKind, 2);
    EXPECT_EQ(doc.m_centre, C3DPoint(20.0f, 20.0f, doc.m_cli.m_data.m_ptCentre.m_z));
    EXPECT_EQ(frame.Title(), "Rapid prototyping " + m_cli);
    EXPECT_EQ(doc.m_strPathName, m_cli);
    EXPECT_EQ(Panes(frame), (std::vector<std::string>{"Opening CLI file", "", "Total Layer:2", ""}));
    EXPECT_TRUE(frame.m_bCliBar);
    EXPECT_FALSE(frame.m_wndCliBar->isHidden());
    EXPECT_EQ(frame.m_nCliLayer, 0u);
    EXPECT_EQ(f.m_dialogs.m_asked, (std::vector<std::string>{"cli CLI file(*.cli)|*.cli||"}));
    EXPECT_EQ(f.m_dialogs.m_verifyAsked, 1);
    EXPECT_TRUE(f.m_platform.m_messages.empty());
    // The command table follows the new state.
    EXPECT_TRUE(frame.Action(ID_CLOSE_CLI)->isEnabled());
    EXPECT_FALSE(frame.Action(ID_CLOSE_SSL)->isEnabled());
    EXPECT_TRUE(frame.Action(ID_EXPORT_SPF)->isEnabled());
    EXPECT_TRUE(frame.Action(ID_PREVIEW_CLI_BAR)->isChecked());
    EXPECT_FALSE(frame.Action(ID_SHOW_SLICE)->isEnabled());   // no layer in memory yet
    EXPECT_FALSE(frame.RunCommand(ID_SHOW_SLICE));
}

TEST_F(FileFlows, VerifiedOpenRunsTheProgressDialog)
{
    OpenCli(m_cli, true);
    EXPECT_TRUE(f.m_doc.m_cli.m_bOpen);
    EXPECT_GE(f.m_platform.m_progressOpened, 1);
    EXPECT_EQ(f.m_platform.m_progressOpened, f.m_platform.m_progressClosed);
}

TEST_F(FileFlows, FailedLoadKeepsLoadingTextAndLoadsNothing)
{
    f.m_platform.SetDefaultAnswer(MsgAnswer::Abort);
    OpenCli(m_dir.File("missing.cli"));
    EXPECT_FALSE(f.m_doc.m_cli.m_bOpen);
    EXPECT_EQ(f.m_doc.m_nFileKind, 0);
    EXPECT_FALSE(f.m_doc.m_bDisplay);
    EXPECT_EQ(f.m_frame->PaneText(0), "Loading CLI file, please waiting...");
    EXPECT_EQ(f.m_frame->Title(), "Rapid prototyping system");
    EXPECT_FALSE(f.m_platform.m_messages.empty());   // the reader reported it
    EXPECT_FALSE(f.m_frame->m_bCliBar);
}

TEST_F(FileFlows, SuffixRulesOfTheFileDialogs)
{
    // Upper-case .CLI is accepted, .SPF is not, and a cancelled dialog loads nothing.
    const std::string upper = m_dir.File("PART.CLI");
    WriteSquareCli(upper, 1, 0.0f, 0.0f, 5.0f, 5.0f);
    OpenCli(upper);
    EXPECT_TRUE(f.m_doc.m_cli.m_bOpen);

    const std::string upperSpf = m_dir.File("RING.SPF");
    ASSERT_TRUE(WriteSampleSpf(upperSpf, 2));
    f.m_platform.Answer(MsgAnswer::Yes);   // close the CLI file first
    ImportSpf(upperSpf);
    EXPECT_FALSE(f.m_doc.m_spf.m_bOpen);
    EXPECT_FALSE(f.m_doc.m_cli.m_bOpen);
    EXPECT_EQ(f.m_platform.m_messages.size(), 1u);   // only the close question, no complaint

    ASSERT_TRUE(f.m_frame->RunCommand(ID_OPEN_CLI));   // dialog cancelled
    EXPECT_FALSE(f.m_doc.m_cli.m_bOpen);
    EXPECT_EQ(f.m_dialogs.m_verifyAsked, 1);
}

TEST_F(FileFlows, ImportSpfLeavesDocumentTitleStatusAndBar)
{
    f.m_doc.m_spf.m_data.m_bJumpTrack = true;
    ImportSpf(m_spf);
    CMainFrame& frame = *f.m_frame;
    const CVemoDoc& doc = f.m_doc;
    EXPECT_TRUE(doc.m_spf.m_bOpen);
    EXPECT_TRUE(doc.m_spf.m_data.m_bShowPaths);
    EXPECT_FALSE(doc.m_spf.m_data.m_bJumpTrack);
    EXPECT_TRUE(doc.m_bDisplay);
    EXPECT_EQ(doc.m_nFileKind, 3);
    EXPECT_EQ(doc.m_centre, doc.m_spf.m_data.m_centre);
    EXPECT_EQ(frame.Title(), "Rapid prototyping" + m_spf);
    EXPECT_EQ(Panes(frame), (std::vector<std::string>{"Preview SPF file", "", "Total Layer:4", ""}));
    EXPECT_TRUE(frame.m_bSpfBar);
    EXPECT_EQ(frame.m_nSpfLayer, doc.m_spf.m_data.m_nFromLayer - 1);
    EXPECT_TRUE(frame.Action(ID_CLOSE_SPF)->isEnabled());
    EXPECT_TRUE(frame.Action(ID_SHOW_PATHS)->isChecked());
}

TEST_F(FileFlows, CloseQuestionAndClosedState)
{
    OpenCli(m_cli);
    f.m_doc.m_cli.m_data.m_crColour = MakeRgb(1, 2, 3);
    f.m_platform.Answer(MsgAnswer::No);
    EXPECT_FALSE(f.m_frame->OnCloseCli());
    ASSERT_EQ(f.m_platform.m_messages.size(), 1u);
    const auto& question = f.m_platform.m_messages[0];
    EXPECT_EQ(question.text, "Whether or not to close the file" + m_cli + "?");
    EXPECT_EQ(question.caption, "Close");
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_TRUE(f.m_doc.m_cli.m_bOpen);

    f.m_platform.Answer(MsgAnswer::Yes);
    ASSERT_TRUE(f.m_frame->RunCommand(ID_CLOSE_CLI));
    EXPECT_FALSE(f.m_doc.m_cli.m_bOpen);
    EXPECT_FALSE(f.m_doc.m_cli.m_data.m_bLoaded);
    EXPECT_EQ(f.m_doc.m_cli.m_data.m_nLayers, 0);
    EXPECT_EQ(f.m_doc.m_cli.m_data.m_crColour, MakeRgb(0, 0, 255));
    EXPECT_EQ(f.m_doc.m_nFileKind, 0);
    EXPECT_EQ(f.m_frame->Title(), "Rapid prototyping");
    EXPECT_FALSE(f.m_frame->Action(ID_CLOSE_CLI)->isEnabled());
    // Nothing open: nothing is asked, and the command is greyed.
    EXPECT_FALSE(f.m_frame->OnCloseCli());
    EXPECT_FALSE(f.m_frame->RunCommand(ID_CLOSE_CLI));
    EXPECT_EQ(f.m_platform.m_messages.size(), 2u);
}

TEST_F(FileFlows, OpenSslLeavesDocumentTitleStatusAndBar)
{
    for (bool verify : {false, true}) {
        if (verify) {
            f.m_platform.Answer(MsgAnswer::Yes);   // close the first one
            f.m_doc.m_ssl.m_data.m_crSlice = MakeRgb(9, 9, 9);
        }
        OpenSsl(m_ssl, verify);
        CMainFrame& frame = *f.m_frame;
        const CVemoDoc& doc = f.m_doc;
        EXPECT_TRUE(doc.m_ssl.m_bOpen) << verify;
        EXPECT_TRUE(doc.m_ssl.m_data.m_bShowSlice);
        EXPECT_EQ(doc.m_ssl.m_data.m_crSlice, MakeRgb(0, 0, 255));   // blue again after a reopen
        EXPECT_TRUE(doc.m_bDisplay);
        EXPECT_EQ(doc.m_nFileKind, 1);
        EXPECT_FLOAT_EQ(doc.m_centre.m_x, 12.7f);
        EXPECT_FLOAT_EQ(doc.m_centre.m_y, 12.7f);
        EXPECT_EQ(frame.Title(), "Rapid prototyping " + m_ssl);
        EXPECT_EQ(Panes(frame), (std::vector<std::string>{"Opening SSL file", "", "Total Layer:3", ""}));
        EXPECT_TRUE(frame.m_bSslBar);
        EXPECT_FALSE(frame.m_bCliBar);
        EXPECT_EQ(frame.m_nSslLayer, 0u);
    }
    EXPECT_EQ(f.m_dialogs.m_asked.back(), "ssl Data Files (*.ssl)|*.ssl||");
    EXPECT_GE(f.m_platform.m_progressOpened, 1);   // the verification ran once
}

TEST_F(FileFlows, OpenCliBesideAKeptSslFileAndSliceToggle)
{
    OpenSsl(m_ssl);
    f.m_platform.Answer(MsgAnswer::No);
    OpenCli(m_cli);
    EXPECT_EQ(f.m_platform.m_messages.at(0).text, "Whether or not to close the file" + m_ssl + "?");
    EXPECT_TRUE(f.m_doc.m_ssl.m_bOpen);
    EXPECT_TRUE(f.m_doc.m_cli.m_bOpen);
    EXPECT_EQ(f.m_doc.m_nFileKind, 2);
    EXPECT_TRUE(f.m_frame->Action(ID_CLOSE_SSL)->isEnabled());
    // Slice toggles the SSL holder's flag while an SSL file is open.
    ASSERT_TRUE(f.m_doc.m_ssl.m_data.OpenReading());
    PromptState prompt = PROMPT_ASK;
    ASSERT_EQ(f.m_doc.m_ssl.m_data.ReadNextLayer(prompt), 1);
    ASSERT_TRUE(f.m_frame->RunCommand(ID_SHOW_SLICE));
    EXPECT_FALSE(f.m_doc.m_ssl.m_data.m_bShowSlice);
    EXPECT_TRUE(f.m_doc.m_cli.m_data.m_bLoaded);
    // The kind recomputed from the open flags: CLI wins over SSL.
    f.m_doc.m_nFileKind = 0;
    f.m_frame->UpdateFileKind();
    EXPECT_EQ(f.m_doc.m_nFileKind, 2);
    // Closing the SSL file leaves the CLI file open.
    f.m_platform.Answer(MsgAnswer::Yes);
    ASSERT_TRUE(f.m_frame->RunCommand(ID_CLOSE_SSL));
    EXPECT_FALSE(f.m_doc.m_ssl.m_bOpen);
    EXPECT_EQ(f.m_doc.m_ssl.m_data.m_nLayerCount, 0);
    EXPECT_TRUE(f.m_doc.m_ssl.m_data.m_layers.empty());
    EXPECT_TRUE(f.m_doc.m_cli.m_bOpen);
    EXPECT_EQ(f.m_frame->Title(), "Rapid prototyping");
}

TEST_F(FileFlows, OpenCliGoesOnWhenTheUserKeepsTheOpenFile)
{
    ImportSpf(m_spf);
    f.m_frame->m_nTopologyReply = PROMPT_GO_ON;
    f.m_platform.Answer(MsgAnswer::No);
    OpenCli(m_cli);
    EXPECT_EQ(f.m_dialogs.m_asked.size(), 2u);   // the CLI dialog was still shown
    EXPECT_TRUE(f.m_doc.m_spf.m_bOpen);
    EXPECT_TRUE(f.m_doc.m_cli.m_bOpen);
    EXPECT_EQ(f.m_doc.m_nFileKind, 2);
    EXPECT_EQ(f.m_frame->m_nTopologyReply, PROMPT_GO_ON);   // nothing was closed
    EXPECT_TRUE(f.m_frame->Action(ID_CLOSE_SPF)->isEnabled());
    f.m_frame->UpdateFileKind();
    EXPECT_EQ(f.m_doc.m_nFileKind, 2);
}

TEST_F(FileFlows, OpenSslStopsWhenTheUserKeepsTheOpenFile)
{
    OpenCli(m_cli);
    f.m_platform.Answer(MsgAnswer::No);
    f.m_dialogs.m_paths.push_back(m_dir.File("never.ssl"));
    ASSERT_TRUE(f.m_frame->RunCommand(ID_OPEN_SSL));
    EXPECT_EQ(f.m_dialogs.m_asked.size(), 1u);   // no SSL file dialog
    EXPECT_EQ(f.m_dialogs.m_paths.size(), 1u);
    EXPECT_TRUE(f.m_doc.m_cli.m_bOpen);
    EXPECT_EQ(f.m_doc.m_nFileKind, 2);
    EXPECT_EQ(f.m_frame->Title(), "Rapid prototyping " + m_cli);
}

TEST_F(FileFlows, ImportClosesTheOpenFileWhenAllowed)
{
    OpenCli(m_cli);
    f.m_frame->m_nTopologyReply = PROMPT_STOP;
    f.m_platform.Answer(MsgAnswer::Yes);
    ImportSpf(m_spf);
    EXPECT_FALSE(f.m_doc.m_cli.m_bOpen);
    EXPECT_TRUE(f.m_doc.m_spf.m_bOpen);
    EXPECT_EQ(f.m_frame->m_nTopologyReply, PROMPT_ASK);
    EXPECT_EQ(f.m_doc.m_nFileKind, 3);
    EXPECT_TRUE(f.m_frame->m_bSpfBar);
    EXPECT_FALSE(f.m_frame->m_bCliBar);
}

TEST_F(FileFlows, CommandLineOpensByKind)
{
    EXPECT_TRUE(f.m_frame->OpenFromCommandLine(m_cli));
    EXPECT_TRUE(f.m_doc.m_cli.m_bOpen);
    EXPECT_EQ(f.m_doc.m_nFileKind, 2);
    EXPECT_TRUE(f.m_frame->m_bCliBar);
    EXPECT_FALSE(f.m_frame->OpenFromCommandLine(m_dir.File("notes.txt")));
    ASSERT_EQ(f.m_platform.m_messages.size(), 1u);
    EXPECT_EQ(f.m_platform.m_messages[0].text, "The file format error\n" + m_dir.File("notes.txt"));
    EXPECT_TRUE(f.m_doc.m_cli.m_bOpen);   // the open file stays
}

} // namespace
