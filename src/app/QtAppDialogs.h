#pragma once
#include "app/AppDialogs.h"

class QWidget;

// The real dialogs, owned by the main window.
class CQtAppDialogs : public IAppDialogs {
public:
    explicit CQtAppDialogs(QWidget* owner) : m_owner(owner) {}
    std::string PromptOpenPath(const std::string& defaultExt, const std::string& filter) override;
    bool AskVerify() override;
    std::string PromptSavePath(const std::string& defaultExt, const std::string& filter,
                               const std::string& initialName, bool confirmOverwrite) override;
    bool AskExportOptions(CExportOptions& options) override;
    bool AskZoomStep(float& step) override;
    bool AskDelay(std::uint32_t& ms) override;
    bool AskBlank(float& x, float& y, float& length, float& width) override;
    bool AskSpfRange(std::uint32_t& from, std::uint32_t& to) override;
    bool AskColour(Colour initial, Colour& chosen) override;

    // "Data Files (*.ssl)|*.ssl||" -> "Data Files (*.ssl)".
    static std::string QtFilter(const std::string& filter);

private:
    QWidget* m_owner;
};
