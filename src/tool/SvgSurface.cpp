#include "tool/SvgSurface.h"

#include "spf/SafeOutput.h"

#include <algorithm>
#include <cstdio>

namespace {
std::string Hex(Colour c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c));
    return text;
}

std::string Escape(const std::string& s)
{
    std::string out;
    for (char c : s) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}
} // namespace

CSvgSurface::CSvgSurface(int width, int height, Colour background)
    : CPenSurface(1 << 16), m_width(std::max(width, 1)), m_height(std::max(height, 1))
{
    FillRect(0, 0, m_width, m_height, background);
}

std::string CSvgSurface::Stroke(const Pen& pen) const
{
    std::string s = "stroke=\"" + Hex(pen.colour) + "\" stroke-width=\"" + std::to_string(pen.width) + "\"";
    if (pen.style == PenStyle::Dot)
        s += " stroke-dasharray=\"" + std::to_string(pen.width) + "," + std::to_string(pen.width) + "\"";
    else if (pen.style == PenStyle::Dash)
        s += " stroke-dasharray=\"12,6\"";
    else if (pen.style == PenStyle::DashDot)
        s += " stroke-dasharray=\"8,3,2,3\"";
    return s;
}

void CSvgSurface::ClosePath()
{
    if (!m_pathStroke.empty())
        m_body += "<path fill=\"none\" stroke-linecap=\"square\" " + m_pathStroke + " d=\"" + m_pathData + "\"/>\n";
    m_pathStroke.clear();
    m_pathData.clear();
}

void CSvgSurface::DrawSegment(int x0, int y0, int x1, int y1)
{
    const Pen& pen = CurrentPen();
    if (pen.style == PenStyle::Null)
        return;
    const std::string stroke = Stroke(pen);
    if (stroke != m_pathStroke) {
        ClosePath();
        m_pathStroke = stroke;
    }
    // Pixel centres, as the raster picture draws them.
    char text[96];
    if (m_pathData.empty() || m_pathX != x0 || m_pathY != y0)
        std::snprintf(text, sizeof text, "M%d.5 %d.5L%d.5 %d.5", x0, y0, x1, y1);
    else
        std::snprintf(text, sizeof text, "L%d.5 %d.5", x1, y1);
    m_pathData += text;
    m_pathX = x1;
    m_pathY = y1;
}

void CSvgSurface::Ellipse(int left, int top, int right, int bottom)
{
    ClosePath();
    const Pen& pen = CurrentPen();
    char text[160];
    std::snprintf(text, sizeof text, "<ellipse cx=\"%g\" cy=\"%g\" rx=\"%g\" ry=\"%g\" fill=\"none\" ", (left + right) / 2.0,
                  (top + bottom) / 2.0, (right - left) / 2.0, (bottom - top) / 2.0);
    m_body += text + Stroke(pen) + "/>\n";
}

void CSvgSurface::Rectangle(int left, int top, int right, int bottom)
{
    DrawSegment(left, top, right, top);
    DrawSegment(right, top, right, bottom);
    DrawSegment(right, bottom, left, bottom);
    DrawSegment(left, bottom, left, top);
}

void CSvgSurface::FillRect(int left, int top, int right, int bottom, Colour colour)
{
    ClosePath();
    m_body += "<rect x=\"" + std::to_string(left) + "\" y=\"" + std::to_string(top) + "\" width=\"" +
              std::to_string(std::max(right - left, 0)) + "\" height=\"" + std::to_string(std::max(bottom - top, 0)) +
              "\" fill=\"" + Hex(colour) + "\"/>\n";
}

void CSvgSurface::Text(int x, int y, const std::string& text, Colour colour)
{
    ClosePath();
    m_body += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" fill=\"" + Hex(colour) +
              "\" font-family=\"sans-serif\" font-size=\"12\">" + Escape(text) + "</text>\n";
}

std::string CSvgSurface::Document()
{
    ClosePath();   // the open path is part of the picture too
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           std::to_string(m_width) + "\" height=\"" + std::to_string(m_height) + "\" viewBox=\"0 0 " +
           std::to_string(m_width) + " " + std::to_string(m_height) + "\">\n" + m_body + "</svg>\n";
}

bool CSvgSurface::WriteSvg(const std::string& path)
{
    const std::string doc = Document();
    CSafeOutput out(path);
    return out.Open() && out.File().Write(doc.data(), doc.size()) && out.Commit();
}
