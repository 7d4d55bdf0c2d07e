#include "scan/NearestOrder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

// Coordinates beyond this stay out of the grid (they would stretch its
// cells over everything); such vectors are checked one by one.
constexpr double GRID_COORD_LIMIT = 1.0e7;

bool Indexable(const C2DPoint& p)
{
    return std::isfinite(p.m_x) && std::isfinite(p.m_y) && std::fabs(p.m_x) <= GRID_COORD_LIMIT &&
           std::fabs(p.m_y) <= GRID_COORD_LIMIT;
}

// A uniform grid over the end points of the live vectors.
class CEndGrid {
public:
    void Build(const std::vector<C2DLine>& pool, const std::vector<std::uint32_t>& members)
    {
        double minX = std::numeric_limits<double>::infinity(), minY = minX;
        double maxX = -minX, maxY = -minX;
        for (std::uint32_t k : members) {
            for (const C2DPoint* p : {&pool[k].m_ptStart, &pool[k].m_ptEnd}) {
                minX = std::min(minX, static_cast<double>(p->m_x));
                maxX = std::max(maxX, static_cast<double>(p->m_x));
                minY = std::min(minY, static_cast<double>(p->m_y));
                maxY = std::max(maxY, static_cast<double>(p->m_y));
            }
        }
        if (members.empty()) {
            minX = minY = 0.0;
            maxX = maxY = 0.0;
        }
        const double w = maxX - minX;
        const double h = maxY - minY;
        const double target = std::max<double>(1.0, static_cast<double>(members.size()));
        double cell = std::sqrt(w * h / target);
        cell = std::max(cell, std::max(w, h) / target);
        if (!(cell > 0.0))
            cell = 1.0;
        m_x0 = minX;
        m_y0 = minY;
        m_cell = cell;
        m_nx = static_cast<std::size_t>(std::min(w / cell, 1.0e6)) + 1;
        m_ny = static_cast<std::size_t>(std::min(h / cell, 1.0e6)) + 1;
        const std::size_t cells = m_nx * m_ny;
        m_start.assign(cells + 1, 0);
        m_count.assign(cells, 0);
        for (std::uint32_t k : members) {
            ++m_start[CellOf(pool[k].m_ptStart) + 1];
            ++m_start[CellOf(pool[k].m_ptEnd) + 1];
        }
        for (std::size_t c = 0; c < cells; ++c)
            m_start[c + 1] += m_start[c];
        m_entries.assign(m_start[cells], 0);
        for (std::uint32_t k : members) {
            for (const C2DPoint* p : {&pool[k].m_ptStart, &pool[k].m_ptEnd}) {
                const std::size_t c = CellOf(*p);
                m_entries[m_start[c] + m_count[c]++] = k;
            }
        }
    }

    void Remove(const C2DLine& v, std::uint32_t k)
    {
        for (const C2DPoint* p : {&v.m_ptStart, &v.m_ptEnd}) {
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
    std::vector<std::uint32_t> indexed;
    std::vector<std::uint32_t> special;
    for (std::size_t k = 1; k < n; ++k) {
        if (Indexable(pool[k].m_ptStart) && Indexable(pool[k].m_ptEnd))
            indexed.push_back(static_cast<std::uint32_t>(k));
        else
            special.push_back(static_cast<std::uint32_t>(k));
    }
    CEndGrid grid;
    grid.Build(pool, indexed);
    // The live indexed vectors in no particular order, for the searches that
    // would cross too many empty cells (long jumps late in the walk).
    std::vector<std::uint32_t> live = indexed;
    std::vector<std::uint32_t> livePos(n, 0);
    for (std::size_t i = 0; i < live.size(); ++i)
        livePos[live[i]] = static_cast<std::uint32_t>(i);

    taken[0] = 1;
    path.push_back(pool[0]);
    C2DPoint current = pool[0].m_ptEnd;
    std::size_t firstLive = 1;
    std::size_t liveSpecial = special.size();
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
        if (liveSpecial > 0)
            for (std::uint32_t k : special)
                if (!taken[k])
                    consider(k);
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
        if (Indexable(v.m_ptStart) && Indexable(v.m_ptEnd)) {
            grid.Remove(v, static_cast<std::uint32_t>(bestIdx));
            const std::uint32_t at = livePos[bestIdx];
            live[at] = live.back();
            livePos[live[at]] = at;
            live.pop_back();
        } else
            --liveSpecial;
        float d = 0.0f;
        if (v.NearestEnd(current, d) == 2)
            std::swap(v.m_ptStart, v.m_ptEnd);
        path.push_back(v);
        current = v.m_ptEnd;
    }
    pool.clear();
}
