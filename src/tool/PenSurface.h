#pragma once
#include "platform/DrawSurface.h"

#include <vector>

// The part the tool's picture surfaces share: the stack of selected pens and
// the current point. A line from the current point is handed to DrawSegment
// with the pen on top of the stack.
class CPenSurface : public IDrawSurface {
public:
    struct Pen {
        PenStyle style = PenStyle::Solid;
        int width = 1;
        Colour colour = 0;
    };

    void SelectPen(PenStyle style, int width, Colour colour) override;
    void RestorePen() override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;

protected:
    explicit CPenSurface(int maxPenWidth) : m_maxPenWidth(maxPenWidth) {}
    const Pen& CurrentPen() const { return m_pens.back(); }
    virtual void DrawSegment(int x0, int y0, int x1, int y1) = 0;
    virtual void PenChanged() {}   // after SelectPen

private:
    int m_maxPenWidth;
    std::vector<Pen> m_pens{Pen{}};   // the first pen is never removed
    int m_x = 0, m_y = 0;
};
