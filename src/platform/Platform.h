#pragma once
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Progress.h"
#include "platform/StatusWriter.h"

#include <string>

// The services the core calls. A front end installs its implementations at
// start-up (SetPlatform); until then quiet defaults are used: message boxes
// answer with their default button (Ok, No, Abort, ...), progress and status
// do nothing and the clock is the system clock.
struct CPlatform {
    IMessageBox* messageBox = nullptr;
    IProgress* progress = nullptr;
    IStatusWriter* status = nullptr;
    IClock* clock = nullptr;
};

// Installs the services (null members fall back to the defaults) and returns
// the previous set.
CPlatform SetPlatform(const CPlatform& platform);
IMessageBox& MessageBox();
IProgress& Progress();
IStatusWriter& Status();
IClock& Clock();

// Shows a message box through the installed service. An empty caption shows
// the application title "Vemo".
MsgAnswer ShowMessage(const std::string& text, const std::string& caption = {},
                      MsgIcon icon = MsgIcon::Information, MsgButtons buttons = MsgButtons::Ok);

// Installs a platform for the lifetime of a scope (tests, front ends).
class CScopedPlatform {
public:
    explicit CScopedPlatform(const CPlatform& platform) : m_previous(SetPlatform(platform)) {}
    ~CScopedPlatform() { SetPlatform(m_previous); }
    CScopedPlatform(const CScopedPlatform&) = delete;
    CScopedPlatform& operator=(const CScopedPlatform&) = delete;

private:
    CPlatform m_previous;
};
