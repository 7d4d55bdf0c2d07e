#include "app/SimulationSurface.h"

void CSimulationSurface::SelectPen(PenStyle style, int width, Colour colour)
{
    if (m_surface)
        m_surface->SelectPen(style, width, colour);
}

void CSimulationSurface::RestorePen()
{
    if (m_surface)
        m_surface->RestorePen();
}

void CSimulationSurface::MoveTo(int x, int y)
{
    if (m_surface)
        m_surface->MoveTo(x, y);
}

void CSimulationSurface::LineTo(int x, int y)
{
    const bool shows = Shows();
    if (m_markStrokes > 0)
        --m_markStrokes;
    else
        ++m_lines;
    if (m_surface) {
        if (shows)
            m_surface->LineTo(x, y);
        else
            m_surface->MoveTo(x, y);   // the pen position follows the hidden line
    }
}
