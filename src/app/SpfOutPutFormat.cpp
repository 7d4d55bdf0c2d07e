#include "app/SpfOutPutFormat.h"

#include "app/DialogFields.h"
#include "platform/Texts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QString T(const char* key) { return QString::fromStdString(Tr(key)); }
} // namespace

CSpfOutPutFormat::CSpfOutPutFormat(bool hasContourFiles, QWidget* parent)
    : QDialog(parent), m_hasContourFiles(hasContourFiles)
{
    setWindowTitle(T("ExportCaption"));
    auto* layout = new QVBoxLayout(this);

    auto* paths = new QGroupBox(T("ExportPathsGroup"), this);
    auto* pathsLayout = new QVBoxLayout(paths);
    auto* spaceRow = new QHBoxLayout;
    m_space = MakeField(QString::number(static_cast<double>(m_hatchSpace)), false);
    spaceRow->addWidget(new QLabel(T("ExportHatchSpace"), paths));
    spaceRow->addWidget(m_space);
    pathsLayout->addLayout(spaceRow);
    m_connect = new QCheckBox(T("ExportConnected"), paths);
    m_connect->setChecked(m_connectHatches == 1);
    pathsLayout->addWidget(m_connect);
    auto* orient = new QGroupBox(T("ExportOrientGroup"), paths);
    auto* orientLayout = new QHBoxLayout(orient);
    auto* orientGroup = new QButtonGroup(this);
    const char* orientKeys[] = {"ExportX", "ExportY", "ExportXY"};
    for (int i = 0; i < 3; ++i) {
        m_orient[i] = new QRadioButton(T(orientKeys[i]), orient);
        orientGroup->addButton(m_orient[i], i);
        orientLayout->addWidget(m_orient[i]);
    }
    m_orient[m_orientation]->setChecked(true);
    pathsLayout->addWidget(orient);
    layout->addWidget(paths);

    auto* contour = new QGroupBox(T("ExportContourGroup"), this);
    auto* contourLayout = new QVBoxLayout(contour);
    auto* contourGroup = new QButtonGroup(this);
    const char* contourKeys[] = {"ExportNoContour", "ExportContourFirst", "ExportContourLast"};
    for (int i = 0; i < 3; ++i) {
        m_contour[i] = new QRadioButton(T(contourKeys[i]), contour);
        contourGroup->addButton(m_contour[i], i);
        contourLayout->addWidget(m_contour[i]);
    }
    m_contour[m_contourOption]->setChecked(true);
    // Contours can only be scanned when contour files are loaded.
    m_contour[1]->setEnabled(m_hasContourFiles);
    m_contour[2]->setEnabled(m_hasContourFiles);
    layout->addWidget(contour);

    auto* optimise = new QGroupBox(T("ExportStrategyGroup"), this);
    auto* optimiseLayout = new QVBoxLayout(optimise);
    const char* strategyKeys[] = {"ExportStrategy1", "ExportStrategy2", "ExportStrategy3", "ExportStrategy4"};
    for (int i = 0; i < 4; ++i) {
        m_strategy[i] = new QRadioButton(T(strategyKeys[i]), optimise);
        m_strategy[i]->setAutoExclusive(false);
        optimiseLayout->addWidget(m_strategy[i]);
        // Each button sets its code and clears the other three.
        connect(m_strategy[i], &QRadioButton::clicked, this, [this, i] {
            m_pathStrategy = i + 1;
            for (int j = 0; j < 4; ++j)
                m_strategy[j]->setChecked(j == i);
        });
    }
    m_pathStrategy = 4;
    m_strategy[3]->setChecked(true);
    layout->addWidget(optimise);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(T("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(T("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CSpfOutPutFormat::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CSpfOutPutFormat::accept()
{
    float space = 0.0f;
    if (auto bad = CheckFloatField(m_space->text().toStdString(), 0.1, 99999.0, space)) {
        RefuseField(m_space, *bad);
        return;
    }
    m_hatchSpace = space;
    m_connectHatches = m_connect->isChecked() ? 1 : 0;
    for (int i = 0; i < 3; ++i) {
        if (m_orient[i]->isChecked())
            m_orientation = i;
        if (m_contour[i]->isChecked())
            m_contourOption = i;
    }
    QDialog::accept();
}
