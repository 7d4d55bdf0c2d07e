#include "scan/ScanEdges.h"

#include "geometry/Tolerance.h"
#include "layer/Slice.h"
#include "layer/SliceLoop.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>

namespace {

// Insertion one by one is quadratic; beyond this many edges (a garbage
// contour) the table keeps the order of the lower ends, then the upper ends.
constexpr std::size_t MAX_INSERTION = 4096;

bool GoesBefore(const CP2DLine& n, const CP2DLine& e, int axis)
{
    const float nFirst = SweepOf(*n.m_pFirst, axis);
    const float eFirst = SweepOf(*e.m_pFirst, axis);
    if (nFirst < eFirst)
        return true;
    return IsNearlyEqual(eFirst, nFirst) && SweepOf(*n.m_pSecond, axis) < SweepOf(*e.m_pSecond, axis);
}

// Sequential insertion of edges (given in creation order) into an empty table.
void InsertAll(std::vector<CP2DLine>& table, const std::vector<CP2DLine>& edges, int axis)
{
    for (const CP2DLine& e : edges)
        InsertScanEdge(table, e, axis);
}

} // namespace

void InsertScanEdge(std::vector<CP2DLine>& table, const CP2DLine& edge, int axis)
{
    std::size_t pos = table.size();
    for (std::size_t k = 0; k < table.size(); ++k) {
        if (GoesBefore(edge, table[k], axis)) {
            pos = k;
            break;
        }
    }
    table.insert(table.begin() + static_cast<std::ptrdiff_t>(pos), edge);
}

void BuildScanEdges(CSliceLoop& loop, int axis)
{
    if (axis != 0 && axis != 1)
        return;
    loop.m_edges.clear();
    const std::size_t n = loop.m_points.size();
    if (n < 2)
        return;
    thread_local std::vector<CP2DLine> made;
    made.clear();
    made.reserve(n);
    bool finite = true;
    for (std::size_t i = 0; i < n; ++i) {
        const C2DPoint* p = &loop.m_points[i];
        const C2DPoint* q = &loop.m_points[(i + 1) % n];
        const float ps = SweepOf(*p, axis);
        const float qs = SweepOf(*q, axis);
        if (ps < qs)
            made.emplace_back(p, q);
        else if (ps > qs)
            made.emplace_back(q, p);
        else
            continue;
        finite = finite && std::isfinite(ps) && std::isfinite(qs);
    }
    if (!finite && made.size() <= MAX_INSERTION) {
        // Infinite keys compare neither equal nor near; only plain insertion
        // reproduces that order.
        InsertAll(loop.m_edges, made, axis);
        return;
    }

    // Insertion one by one is quadratic. It keeps edges whose lower ends are
    // not nearly equal in increasing order of those ends, so the table is a
    // sequence of clusters of nearly equal lower ends (chains of neighbouring
    // values within the tolerance), each ordered on its own. A cluster of one
    // exact value is ordered by upper end, ties in creation order (a stable
    // sort); only a cluster of distinct nearly equal values needs insertion.
    auto first = [&](std::size_t k) { return SweepOf(*made[k].m_pFirst, axis); };
    auto second = [&](std::size_t k) { return SweepOf(*made[k].m_pSecond, axis); };
    thread_local std::vector<std::size_t> order;
    order.resize(made.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const float fa = first(a), fb = first(b);
        return fa < fb || (fa == fb && second(a) < second(b));
    });
    bool nearTies = false;
    if (!finite) {
        for (std::size_t k : order)
            loop.m_edges.push_back(made[k]);
        return;
    }
    for (std::size_t k = 1; k < order.size() && !nearTies; ++k) {
        const float prev = first(order[k - 1]);
        const float cur = first(order[k]);
        nearTies = cur != prev && IsNearlyEqual(prev, cur);
    }
    loop.m_edges.reserve(made.size());
    if (!nearTies) {
        for (std::size_t k : order)
            loop.m_edges.push_back(made[k]);
        return;
    }

    std::size_t start = 0;
    std::vector<std::size_t> cluster;
    std::vector<CP2DLine> members;
    while (start < order.size()) {
        std::size_t end = start + 1;
        bool single = true;
        while (end < order.size()) {
            const float prev = first(order[end - 1]);
            const float cur = first(order[end]);
            if (cur == prev) {
                ++end;
            } else if (IsNearlyEqual(prev, cur)) {
                single = false;
                ++end;
            } else {
                break;
            }
        }
        cluster.assign(order.begin() + static_cast<std::ptrdiff_t>(start),
                       order.begin() + static_cast<std::ptrdiff_t>(end));
        if (single || cluster.size() > MAX_INSERTION) {
            // already ordered by upper end, ties in creation order
            for (std::size_t k : cluster)
                loop.m_edges.push_back(made[k]);
        } else {
            std::sort(cluster.begin(), cluster.end());   // creation order
            members.clear();
            for (std::size_t k : cluster)
                members.push_back(made[k]);
            std::vector<CP2DLine> ordered;
            InsertAll(ordered, members, axis);
            loop.m_edges.insert(loop.m_edges.end(), ordered.begin(), ordered.end());
        }
        start = end;
    }
}

void BuildScanEdges(CSlice& slice, int axis)
{
    if (axis != 0 && axis != 1)
        return;
    for (auto& loop : slice.m_loops)
        if (loop)
            BuildScanEdges(*loop, axis);
}

int VertexSideCount(const CSliceLoop& loop, const C2DPoint& v, int axis)
{
    const std::size_t n = loop.m_points.size();
    if (n == 0)
        return -1;
    if (n < 3)
        return -2;
    std::size_t i = n;
    for (std::size_t k = 0; k < n; ++k) {
        if (IsSamePoint(loop.m_points[k], v)) {
            i = k;
            break;
        }
    }
    if (i == n)
        return -1;
    auto at = [&](std::ptrdiff_t k) {
        const std::ptrdiff_t m = static_cast<std::ptrdiff_t>(n);
        return SweepOf(loop.m_points[static_cast<std::size_t>(((k % m) + m) % m)], axis);
    };
    const float vs = SweepOf(v, axis);
    const std::ptrdiff_t idx = static_cast<std::ptrdiff_t>(i);
    int count = 0;
    for (int step : {-1, 1}) {
        const float near = at(idx + step);
        if (near > vs)
            ++count;
        else if (IsNearlyEqual(near, vs) && at(idx + 2 * step) > vs)
            ++count;
    }
    return count;
}
