#pragma once
#include "platform/DrawSurface.h"

#include <cstdint>
#include <string>

// The export options as the options dialog starts them.
struct CExportOptions {
    bool hasContourFiles = false;
    int pathStrategy = 4;
    int contourOption = 2;
    int orientation = 2;
    float hatchSpace = 0.2f;
    int connectHatches = 0;
};

// The dialogs the file flows ask through: the open-file dialog and the
// question whether to verify a file. The application shows real dialogs;
// tests answer from a script.
class IAppDialogs {
public:
    virtual ~IAppDialogs() = default;
    // An open-file dialog with a default extension and a filter in the
    // "Name (*.ext)|*.ext||" form; the chosen full path, empty when cancelled.
    virtual std::string PromptOpenPath(const std::string& defaultExt, const std::string& filter) = 0;
    // A save dialog, asking before an existing file is overwritten when
    // confirmOverwrite; empty when cancelled.
    virtual std::string PromptSavePath(const std::string& defaultExt, const std::string& filter,
                                       const std::string& initialName, bool confirmOverwrite) = 0;
    // The export options dialog; true on OK with the options chosen.
    virtual bool AskExportOptions(CExportOptions& options) = 0;
    // True when the user wants the file verified.
    virtual bool AskVerify() = 0;

    // The settings dialogs: true on OK with the values entered.
    virtual bool AskZoomStep(float& step) = 0;
    virtual bool AskDelay(std::uint32_t& ms) = 0;
    virtual bool AskBlank(float& x, float& y, float& length, float& width) = 0;
    // from and to come in as the values shown.
    virtual bool AskSpfRange(std::uint32_t& from, std::uint32_t& to) = 0;
    // The colour chooser with `initial` selected.
    virtual bool AskColour(Colour initial, Colour& chosen) = 0;
};
