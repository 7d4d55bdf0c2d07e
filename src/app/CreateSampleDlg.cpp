#include "app/CreateSampleDlg.h"

#include "app/AppDialogs.h"
#include "app/DialogFields.h"
#include "platform/Platform.h"
#include "platform/Texts.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>

namespace {

QString T(const char* key) { return QString::fromStdString(Tr(key)); }

// The shape schematic: the ring between two outlines, with r1 and r2 marked.
class CSampleSchematic : public QWidget {
public:
    explicit CSampleSchematic(const CCreateSample& sample, QWidget* parent) : QWidget(parent), m_sample(sample)
    {
        setMinimumSize(180, 180);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const double w = width();
        const QPointF c(w / 2, height() / 2.0);
        const double ro = w * 0.4, ri = w * 0.24;
        QPainterPath ring;
        if (m_sample.m_nShape == CCreateSample::SHAPE_SQUARE) {
            ring.addRect(QRectF(c.x() - ro, c.y() - ro, 2 * ro, 2 * ro));
            ring.addRect(QRectF(c.x() - ri, c.y() - ri, 2 * ri, 2 * ri));
        } else {
            ring.addEllipse(c, ro, ro);
            ring.addEllipse(c, ri, ri);
        }
        ring.setFillRule(Qt::OddEvenFill);
        p.fillPath(ring, QColor(220, 220, 220));
        p.setPen(QPen(Qt::red, 1));
        p.drawPath(ring);
        p.drawLine(c, QPointF(c.x() + ro, c.y()));
        p.drawText(QPointF(c.x() + ro * 0.6, c.y() - 4), QStringLiteral("r1"));
        const QPointF inner = m_sample.m_nShape == CCreateSample::SHAPE_SQUARE
                                  ? QPointF(c.x(), c.y() - ri)
                                  : QPointF(c.x() + ri * std::cos(0.698), c.y() - ri * std::sin(0.698));
        p.drawLine(c, inner);
        p.drawText(inner + QPointF(4, 14), QStringLiteral("r2"));
    }

private:
    const CCreateSample& m_sample;
};

} // namespace

CCreateSampleDlg::CCreateSampleDlg(IAppDialogs& dialogs, QWidget* parent) : QDialog(parent), m_dialogs(dialogs)
{
    setWindowTitle(T("SampleCaption"));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    m_schematic = new CSampleSchematic(m_sample, this);
    left->addWidget(m_schematic);
    auto* shape = new QGroupBox(T("SampleShape"), this);
    auto* shapeLayout = new QHBoxLayout(shape);
    m_shape[0] = new QRadioButton(T("SampleCircular"), shape);
    m_shape[1] = new QRadioButton(T("SampleSquare"), shape);
    m_shape[0]->setChecked(true);
    for (int i = 0; i < 2; ++i) {
        shapeLayout->addWidget(m_shape[i]);
        connect(m_shape[i], &QRadioButton::clicked, this, [this, i] {
            m_sample.m_nShape = i;
            m_schematic->update();
        });
    }
    left->addWidget(shape);
    layout->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* slice = new QGroupBox(T("SampleSliceGroup"), this);
    auto* sliceForm = new QFormLayout(slice);
    m_layers = MakeField(QString::number(m_sample.m_nLayers), false);
    m_thickness = MakeField(QString::number(static_cast<double>(m_sample.m_fThickness)), false);
    m_blank = MakeField(QString::number(m_sample.m_nBlankLayers), false);
    sliceForm->addRow(T("SampleLayers"), m_layers);
    sliceForm->addRow(T("SampleThickness"), m_thickness);
    sliceForm->addRow(T("SampleBlank"), m_blank);
    right->addWidget(slice);
    auto* hatch = new QGroupBox(T("SampleHatchGroup"), this);
    auto* hatchForm = new QFormLayout(hatch);
    m_outer = MakeField(QString::number(static_cast<double>(m_sample.m_fOuter)), false);
    m_inner = MakeField(QString::number(static_cast<double>(m_sample.m_fInner)), false);
    m_hatch = MakeField(QString::number(static_cast<double>(m_sample.m_fHatchSpace)), false);
    m_offset = MakeField(QString::number(static_cast<double>(m_sample.m_fOffset)), false);
    hatchForm->addRow(T("SampleOuter"), m_outer);
    hatchForm->addRow(T("SampleInner"), m_inner);
    hatchForm->addRow(T("SampleHatch"), m_hatch);
    hatchForm->addRow(T("SampleOffset"), m_offset);
    right->addWidget(hatch);
    auto* progressRow = new QHBoxLayout;
    m_progress = new QProgressBar(this);
    m_progress->setTextVisible(false);
    m_percent = new QLabel(this);
    m_percent->setMinimumWidth(40);
    progressRow->addWidget(m_progress);
    progressRow->addWidget(m_percent);
    right->addLayout(progressRow);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(T("OK"), this);
    auto* cancel = new QPushButton(T("Cancel"), this);
    auto* create = new QPushButton(T("SampleCreate"), this);
    create->setObjectName(QStringLiteral("create"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(create);
    right->addLayout(buttons);
    layout->addLayout(right);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(create, &QPushButton::clicked, this, [this] { OnCreate(); });

    m_sample.m_onLayer = [this](std::uint32_t k, std::uint32_t n) {
        m_progress->setRange(1, static_cast<int>(n));
        m_progress->setValue(static_cast<int>(k));
        char text[16];
        std::snprintf(text, sizeof text, " %-3d%%", static_cast<int>(static_cast<std::uint64_t>(k) * 100 / n));
        m_percent->setText(QString::fromLatin1(text));
        QCoreApplication::processEvents();
    };
}

void CCreateSampleDlg::TakeValues()
{
    // Each field in turn; a refused one keeps its last value and the rest go on.
    std::uint32_t u = 0;
    float f = 0.0f;
    m_sample.m_nShape = m_shape[1]->isChecked() ? CCreateSample::SHAPE_SQUARE : CCreateSample::SHAPE_CIRCLE;
    if (auto bad = CheckUIntField(m_layers->text().toStdString(), 1, 5000, u))
        RefuseField(m_layers, *bad);
    else
        m_sample.m_nLayers = u;
    if (auto bad = CheckFloatField(m_thickness->text().toStdString(), 0.01, 1.0, f))
        RefuseField(m_thickness, *bad);
    else
        m_sample.m_fThickness = f;
    if (auto bad = CheckUIntField(m_blank->text().toStdString(), 0, 4294967295u, u))
        RefuseField(m_blank, *bad);
    else
        m_sample.m_nBlankLayers = u;
    struct FloatField {
        QLineEdit* field;
        double lo, hi;
        float* member;
    };
    for (const FloatField& ff : {FloatField{m_outer, 0.0, 800.0, &m_sample.m_fOuter},
                                 FloatField{m_inner, 0.0, 800.0, &m_sample.m_fInner},
                                 FloatField{m_hatch, 0.01, 0.5, &m_sample.m_fHatchSpace},
                                 FloatField{m_offset, 0.0, 5.0, &m_sample.m_fOffset}}) {
        if (auto bad = CheckFloatField(ff.field->text().toStdString(), ff.lo, ff.hi, f))
            RefuseField(ff.field, *bad);
        else
            *ff.member = f;
    }
}

bool CCreateSampleDlg::ChooseSamplePath(std::string& path)
{
    std::string chosen = m_dialogs.PromptSavePath("spf", Tr("FilterSample"), "", true);
    if (chosen.empty())
        return false;
    if (chosen.size() < 4 || chosen.compare(chosen.size() - 4, 4, ".spf") != 0)
        chosen += ".spf";
    path = chosen;
    return true;
}

bool CCreateSampleDlg::OnCreate()
{
    TakeValues();
    if (m_sample.m_fInner >= m_sample.m_fOuter) {
        ShowMessage(Tr("SampleInnerTooBig"), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    if (m_sample.m_nBlankLayers >= m_sample.m_nLayers) {
        ShowMessage(Tr("SampleBlankTooMany"), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    std::string path;
    if (!ChooseSamplePath(path))
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = m_sample.CreateSampleFile(path);
    QApplication::restoreOverrideCursor();
    return written;
}
