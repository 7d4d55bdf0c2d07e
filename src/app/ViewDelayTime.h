#pragma once
#include <QDialog>
#include <cstdint>

class QLineEdit;

// The preview delay dialog: the timer interval in milliseconds, 1 to 100000.
class CViewDelayTime : public QDialog {
    Q_OBJECT
public:
    explicit CViewDelayTime(QWidget* parent = nullptr);
    void accept() override;

    QLineEdit* m_field;
    std::uint32_t m_nDelay = 100;
};
