#pragma once
#include "tool/PenSurface.h"

#include <string>
#include <vector>

// A drawing surface that collects the draw operations as an SVG picture, for
// vemo-cli render: lines drawn with the same pen become one path.
class CSvgSurface : public CPenSurface {
public:
    CSvgSurface(int width, int height, Colour background);

    void Ellipse(int left, int top, int right, int bottom) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void FillRect(int left, int top, int right, int bottom, Colour colour) override;
    void Text(int x, int y, const std::string& text, Colour colour) override;

    // The whole document.
    std::string Document();
    bool WriteSvg(const std::string& path);

private:
    void DrawSegment(int x0, int y0, int x1, int y1) override;
    std::string Stroke(const Pen& pen) const;

    int m_width;
    int m_height;
    std::string m_body;
    std::string m_pathStroke;   // stroke attributes of the open path, empty when none
    std::string m_pathData;
    int m_pathX = 0, m_pathY = 0;   // where the open path's pen stands
    void ClosePath();
};
