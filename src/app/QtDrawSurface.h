#pragma once
#include "platform/DrawSurface.h"

#include <QPen>
#include <QPoint>
#include <vector>

class QPainter;

// The drawing surface of the desktop view: the core's pen, move and line
// calls on a QPainter. Nothing is kept between repaints but the pens.
class CQtDrawSurface : public IDrawSurface {
public:
    explicit CQtDrawSurface(QPainter& painter);

    void SelectPen(PenStyle style, int width, Colour colour) override;
    void RestorePen() override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void FillRect(int left, int top, int right, int bottom, Colour colour) override;
    void Text(int x, int y, const std::string& text, Colour colour) override;

    static QColor ToQColor(Colour colour);

private:
    QPainter& m_painter;
    std::vector<QPen> m_pens;   // pens replaced by SelectPen, newest last
    QPoint m_current;
};
