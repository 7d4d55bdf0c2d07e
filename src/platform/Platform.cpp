#include "platform/Platform.h"

#include "platform/SystemClock.h"
#include "platform/Texts.h"

namespace {

class CDefaultMessageBox : public IMessageBox {
public:
    MsgAnswer Show(const std::string&, const std::string&, MsgIcon, MsgButtons buttons) override
    {
        switch (buttons) {
        case MsgButtons::Ok:
        case MsgButtons::OkCancel: return MsgAnswer::Ok;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel: return MsgAnswer::No;
        case MsgButtons::AbortRetryIgnore: return MsgAnswer::Abort;
        }
        return MsgAnswer::Ok;
    }
};

class CDefaultProgress : public IProgress {
public:
    void OpenProgress() override { m_bCancelRequested = false; }
    void SetStatusText(const std::string&) override {}
    void SetPosition(int) override {}
    void CloseProgress() override {}
};

class CDefaultStatus : public IStatusWriter {
public:
    void ShowStatus(const std::string&, const std::string&, int, int) override {}
};

CDefaultMessageBox g_defaultMessageBox;
CDefaultProgress g_defaultProgress;
CDefaultStatus g_defaultStatus;
CSystemClock g_defaultClock;
CPlatform g_platform;

} // namespace

CPlatform SetPlatform(const CPlatform& platform)
{
    CPlatform previous = g_platform;
    g_platform = platform;
    return previous;
}

IMessageBox& MessageBox() { return g_platform.messageBox ? *g_platform.messageBox : g_defaultMessageBox; }
IProgress& Progress() { return g_platform.progress ? *g_platform.progress : g_defaultProgress; }
IStatusWriter& Status() { return g_platform.status ? *g_platform.status : g_defaultStatus; }
IClock& Clock() { return g_platform.clock ? *g_platform.clock : g_defaultClock; }

MsgAnswer ShowMessage(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons)
{
    return MessageBox().Show(text, caption.empty() ? Tr("AppTitle") : caption, icon, buttons);
}
