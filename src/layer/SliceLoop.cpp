#include "layer/SliceLoop.h"

#include "geometry/2DLine.h"
#include "io/ByteStream.h"

namespace {
constexpr Colour kOtherContourGrey = MakeRgb(165, 165, 165);

void WriteSegmentRecord(CByteStream& stream, const C2DPoint& a, const C2DPoint& b, float scale, int mode)
{
    stream.WriteU16(302);
    stream.WriteI32(2);
    C2DLine(a.m_x, a.m_y, b.m_x, b.m_y).WriteWords(stream, scale, mode);
}
} // namespace

void CSliceLoop::ClearLoop()
{
    m_edges.clear();
    m_points.clear();
    m_related.clear();
}

void CSliceLoop::ComputeLoopBox()
{
    m_box.ResetBox();
    for (const C2DPoint& p : m_points) {
        if (p.m_x >= m_box.m_ptMax.m_x)
            m_box.m_ptMax.m_x = p.m_x;
        if (!(p.m_x > m_box.m_ptMin.m_x))
            m_box.m_ptMin.m_x = p.m_x;
        if (p.m_y >= m_box.m_ptMax.m_y)
            m_box.m_ptMax.m_y = p.m_y;
        if (!(p.m_y > m_box.m_ptMin.m_y))
            m_box.m_ptMin.m_y = p.m_y;
    }
}

void CSliceLoop::TranslateLoop(float x, float y)
{
    m_ptTest.m_x -= x;
    m_ptTest.m_y -= y;
    for (C2DPoint& p : m_points) {
        p.m_x -= x;
        p.m_y -= y;
    }
    m_box.m_ptMin.m_x -= x;
    m_box.m_ptMin.m_y -= y;
    m_box.m_ptMax.m_x -= x;
    m_box.m_ptMax.m_y -= y;
}

void CSliceLoop::DrawLoop(IDrawSurface& surface, int w, int h, Colour colour, float zoom, float ox, float oy) const
{
    if (m_points.empty())
        return;
    surface.SelectPen(PenStyle::Solid, 1, m_nType == LOOP_OUTER ? colour : kOtherContourGrey);
    const CPixel last = ToScreen(m_points.back(), w, h, zoom, ox, oy);
    surface.MoveTo(last.x, last.y);
    for (const C2DPoint& p : m_points) {
        const CPixel px = ToScreen(p, w, h, zoom, ox, oy);
        surface.LineTo(px.x, px.y);
    }
    surface.RestorePen();
}

int CSliceLoop::WriteSegments(CByteStream& stream, float scale, int mode) const
{
    const std::size_t n = m_points.size();
    if (n == 0)
        return 0;
    int written = 0;
    for (std::size_t i = 1; i < n; ++i) {
        if (mode == 1)
            WriteSegmentRecord(stream, m_points[i - 1], m_points[i], scale, mode);
        else
            C2DLine(m_points[i - 1].m_x, m_points[i - 1].m_y, m_points[i].m_x, m_points[i].m_y)
                .WriteWords(stream, scale, mode);
        ++written;
    }
    if (mode == 1) {
        WriteSegmentRecord(stream, m_points[n - 1], m_points[0], scale, mode);
        ++written;
    }
    return written;
}
