#include "GuiSupport.h"

#include "app/CreateSampleDlg.h"
#include "spf/Spf.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(CreateSampleDlg, ChecksSizesThenWritesASample)
{
    CScriptedPlatform platform;
    CScriptedDialogs dialogs;
    CTempDir dir;
    CCreateSampleDlg dlg(dialogs);
    EXPECT_EQ(dlg.m_layers->text().toStdString(), "100");
    EXPECT_EQ(dlg.m_outer->text().toStdString(), "30");
    EXPECT_TRUE(dlg.m_shape[0]->isChecked());

    // Inner not below outer: refused before any file dialog.
    dlg.m_inner->setText("30");
    EXPECT_FALSE(dlg.OnCreate());
    ASSERT_EQ(platform.m_messages.size(), 1u);
    EXPECT_EQ(platform.m_messages[0].text, "The radius of inner cycle is big than radius of outer cycle.");
    EXPECT_EQ(platform.m_messages[0].caption, "Error");
    EXPECT_TRUE(dialogs.m_saveAsked.empty());

    // Blank layers not fewer than layers.
    dlg.m_inner->setText("6");
    dlg.m_outer->setText("10");
    dlg.m_layers->setText("4");
    dlg.m_blank->setText("4");
    EXPECT_FALSE(dlg.OnCreate());
    EXPECT_EQ(platform.m_messages.back().text, "The layers of blank bottom if big than the layers of part.");

    // A refused field keeps its last value and the others still apply.
    dlg.m_blank->setText("1");
    dlg.m_hatch->setText("0.6");   // above 0.5
    dlg.m_offset->setText("0.5");
    dlg.m_shape[1]->click();
    dialogs.m_savePaths.push_back(dir.File("ring"));
    EXPECT_TRUE(dlg.OnCreate());
    EXPECT_EQ(platform.m_messages.back().text, "“请填入一个在0.01和0.5之间的数字。”");
    EXPECT_FLOAT_EQ(dlg.m_sample.m_fHatchSpace, 0.01f);
    EXPECT_FLOAT_EQ(dlg.m_sample.m_fOffset, 0.5f);
    EXPECT_EQ(dlg.m_sample.m_nShape, CCreateSample::SHAPE_SQUARE);
    EXPECT_EQ(dialogs.m_saveAsked.back(), "spf RP Machine files(*.spf)|*.spf||  ask");
    EXPECT_EQ(dlg.m_percent->text().toStdString(), " 100%");

    CSpf spf;
    ASSERT_TRUE(spf.Open(dir.File("ring.spf")));
    EXPECT_EQ(spf.m_data.m_nLayerCount, 4);
}

} // namespace
