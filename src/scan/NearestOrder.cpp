#include "scan/NearestOrder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

bool Finite(const C2DPoint& p) { return std::isfinite(p.m_x) && std::isfinite(p.m_y); }

// Value at the given fraction of the sorted values (values is reordered).
double Quantile(std::vector<double>& values, double fraction)
{
    const std::size_t at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at), values.end());
    return values[at];
}

// A uniform grid over the finite end points of the live vectors. A vector
// whose ends are both not finite can never be the nearest and is not in it.
// The grid spans the bulk of the points; far-off points are clamped into the
// border cells, which keeps the ring bounds valid (they only get weaker).
class CEndGrid {
public:
    void Build(const std::vector<C2DLine>& pool, const std::vector<std::uint32_t>& members)
    {
        std::vector<double> xs, ys;
        for (std::uint32_t k : members) {
            for (const C2DPoint* p : {&pool[k].m_ptStart, &pool[k].m_ptEnd}) {
                if (!Finite(*p))
                    continue;
                xs.push_back(p->m_x);
                ys.push_back(p->m_y);
            }
        }
        double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
        if (!xs.empty()) {
            const double tail = xs.size() > 200 ? 0.01 : 0.0;
            minX = Quantile(xs, tail);
            maxX = Quantile(xs, 1.0 - tail);
            minY = Quantile(ys, tail);
            maxY = Quantile(ys, 1.0 - tail);
        }
        const double w = maxX - minX;
        const double h = maxY - minY;
        const double target = std::max<double>(1.0, static_cast<double>(xs.size()) / 2.0);
        double cell = std::sqrt(w * h / target);
        cell = std::max(cell, std::max(w, h) / target);
        if (!(cell > 0.0) || !std::isfinite(cell))
            cell = 1.0;
        m_x0 = minX;
        m_y0 = minY;
        m_cell = cell;
        m_nx = static_cast<std::size_t>(std::min(w / cell, 1.0e6)) + 1;
        m_ny = static_cast<std::size_t>(std::min(h / cell, 1.0e6)) + 1;
        const std::size_t cells = m_nx * m_ny;
        m_start.assign(cells + 1, 0);
        m_count.assign(cells, 0);
        for (std::uint32_t k : members)
            for (const C2DPoint* p : {&pool[k].m_ptStart, &pool[k].m_ptEnd})
                if (Finite(*p))
                    ++m_start[CellOf(*p) + 1];
        for (std::size_t c = 0; c < cells; ++c)
            m_start[c + 1] += m_start[c];
        m_entries.assign(m_start[cells], 0);
        for (std::uint32_t k : members) {
            for (const C2DPoint* p : {&pool[k].m_ptStart, &pool[k].m_ptEnd}) {
                if (!Finite(*p))
                    continue;
                const std::size_t c = CellOf(*p);
                m_entries[m_start[c] + m_count[c]++] = k;
            }
        }
    }

    void Remove(const C2DLine& v, std::uint32_t k)
    {
        for (const C2DPoint* p : {&v.m_ptStart, &v.m_ptEnd}) {
            if (!Finite(*p))
                continue;
            const std::size_t c = CellOf(*p);
            std::uint32_t* first = m_entries.data() + m_start[c];
            for (std::uint32_t i = 0; i < m_count[c]; ++i) {
                if (first[i] == k) {
                    first[i] = first[--m_count[c]];
                    break;
                }
            }
        }
    }

    // Calls visit(k) for the live vectors with an end in the cells around q,
    // ring by ring, until the next ring cannot hold anything nearer than
    // bound() (rounding margin included). Gives up, returning false, once
    // more than maxCells cells have been looked at.
    template <class Visit, class Bound>
    bool Search(const C2DPoint& q, Visit&& visit, Bound&& bound, std::size_t maxCells) const
    {
        std::size_t cells = 0;
        const std::ptrdiff_t qx = Clamp((static_cast<double>(q.m_x) - m_x0) / m_cell, m_nx);
        const std::ptrdiff_t qy = Clamp((static_cast<double>(q.m_y) - m_y0) / m_cell, m_ny);
        const std::ptrdiff_t nx = static_cast<std::ptrdiff_t>(m_nx);
        const std::ptrdiff_t ny = static_cast<std::ptrdiff_t>(m_ny);
        const std::ptrdiff_t maxRing = std::max({qx, nx - 1 - qx, qy, ny - 1 - qy});
        for (std::ptrdiff_t r = 0; r <= maxRing; ++r) {
            const std::ptrdiff_t y0 = std::max<std::ptrdiff_t>(qy - r, 0);
            const std::ptrdiff_t y1 = std::min<std::ptrdiff_t>(qy + r, ny - 1);
            for (std::ptrdiff_t y = y0; y <= y1; ++y) {
                const bool edgeRow = y == qy - r || y == qy + r;
                const std::ptrdiff_t step = edgeRow ? 1 : 2 * r;
                for (std::ptrdiff_t x = qx - r; x <= qx + r; x += (step > 0 ? step : 1)) {
                    if (x < 0 || x >= nx)
                        continue;
                    if (++cells > maxCells)
                        return false;
                    const std::size_t c = static_cast<std::size_t>(y) * m_nx + static_cast<std::size_t>(x);
                    const std::uint32_t* first = m_entries.data() + m_start[c];
                    for (std::uint32_t i = 0; i < m_count[c]; ++i)
                        visit(first[i]);
                }
            }
            // Everything in ring r + 1 and beyond is at least r cells away.
            const double b = bound();
            if (static_cast<double>(r) * m_cell > b * (1.0 + 1.0e-4) + 1.0e-6)
                return true;
        }
        return true;
    }

private:
    static std::ptrdiff_t Clamp(double v, std::size_t n)
    {
        if (!(v > 0.0))
            return 0;
        if (v >= static_cast<double>(n - 1))
            return static_cast<std::ptrdiff_t>(n - 1);
        return static_cast<std::ptrdiff_t>(v);
    }
    std::size_t CellOf(const C2DPoint& p) const
    {
        const std::size_t x = static_cast<std::size_t>(Clamp((static_cast<double>(p.m_x) - m_x0) / m_cell, m_nx));
        const std::size_t y = static_cast<std::size_t>(Clamp((static_cast<double>(p.m_y) - m_y0) / m_cell, m_ny));
        return y * m_nx + x;
    }

    double m_x0 = 0.0, m_y0 = 0.0, m_cell = 1.0;
    std::size_t m_nx = 1, m_ny = 1;
    std::vector<std::size_t> m_start;
    std::vector<std::uint32_t> m_count;
    std::vector<std::uint32_t> m_entries;
};

} // namespace

void OrderNearest(std::vector<C2DLine>& pool, std::vector<C2DLine>& path)
{
    const std::size_t n = pool.size();
    if (n == 0)
        return;
    path.reserve(path.size() + n);
    std::vector<std::uint8_t> taken(n, 0);
    // Vectors that can be the nearest: at least one end is finite.
    std::vector<std::uint32_t> indexed;
    for (std::size_t k = 1; k < n; ++k)
        if (Finite(pool[k].m_ptStart) || Finite(pool[k].m_ptEnd))
            indexed.push_back(static_cast<std::uint32_t>(k));
    CEndGrid grid;
    grid.Build(pool, indexed);
    // The live indexed vectors in no particular order, for the searches that
    // would cross too many empty cells (long jumps late in the walk).
    std::vector<std::uint32_t> live = indexed;
    std::vector<std::uint32_t> livePos(n, 0);
    std::vector<std::uint8_t> inGrid(n, 0);
    for (std::size_t i = 0; i < live.size(); ++i) {
        livePos[live[i]] = static_cast<std::uint32_t>(i);
        inGrid[live[i]] = 1;
    }

    taken[0] = 1;
    path.push_back(pool[0]);
    C2DPoint current = pool[0].m_ptEnd;
    std::size_t firstLive = 1;
    for (std::size_t left = n - 1; left > 0; --left) {
        float best = NEAREST_LIMIT;
        std::size_t bestIdx = n;
        const double cx = current.m_x;
        const double cy = current.m_y;
        auto consider = [&](std::uint32_t k) {
            // A vector whose nearer end is clearly farther than the best so
            // far can neither win nor tie: skip the exact distances.
            const C2DLine& v = pool[k];
            const double sx = v.m_ptStart.m_x - cx, sy = v.m_ptStart.m_y - cy;
            const double ex = v.m_ptEnd.m_x - cx, ey = v.m_ptEnd.m_y - cy;
            const double near2 = std::min(sx * sx + sy * sy, ex * ex + ey * ey);
            const double reach = static_cast<double>(best) * (1.0 + 1.0e-4) + 1.0e-6;
            if (near2 > reach * reach)
                return;
            float d = 0.0f;
            v.NearestEnd(current, d);
            if (d < NEAREST_LIMIT && (d < best || (d == best && k < bestIdx))) {
                best = d;
                bestIdx = k;
            }
        };
        if (std::isfinite(current.m_x) && std::isfinite(current.m_y)) {
            const std::size_t budget = live.size() / 2 + 16;
            if (!grid.Search(current, consider, [&] { return static_cast<double>(best); }, budget))
                for (std::uint32_t k : live)
                    consider(k);
        }
        if (bestIdx == n) {
            while (taken[firstLive])
                ++firstLive;
            bestIdx = firstLive;
        }
        C2DLine v = pool[bestIdx];
        taken[bestIdx] = 1;
        if (inGrid[bestIdx]) {
            grid.Remove(v, static_cast<std::uint32_t>(bestIdx));
            const std::uint32_t at = livePos[bestIdx];
            live[at] = live.back();
            livePos[live[at]] = at;
            live.pop_back();
        }
        float d = 0.0f;
        if (v.NearestEnd(current, d) == 2)
            std::swap(v.m_ptStart, v.m_ptEnd);
        path.push_back(v);
        current = v.m_ptEnd;
    }
    pool.clear();
}
