#include "platform/ScriptedPlatform.h"

#include <algorithm>

namespace {
MsgAnswer DefaultFor(MsgButtons buttons)
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
} // namespace

CScriptedPlatform::CScriptedPlatform() : m_scope(CPlatform{this, this, this, this}) {}
CScriptedPlatform::~CScriptedPlatform() = default;

MsgAnswer CScriptedPlatform::Show(const std::string& text, const std::string& caption, MsgIcon icon,
                                  MsgButtons buttons)
{
    MsgAnswer answer;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    } else {
        answer = m_hasDefault ? m_defaultAnswer : DefaultFor(buttons);
    }
    m_messages.push_back({text, caption, icon, buttons, answer});
    return answer;
}

void CScriptedPlatform::OpenProgress()
{
    ++m_progressOpened;
    m_bCancelRequested = false;
}
void CScriptedPlatform::SetStatusText(const std::string& text) { m_progressTexts.push_back(text); }
void CScriptedPlatform::SetPosition(int percent)
{
    m_positions.push_back(percent);
    if (m_cancelAfter >= 0 && static_cast<int>(m_positions.size()) >= m_cancelAfter)
        m_bCancelRequested = true;
}
void CScriptedPlatform::CloseProgress() { ++m_progressClosed; }

void CScriptedPlatform::ShowStatus(const std::string& message, const std::string& costText, int total, int current)
{
    m_status.push_back({message, costText, total, current});
}

void CRecordingSurface::SelectPen(PenStyle style, int width, Colour colour)
{
    Op op{Op::Pen, width, 0, 0, 0, colour, style, {}};
    m_ops.push_back(op);
    m_penStack.push_back(colour);
}
void CRecordingSurface::RestorePen()
{
    m_ops.push_back({Op::Restore});
    if (!m_penStack.empty())
        m_penStack.pop_back();
}
void CRecordingSurface::MoveTo(int x, int y) { m_ops.push_back({Op::Move, x, y, 0, 0, CurrentColour()}); }
void CRecordingSurface::LineTo(int x, int y) { m_ops.push_back({Op::Line, x, y, 0, 0, CurrentColour()}); }
void CRecordingSurface::Ellipse(int l, int t, int r, int b) { m_ops.push_back({Op::Ellipse, l, t, r, b, CurrentColour()}); }
void CRecordingSurface::Rectangle(int l, int t, int r, int b) { m_ops.push_back({Op::Rectangle, l, t, r, b, CurrentColour()}); }
void CRecordingSurface::FillRect(int l, int t, int r, int b, Colour colour) { m_ops.push_back({Op::Fill, l, t, r, b, colour}); }
void CRecordingSurface::Text(int x, int y, const std::string& text, Colour colour)
{
    Op op{Op::Text, x, y, 0, 0, colour};
    op.text = text;
    m_ops.push_back(op);
}
int CRecordingSurface::CountOf(Op::Kind kind) const
{
    return static_cast<int>(std::count_if(m_ops.begin(), m_ops.end(), [kind](const Op& o) { return o.kind == kind; }));
}
