#pragma once
#include <QDialog>
#include <cstdint>

class QLineEdit;

// The SPF preview range dialog: from and to layer, each 1 to 99999.
class CSpfSetView : public QDialog {
    Q_OBJECT
public:
    CSpfSetView(std::uint32_t from, std::uint32_t to, QWidget* parent = nullptr);
    void accept() override;

    QLineEdit* m_from;
    QLineEdit* m_to;
    std::uint32_t m_nFrom = 1;
    std::uint32_t m_nTo = 1;
};
