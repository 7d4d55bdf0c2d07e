#include "tool/RasterSurface.h"

#include "spf/SafeOutput.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <zlib.h>

CRasterSurface::CRasterSurface(int width, int height, Colour background)
    : CPenSurface(16), m_width(std::max(width, 1)), m_height(std::max(height, 1))
{
    m_pixels.resize(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height) * 3);
    FillRect(0, 0, m_width, m_height, background);
}

void CRasterSurface::Plot(int x, int y, Colour colour)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    std::uint8_t* p = &m_pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)) * 3];
    p[0] = static_cast<std::uint8_t>(RedOf(colour));
    p[1] = static_cast<std::uint8_t>(GreenOf(colour));
    p[2] = static_cast<std::uint8_t>(BlueOf(colour));
}

void CRasterSurface::Dot(int x, int y)
{
    const Pen& pen = CurrentPen();
    if (pen.style == PenStyle::Null)
        return;
    ++m_step;
    if (pen.style == PenStyle::Dot && (m_step / std::max(pen.width, 2)) % 2)
        return;
    if (pen.style == PenStyle::Dash && (m_step / 6) % 3 == 2)
        return;
    if (pen.style == PenStyle::DashDot && (m_step % 12) >= 8 && (m_step % 12) != 10)
        return;
    const int lo = -(pen.width - 1) / 2;
    for (int dy = lo; dy < lo + pen.width; ++dy)
        for (int dx = lo; dx < lo + pen.width; ++dx)
            Plot(x + dx, y + dy, pen.colour);
}

void CRasterSurface::Line(int x0, int y0, int x1, int y1)
{
    // Clip far-off ends to a generous frame first, so a line that leaves the
    // picture by millions of pixels costs no more than one that does not.
    const long long limit = 4LL * (m_width + m_height) + 64;
    auto far = [&](long long v) { return v < -limit || v > limit; };
    if (far(x0) || far(y0) || far(x1) || far(y1)) {
        const double L = static_cast<double>(limit);
        double ax = x0, ay = y0, bx = x1, by = y1;
        // Liang-Barsky against the square [-L, L].
        double t0 = 0.0, t1 = 1.0;
        const double dx = bx - ax, dy = by - ay;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {ax + L, L - ax, ay + L, L - ay};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0.0) {
                if (q[i] < 0.0)
                    return;
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0.0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
        }
        if (t0 > t1)
            return;
        x0 = static_cast<int>(ax + t0 * dx), y0 = static_cast<int>(ay + t0 * dy);
        x1 = static_cast<int>(ax + t1 * dx), y1 = static_cast<int>(ay + t1 * dy);
    }
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Dot(x0, y0);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void CRasterSurface::Ellipse(int left, int top, int right, int bottom)
{
    const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    const double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
    const int steps = 180;
    int px = static_cast<int>(cx + rx), py = static_cast<int>(cy);
    for (int i = 1; i <= steps; ++i) {
        const double a = 2 * 3.14159265358979 * i / steps;
        const int x = static_cast<int>(cx + rx * std::cos(a)), y = static_cast<int>(cy + ry * std::sin(a));
        Line(px, py, x, y);
        px = x, py = y;
    }
}

void CRasterSurface::Rectangle(int left, int top, int right, int bottom)
{
    Line(left, top, right, top);
    Line(right, top, right, bottom);
    Line(right, bottom, left, bottom);
    Line(left, bottom, left, top);
}

void CRasterSurface::FillRect(int left, int top, int right, int bottom, Colour colour)
{
    left = std::clamp(left, 0, m_width), right = std::clamp(right, 0, m_width);
    top = std::clamp(top, 0, m_height), bottom = std::clamp(bottom, 0, m_height);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            Plot(x, y, colour);
}

Colour CRasterSurface::PixelAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    const std::uint8_t* p = &m_pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)) * 3];
    return MakeRgb(p[0], p[1], p[2]);
}

namespace {
void Be32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void Chunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& data)
{
    Be32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
    Be32(out, static_cast<std::uint32_t>(crc));
}
} // namespace

bool CRasterSurface::WritePng(const std::string& path) const
{
    // Rows with filter type 0, deflated.
    const std::size_t row = static_cast<std::size_t>(m_width) * 3;
    std::vector<std::uint8_t> raw;
    raw.reserve((row + 1) * static_cast<std::size_t>(m_height));
    for (int y = 0; y < m_height; ++y) {
        raw.push_back(0);
        const auto* p = &m_pixels[static_cast<std::size_t>(y) * row];
        raw.insert(raw.end(), p, p + row);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK)
        return false;
    packed.resize(packedSize);

    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    Be32(header, static_cast<std::uint32_t>(m_width));
    Be32(header, static_cast<std::uint32_t>(m_height));
    header.insert(header.end(), {8, 2, 0, 0, 0});   // 8-bit RGB, deflate, no filter choice, no interlace
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", packed);
    Chunk(png, "IEND", {});

    CSafeOutput out(path);
    return out.Open() && out.File().Write(png.data(), png.size()) && out.Commit();
}
