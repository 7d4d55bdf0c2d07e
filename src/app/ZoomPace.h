#pragma once
#include <QDialog>

class QLineEdit;

// The zoom scale dialog: the factor of one zoom step, 0.001 to 9999.
class CZoomPace : public QDialog {
    Q_OBJECT
public:
    explicit CZoomPace(QWidget* parent = nullptr);
    void accept() override;   // OK: exchange and check the field

    QLineEdit* m_field;
    float m_fZoomStep = 2.0f;
};
