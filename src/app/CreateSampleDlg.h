#pragma once
#include "spf/CreateSample.h"

#include <QDialog>

class IAppDialogs;
class QLabel;
class QLineEdit;
class QProgressBar;
class QRadioButton;

// The dialog of the test sample with border offset: shape, layers, sizes,
// hatch space and offset; "Create" writes a sample file, and can be pressed
// again for further files before the dialog is closed.
class CCreateSampleDlg : public QDialog {
    Q_OBJECT
public:
    CCreateSampleDlg(IAppDialogs& dialogs, QWidget* parent = nullptr);

    // Takes the field values into the sample; a refused field keeps the
    // value it last held.
    void TakeValues();
    // The Create button: checks the sizes, asks for the path and writes.
    bool OnCreate();
    bool ChooseSamplePath(std::string& path);

    CCreateSample m_sample;
    QRadioButton* m_shape[2];
    QLineEdit* m_layers;
    QLineEdit* m_thickness;
    QLineEdit* m_blank;
    QLineEdit* m_outer;
    QLineEdit* m_inner;
    QLineEdit* m_hatch;
    QLineEdit* m_offset;
    QProgressBar* m_progress;
    QLabel* m_percent;

private:
    IAppDialogs& m_dialogs;
    QWidget* m_schematic;
};
