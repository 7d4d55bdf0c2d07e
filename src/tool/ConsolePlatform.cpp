#include "tool/ConsolePlatform.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace {
MsgAnswer DefaultAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok: return MsgAnswer::Ok;
    case MsgButtons::OkCancel: return MsgAnswer::Cancel;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: return MsgAnswer::No;
    case MsgButtons::AbortRetryIgnore: return MsgAnswer::Abort;
    }
    return MsgAnswer::Ok;
}

const char* AnswerName(MsgAnswer a)
{
    switch (a) {
    case MsgAnswer::Ok: return "OK";
    case MsgAnswer::Cancel: return "Cancel";
    case MsgAnswer::Yes: return "Yes";
    case MsgAnswer::No: return "No";
    case MsgAnswer::Abort: return "Abort";
    case MsgAnswer::Retry: return "Retry";
    case MsgAnswer::Ignore: return "Ignore";
    }
    return "";
}

bool IsQuestion(MsgButtons b) { return b == MsgButtons::YesNo || b == MsgButtons::YesNoCancel || b == MsgButtons::OkCancel; }
} // namespace

CConsolePlatform::CConsolePlatform()
    : m_bInteractive(isatty(STDIN_FILENO) && isatty(STDERR_FILENO)),
      m_bProgressOnTerminal(isatty(STDERR_FILENO)),
      m_scope(CPlatform{this, this, nullptr, nullptr})
{
}

CConsolePlatform::~CConsolePlatform() { ClearProgressLine(); }

MsgAnswer CConsolePlatform::Show(const std::string& text, const std::string& caption, MsgIcon, MsgButtons buttons)
{
    ClearProgressLine();
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    if (!IsQuestion(buttons))
        return DefaultAnswer(buttons);
    if (auto it = m_answers.find(text); it != m_answers.end()) {
        std::fprintf(stderr, "  -> %s\n", AnswerName(it->second));
        return it->second;
    }
    if (m_bInteractive) {
        const bool okCancel = buttons == MsgButtons::OkCancel;
        for (;;) {
            std::fprintf(stderr, okCancel ? "  [o]k / [c]ancel? " : "  [y]es / [n]o? ");
            std::fflush(stderr);
            std::string line;
            if (!std::getline(std::cin, line))
                break;
            const char c = line.empty() ? '\0' : static_cast<char>(line[0] | 0x20);
            if (okCancel && (c == 'o' || c == 'c'))
                return c == 'o' ? MsgAnswer::Ok : MsgAnswer::Cancel;
            if (!okCancel && (c == 'y' || c == 'n'))
                return c == 'y' ? MsgAnswer::Yes : MsgAnswer::No;
        }
    }
    const MsgAnswer answer = DefaultAnswer(buttons);
    m_bAnsweredByDefault = true;
    std::fprintf(stderr, "  -> %s\n", AnswerName(answer));
    if (auto it = m_hints.find(text); it != m_hints.end())
        std::fprintf(stderr, "%s\n", it->second.c_str());
    return answer;
}

void CConsolePlatform::OpenProgress()
{
    m_bCancelRequested = false;
    m_nLastPercent = -1;
    m_strProgressText.clear();
}

void CConsolePlatform::SetStatusText(const std::string& text) { m_strProgressText = text; }

void CConsolePlatform::SetPosition(int percent)
{
    if (!m_bProgressOnTerminal || percent == m_nLastPercent)
        return;
    m_nLastPercent = percent;
    const int width = 30;
    const int filled = percent < 0 ? 0 : percent > 100 ? width : percent * width / 100;
    std::fprintf(stderr, "\r%.60s [%.*s%*s] %3d%%", m_strProgressText.c_str(), filled,
                 "##############################", width - filled, "", percent);
    std::fflush(stderr);
    m_bProgressShown = true;
}

void CConsolePlatform::CloseProgress() { ClearProgressLine(); }

void CConsolePlatform::ClearProgressLine()
{
    if (!m_bProgressShown)
        return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    m_bProgressShown = false;
}
