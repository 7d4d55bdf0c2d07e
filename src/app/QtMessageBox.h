#pragma once
#include "platform/MessageBox.h"

class QWidget;

// Message boxes of the desktop application, brought to the front over the
// main window.
class CQtMessageBox : public IMessageBox {
public:
    explicit CQtMessageBox(QWidget* owner = nullptr) : m_owner(owner) {}
    void SetOwner(QWidget* owner) { m_owner = owner; }
    MsgAnswer Show(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons) override;

private:
    QWidget* m_owner;
};
