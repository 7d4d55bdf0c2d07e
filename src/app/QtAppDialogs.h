#pragma once
#include "app/AppDialogs.h"

class QWidget;

// The real dialogs, owned by the main window.
class CQtAppDialogs : public IAppDialogs {
public:
    explicit CQtAppDialogs(QWidget* owner) : m_owner(owner) {}
    std::string PromptOpenPath(const std::string& defaultExt, const std::string& filter) override;
    bool AskVerify() override;

    // "Data Files (*.ssl)|*.ssl||" -> "Data Files (*.ssl)".
    static std::string QtFilter(const std::string& filter);

private:
    QWidget* m_owner;
};
