#include "GuiSupport.h"

#include "app/VemoView.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class EditingTools : public ::testing::Test {
protected:
    CTempDir m_dir;
    CFrameFixture f;
};

TEST_F(EditingTools, FirstQuadrantCheckSavesAMovedCopy)
{
    const std::string part = m_dir.File("offset.cli");
    WriteSquareCli(part, 2, -5.0f, 2.0f, 5.0f, 12.0f);
    ASSERT_TRUE(f.m_frame->OpenFromCommandLine(part));

    // A copy that cannot be written leaves the holder on its file.
    f.m_platform.SetDefaultAnswer(MsgAnswer::Abort);
    f.m_platform.Answer(MsgAnswer::Yes);
    f.m_dialogs.m_savePaths.push_back(m_dir.File("missing/dir/copy"));
    ASSERT_TRUE(f.m_frame->RunCommand(ID_VERIFY_DATA));
    ASSERT_FALSE(f.m_platform.m_messages.empty());
    EXPECT_EQ(f.m_platform.m_messages[0].text,
              "The contour include point not belong the first quadrant,\nWhether or not to move the part,and save to the other SSL file");
    EXPECT_EQ(f.m_platform.m_messages[0].caption, "Verify");
    EXPECT_EQ(f.m_platform.m_messages[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(f.m_doc.m_cli.m_data.m_strPathName, part);

    f.m_platform.m_messages.clear();
    f.m_platform.Answer(MsgAnswer::Yes);
    f.m_dialogs.m_savePaths.push_back(m_dir.File("moved.CLI"));   // no second ending
    ASSERT_TRUE(f.m_frame->RunCommand(ID_VERIFY_DATA));
    const std::string copy = m_dir.File("moved.CLI");
    ASSERT_TRUE(std::filesystem::exists(copy));
    EXPECT_EQ(f.m_dialogs.m_saveAsked.back(), "cli CLI file(*.cli)|*.cli|| ");
    EXPECT_EQ(f.m_doc.m_cli.m_data.m_strPathName, copy);
    EXPECT_EQ(f.m_frame->Title(), "Rapid prototyping " + copy);
    EXPECT_FLOAT_EQ(f.m_doc.m_cli.m_data.m_box.m_ptMin.m_x, 0.0f);
    EXPECT_EQ(f.m_doc.m_cli.m_data.m_nLayers, 2);

    // The copy passes.
    f.m_platform.m_messages.clear();
    ASSERT_TRUE(f.m_frame->RunCommand(ID_VERIFY_DATA));
    ASSERT_EQ(f.m_platform.m_messages.size(), 1u);
    EXPECT_EQ(f.m_platform.m_messages[0].text, "The every point of the contour is belong the first quadrant");
    EXPECT_EQ(f.m_platform.m_messages[0].icon, MsgIcon::Information);
}

TEST_F(EditingTools, SslCopyNameGetsItsEndingCaseSensitively)
{
    const std::string part = m_dir.File("part.ssl");
    WriteSquareSsl(part, 2, 1.0f);
    ASSERT_TRUE(f.m_frame->OpenFromCommandLine(part));
    f.m_doc.m_ssl.m_data.m_box.m_ptMin.m_x = -0.001f;   // as if the part reached left of the origin
    f.m_platform.Answer(MsgAnswer::Yes);
    f.m_dialogs.m_savePaths.push_back(m_dir.File("copy.SSL"));
    ASSERT_TRUE(f.m_frame->RunCommand(ID_VERIFY_DATA));
    EXPECT_TRUE(std::filesystem::exists(m_dir.File("copy.SSL.ssl")));
    EXPECT_EQ(f.m_doc.m_ssl.m_data.m_strFileName, m_dir.File("copy.SSL.ssl"));
    EXPECT_EQ(f.m_doc.m_ssl.m_data.m_nLayerCount, 2);
}

TEST_F(EditingTools, ContourFilesOfTheOpenKind)
{
    const std::string part = m_dir.File("part.cli");
    const std::string border1 = m_dir.File("border1.cli");
    const std::string border2 = m_dir.File("border2.cli");
    const std::string wrong = m_dir.File("border.ssl");
    WriteSquareCli(part, 2, 10.0f, 10.0f, 30.0f, 30.0f);
    WriteSquareCli(border1, 2, 5.0f, 5.0f, 35.0f, 35.0f);
    WriteSquareCli(border2, 2, 0.0f, 0.0f, 40.0f, 40.0f);
    WriteSquareSsl(wrong, 2, 1.0f);
    ASSERT_TRUE(f.m_frame->OpenFromCommandLine(part));
    EXPECT_FALSE(f.m_frame->Action(ID_CLOSE_SPF)->isEnabled());

    f.m_dialogs.m_paths = {wrong, border1, border2};
    ASSERT_TRUE(f.m_frame->RunCommand(ID_LOAD_CONTOUR));
    ASSERT_EQ(f.m_platform.m_messages.size(), 1u);
    EXPECT_EQ(f.m_platform.m_messages[0].text, "The contour file error!");
    EXPECT_EQ(f.m_platform.m_messages[0].caption, "prompt");
    EXPECT_TRUE(f.m_doc.m_cliContours.empty());

    ASSERT_TRUE(f.m_frame->RunCommand(ID_LOAD_CONTOUR));
    ASSERT_TRUE(f.m_frame->RunCommand(ID_LOAD_CONTOUR));
    ASSERT_EQ(f.m_doc.m_cliContours.size(), 2u);
    EXPECT_EQ(f.m_doc.m_cliContours[0]->m_data.m_strPathName, border1);
    EXPECT_EQ(f.m_doc.m_cliContours[1]->m_data.m_strPathName, border2);
    EXPECT_EQ(f.m_frame->Title(), "Rapid prototyping " + part + ", Border file:" + border1 + ", Border file:" + border2);
    EXPECT_EQ(f.m_frame->PaneText(0), "Loading CLI file, please waiting...");   // status not changed after
    EXPECT_EQ(f.m_dialogs.m_asked.back(), " CLI file(*.cli)|*.cli||");

    // Contour files are read and drawn with the main file.
    ASSERT_TRUE(f.m_frame->RunCommand(ID_CLI_START));
    f.m_frame->OnTimer(2);
    EXPECT_EQ(f.m_doc.m_cliContours[1]->m_data.m_layers.size(), 1u);
    CRecordingSurface surface;
    f.m_frame->View().Draw(surface, 800, 600);
    EXPECT_EQ(surface.CountOf(CRecordingSurface::Op::Line), 2 + 3 * 4);

    // Closing the main file drops them.
    f.m_platform.Answer(MsgAnswer::Yes);
    ASSERT_TRUE(f.m_frame->RunCommand(ID_CLOSE_CLI));
    EXPECT_TRUE(f.m_doc.m_cliContours.empty());
}

TEST_F(EditingTools, ReplaceTheCurrentCliLayer)
{
    const std::string part = m_dir.File("part.cli");
    WriteSquareCli(part, 3, 10.0f, 10.0f, 30.0f, 30.0f);
    ASSERT_TRUE(f.m_frame->OpenFromCommandLine(part));
    EXPECT_FALSE(f.m_frame->CommandState(ID_REPLACE_LAYER).enabled);   // preview at layer 0
    ASSERT_TRUE(f.m_frame->RunCommand(ID_CLI_START));
    f.m_frame->OnTimer(2);
    f.m_frame->OnTimer(2);
    ASSERT_TRUE(f.m_frame->RunCommand(ID_CLI_PAUSE));
    EXPECT_EQ(f.m_frame->m_nCliLayer, 2u);
    f.m_platform.Answer(MsgAnswer::Yes);
    ASSERT_TRUE(f.m_frame->RunCommand(ID_REPLACE_LAYER));
    ASSERT_EQ(f.m_platform.m_messages.size(), 1u);
    EXPECT_EQ(f.m_platform.m_messages[0].text,
              "Whether or not to delete the current layer, and replace the layer with the next layer?");
    EXPECT_EQ(f.m_platform.m_messages[0].caption, "Delete");
    EXPECT_EQ(f.m_frame->PaneText(0), "finish!");
    EXPECT_EQ(f.m_doc.m_cli.m_data.m_layers.size(), 1u);
    EXPECT_EQ(f.m_doc.m_cli.m_data.m_nLayers, 3);

    CCli check;   // the rewritten file still has three layers
    check.m_data.m_strPathName = part;
    ASSERT_TRUE(check.Load(part));
    EXPECT_EQ(check.m_data.m_nLayers, 3);
}

} // namespace
