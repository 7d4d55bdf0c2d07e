#pragma once
#include <QDialog>

class QLineEdit;

// The blank dimension dialog: base point X, Y and the blank's length and
// width, each 0 to 99999, typed as digits only.
class CBedSizeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBedSizeDlg(QWidget* parent = nullptr);
    void accept() override;

    QLineEdit* m_fields[4];   // X, Y, length, width
    float m_fX = 0.0f, m_fY = 0.0f, m_fLength = 0.0f, m_fWidth = 0.0f;
};
