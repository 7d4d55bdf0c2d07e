#include "app/QtDrawSurface.h"

#include <QPainter>
#include <QString>

CQtDrawSurface::CQtDrawSurface(QPainter& painter) : m_painter(painter)
{
    QPen pen(Qt::black);
    pen.setWidth(0);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
}

QColor CQtDrawSurface::ToQColor(Colour colour)
{
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

void CQtDrawSurface::SelectPen(PenStyle style, int width, Colour colour)
{
    m_pens.push_back(m_painter.pen());
    Qt::PenStyle qtStyle = Qt::SolidLine;
    switch (style) {
    case PenStyle::Solid: qtStyle = Qt::SolidLine; break;
    case PenStyle::Dash: qtStyle = Qt::DashLine; break;
    case PenStyle::Dot: qtStyle = Qt::DotLine; break;
    case PenStyle::DashDot: qtStyle = Qt::DashDotLine; break;
    case PenStyle::Null: qtStyle = Qt::NoPen; break;
    }
    // Width 1 becomes Qt's cosmetic 0-width pen, the fast path of the raster engine.
    QPen pen(ToQColor(colour), width <= 1 ? 0 : width, qtStyle);
    // Scan vectors select the same pen line after line: skip the state change.
    if (pen != m_pens.back())
        m_painter.setPen(pen);
}

void CQtDrawSurface::RestorePen()
{
    if (m_pens.empty())
        return;
    if (m_pens.back() != m_painter.pen())
        m_painter.setPen(m_pens.back());
    m_pens.pop_back();
}

void CQtDrawSurface::MoveTo(int x, int y) { m_current = QPoint(x, y); }

void CQtDrawSurface::LineTo(int x, int y)
{
    const QPoint to(x, y);
    m_painter.drawLine(m_current, to);
    m_current = to;
}

void CQtDrawSurface::Ellipse(int left, int top, int right, int bottom)
{
    m_painter.drawEllipse(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void CQtDrawSurface::Rectangle(int left, int top, int right, int bottom)
{
    m_painter.drawRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void CQtDrawSurface::FillRect(int left, int top, int right, int bottom, Colour colour)
{
    m_painter.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), ToQColor(colour));
}

void CQtDrawSurface::Text(int x, int y, const std::string& text, Colour colour)
{
    const QPen previous = m_painter.pen();
    m_painter.setPen(ToQColor(colour));
    m_painter.drawText(QPoint(x, y + m_painter.fontMetrics().ascent()), QString::fromStdString(text));
    m_painter.setPen(previous);
}
