#pragma once

class CByteStream;

// A point in the plane, single precision, millimetres.
class C2DPoint {
public:
    C2DPoint() = default;
    C2DPoint(float x, float y) : m_x(x), m_y(y) {}

    void SetPoint(float x, float y)
    {
        m_x = x;
        m_y = y;
    }
    // Reads two 16-bit words: mode 1 normalised (w * 2000 / 65535), otherwise
    // scaled (x = wx * scale, y = (5000 - wy) * scale). False on a short read.
    bool ReadWords(CByteStream& stream, float scale, int mode);

    bool operator==(const C2DPoint&) const = default;

    float m_x = 0.0f;
    float m_y = 0.0f;
};

// dx, dy rounded to float; the root taken in double and returned as float.
float Distance(const C2DPoint& a, const C2DPoint& b);
// Distance(a, b) <= GEOM_TOLERANCE.
bool IsSamePoint(const C2DPoint& a, const C2DPoint& b);
// |cross(b - a, c - a)| <= GEOM_TOLERANCE, every difference and the cross product rounded to float.
bool IsCollinear(const C2DPoint& a, const C2DPoint& b, const C2DPoint& c);

// Model point to window pixel (see ToScreen in the .cpp for the exact rounding).
struct CPixel {
    int x = 0;
    int y = 0;
    bool operator==(const CPixel&) const = default;
};
CPixel ToScreen(const C2DPoint& p, int w, int h, float zoom, float ox, float oy);
CPixel ToScreen(float x, float y, int w, int h, float zoom, float ox, float oy);

// Machine-word coding of one coordinate value.
unsigned short EncodeWordX(float x, float scale, int mode);
unsigned short EncodeWordY(float y, float scale, int mode);
float DecodeWordX(unsigned short w, float scale, int mode);
float DecodeWordY(unsigned short w, float scale, int mode);
