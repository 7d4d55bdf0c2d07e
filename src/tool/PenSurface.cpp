#include "tool/PenSurface.h"

#include <algorithm>

void CPenSurface::SelectPen(PenStyle style, int width, Colour colour)
{
    m_pens.push_back(Pen{style, std::clamp(width, 1, m_maxPenWidth), colour});
    PenChanged();
}

void CPenSurface::RestorePen()
{
    if (m_pens.size() > 1)
        m_pens.pop_back();
}

void CPenSurface::MoveTo(int x, int y)
{
    m_x = x;
    m_y = y;
}

void CPenSurface::LineTo(int x, int y)
{
    DrawSegment(m_x, m_y, x, y);
    m_x = x;
    m_y = y;
}
