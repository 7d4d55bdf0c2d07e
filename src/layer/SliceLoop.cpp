#include "layer/SliceLoop.h"

#include "geometry/2DLine.h"
#include "io/ByteStream.h"

#include <algorithm>

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

// ---------------------------------------------------------------------------
// Contour clean-up, test point and ray test

void CSliceLoop::RemoveDuplicatePoints()
{
    if (m_points.empty())
        return;
    // Compact in place: a point the same as the last kept one is dropped.
    std::size_t kept = 1;
    for (std::size_t i = 1; i < m_points.size(); ++i) {
        if (IsSamePoint(m_points[kept - 1], m_points[i]))
            continue;
        m_points[kept++] = m_points[i];
    }
    m_points.resize(kept);
    // A polyline closed by repeating its first point loses the first point;
    // the closing edge stays implicit.
    if (m_points.size() >= 2 && IsSamePoint(m_points.back(), m_points.front()))
        m_points.erase(m_points.begin());
    m_nPointCount = static_cast<std::int32_t>(m_points.size());
}

void CSliceLoop::RemoveCollinearPoints()
{
    if (m_points.size() < 3) {
        m_nPointCount = static_cast<std::int32_t>(m_points.size());
        return;
    }
    // m_points[0 .. kept) is the output; its last two entries are A and B.
    std::size_t kept = 2;
    for (std::size_t i = 2; i < m_points.size(); ++i) {
        const C2DPoint c = m_points[i];
        if (IsCollinear(m_points[kept - 2], m_points[kept - 1], c))
            m_points[kept - 1] = c;   // B goes, C becomes B, A stays
        else
            m_points[kept++] = c;     // A moves to B, B to C
    }
    m_points.resize(kept);

    // Wrap-around: the last two points against the first ones.
    if (m_points.size() >= 3) {
        const std::size_t n = m_points.size();
        const C2DPoint a = m_points[n - 2];
        const C2DPoint b = m_points[n - 1];
        if (IsCollinear(a, b, m_points[0])) {
            m_points.pop_back();
            if (m_points.size() >= 3 && IsCollinear(a, m_points[0], m_points[1]))
                m_points.erase(m_points.begin());
        } else if (IsCollinear(b, m_points[0], m_points[1])) {
            m_points.erase(m_points.begin());
        }
    }
    m_nPointCount = static_cast<std::int32_t>(m_points.size());
}

void CSliceLoop::ChooseTestPoint()
{
    if (m_points.empty())
        return;
    // The lowest point among those furthest right, found in one walk: a point
    // replaces the candidate when it is not left of it and strictly below it.
    C2DPoint candidate = m_points.front();
    for (const C2DPoint& p : m_points) {
        if (p.m_x >= candidate.m_x && p.m_y < candidate.m_y)
            candidate = p;
    }
    m_ptTest = candidate;
}

void CSliceLoop::BuildEdges()
{
    const std::size_t n = m_points.size();
    m_edges.clear();
    if (n == 0)
        return;
    // One spare slot: the ray test may put the first edge back at the tail.
    m_edges.reserve(n + 1);
    for (std::size_t i = 0; i + 1 < n; ++i)
        m_edges.emplace_back(&m_points[i], &m_points[i + 1]);
    m_edges.emplace_back(&m_points[n - 1], &m_points[0]);
}

namespace {
float DeltaY(const CP2DLine& e)
{
    return e.m_pSecond->m_y - e.m_pFirst->m_y;
}

float LowerEndX(const CP2DLine& e)
{
    return std::min(e.m_pFirst->m_x, e.m_pSecond->m_x);
}

// A boundary that meets the ray's line along a horizontal run is judged by the
// edges before and after the run: the same direction on both sides crosses
// once, opposite directions touch and count twice, a flat neighbour nothing.
int CountThroughRun(float before, float after)
{
    const float d = before * after;
    if (d > 0.0f)
        return 1;
    if (d < 0.0f)
        return 2;
    return 0;
}

// The contour's edges, in the order BuildEdges lists them, consumed as a
// queue: edges leave at the head (and once at the tail); the first edge may
// be put back once at the tail. Edge k runs from point k to point k + 1, the
// last one closing the contour, and position n stands for edge 0 put back.
// Only indices move, so the ray test allocates nothing.
class CEdgeQueue {
public:
    explicit CEdgeQueue(const std::vector<C2DPoint>& points) : m_points(points), m_tail(points.size()) {}
    bool Empty() const { return m_head == m_tail; }
    bool PopHead(CP2DLine& e)
    {
        if (Empty())
            return false;
        e = Edge(m_head++);
        return true;
    }
    bool PopTail(CP2DLine& e)
    {
        if (Empty())
            return false;
        e = Edge(--m_tail);
        return true;
    }
    // Puts the first edge, just taken off the head, back at the tail.
    void PutFirstBack() { ++m_tail; }
    // Skips, without classifying, the edges at the head that lie wholly left
    // of, above or below t: they cannot cross the ray and are simply dropped.
    void DropPlainMisses(const C2DPoint& t)
    {
        const std::size_t n = m_points.size();
        while (m_head < m_tail) {
            const std::size_t i = m_head < n ? m_head : 0;
            const C2DPoint& a = m_points[i];
            const C2DPoint& b = m_points[i + 1 < n ? i + 1 : 0];
            if ((a.m_x < t.m_x && b.m_x < t.m_x) || (a.m_y > t.m_y && b.m_y > t.m_y) ||
                (a.m_y < t.m_y && b.m_y < t.m_y))
                ++m_head;
            else
                break;
        }
    }

private:
    CP2DLine Edge(std::size_t k) const
    {
        const std::size_t n = m_points.size();
        const std::size_t i = k < n ? k : 0;
        return CP2DLine(&m_points[i], &m_points[i + 1 < n ? i + 1 : 0]);
    }

    const std::vector<C2DPoint>& m_points;
    std::size_t m_head = 0;
    std::size_t m_tail;
};

// E ends on the ray at its second end; its next neighbour decides whether the
// boundary passes through the ray or only touches it. False when a needed
// neighbour is missing, which ends the count.
bool HandleEndOnRay(CEdgeQueue& queue, const CP2DLine& e, int& count, float& nearest)
{
    CP2DLine next;
    if (!queue.PopHead(next))
        return false;
    const float turn = DeltaY(next) * DeltaY(e);
    if (turn > 0.0f) {
        ++count;
        nearest = std::min(nearest, e.m_pSecond->m_x);
    } else if (turn < 0.0f) {
        nearest = std::min(nearest, e.m_pSecond->m_x);
    } else {
        CP2DLine after;
        if (!queue.PopHead(after))
            return false;
        count += CountThroughRun(DeltaY(after), DeltaY(e));
        nearest = std::min(nearest, LowerEndX(next));
    }
    return true;
}
} // namespace

int CSliceLoop::CountCrossings(const C2DPoint& t, float& nearestX)
{
    int count = 0;
    float nearest = NEAREST_NONE;
    nearestX = nearest;
    if (!(m_box.m_ptMin.m_y < t.m_y && t.m_y < m_box.m_ptMax.m_y && m_box.m_ptMin.m_x <= t.m_x &&
          t.m_x <= m_box.m_ptMax.m_x))
        return 0;
    if (m_points.empty())
        return 0;

    // Every step takes at least one edge off the queue and only the first
    // step may put one back, so the walk ends after at most n + 1 steps, NaN
    // coordinates included. A neighbour that a vertex on the ray needs but
    // that is no longer there (a degenerate contour of one or two edges, or a
    // test point lying on the boundary itself) ends the count: the crossings
    // found so far are kept and that vertex adds nothing.
    CEdgeQueue queue(m_points);
    CP2DLine e;
    queue.PopHead(e);
    float x = 0.0f;
    bool complete = true;
    switch (e.ClassifyRay(t, x)) {
    case 1: {
        CP2DLine prev, next;
        if (queue.PopTail(prev) && queue.PopHead(next)) {
            count += CountThroughRun(DeltaY(prev), DeltaY(next));
            nearest = std::min(nearest, LowerEndX(e));
        } else {
            complete = false;
        }
        break;
    }
    case 2:
        // The vertex is handled when the last edge, which ends there, is reached.
        queue.PutFirstBack();
        break;
    case 3:
        complete = HandleEndOnRay(queue, e, count, nearest);
        break;
    case 4:
        ++count;
        nearest = std::min(nearest, x);
        break;
    default:
        break;
    }

    // From here on only edges ending on the ray or crossing it count; any
    // other edge is dropped.
    while (complete) {
        queue.DropPlainMisses(t);
        if (!queue.PopHead(e))
            break;
        switch (e.ClassifyRay(t, x)) {
        case 3:
            complete = HandleEndOnRay(queue, e, count, nearest);
            break;
        case 4:
            ++count;
            nearest = std::min(nearest, x);
            break;
        default:
            break;
        }
    }
    m_edges.clear();   // no working edges are left behind
    nearestX = nearest;
    return count;
}

bool CSliceLoop::IsInside(const C2DPoint& t, float& nearestX)
{
    float nearest = NEAREST_NONE;
    const int count = CountCrossings(t, nearest);
    if (count % 2 == 0)
        return false;
    nearestX = nearest;
    return true;
}
