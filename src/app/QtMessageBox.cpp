#include "app/QtMessageBox.h"

#include "platform/Texts.h"

#include <QMessageBox>

MsgAnswer CQtMessageBox::Show(const std::string& text, const std::string& caption, MsgIcon icon,
                              MsgButtons buttons)
{
    QMessageBox box(m_owner);
    box.setWindowTitle(QString::fromStdString(caption.empty() ? Tr("AppTitle") : caption));
    box.setText(QString::fromStdString(text));
    switch (icon) {
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    }
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MsgButtons::AbortRetryIgnore:
        box.setStandardButtons(QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
        box.setDefaultButton(QMessageBox::Abort);
        break;
    }
    // Brought to the front, also when the owner is disabled by a progress dialog.
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.show();
    box.raise();
    box.activateWindow();
    switch (box.exec()) {
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Abort: return MsgAnswer::Abort;
    case QMessageBox::Retry: return MsgAnswer::Retry;
    case QMessageBox::Ignore: return MsgAnswer::Ignore;
    default: break;
    }
    // Closed without a button (Escape on a box without Cancel).
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
}
