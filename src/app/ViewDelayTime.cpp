#include "app/ViewDelayTime.h"

#include "app/DialogFields.h"
#include "platform/Language.h"
#include "platform/Texts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CViewDelayTime::CViewDelayTime(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromStdString(Tr("DelayCaption")));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_field = MakeField(QStringLiteral("100"), false);
    row->addWidget(new QLabel(QString::fromStdString(Tr("DelayLabel")), this));
    row->addWidget(m_field);
    if (IsChinese())
        row->addWidget(new QLabel(QString::fromStdString(Tr("DelayUnit")), this));
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QString::fromStdString(Tr("OK")));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromStdString(Tr("Cancel")));
    connect(buttons, &QDialogButtonBox::accepted, this, &CViewDelayTime::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CViewDelayTime::accept()
{
    std::uint32_t value = 0;
    if (auto bad = CheckUIntField(m_field->text().toStdString(), 1, 100000, value)) {
        RefuseField(m_field, *bad);
        return;
    }
    m_nDelay = value;
    QDialog::accept();
}
