#include "scan/PlanePath.h"

#include "geometry/Tolerance.h"
#include "io/ByteStream.h"
#include "platform/DrawSurface.h"
#include "scan/NearestOrder.h"
#include "scan/PathNode.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

constexpr std::uint16_t TAG_HATCH = 301;
constexpr Colour START_MARK_COLOUR = 0x0000FFFF;   // yellow
constexpr Colour JUMP_COLOUR = 0x000000FF;         // red

// The axis two vectors lie along is decided on p: along y when its two x are
// nearly equal, else along x.
bool AlongY(const C2DLine& p) { return IsNearlyEqual(p.m_ptStart.m_x, p.m_ptEnd.m_x); }

// Two vectors on neighbouring lines overlap when their lengths together
// exceed the span they cover; sharing only an end point is not enough.
bool Overlaps(const C2DLine& p, const C2DLine& q)
{
    const bool y = AlongY(p);
    const float p0 = y ? p.m_ptStart.m_y : p.m_ptStart.m_x;
    const float p1 = y ? p.m_ptEnd.m_y : p.m_ptEnd.m_x;
    const float q0 = y ? q.m_ptStart.m_y : q.m_ptStart.m_x;
    const float q1 = y ? q.m_ptEnd.m_y : q.m_ptEnd.m_x;
    const float a = AbsF(p0 - p1);
    const float b = AbsF(q0 - q1);
    const float lo = std::min(std::min(p0, p1), std::min(q0, q1));
    const float hi = std::max(std::max(p0, p1), std::max(q0, q1));
    const float span = hi - lo;
    const float sum = a + b;
    return sum > span;
}

// The four coordinates in ascending order (a fixed network, safe for NaN).
void Sort4(float s[4])
{
    auto order = [&](int i, int j) {
        if (s[j] < s[i])
            std::swap(s[i], s[j]);
    };
    order(0, 1);
    order(2, 3);
    order(0, 2);
    order(1, 3);
    order(1, 2);
}

// A junction over the overlap of pv (the parent's last vector) and qv (the
// current column's first vector). A lead-in lies on pv's line and runs against
// qv; a lead-out lies on qv's line and runs against pv.
C2DLine Junction(const C2DLine& pv, const C2DLine& qv, bool leadIn)
{
    const bool y = AlongY(pv);
    float s[4];
    if (y) {
        s[0] = pv.m_ptStart.m_y, s[1] = pv.m_ptEnd.m_y, s[2] = qv.m_ptStart.m_y, s[3] = qv.m_ptEnd.m_y;
    } else {
        s[0] = pv.m_ptStart.m_x, s[1] = pv.m_ptEnd.m_x, s[2] = qv.m_ptStart.m_x, s[3] = qv.m_ptEnd.m_x;
    }
    Sort4(s);
    const C2DLine& fixed = leadIn ? pv : qv;   // the line the junction lies on
    const C2DLine& other = leadIn ? qv : pv;   // the vector it runs against
    C2DLine j;
    if (!y) {
        const bool rising = other.m_ptStart.m_x < other.m_ptEnd.m_x;
        j.SetLine(rising ? s[2] : s[1], fixed.m_ptStart.m_y, rising ? s[1] : s[2], fixed.m_ptEnd.m_y);
    } else {
        const bool rising = other.m_ptStart.m_y < other.m_ptEnd.m_y;
        j.SetLine(fixed.m_ptStart.m_x, rising ? s[2] : s[1], fixed.m_ptEnd.m_x, rising ? s[1] : s[2]);
    }
    return j;
}

// Grid column of a coordinate across the lines: trunc(v / h + 0.5) in double,
// kept to 16 bits.
std::uint16_t GridColumn(float v, float h)
{
    const double q = static_cast<double>(v) / static_cast<double>(h) + 0.5;
    if (!(q > -9.0e18 && q < 9.0e18))
        return 0;
    return static_cast<std::uint16_t>(static_cast<long long>(q) & 0xFFFF);
}

// The step from e (end of one vector) to s (start of the next) is connected
// when both lie in the same grid column and the lines are exactly one hatch
// space apart.
bool Connected(const C2DPoint& e, const C2DPoint& s, int orientation, float h)
{
    const bool x = orientation != 1;
    const std::uint16_t ge = GridColumn(x ? e.m_x : e.m_y, h);
    const std::uint16_t gs = GridColumn(x ? s.m_x : s.m_y, h);
    const int d = std::abs(static_cast<int>(ge) - static_cast<int>(gs)) & 0xFFFF;
    const float across = AbsF(x ? e.m_y - s.m_y : e.m_x - s.m_x);
    const float off = AbsF(across - h);
    return d == 0 && off <= GEOM_TOLERANCE;
}

void WritePoint(CByteStream& file, const C2DPoint& p, float unit, int mode)
{
    if (unit < GEOM_TOLERANCE)
        return;
    file.WriteU16(EncodeWordX(p.m_x, unit, mode));
    file.WriteU16(EncodeWordY(p.m_y, unit, mode));
}

// A hatch record whose point count is filled in once its points are written.
class CHatchRecord {
public:
    explicit CHatchRecord(CByteStream& file) : m_file(file)
    {
        m_file.WriteU16(TAG_HATCH);
        m_countPos = m_file.Tell();
        m_file.WriteU32(0);
    }
    void Add(const C2DLine& v, float unit)
    {
        WritePoint(m_file, v.m_ptStart, unit, 1);
        WritePoint(m_file, v.m_ptEnd, unit, 1);
        m_points += 2;
    }
    void Close()
    {
        const std::int64_t end = m_file.Tell();
        m_file.Seek(m_countPos);
        m_file.WriteU32(m_points);
        m_file.Seek(end);
    }

private:
    CByteStream& m_file;
    std::int64_t m_countPos = 0;
    std::uint32_t m_points = 0;
};

void Link(CPathNode* parent, CPathNode* child)
{
    parent->m_children.push_back(child);
    child->m_parents.push_back(parent);
}

// Links every column of band a to the columns of band b whose first vector
// overlaps its last vector, children and parents in rank order. The vectors
// of one line are disjoint and in increasing position, so only a window of
// b's columns can overlap each column of a; the window is widened well beyond
// the rounding of the overlap test, which decides every pair in it. Bands
// that do not look like that are compared pair by pair.
void LinkBands(const std::vector<CPathNode*>& a, const std::vector<CPathNode*>& b, const std::vector<C2DLine>& pool)
{
    if (a.empty() || b.empty())
        return;
    auto lastOf = [&](const CPathNode* c) -> const C2DLine& { return pool[c->m_vectors.back()]; };
    auto firstOf = [&](const CPathNode* c) -> const C2DLine& { return pool[c->m_vectors.front()]; };
    auto pairwise = [&] {
        for (CPathNode* p : a)
            for (CPathNode* c : b)
                if (Overlaps(lastOf(p), firstOf(c)))
                    Link(p, c);
    };
    if (a.size() * b.size() <= 64) {
        pairwise();
        return;
    }
    const bool alongY = AlongY(lastOf(a.front()));
    struct Span {
        float lo, hi;
    };
    auto span = [&](const C2DLine& v) {
        const float s = alongY ? v.m_ptStart.m_y : v.m_ptStart.m_x;
        const float e = alongY ? v.m_ptEnd.m_y : v.m_ptEnd.m_x;
        return Span{std::min(s, e), std::max(s, e)};
    };
    std::vector<Span> pa, pb;
    pa.reserve(a.size());
    pb.reserve(b.size());
    double magnitude = 0.0;
    bool regular = true;
    auto add = [&](std::vector<Span>& out, const C2DLine& v) {
        const Span sp = span(v);
        regular = regular && std::isfinite(sp.lo) && std::isfinite(sp.hi) && (out.empty() || out.back().hi <= sp.lo);
        magnitude = std::max({magnitude, std::fabs(static_cast<double>(sp.lo)), std::fabs(static_cast<double>(sp.hi))});
        out.push_back(sp);
    };
    for (const CPathNode* p : a) {
        regular = regular && AlongY(lastOf(p)) == alongY;
        add(pa, lastOf(p));
    }
    for (const CPathNode* c : b)
        add(pb, firstOf(c));
    if (!regular) {
        pairwise();
        return;
    }
    const double margin = magnitude * 1.0e-5 + 1.0e-6;
    std::size_t from = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double lo = static_cast<double>(pa[i].lo) - margin;
        const double hi = static_cast<double>(pa[i].hi) + margin;
        while (from < b.size() && static_cast<double>(pb[from].hi) < lo)
            ++from;
        for (std::size_t j = from; j < b.size() && static_cast<double>(pb[j].lo) <= hi; ++j)
            if (Overlaps(lastOf(a[i]), firstOf(b[j])))
                Link(a[i], b[j]);
    }
}

void DrawVectors(const std::vector<C2DLine>& list, int pause, IDrawSurface& surface, int w, int h, Colour colour,
                 int jump, float zoom, float ox, float oy)
{
    if (list.empty())
        return;
    const CPixel mark = ToScreen(list.front().m_ptStart, w, h, zoom, ox, oy);
    surface.SelectPen(PenStyle::Solid, 1, START_MARK_COLOUR);
    surface.MoveTo(mark.x, mark.y + 5);
    surface.LineTo(mark.x, mark.y - 5);
    surface.MoveTo(mark.x - 5, mark.y);
    surface.LineTo(mark.x + 5, mark.y);
    surface.RestorePen();
    if (pause == 1 || jump == 1) {
        list.front().DrawLine(surface, pause, w, h, colour, zoom, ox, oy);
        for (std::size_t k = 1; k < list.size(); ++k) {
            if (jump == 1) {
                const C2DLine track(list[k - 1].m_ptEnd.m_x, list[k - 1].m_ptEnd.m_y, list[k].m_ptStart.m_x,
                                    list[k].m_ptStart.m_y);
                track.DrawLine(surface, pause, w, h, JUMP_COLOUR, zoom, ox, oy);
            }
            list[k].DrawLine(surface, pause, w, h, colour, zoom, ox, oy);
        }
        return;
    }
    // Every line in the same pen and no pause: one pen for the whole list.
    surface.SelectPen(PenStyle::Solid, 1, colour);
    for (const C2DLine& v : list) {
        const CPixel a = ToScreen(v.m_ptStart, w, h, zoom, ox, oy);
        const CPixel b = ToScreen(v.m_ptEnd, w, h, zoom, ox, oy);
        surface.MoveTo(a.x, a.y);
        surface.LineTo(b.x, b.y);
    }
    surface.RestorePen();
}

} // namespace

void CPlanePath::BuildVectors(float hatchSpace, int orientation)
{
    std::size_t pairs = 0;
    for (const CScanLine& line : m_lines)
        pairs += line.m_scanPoints.size() / 2;
    m_vectors.reserve(m_vectors.size() + pairs);
    for (CScanLine& line : m_lines) {
        line.m_vectors.reserve(line.m_scanPoints.size() / 2);
        const bool ascending = line.m_direction == LINE_ASCENDING;
        const float c = line.m_coord;
        for (std::size_t k = 0; k + 1 < line.m_scanPoints.size(); k += 2) {
            const float p = line.m_scanPoints[k].m_value;
            const float q = line.m_scanPoints[k + 1].m_value;
            const float length = ascending ? q - p : p - q;
            if (!(length > hatchSpace))
                continue;
            if (orientation == 1)
                m_vectors.emplace_back(c, p, c, q);
            else
                m_vectors.emplace_back(p, c, q, c);
            line.m_vectors.push_back(static_cast<std::uint32_t>(m_vectors.size() - 1));
        }
    }
}

void CPlanePath::Order(int strategy)
{
    if (strategy == PATH_NEAREST) {
        OrderNearest(m_vectors, m_scanPath);
        // The lines referred to the pool, which is now empty: a later run of
        // another strategy must not find them again.
        for (CScanLine& line : m_lines)
            line.m_vectors.clear();
        return;
    }
    if (strategy < PATH_EXTENT || strategy > PATH_DEPTH_EXTENT || m_lines.empty())
        return;

    // Bands of consecutive lines with equal vector counts; a band of k vectors
    // per line has k columns, ranked by increasing position.
    std::size_t total = 0;
    {
        bool first = true;
        std::size_t k = 0;
        for (const CScanLine& line : m_lines) {
            const std::size_t n = static_cast<std::size_t>(std::count_if(
                line.m_vectors.begin(), line.m_vectors.end(), [&](std::uint32_t v) { return v < m_vectors.size(); }));
            if (first || n != k)
                total += n;
            first = false;
            k = n;
        }
    }
    std::vector<CPathNode> nodes(total);
    std::vector<std::vector<CPathNode*>> bands;
    {
        std::size_t used = 0;
        bool first = true;
        for (CScanLine& line : m_lines) {
            // Only vectors still in the pool take part.
            std::erase_if(line.m_vectors, [&](std::uint32_t v) { return v >= m_vectors.size(); });
            const std::size_t n = line.m_vectors.size();
            if (first || n != bands.back().size()) {
                bands.emplace_back();
                for (std::size_t j = 0; j < n; ++j)
                    bands.back().push_back(&nodes[used++]);
            }
            first = false;
            const bool ascending = line.m_direction == LINE_ASCENDING;
            for (std::size_t j = 0; j < n; ++j)
                bands.back()[j]->m_vectors.push_back(ascending ? line.m_vectors[j] : line.m_vectors[n - 1 - j]);
            line.m_vectors.clear();
        }
    }
    auto lastOf = [&](const CPathNode* c) -> const C2DLine& { return m_vectors[c->m_vectors.back()]; };
    auto firstOf = [&](const CPathNode* c) -> const C2DLine& { return m_vectors[c->m_vectors.front()]; };
    for (std::size_t b = 0; b + 1 < bands.size(); ++b)
        LinkBands(bands[b], bands[b + 1], m_vectors);

    // Children are consumed from the front: a cursor per column marks the
    // first one left.
    std::vector<std::size_t> cursor(total, 0);
    auto id = [&](const CPathNode* c) { return static_cast<std::size_t>(c - nodes.data()); };
    auto left = [&](const CPathNode* c) { return c->m_children.size() - cursor[id(c)]; };
    auto takeChild = [&](CPathNode* c) { return c->m_children[cursor[id(c)]++]; };
    std::vector<CPathNode*> sequence;
    sequence.reserve(total);
    auto place = [&](CPathNode* c) {
        c->m_visited = 1;
        sequence.push_back(c);
    };
    // Dead ends (no children left) first, each group in its order.
    auto deadEndsFirst = [&](auto begin, auto end) {
        std::stable_partition(begin, end, [&](const CPathNode* c) { return left(c) == 0; });
    };

    if (strategy == PATH_EXTENT) {
        for (auto& band : bands)
            for (CPathNode* c : band)
                place(c);
    } else if (strategy == PATH_DEPTH) {
        std::vector<CPathNode*> stack;
        for (auto& band : bands) {
            if (sequence.size() >= total)
                break;
            for (CPathNode* c : band) {
                if (c->m_visited)
                    continue;
                place(c);
                stack.push_back(c);
                while (!stack.empty()) {
                    CPathNode* top = stack.back();
                    if (left(top) == 0) {
                        stack.pop_back();
                        continue;
                    }
                    CPathNode* child = takeChild(top);
                    if (!child->m_visited) {
                        place(child);
                        stack.push_back(child);
                    }
                }
            }
        }
    } else {
        for (auto& band : bands) {
            if (sequence.size() >= total)
                break;
            if (band.empty())
                continue;
            deadEndsFirst(band.begin(), band.end());
            for (std::size_t j = 0; j + 1 < band.size(); ++j)
                if (!band[j]->m_visited)
                    place(band[j]);
            CPathNode* c = band.back();
            while (c && !c->m_visited) {
                place(c);
                if (left(c) == 0)
                    break;
                const auto from = c->m_children.begin() + static_cast<std::ptrdiff_t>(cursor[id(c)]);
                deadEndsFirst(from, c->m_children.end());
                while (left(c) > 1) {
                    CPathNode* side = takeChild(c);
                    if (!side->m_visited)
                        place(side);
                }
                c = takeChild(c);
            }
        }
    }

    // Junctions: a parent other than the column just before is joined by a
    // lead-in when it was scanned earlier, else by a lead-out after it.
    for (std::size_t k = 1; k < sequence.size(); ++k) {
        CPathNode* prev = sequence[k - 1];
        CPathNode* cur = sequence[k];
        prev->m_passed = 1;
        for (CPathNode* parent : cur->m_parents) {
            if (parent == prev)
                continue;
            if (parent->m_passed)
                cur->m_leadIn.insert(cur->m_leadIn.begin(), Junction(lastOf(parent), firstOf(cur), true));
            else
                parent->m_leadOut.push_back(Junction(lastOf(parent), firstOf(cur), false));
        }
    }
    std::size_t size = m_scanPath.size();
    for (const CPathNode* c : sequence)
        size += c->m_leadIn.size() + c->m_vectors.size() + c->m_leadOut.size();
    m_scanPath.reserve(size);
    for (CPathNode* c : sequence) {
        m_scanPath.insert(m_scanPath.end(), c->m_leadIn.begin(), c->m_leadIn.end());
        for (std::uint32_t v : c->m_vectors)
            m_scanPath.push_back(m_vectors[v]);
        m_scanPath.insert(m_scanPath.end(), c->m_leadOut.begin(), c->m_leadOut.end());
    }
}

int CPlanePath::WriteSeparate(CByteStream& file, float hatchSpace, int tagged) const
{
    int written = 0;
    for (const C2DLine& v : m_scanPath) {
        if (tagged == 1) {
            CHatchRecord record(file);
            record.Add(v, hatchSpace);
            record.Close();
        } else {
            v.WriteWords(file, hatchSpace, 0);
        }
        ++written;
    }
    return written;
}

int CPlanePath::WriteConnected(CByteStream& file, int orientation, float hatchSpace, int tagged) const
{
    if (m_scanPath.empty())
        return 0;
    int written = 0;
    if (tagged == 1) {
        std::optional<CHatchRecord> record;
        record.emplace(file);
        record->Add(m_scanPath.front(), hatchSpace);
        ++written;
        C2DPoint e = m_scanPath.front().m_ptEnd;
        for (std::size_t k = 1; k < m_scanPath.size(); ++k) {
            const C2DLine& v = m_scanPath[k];
            if (!Connected(e, v.m_ptStart, orientation, hatchSpace)) {
                record->Close();
                record.emplace(file);
            }
            record->Add(v, hatchSpace);
            ++written;
            e = v.m_ptEnd;
        }
        record->Close();
        return written;
    }
    m_scanPath.front().WriteWords(file, hatchSpace, 0);
    ++written;
    C2DPoint e = m_scanPath.front().m_ptEnd;
    for (std::size_t k = 1; k < m_scanPath.size(); ++k) {
        const C2DLine& v = m_scanPath[k];
        if (Connected(e, v.m_ptStart, orientation, hatchSpace)) {
            const C2DLine step(e.m_x, e.m_y, v.m_ptStart.m_x, v.m_ptStart.m_y);
            step.WriteWords(file, hatchSpace, 0);
            ++written;
        }
        v.WriteWords(file, hatchSpace, 0);
        ++written;
        e = v.m_ptEnd;
    }
    return written;
}

void CPlanePath::DrawPaths(int pause, IDrawSurface& surface, int w, int h, std::uint32_t colour, int jump, float zoom,
                           float ox, float oy) const
{
    DrawVectors(m_scanPath.empty() ? m_vectors : m_scanPath, pause, surface, w, h, colour, jump, zoom, ox, oy);
}
