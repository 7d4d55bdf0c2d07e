#include "app/CheckFileFormatDlg.h"
#include "app/ProgDlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(ProgDlg, PercentageText)
{
    struct Case {
        int lower, upper, pos;
        const char* text;   // nullptr: the text is left alone
    };
    for (const Case& c : {Case{0, 100, 0, "0%"}, Case{0, 100, 42, "42%"}, Case{0, 100, 100, "100%"},
                          Case{0, 100, 150, "50%"}, Case{0, 100, 200, "0%"}, Case{10, 20, 15, "50%"},
                          Case{0, 3, 2, "66%"}, Case{10, 20, 5, nullptr}, Case{5, 5, 5, nullptr}, Case{9, 3, 4, nullptr}}) {
        const auto text = CProgDlg::FormatPercent(c.lower, c.upper, c.pos);
        if (c.text) {
            EXPECT_EQ(text.value_or("none"), c.text) << c.pos;
        } else {
            EXPECT_FALSE(text.has_value()) << c.lower << " " << c.upper << " " << c.pos;
        }
    }
}

TEST(ProgDlg, DisablesItsOwnerAndTakesCancelWithoutClosing)
{
    QMainWindow owner;
    owner.show();
    CProgDlg dlg(&owner);
    dlg.OpenProgress();
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.windowTitle().toStdString(), "Loading File");
    EXPECT_EQ(dlg.PercentText().toStdString(), " 0 %");
    dlg.SetStatusText("Loading file part.cli...");
    EXPECT_EQ(dlg.StatusText().toStdString(), "Loading file part.cli...");

    dlg.SetPosition(42);
    EXPECT_EQ(dlg.PercentText().toStdString(), "42%");
    EXPECT_EQ(dlg.BarValue(), 42);
    EXPECT_FALSE(dlg.m_bCancelRequested);

    // Enter does nothing, Escape and Cancel ask to stop; the dialog stays up.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&dlg, &enter);
    EXPECT_FALSE(dlg.m_bCancelRequested);
    EXPECT_TRUE(dlg.isVisible());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dlg, &escape);
    EXPECT_TRUE(dlg.m_bCancelRequested);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.TakeCancelRequest());
    EXPECT_FALSE(dlg.m_bCancelRequested);

    // A click posted to the event queue is seen at the next position update.
    auto* cancel = dlg.findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    QTimer::singleShot(0, cancel, &QPushButton::click);
    dlg.SetPosition(150);
    EXPECT_TRUE(dlg.m_bCancelRequested);
    EXPECT_EQ(dlg.PercentText().toStdString(), "50%");
    EXPECT_TRUE(dlg.isVisible());

    dlg.CloseProgress();
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_FALSE(dlg.isVisible());
}

TEST(ProgDlg, LeavesADisabledOwnerDisabled)
{
    QMainWindow owner;
    owner.setEnabled(false);
    {
        CProgDlg dlg(&owner);
        dlg.OpenProgress();
        dlg.CloseProgress();
    }
    EXPECT_FALSE(owner.isEnabled());
    QMainWindow other;
    {
        CProgDlg dlg(&other);
        dlg.OpenProgress();
        EXPECT_FALSE(other.isEnabled());
    }   // destroyed while open
    EXPECT_TRUE(other.isEnabled());
}

TEST(CheckFileFormatDlg, YesAcceptsNoAndEscapeReject)
{
    struct Case {
        const char* button;   // nullptr: Escape
        int result;
    };
    for (const Case& c : {Case{"yes", QDialog::Accepted}, Case{"no", QDialog::Rejected}, Case{nullptr, QDialog::Rejected}}) {
        CCheckFileFormatDlg dlg;
        EXPECT_EQ(dlg.windowTitle().toStdString(), "Verify data format");
        QTimer::singleShot(0, &dlg, [&dlg, &c] {
            if (c.button) {
                dlg.findChild<QPushButton*>(QLatin1String(c.button))->click();
            } else {
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(&dlg, &escape);
            }
        });
        EXPECT_EQ(dlg.exec(), c.result) << (c.button ? c.button : "escape");
    }
}

} // namespace

#include "app/QtAppDialogs.h"

namespace {

TEST(QtAppDialogs, FiltersInQtForm)
{
    struct Case {
        const char* filter;
        const char* qt;
    };
    for (const Case& c : {Case{"Data Files (*.ssl)|*.ssl||", "Data Files (*.ssl)"},
                          Case{"CLI file(*.cli)|*.cli||", "CLI file(*.cli)"},
                          Case{"Slices|*.ssl|Parts|*.cli||", "Slices (*.ssl);;Parts (*.cli)"},
                          Case{"", ""}, Case{"Broken", ""}})
        EXPECT_EQ(CQtAppDialogs::QtFilter(c.filter), c.qt) << c.filter;
}

} // namespace
