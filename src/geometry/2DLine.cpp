#include "geometry/2DLine.h"

#include "geometry/Tolerance.h"
#include "io/ByteStream.h"
#include "platform/Platform.h"

int C2DLine::NearestEnd(const C2DPoint& p, float& distance) const
{
    const float d1 = Distance(m_ptStart, p);
    const float d2 = Distance(m_ptEnd, p);
    if (d1 <= d2) {
        distance = d1;
        return 1;
    }
    distance = d2;
    return 2;
}

void C2DLine::DrawLine(IDrawSurface& surface, int pause, int w, int h, Colour colour, float zoom, float ox,
                       float oy) const
{
    const CPixel a = ToScreen(m_ptStart, w, h, zoom, ox, oy);
    const CPixel b = ToScreen(m_ptEnd, w, h, zoom, ox, oy);
    surface.SelectPen(PenStyle::Solid, 1, colour);
    surface.MoveTo(a.x, a.y);
    surface.LineTo(b.x, b.y);
    surface.RestorePen();
    if (pause == 1)
        Clock().SleepMs(10);
}

bool C2DLine::WriteWords(CByteStream& stream, float scale, int mode) const
{
    if (scale < GEOM_TOLERANCE)
        return false;
    const std::uint16_t words[4] = {
        EncodeWordX(m_ptStart.m_x, scale, mode), EncodeWordY(m_ptStart.m_y, scale, mode),
        EncodeWordX(m_ptEnd.m_x, scale, mode), EncodeWordY(m_ptEnd.m_y, scale, mode)};
    return stream.Write(words, sizeof words);
}

bool C2DLine::ReadWords(CByteStream& stream, float scale, int mode)
{
    return m_ptStart.ReadWords(stream, scale, mode) && m_ptEnd.ReadWords(stream, scale, mode);
}
