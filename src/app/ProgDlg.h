#pragma once
#include "platform/Progress.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <optional>
#include <string>

class QLabel;
class QProgressBar;

// The modeless progress dialog of file loads and verifications. While it is
// up it disables its owner window; every position update dispatches the
// pending window events first, which is where Cancel and Escape are seen.
class CProgDlg : public QDialog, public IProgress {
    Q_OBJECT
public:
    explicit CProgDlg(QWidget* owner = nullptr);
    ~CProgDlg() override;

    // The owner disabled while the dialog is open (the main window).
    void SetOwner(QWidget* owner) { m_owner = owner; }

    // IProgress
    void OpenProgress() override;
    void SetStatusText(const std::string& text) override;
    void SetPosition(int pos) override;
    void CloseProgress() override;

    void SetRange(int lower, int upper);
    void SetStepSize(int step);
    int SetPos(int pos);   // returns the previous position
    int AdvancePosition(int delta);
    int StepPosition();
    bool TakeCancelRequest();
    void PumpMessages();

    bool IsOpen() const { return m_open; }
    QString PercentText() const;
    QString StatusText() const;
    int BarValue() const;

    // The percentage text for a position, or nothing when the range is empty
    // or the position lies below it. Positions past the range wrap, a full
    // bar stays at 100%.
    static std::optional<std::string> FormatPercent(int lower, int upper, int pos);

protected:
    void reject() override;   // Cancel, Escape and the close box
    void accept() override;   // Enter: nothing

private:
    void UpdatePercent(int pos);

    QProgressBar* m_bar;
    QLabel* m_status;
    QLabel* m_percent;
    int m_lower = 0;
    int m_upper = 100;
    int m_step = 1;
    bool m_ownerDisabled = false;
    bool m_open = false;
    QPointer<QWidget> m_owner;
    QPointer<QWidget> m_disabled;
    QElapsedTimer m_pumpClock;   // since events were last handled
    static constexpr int kPumpIntervalMs = 15;
};
