#include "geometry/2DPoint.h"

#include "geometry/Tolerance.h"
#include "io/ByteStream.h"

#include <cmath>

float Distance(const C2DPoint& a, const C2DPoint& b)
{
    const float dx = a.m_x - b.m_x;
    const float dy = a.m_y - b.m_y;
    return static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

bool IsSamePoint(const C2DPoint& a, const C2DPoint& b)
{
    return !(Distance(a, b) > GEOM_TOLERANCE);
}

bool IsCollinear(const C2DPoint& a, const C2DPoint& b, const C2DPoint& c)
{
    const float ux = b.m_x - a.m_x;
    const float uy = b.m_y - a.m_y;
    const float vx = c.m_x - a.m_x;
    const float vy = c.m_y - a.m_y;
    const float p1 = ux * vy;
    const float p2 = vx * uy;
    const float cross = p1 - p2;
    return AbsF(cross) <= GEOM_TOLERANCE;
}

namespace {
// Truncation toward zero for pixel values; far-off or NaN coordinates are
// pinned to a large finite value so the cast stays defined.
int TruncPixel(double v)
{
    if (v != v)
        return 0;
    if (v > 1.0e9)
        return 1000000000;
    if (v < -1.0e9)
        return -1000000000;
    return static_cast<int>(v);
}
} // namespace

CPixel ToScreen(float x, float y, int w, int h, float zoom, float ox, float oy)
{
    const float f = static_cast<float>(h / SCREEN_BASE);
    const float mx = zoom * x + ox;
    const float my = zoom * y + oy;
    const float sx = mx * f;
    const double sy = static_cast<double>(my) * SCREEN_BASE_INV * h;
    CPixel p;
    p.x = (w + TruncPixel(sx)) / 2;
    p.y = (h - TruncPixel(sy)) / 2;
    return p;
}

CPixel ToScreen(const C2DPoint& p, int w, int h, float zoom, float ox, float oy)
{
    return ToScreen(p.m_x, p.m_y, w, h, zoom, ox, oy);
}

namespace {
// Truncation toward zero kept to 16 bits (modulo 65536). Values beyond the
// integer range or NaN, which a word cannot hold anyway, give 0 instead of
// undefined behaviour.
unsigned short TruncWord(double v)
{
    if (!(v > -2147483648.0 && v < 2147483648.0))
        return 0;
    return static_cast<unsigned short>(static_cast<long long>(v) & 0xFFFF);
}

unsigned short Normalised(float v)
{
    const float scaled = v * WORD_RANGE_MAX;
    return TruncWord(scaled / WORD_RANGE_MM);
}

unsigned short Scaled(float v, float scale)
{
    const float q = v / scale;
    return TruncWord(static_cast<double>(q) + 0.5);
}
} // namespace

unsigned short EncodeWordX(float x, float scale, int mode)
{
    return mode == 1 ? Normalised(x) : Scaled(x, scale);
}

unsigned short EncodeWordY(float y, float scale, int mode)
{
    if (mode == 1)
        return Normalised(y);
    return static_cast<unsigned short>(WORD_Y_BASE - Scaled(y, scale));
}

float DecodeWordX(unsigned short w, float scale, int mode)
{
    if (mode == 1)
        return w * WORD_RANGE_MM / WORD_RANGE_MAX;
    return w * scale;
}

float DecodeWordY(unsigned short w, float scale, int mode)
{
    if (mode == 1)
        return w * WORD_RANGE_MM / WORD_RANGE_MAX;
    return static_cast<float>(WORD_Y_BASE - static_cast<int>(w)) * scale;
}

bool C2DPoint::ReadWords(CByteStream& stream, float scale, int mode)
{
    std::uint16_t wx = 0, wy = 0;
    if (!stream.ReadU16(wx) || !stream.ReadU16(wy))
        return false;
    m_x = DecodeWordX(wx, scale, mode);
    m_y = DecodeWordY(wy, scale, mode);
    return true;
}
