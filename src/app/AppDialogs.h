#pragma once
#include <string>

// The dialogs the file flows ask through: the open-file dialog and the
// question whether to verify a file. The application shows real dialogs;
// tests answer from a script.
class IAppDialogs {
public:
    virtual ~IAppDialogs() = default;
    // An open-file dialog with a default extension and a filter in the
    // "Name (*.ext)|*.ext||" form; the chosen full path, empty when cancelled.
    virtual std::string PromptOpenPath(const std::string& defaultExt, const std::string& filter) = 0;
    // True when the user wants the file verified.
    virtual bool AskVerify() = 0;
};
