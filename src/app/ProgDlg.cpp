#include "app/ProgDlg.h"

#include "platform/Texts.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <cstdio>

CProgDlg::CProgDlg(QWidget* owner) : QDialog(nullptr), m_owner(owner)
{
    setWindowTitle(QString::fromStdString(Tr("ProgCaption")));
    setModal(false);
    // Dialog units of 237 x 80 at the usual 1.5 x 1.625 pixels per unit.
    setFixedSize(356, 130);
    m_status = new QLabel(this);
    m_status->setGeometry(10, 5, 335, 44);
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_percent = new QLabel(QStringLiteral(" 0 %"), this);
    m_percent->setGeometry(150, 52, 60, 14);
    m_bar = new QProgressBar(this);
    m_bar->setGeometry(22, 72, 309, 20);
    m_bar->setTextVisible(false);
    auto* cancel = new QPushButton(QString::fromStdString(Tr("Cancel")), this);
    cancel->setGeometry(140, 100, 75, 24);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, [this] { m_bCancelRequested = true; });
}

CProgDlg::~CProgDlg()
{
    if (m_open)
        CloseProgress();
}

void CProgDlg::OpenProgress()
{
    m_bCancelRequested = false;
    QWidget* owner = m_owner ? m_owner.data() : QApplication::activeWindow();
    if (owner && owner != this && owner->isEnabled()) {
        owner->setEnabled(false);
        m_ownerDisabled = true;
        m_disabled = owner;
    }
    m_bar->setRange(m_lower, m_upper);
    m_bar->setValue(m_lower);
    m_percent->setText(QStringLiteral(" 0 %"));
    m_status->clear();
    setWindowTitle(QString::fromStdString(Tr("ProgTitle")));
    show();
    raise();
    m_open = true;
}

void CProgDlg::SetStatusText(const std::string& text)
{
    m_status->setText(QString::fromStdString(text));
}

void CProgDlg::SetPosition(int pos) { SetPos(pos); }

void CProgDlg::CloseProgress()
{
    if (m_ownerDisabled && m_disabled)
        m_disabled->setEnabled(true);
    m_ownerDisabled = false;
    m_disabled = nullptr;
    hide();
    m_open = false;
}

void CProgDlg::SetRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
    m_bar->setRange(lower, upper);
}

void CProgDlg::SetStepSize(int step) { m_step = step; }

int CProgDlg::SetPos(int pos)
{
    // The readers report after every record or token; handling the window's
    // events each time would cost more than the reading itself. Events are
    // handled when the bar moves and at least every few milliseconds.
    if (pos != m_bar->value() || !m_pumpClock.isValid() || m_pumpClock.elapsed() >= kPumpIntervalMs)
        PumpMessages();
    const int previous = m_bar->value();
    m_bar->setValue(std::clamp(pos, m_lower, m_upper));
    UpdatePercent(pos);
    return previous;
}

int CProgDlg::AdvancePosition(int delta)
{
    PumpMessages();
    const int previous = m_bar->value();
    m_bar->setValue(std::clamp(previous + delta, m_lower, m_upper));
    UpdatePercent(previous + delta);
    return previous;
}

int CProgDlg::StepPosition()
{
    PumpMessages();
    const int previous = m_bar->value();
    m_bar->setValue(std::clamp(previous + m_step, m_lower, m_upper));
    UpdatePercent(previous + m_step);
    return previous;
}

bool CProgDlg::TakeCancelRequest()
{
    PumpMessages();
    const bool requested = m_bCancelRequested;
    m_bCancelRequested = false;
    return requested;
}

void CProgDlg::PumpMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    m_pumpClock.start();
}

std::optional<std::string> CProgDlg::FormatPercent(int lower, int upper, int pos)
{
    const long long span = static_cast<long long>(upper) - lower;
    const long long offset = static_cast<long long>(pos) - lower;
    if (span <= 0 || offset < 0)
        return std::nullopt;
    long long percent = offset * 100 / span;
    if (percent != 100)
        percent %= 100;
    char text[32];
    std::snprintf(text, sizeof text, "%lld%c", percent, '%');
    return std::string(text);
}

void CProgDlg::UpdatePercent(int pos)
{
    const auto text = FormatPercent(m_lower, m_upper, pos);
    if (!text)
        return;
    const QString value = QString::fromStdString(*text);
    if (m_percent->text() != value)
        m_percent->setText(value);
}

QString CProgDlg::PercentText() const { return m_percent->text(); }
QString CProgDlg::StatusText() const { return m_status->text(); }
int CProgDlg::BarValue() const { return m_bar->value(); }

void CProgDlg::reject() { m_bCancelRequested = true; }
void CProgDlg::accept() {}
