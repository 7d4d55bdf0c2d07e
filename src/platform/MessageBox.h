#pragma once
#include <string>

// The modal message box the core asks through. Front ends (console, Qt,
// scripted tests) implement it; the core never talks to a window system.
enum class MsgIcon { Information, Warning, Question, Error };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore };
enum class MsgAnswer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // A box without a caption of its own shows the application title "Vemo".
    virtual MsgAnswer Show(const std::string& text, const std::string& caption, MsgIcon icon,
                           MsgButtons buttons) = 0;
};
