#include "app/SpfSetView.h"

#include "app/DialogFields.h"
#include "platform/Texts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CSpfSetView::CSpfSetView(std::uint32_t from, std::uint32_t to, QWidget* parent)
    : QDialog(parent), m_nFrom(from), m_nTo(to)
{
    setWindowTitle(QString::fromStdString(Tr("RangeCaption")));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_from = MakeField(QString::number(from), true);
    m_to = MakeField(QString::number(to), false);
    row->addWidget(new QLabel(QString::fromStdString(Tr("RangeFrom")), this));
    row->addWidget(m_from);
    row->addWidget(new QLabel(QString::fromStdString(Tr("RangeTo")), this));
    row->addWidget(m_to);
    row->addWidget(new QLabel(QString::fromStdString(Tr("RangeLayer")), this));
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QString::fromStdString(Tr("OK")));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromStdString(Tr("Cancel")));
    connect(buttons, &QDialogButtonBox::accepted, this, &CSpfSetView::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CSpfSetView::accept()
{
    std::uint32_t from = 0, to = 0;
    if (auto bad = CheckUIntField(m_from->text().toStdString(), 1, 99999, from)) {
        RefuseField(m_from, *bad);
        return;
    }
    if (auto bad = CheckUIntField(m_to->text().toStdString(), 1, 99999, to)) {
        RefuseField(m_to, *bad);
        return;
    }
    m_nFrom = from;
    m_nTo = to;
    QDialog::accept();
}
