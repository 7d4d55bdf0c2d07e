#pragma once
#include "platform/DrawSurface.h"

#include <string>
#include <vector>

// A drawing surface that collects the draw operations as an SVG picture, for
// vemo-cli render: lines drawn with the same pen become one path.
class CSvgSurface : public IDrawSurface {
public:
    CSvgSurface(int width, int height, Colour background);

    void SelectPen(PenStyle style, int width, Colour colour) override;
    void RestorePen() override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void FillRect(int left, int top, int right, int bottom, Colour colour) override;
    void Text(int x, int y, const std::string& text, Colour colour) override;

    // The whole document.
    std::string Document();
    bool WriteSvg(const std::string& path);

private:
    struct Pen {
        PenStyle style = PenStyle::Solid;
        int width = 1;
        Colour colour = 0;
    };
    void Segment(int x0, int y0, int x1, int y1);
    std::string Stroke(const Pen& pen) const;

    int m_width;
    int m_height;
    std::vector<Pen> m_pens{Pen{}};
    std::string m_body;
    std::string m_pathStroke;   // stroke attributes of the open path, empty when none
    std::string m_pathData;
    int m_x = 0, m_y = 0;
    int m_pathX = 0, m_pathY = 0;   // where the open path's pen stands
    void ClosePath();
};
