#pragma once
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

// The export options: hatch space, connected hatches, scan orientation,
// contour option and path strategy.
class CSpfOutPutFormat : public QDialog {
    Q_OBJECT
public:
    // hasContourFiles: contour files are loaded, so contours can be scanned
    // first or last.
    explicit CSpfOutPutFormat(bool hasContourFiles, QWidget* parent = nullptr);
    void accept() override;

    bool m_hasContourFiles = false;
    int m_pathStrategy = 4;
    int m_contourOption = 2;
    int m_orientation = 2;
    float m_hatchSpace = 0.2f;
    int m_connectHatches = 0;

    QLineEdit* m_space;
    QCheckBox* m_connect;
    QRadioButton* m_orient[3];
    QRadioButton* m_contour[3];
    QRadioButton* m_strategy[4];   // codes 1 to 4
};
