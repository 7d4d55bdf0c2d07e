#pragma once
#include "tool/PenSurface.h"

#include <cstdint>
#include <string>
#include <vector>

// A drawing surface over an RGB picture in memory, for vemo-cli render: the
// same draw operations the desktop view uses, drawn with whole-pixel lines.
class CRasterSurface : public CPenSurface {
public:
    CRasterSurface(int width, int height, Colour background);

    void Ellipse(int left, int top, int right, int bottom) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void FillRect(int left, int top, int right, int bottom, Colour colour) override;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Rows top to bottom, three bytes (red, green, blue) per pixel.
    const std::vector<std::uint8_t>& Pixels() const { return m_pixels; }
    Colour PixelAt(int x, int y) const;
    // Writes the picture as a PNG file; false when it cannot be written.
    bool WritePng(const std::string& path) const;

private:
    void DrawSegment(int x0, int y0, int x1, int y1) override { Line(x0, y0, x1, y1); }
    void PenChanged() override { m_step = 0; }
    void Plot(int x, int y, Colour colour);
    void Dot(int x, int y);
    void Line(int x0, int y0, int x1, int y1);

    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_pixels;
    long m_step = 0;   // position along the current pen's lines, for dotted pens
};
