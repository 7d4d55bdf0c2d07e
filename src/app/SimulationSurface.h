#pragma once
#include "platform/DrawSurface.h"

// The drawing surface of simulation mode: passes the scan paths on to the
// view's surface but shows only the lines numbered from `from` up to before
// `limit` (scan vectors and jump tracks, counted from 0 in the order they are
// drawn, which is the laser's order). The start mark of a path, its two
// strokes after BeginPath, is not a line of its own: it shows with the path's
// first line. With a limit below 0 every line from `from` on shows; without a
// surface the lines are only counted.
class CSimulationSurface : public IDrawSurface {
public:
    CSimulationSurface(IDrawSurface* surface, int limit, int from = 0)
        : m_surface(surface), m_limit(limit), m_from(from)
    {
    }

    // The next two strokes are the start mark of a new path.
    void BeginPath() { m_markStrokes = 2; }
    // Lines drawn so far, shown or not.
    int Lines() const { return m_lines; }

    void SelectPen(PenStyle style, int width, Colour colour) override;
    void RestorePen() override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;

private:
    bool Shows() const { return m_lines >= m_from && (m_limit < 0 || m_lines < m_limit); }

    IDrawSurface* m_surface;
    int m_limit;
    int m_from;
    int m_lines = 0;
    int m_markStrokes = 0;
};
