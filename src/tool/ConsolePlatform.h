#pragma once
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "platform/Progress.h"

#include <map>
#include <string>

// The platform services of the command-line tool. Message boxes are printed
// to standard error in the chosen language; a question is answered from a
// preset answer (set from the command line), else asked on a terminal, else
// given its safe default (No, Cancel, Abort) together with a hint that names
// the flag that answers it. The progress bar is drawn on standard error only
// when that is a terminal. Installs itself for its lifetime.
class CConsolePlatform : public IMessageBox, public IProgress {
public:
    CConsolePlatform();
    ~CConsolePlatform() override;
    CConsolePlatform(const CConsolePlatform&) = delete;
    CConsolePlatform& operator=(const CConsolePlatform&) = delete;

    // Answers the question with this text without asking.
    void SetAnswer(const std::string& question, MsgAnswer answer) { m_answers[question] = answer; }
    // Printed when the question gets its default because nobody can be asked.
    void SetHint(const std::string& question, const std::string& hint) { m_hints[question] = hint; }
    // Questions are asked on a terminal only when this is on (default: stdin and stderr are terminals).
    void SetInteractive(bool interactive) { m_bInteractive = interactive; }
    // True once a question got its default answer because nobody could be asked.
    bool AnsweredByDefault() const { return m_bAnsweredByDefault; }

    MsgAnswer Show(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons) override;

    void OpenProgress() override;
    void SetStatusText(const std::string& text) override;
    void SetPosition(int percent) override;
    void CloseProgress() override;

private:
    void ClearProgressLine();

    std::map<std::string, MsgAnswer> m_answers;
    std::map<std::string, std::string> m_hints;
    bool m_bInteractive = false;
    bool m_bProgressOnTerminal = false;
    bool m_bProgressShown = false;
    bool m_bAnsweredByDefault = false;
    int m_nLastPercent = -1;
    std::string m_strProgressText;
    CScopedPlatform m_scope;
};
