#pragma once
#include <cstdint>
#include <string>

// Colours are 24-bit 0x00BBGGRR values.
using Colour = std::uint32_t;
constexpr Colour MakeRgb(int r, int g, int b)
{
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

enum class PenStyle { Solid, Dash, Dot, DashDot, Null };

// The 2-D drawing the core draws through: the desktop view, the command-line
// renderer and the tests each provide one.
class IDrawSurface {
public:
    virtual ~IDrawSurface() = default;
    // Selects a pen; the previous pen is remembered until RestorePen.
    virtual void SelectPen(PenStyle style, int width, Colour colour) = 0;
    virtual void RestorePen() = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) { (void)left, (void)top, (void)right, (void)bottom; }
    virtual void Rectangle(int left, int top, int right, int bottom) { (void)left, (void)top, (void)right, (void)bottom; }
    virtual void FillRect(int left, int top, int right, int bottom, Colour colour) { (void)left, (void)top, (void)right, (void)bottom, (void)colour; }
    virtual void Text(int x, int y, const std::string& text, Colour colour) { (void)x, (void)y, (void)text, (void)colour; }
};
