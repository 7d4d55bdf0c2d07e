#pragma once
#include <string>

// The four panes of the main window's status bar: message, elapsed time,
// total layers, current layer.
class IStatusWriter {
public:
    virtual ~IStatusWriter() = default;
    virtual void ShowStatus(const std::string& message, const std::string& costText, int total,
                            int current) = 0;
    // Lets a long loop keep the user interface alive (one event per layer).
    virtual void PumpOneMessage() {}
};
