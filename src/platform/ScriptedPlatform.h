#pragma once
#include "platform/Clock.h"
#include "platform/DrawSurface.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "platform/Progress.h"
#include "platform/StatusWriter.h"

#include <deque>
#include <string>
#include <vector>

// A platform for tests: records every message box, progress call and status
// line, answers message boxes from a script (then with a default answer), and
// runs a fake clock that advances only when told to or when slept on.
class CScriptedPlatform : public IMessageBox, public IProgress, public IStatusWriter, public IClock {
public:
    struct Message {
        std::string text;
        std::string caption;
        MsgIcon icon;
        MsgButtons buttons;
        MsgAnswer answer;
    };
    struct StatusLine {
        std::string message;
        std::string costText;
        int total;
        int current;
    };

    CScriptedPlatform();
    ~CScriptedPlatform() override;
    CScriptedPlatform(const CScriptedPlatform&) = delete;
    CScriptedPlatform& operator=(const CScriptedPlatform&) = delete;

    // Answers used by the next message boxes, in order.
    void Answer(MsgAnswer answer) { m_answers.push_back(answer); }
    // Used once the script is exhausted; unset means the box's default button.
    void SetDefaultAnswer(MsgAnswer answer) { m_defaultAnswer = answer; m_hasDefault = true; }
    // The progress dialog reports Cancel once SetPosition has been called this many times.
    void CancelProgressAfter(int positions) { m_cancelAfter = positions; }

    MsgAnswer Show(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons) override;

    void OpenProgress() override;
    void SetStatusText(const std::string& text) override;
    void SetPosition(int percent) override;
    void CloseProgress() override;

    void ShowStatus(const std::string& message, const std::string& costText, int total, int current) override;
    void PumpOneMessage() override { ++m_pumped; }

    std::int64_t NowSeconds() override { return m_nowMs / 1000; }
    std::int64_t NowMilliseconds() override { return m_nowMs; }
    void SleepMs(int ms) override { m_sleptMs += ms; m_nowMs += ms; }
    void Today(int& year, int& month, int& day) override { year = m_year; month = m_month; day = m_day; }
    void Advance(std::int64_t ms) { m_nowMs += ms; }
    void SetToday(int year, int month, int day) { m_year = year; m_month = month; m_day = day; }

    std::vector<Message> m_messages;
    std::vector<std::string> m_progressTexts;
    std::vector<int> m_positions;
    std::vector<StatusLine> m_status;
    int m_progressOpened = 0;
    int m_progressClosed = 0;
    int m_pumped = 0;
    std::int64_t m_sleptMs = 0;

private:
    std::deque<MsgAnswer> m_answers;
    MsgAnswer m_defaultAnswer = MsgAnswer::Ok;
    bool m_hasDefault = false;
    int m_cancelAfter = -1;
    std::int64_t m_nowMs = 1'000'000;
    int m_year = 2026, m_month = 12, m_day = 11;
    CScopedPlatform m_scope;
};

// A drawing surface that records every call as a line of text ("pen 0 1 ff0000",
// "move 10 20", "line 30 40", "restore"), for checking drawing code exactly.
class CRecordingSurface : public IDrawSurface {
public:
    struct Op {
        enum Kind { Pen, Restore, Move, Line, Ellipse, Rectangle, Fill, Text } kind;
        int a = 0, b = 0, c = 0, d = 0;
        Colour colour = 0;
        PenStyle style = PenStyle::Solid;
        std::string text;
    };
    void SelectPen(PenStyle style, int width, Colour colour) override;
    void RestorePen() override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int l, int t, int r, int b) override;
    void Rectangle(int l, int t, int r, int b) override;
    void FillRect(int l, int t, int r, int b, Colour colour) override;
    void Text(int x, int y, const std::string& text, Colour colour) override;

    std::vector<Op> m_ops;
    std::vector<Colour> m_penStack;   // pens currently selected (RestorePen pops)
    Colour CurrentColour() const { return m_penStack.empty() ? 0 : m_penStack.back(); }
    int CountOf(Op::Kind kind) const;
};
