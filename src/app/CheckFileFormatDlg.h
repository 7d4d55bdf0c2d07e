#pragma once
#include <QDialog>

// The modal question whether a file's data should be verified before it is
// loaded: Yes accepts, No, Escape and the close box reject.
class CCheckFileFormatDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCheckFileFormatDlg(QWidget* parent = nullptr);
};
