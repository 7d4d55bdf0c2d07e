#pragma once
// A literal form of the hatching sweep for checking the engine: edge lists
// walked from the head with sequential sorted insertion, a plain walk over the
// contour for every vertex, every hole's box tested on every line.
#include "geometry/Tolerance.h"
#include "layer/SliceLoop.h"
#include "scan/ScanEdges.h"

#include <cmath>
#include <list>
#include <vector>

namespace scantest {

struct RefLine {
    float c;
    int direction;
    std::vector<float> points;
};

struct Prim {
    float value;
    int kind;
    bool keep = false;
};

inline void InsertRule(std::vector<Prim>& list, Prim p, bool ascending)
{
    auto it = list.begin();
    for (; it != list.end(); ++it)
        if (ascending ? it->value > p.value : it->value < p.value)
            break;
    list.insert(it, p);
}

using EdgeList = std::list<CP2DLine>;

inline EdgeList RefTable(const CSliceLoop& loop, int axis)
{
    std::vector<CP2DLine> table;
    const std::size_t n = loop.m_points.size();
    for (std::size_t i = 0; n >= 2 && i < n; ++i) {
        const C2DPoint* p = &loop.m_points[i];
        const C2DPoint* q = &loop.m_points[(i + 1) % n];
        if (SweepOf(*p, axis) < SweepOf(*q, axis))
            InsertScanEdge(table, CP2DLine(p, q), axis);
        else if (SweepOf(*p, axis) > SweepOf(*q, axis))
            InsertScanEdge(table, CP2DLine(q, p), axis);
    }
    return EdgeList(table.begin(), table.end());
}

// One contour crossed with the line at c: false when pairing or marking failed.
inline bool RefCross(const CSliceLoop& loop, EdgeList& edges, float c, bool ascending, bool outer, int axis,
              std::vector<Prim>& prims)
{
    prims.clear();
    const auto pos = [&](const C2DPoint& p) { return axis == 0 ? p.m_x : p.m_y; };
    for (auto it = edges.begin(); it != edges.end();) {
        const C2DPoint& a = *it->m_pFirst;
        const C2DPoint& b = *it->m_pSecond;
        const float as = SweepOf(a, axis), bs = SweepOf(b, axis);
        const C2DPoint* v = nullptr;
        if (IsNearlyEqual(as, c)) {
            v = &a;
        } else if (IsNearlyEqual(bs, c)) {
            v = &b;
        } else if ((as < c && bs > c) || (as > c && bs < c)) {
            const double x = static_cast<double>(pos(a)) +
                             (static_cast<double>(pos(b)) - pos(a)) * (static_cast<double>(c) - as) /
                                 (static_cast<double>(bs) - as);
            InsertRule(prims, {static_cast<float>(x), 1}, ascending);
        } else if (as < c && bs < c) {
            it = edges.erase(it);
            continue;
        } else if (as > c && bs > c) {
            break;
        }
        if (v) {
            const int side = VertexSideCount(loop, *v, axis);
            if (side >= 0)
                InsertRule(prims, {pos(*v), side == 1 ? 2 : 5}, ascending);
        }
        ++it;
    }
    const std::size_t m = prims.size();
    for (std::size_t k = 0; k < m;) {
        if (prims[k].kind == 1) {
            ++k;
        } else if (k + 1 < m && prims[k + 1].kind == prims[k].kind) {
            prims[k].kind = prims[k].kind == 2 ? 3 : 6;
            prims[k + 1].kind = prims[k + 1].kind == 2 ? 4 : 7;
            k += 2;
        } else {
            return false;
        }
    }
    for (std::size_t k = 0; k < m;) {
        const int kind = prims[k].kind;
        const bool open = kind == 1 || (kind == 4 && !prims[k - 1].keep) || (kind == 7 && prims[k - 1].keep);
        if (!open) {
            ++k;
            continue;
        }
        if (k + 1 >= m)
            return false;
        prims[k].keep = prims[k + 1].keep = true;
        k += 2;
    }
    if (!outer)
        for (Prim& p : prims)
            if (p.kind != 1)
                p.keep = !p.keep;
    return true;
}

inline std::vector<RefLine> RefHatch(const CSliceLoop& outer, float h, int axis)
{
    std::vector<RefLine> lines;
    EdgeList outerEdges = RefTable(outer, axis);
    std::vector<EdgeList> holeEdges;
    for (const CSliceLoop* hole : outer.m_related)
        holeEdges.push_back(RefTable(*hole, axis));
    const float lo = SweepOf(outer.m_box.m_ptMin, axis);
    const float hi = SweepOf(outer.m_box.m_ptMax, axis);
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return lines;   // an unbounded extent is not hatched
    int direction = 5;
    float c = lo;
    bool clamped = false;
    std::vector<Prim> prims;
    while (c <= hi) {
        const bool ascending = direction == 5;
        bool failed = !RefCross(outer, outerEdges, c, ascending, true, axis, prims);
        std::vector<float> marked;
        for (const Prim& p : prims)
            if (p.keep)
                marked.push_back(p.value);
        for (std::size_t k = 0; k < outer.m_related.size(); ++k) {
            const CSliceLoop& hole = *outer.m_related[k];
            if (!(SweepOf(hole.m_box.m_ptMin, axis) <= c && c <= SweepOf(hole.m_box.m_ptMax, axis)))
                continue;
            failed = !RefCross(hole, holeEdges[k], c, ascending, false, axis, prims) || failed;
            for (const Prim& p : prims)
                if (p.keep)
                    marked.push_back(p.value);
        }
        if (!failed && !marked.empty()) {
            RefLine line{c, direction, {}};
            for (float v : marked) {
                auto it = line.points.begin();
                for (; it != line.points.end(); ++it)
                    if (ascending ? *it > v : *it < v)
                        break;
                line.points.insert(it, v);
            }
            lines.push_back(line);
            direction = direction == 5 ? 6 : 5;
        }
        c = c + h;
        if (c >= hi && !clamped) {
            c = hi;
            clamped = true;
        }
    }
    return lines;
}

} // namespace scantest
