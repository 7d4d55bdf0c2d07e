#include "app/ZoomPace.h"

#include "app/DialogFields.h"
#include "platform/Texts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

CZoomPace::CZoomPace(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromStdString(Tr("ZoomCaption")));
    auto* layout = new QFormLayout(this);
    m_field = MakeField(QStringLiteral("2"), false);
    layout->addRow(QString::fromStdString(Tr("ZoomLabel")), m_field);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QString::fromStdString(Tr("OK")));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromStdString(Tr("Cancel")));
    connect(buttons, &QDialogButtonBox::accepted, this, &CZoomPace::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

void CZoomPace::accept()
{
    float value = 0.0f;
    if (auto bad = CheckFloatField(m_field->text().toStdString(), 0.001, 9999.0, value)) {
        RefuseField(m_field, *bad);
        return;
    }
    m_fZoomStep = value;
    QDialog::accept();
}
