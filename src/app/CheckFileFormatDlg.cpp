#include "app/CheckFileFormatDlg.h"

#include "platform/Texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString T(const char* key) { return QString::fromStdString(Tr(key)); }
} // namespace

CCheckFileFormatDlg::CCheckFileFormatDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(T("CheckCaption"));
    auto* layout = new QVBoxLayout(this);
    auto* first = new QLabel(T("CheckLine1"), this);
    auto* second = new QLabel(T("CheckLine2"), this);
    second->setWordWrap(true);
    layout->addWidget(first);
    layout->addWidget(second);
    auto* buttons = new QHBoxLayout;
    auto* yes = new QPushButton(T("Yes"), this);
    auto* no = new QPushButton(T("No"), this);
    yes->setObjectName(QStringLiteral("yes"));
    no->setObjectName(QStringLiteral("no"));
    yes->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
}
