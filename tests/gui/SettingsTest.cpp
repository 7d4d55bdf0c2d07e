#include "GuiSupport.h"

#include "app/BedSizeDlg.h"
#include "app/DialogFields.h"
#include "app/SpfSetView.h"
#include "app/VemoView.h"
#include "app/ZoomPace.h"

#include <QLineEdit>
#include <QValidator>
#include <gtest/gtest.h>

namespace {

TEST(DialogFields, ParseThenRange)
{
    struct Case {
        const char* text;
        bool whole;
        const char* message;   // nullptr: accepted
    };
    const Case cases[] = {
        {"2", false, nullptr},
        {" 0.5 ", false, nullptr},
        {"0", false, "“请填入一个在0.001和9999之间的数字。”"},
        {"10000", false, "“请填入一个在0.001和9999之间的数字。”"},
        {"abc", false, "请键入一个数。"},
        {"", false, "请键入一个数。"},
        {"1e999", false, "请键入一个数。"},
        {"100", true, nullptr},
        {"0", true, "“请填入一个在1和100000之间的整数。”"},
        {"100001", true, "“请填入一个在1和100000之间的整数。”"},
        {"-5", true, "“请填入一个正整数。”"},
        {"1.5", true, "“请填入一个正整数。”"},
        {"99999999999999999999", true, "“请填入一个正整数。”"},
    };
    for (const Case& c : cases) {
        std::optional<std::string> bad;
        if (c.whole) {
            std::uint32_t v = 0;
            bad = CheckUIntField(c.text, 1, 100000, v);
        } else {
            float v = 0.0f;
            bad = CheckFloatField(c.text, 0.001, 9999.0, v);
        }
        EXPECT_EQ(bad.value_or("ok"), c.message ? c.message : "ok") << c.text;
    }
}

TEST(SettingsDialogs, BadFieldKeepsTheDialogOpen)
{
    CScriptedPlatform platform;
    CZoomPace zoom;
    EXPECT_EQ(zoom.m_field->text().toStdString(), "2");
    zoom.m_field->setText("0");
    zoom.accept();
    EXPECT_EQ(zoom.result(), QDialog::Rejected);   // still open, not accepted
    ASSERT_EQ(platform.m_messages.size(), 1u);
    EXPECT_EQ(platform.m_messages[0].text, "“请填入一个在0.001和9999之间的数字。”");
    zoom.m_field->setText("3.5");
    zoom.accept();
    EXPECT_EQ(zoom.result(), QDialog::Accepted);
    EXPECT_FLOAT_EQ(zoom.m_fZoomStep, 3.5f);

    // The blank fields take digits only; the first bad field is the one reported.
    CBedSizeDlg blank;
    int pos = 0;
    QString minus = QStringLiteral("-1");
    QString point = QStringLiteral("1.5");
    EXPECT_EQ(blank.m_fields[2]->validator()->validate(minus, pos), QValidator::Invalid);
    EXPECT_EQ(blank.m_fields[2]->validator()->validate(point, pos), QValidator::Invalid);
    blank.m_fields[1]->setText("");
    blank.accept();
    EXPECT_EQ(platform.m_messages.back().text, "请键入一个数。");
    EXPECT_NE(blank.result(), QDialog::Accepted);

    CSpfSetView range(3, 10);
    EXPECT_EQ(range.m_from->text().toStdString(), "3");
    EXPECT_EQ(range.m_to->text().toStdString(), "10");
    range.m_to->setText("0");
    range.accept();
    EXPECT_EQ(platform.m_messages.back().text, "“请填入一个在1和99999之间的整数。”");
}

TEST(SettingsDialogs, CommandsWriteTheirSettings)
{
    CTempDir dir;
    const std::string spf = dir.File("ring.spf");
    ASSERT_TRUE(WriteSampleSpf(spf, 10));
    CFrameFixture f;
    CMainFrame& frame = *f.m_frame;

    f.m_dialogs.m_zoomStep = 2.0f;
    ASSERT_TRUE(frame.RunCommand(ID_VIEW_ZOOMSCALE));
    EXPECT_FLOAT_EQ(frame.View().m_fZoomStep, 2.0f);
    ASSERT_TRUE(frame.RunCommand(ID_VIEW_ZOOMIN));
    EXPECT_FLOAT_EQ(frame.View().m_fZoom, 2.0f);

    f.m_dialogs.m_blank = std::array<float, 4>{10, 20, 30, 50};
    ASSERT_TRUE(frame.RunCommand(ID_BLANK_SIZE));
    EXPECT_EQ(f.m_doc.m_blank.m_ptMin, C2DPoint(10, 20));
    EXPECT_EQ(f.m_doc.m_blank.m_ptMax, C2DPoint(40, 70));

    f.m_dialogs.m_delay = 250u;
    ASSERT_TRUE(frame.OpenFromCommandLine(spf));
    ASSERT_TRUE(frame.RunCommand(ID_SPF_START));
    ASSERT_TRUE(frame.RunCommand(ID_DELAY_TIME));
    EXPECT_EQ(frame.m_nDelay, 250);
    EXPECT_TRUE(frame.m_bSpfRunning);   // restarted under the new interval
    ASSERT_TRUE(frame.RunCommand(ID_SPF_PAUSE));

    // The range shows the file's layer count as "to" and is cut to it.
    f.m_dialogs.m_range = std::make_pair(20u, 50u);
    ASSERT_TRUE(frame.RunCommand(ID_SPF_RANGE));
    EXPECT_EQ(f.m_dialogs.m_rangeShown, std::make_pair(1u, 10u));
    EXPECT_EQ(f.m_doc.m_spf.m_data.m_nFromLayer, 10u);
    EXPECT_EQ(f.m_doc.m_spf.m_data.m_nToLayer, 10u);

    f.m_dialogs.m_colour = MakeRgb(1, 2, 3);
    ASSERT_TRUE(frame.RunCommand(ID_SLICE_COLOUR));
    ASSERT_TRUE(frame.RunCommand(ID_PATH_COLOUR));
    EXPECT_EQ(f.m_dialogs.m_colourShown, (std::vector<Colour>{MakeRgb(255, 255, 255), MakeRgb(0, 255, 0)}));
    EXPECT_EQ(f.m_doc.m_cli.m_data.m_crColour, MakeRgb(1, 2, 3));
    EXPECT_EQ(f.m_doc.m_ssl.m_data.m_crSlice, MakeRgb(1, 2, 3));
    EXPECT_EQ(f.m_doc.m_spf.m_data.m_crPaths, MakeRgb(1, 2, 3));

    // Cancel writes nothing.
    f.m_dialogs.m_zoomStep.reset();
    ASSERT_TRUE(frame.RunCommand(ID_VIEW_ZOOMSCALE));
    EXPECT_FLOAT_EQ(frame.View().m_fZoomStep, 2.0f);
}

} // namespace
