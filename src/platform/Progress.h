#pragma once
#include <string>

// The progress dialog operations the readers and verifiers use.
class IProgress {
public:
    virtual ~IProgress() = default;
    virtual void OpenProgress() = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // A percentage 0..100; implementations dispatch pending events first, which
    // is where a Cancel press sets m_bCancelRequested.
    virtual void SetPosition(int percent) = 0;
    virtual void CloseProgress() = 0;

    bool m_bCancelRequested = false;
};
