#include "app/BedSizeDlg.h"

#include "app/DialogFields.h"
#include "platform/Texts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CBedSizeDlg::CBedSizeDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromStdString(Tr("BlankCaption")));
    auto* grid = new QGridLayout(this);
    auto label = [this](const char* key) { return new QLabel(QString::fromStdString(Tr(key)), this); };
    for (auto*& field : m_fields)
        field = MakeField(QStringLiteral("0"), true);
    grid->addWidget(label("BlankBase"), 0, 0, 1, 4);
    grid->addWidget(label("BlankX"), 1, 0);
    grid->addWidget(m_fields[0], 1, 1);
    grid->addWidget(label("BlankY"), 1, 2);
    grid->addWidget(m_fields[1], 1, 3);
    grid->addWidget(label("BlankSize"), 2, 0, 1, 4);
    grid->addWidget(label("BlankLength"), 3, 0);
    grid->addWidget(m_fields[2], 3, 1);
    grid->addWidget(label("BlankWidth"), 3, 2);
    grid->addWidget(m_fields[3], 3, 3);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QString::fromStdString(Tr("OK")));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromStdString(Tr("Cancel")));
    connect(buttons, &QDialogButtonBox::accepted, this, &CBedSizeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 4, 0, 1, 4);
}

void CBedSizeDlg::accept()
{
    float values[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (auto bad = CheckFloatField(m_fields[i]->text().toStdString(), 0.0, 99999.0, values[i])) {
            RefuseField(m_fields[i], *bad);
            return;
        }
    }
    m_fX = values[0];
    m_fY = values[1];
    m_fLength = values[2];
    m_fWidth = values[3];
    QDialog::accept();
}
