#include "scan/Scan.h"

#include "geometry/Tolerance.h"
#include "layer/Slice.h"
#include "layer/SliceLoop.h"
#include "scan/PrimScanPoint.h"
#include "scan/ScanContext.h"
#include "scan/ScanEdges.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>
#include <vector>

namespace {

// A contour whose extent would need more scan lines than this is not hatched:
// it lies far outside any machine's field (coordinates are expected within
// +-9999 mm) and would only exhaust memory.
constexpr double MAX_LINES_PER_CONTOUR = 4.0e6;
// Contours up to this many points look up a vertex by a plain walk.
constexpr std::size_t PLAIN_LOOKUP_POINTS = 32;

template <int Axis> inline float Sweep(const C2DPoint& p)
{
    if constexpr (Axis == 0)
        return p.m_y;
    else
        return p.m_x;
}
template <int Axis> inline float Position(const C2DPoint& p)
{
    if constexpr (Axis == 0)
        return p.m_x;
    else
        return p.m_y;
}

// One contour being crossed during the pass over an outer contour: the start
// of the live part of its edge table, and an index for finding the first
// point that is the same as a vertex on a line.
struct CrossState {
    CSliceLoop* loop = nullptr;
    std::size_t head = 0;
    bool indexBuilt = false;
    std::vector<std::uint32_t> byX;   // points with finite coordinates, by x
    // First point of each class of coordinates (finite, +inf, -inf, NaN for
    // x and for y); the point count where a class has none.
    std::size_t firstOfClass[16] = {};
};

int ValueClass(float v)
{
    if (std::isnan(v))
        return 3;
    if (std::isinf(v))
        return v > 0 ? 1 : 2;
    return 0;
}
int PointClass(const C2DPoint& p) { return ValueClass(p.m_x) * 4 + ValueClass(p.m_y); }

// Index of the first point of the contour that IsSamePoint with v, or the
// point count when there is none.
std::size_t FirstSamePoint(CrossState& st, const C2DPoint& v)
{
    const std::vector<C2DPoint>& pts = st.loop->m_points;
    const std::size_t n = pts.size();
    if (n <= PLAIN_LOOKUP_POINTS) {
        for (std::size_t k = 0; k < n; ++k)
            if (IsSamePoint(pts[k], v))
                return k;
        return n;
    }
    if (!st.indexBuilt) {
        st.indexBuilt = true;
        std::fill(std::begin(st.firstOfClass), std::end(st.firstOfClass), n);
        for (std::size_t k = 0; k < n; ++k) {
            const int cls = PointClass(pts[k]);
            st.firstOfClass[cls] = std::min(st.firstOfClass[cls], k);
            if (cls == 0)
                st.byX.push_back(static_cast<std::uint32_t>(k));
        }
        std::stable_sort(st.byX.begin(), st.byX.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return pts[a].m_x < pts[b].m_x; });
    }
    // Against a point with a coordinate that is not finite, the distance is
    // infinite or not a number whatever the finite values are, so whether two
    // points are the same depends only on their classes: one check per class.
    std::size_t best = n;
    const bool finite = PointClass(v) == 0;
    for (int cls = finite ? 1 : 0; cls < 16; ++cls)
        if (st.firstOfClass[cls] < best && IsSamePoint(pts[st.firstOfClass[cls]], v))
            best = st.firstOfClass[cls];
    if (!finite)
        return best;
    // A finite point within the tolerance lies well inside this window in x.
    const double lo = static_cast<double>(v.m_x) - 1.0e-4;
    const double hi = static_cast<double>(v.m_x) + 1.0e-4;
    auto it = std::lower_bound(st.byX.begin(), st.byX.end(), lo,
                               [&](std::uint32_t k, double x) { return static_cast<double>(pts[k].m_x) < x; });
    for (; it != st.byX.end() && static_cast<double>(pts[*it].m_x) <= hi; ++it)
        if (*it < best && IsSamePoint(pts[*it], v))
            best = *it;
    return best;
}

// The vertex rule on the contour, with the point lookup of the state.
template <int Axis> int VertexRule(CrossState& st, const C2DPoint& v)
{
    const std::vector<C2DPoint>& pts = st.loop->m_points;
    const std::size_t n = pts.size();
    if (n == 0)
        return -1;
    if (n < 3)
        return -2;
    const std::size_t i = FirstSamePoint(st, v);
    if (i == n)
        return -1;
    auto sweepAt = [&](std::ptrdiff_t k) {
        const std::ptrdiff_t m = static_cast<std::ptrdiff_t>(n);
        return Sweep<Axis>(pts[static_cast<std::size_t>(((k % m) + m) % m)]);
    };
    const float vs = Sweep<Axis>(v);
    const std::ptrdiff_t idx = static_cast<std::ptrdiff_t>(i);
    int count = 0;
    for (int step : {-1, 1}) {
        const float near = sweepAt(idx + step);
        if (near > vs)
            ++count;
        else if (IsNearlyEqual(near, vs) && sweepAt(idx + 2 * step) > vs)
            ++count;
    }
    return count;
}

// Sorted insertion by position: on an ascending list before the first value
// strictly greater, on a descending list before the first strictly smaller,
// else at the tail. A list without NaN is sorted, so a binary search finds
// the same place; with a NaN the walk is done one by one.
template <class T> void InsertByPosition(std::vector<T>& list, const T& item, bool ascending, bool& hasNaN)
{
    const float v = item.m_value;
    if (!hasNaN && !std::isnan(v) && (list.empty() || !(ascending ? list.back().m_value > v : list.back().m_value < v))) {
        list.push_back(item);
        return;
    }
    std::size_t pos = list.size();
    if (hasNaN || std::isnan(v)) {
        for (std::size_t k = 0; k < list.size(); ++k) {
            const float e = list[k].m_value;
            if (ascending ? e > v : e < v) {
                pos = k;
                break;
            }
        }
        if (std::isnan(v))
            hasNaN = true;
    } else if (!list.empty()) {
        const float last = list.back().m_value;
        if (ascending ? last > v : last < v) {
            auto it = ascending ? std::upper_bound(list.begin(), list.end(), v,
                                                   [](float x, const T& e) { return x < e.m_value; })
                                : std::upper_bound(list.begin(), list.end(), v,
                                                   [](float x, const T& e) { return x > e.m_value; });
            pos = static_cast<std::size_t>(it - list.begin());
        }
    }
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(pos), item);
}

// The line's points from the marked crossings in the order they were found,
// as if added one by one: a stable sort in the line's direction, done as a
// binary insertion sort. With a NaN among them the values are added one by
// one by the plain rule.
void FillLine(CScanLine& line, const std::vector<float>& values)
{
    std::vector<CScanPoint>& pts = line.m_scanPoints;
    pts.reserve(values.size());
    const bool ascending = line.m_direction == LINE_ASCENDING;
    if (std::any_of(values.begin(), values.end(), [](float v) { return std::isnan(v); })) {
        for (float v : values) {
            const CScanPoint p(v);
            line.AddPoint(&p);
        }
        return;
    }
    for (float v : values) {
        const std::size_t n = pts.size();
        if (n == 0 || !(ascending ? pts[n - 1].m_value > v : pts[n - 1].m_value < v)) {
            pts.emplace_back(v);
            continue;
        }
        // Galloping narrows the search: crossings of an ascending line tend to
        // land near its end (before the outer contour's far crossing), those
        // of a descending line near its start.
        std::size_t lo = 0, hi = n;
        if (ascending) {
            std::size_t step = 1;
            while (step < n && pts[n - 1 - step].m_value > v) {
                hi = n - 1 - step;
                step *= 2;
            }
            lo = step < n ? n - 1 - step : 0;
        } else {
            std::size_t step = 1;
            if (pts[0].m_value < v) {
                hi = 0;
            } else {
                while (step < n && !(pts[step].m_value < v)) {
                    lo = step;
                    step *= 2;
                }
                hi = std::min(step, n);
            }
        }
        const auto first = pts.begin() + static_cast<std::ptrdiff_t>(lo);
        const auto last = pts.begin() + static_cast<std::ptrdiff_t>(hi);
        const auto at = ascending ? std::upper_bound(first, last, v,
                                                     [](float x, const CScanPoint& e) { return x < e.m_value; })
                                  : std::upper_bound(first, last, v,
                                                     [](float x, const CScanPoint& e) { return x > e.m_value; });
        const std::size_t pos = static_cast<std::size_t>(at - pts.begin());
        pts.emplace_back();
        std::move_backward(pts.begin() + static_cast<std::ptrdiff_t>(pos), pts.end() - 1, pts.end());
        pts[pos].m_value = v;
    }
}

// Crosses one contour with the line at c. The provisional crossings are left
// in prims with their keep flags. False when the crossings could not be
// paired or marked (every flag is then clear).
template <int Axis>
bool CrossContour(CrossState& st, float c, bool ascending, bool outer, std::vector<CPrimScanPoint>& prims)
{
    prims.clear();
    std::vector<CP2DLine>& table = st.loop->m_edges;
    if (st.head >= table.size())
        return true;
    bool hasNaN = false;
    bool deleted = false;
    std::size_t i = st.head;
    for (; i < table.size(); ++i) {
        CP2DLine& e = table[i];
        if (!e.m_pFirst || !e.m_pSecond)
            continue;
        const C2DPoint& a = *e.m_pFirst;
        const C2DPoint& b = *e.m_pSecond;
        const float as = Sweep<Axis>(a);
        const float bs = Sweep<Axis>(b);
        const C2DPoint* vertex = nullptr;
        if (IsNearlyEqual(as, c)) {
            vertex = &a;
        } else if (IsNearlyEqual(bs, c)) {
            vertex = &b;
        } else if ((as < c && bs > c) || (as > c && bs < c)) {
            const double ap = Position<Axis>(a);
            const double x = ap + (static_cast<double>(Position<Axis>(b)) - ap) * (static_cast<double>(c) - as) /
                                      (static_cast<double>(bs) - as);
            InsertByPosition(prims, CPrimScanPoint(static_cast<float>(x), CROSS_EDGE), ascending, hasNaN);
            continue;
        } else if (as < c && bs < c) {
            // Wholly behind the sweep: no later line of this pass meets it.
            e.m_pFirst = nullptr;
            deleted = true;
            continue;
        } else if (as > c && bs > c) {
            break;
        } else {
            continue;   // a coordinate that is not a number
        }
        const int side = VertexRule<Axis>(st, *vertex);
        if (side < 0)
            continue;
        InsertByPosition(prims, CPrimScanPoint(Position<Axis>(*vertex), side == 1 ? CROSS_PASS : CROSS_TOUCH),
                         ascending, hasNaN);
    }
    if (deleted) {
        // Close the gaps of the walked part towards the first edge not walked,
        // keeping the order of the live edges.
        std::size_t write = i;
        for (std::size_t k = i; k-- > st.head;)
            if (table[k].m_pFirst)
                table[--write] = table[k];
        st.head = write;
    }

    const std::size_t m = prims.size();
    if (m == 0)
        return true;
    // Pairing: every vertex report needs a partner of the same kind next to it.
    bool ok = true;
    for (std::size_t k = 0; k < m && ok;) {
        const int kind = prims[k].m_kind;
        if (kind == CROSS_EDGE) {
            ++k;
        } else if (k + 1 < m && prims[k + 1].m_kind == kind) {
            const bool pass = kind == CROSS_PASS;
            prims[k].m_kind = pass ? CROSS_PASS_FIRST : CROSS_TOUCH_FIRST;
            prims[k + 1].m_kind = pass ? CROSS_PASS_SECOND : CROSS_TOUCH_SECOND;
            k += 2;
        } else {
            ok = false;
        }
    }
    // Marking: an edge crossing, a passing vertex outside a span and a touching
    // vertex inside one each open a span that the next crossing closes.
    for (std::size_t k = 0; k < m && ok;) {
        const int kind = prims[k].m_kind;
        bool open = false;
        if (kind == CROSS_EDGE)
            open = true;
        else if (kind == CROSS_PASS_SECOND)
            open = !prims[k - 1].m_keep;
        else if (kind == CROSS_TOUCH_SECOND)
            open = prims[k - 1].m_keep != 0;
        if (!open) {
            ++k;
            continue;
        }
        if (k + 1 >= m) {
            ok = false;
            break;
        }
        prims[k].m_keep = 1;
        prims[k + 1].m_keep = 1;
        k += 2;
    }
    if (!ok) {
        for (CPrimScanPoint& p : prims)
            p.m_keep = 0;
        return false;
    }
    if (!outer)
        for (CPrimScanPoint& p : prims)
            if (p.m_kind != CROSS_EDGE)
                p.m_keep = p.m_keep ? 0 : 1;
    return true;
}

struct HoleRef {
    std::size_t state = 0;
    float lo = 0.0f;
    float hi = 0.0f;
};

// Working buffers shared by all the lines of a layer.
struct Workspace {
    std::vector<CPrimScanPoint> prims;
    std::vector<float> linePoints;
};

// Lays the scan lines over one outer contour with its holes; a plane path
// when at least one line was made.
template <int Axis>
std::optional<CPlanePath> HatchOuter(CScanContext& ctx, const CSlice& slice, CSliceLoop& outer, Workspace& ws)
{
    ctx.m_nLineDir = LINE_ASCENDING;
    const float h = ctx.m_hatchSpace;
    const float lo = Sweep<Axis>(outer.m_box.m_ptMin);
    const float hi = Sweep<Axis>(outer.m_box.m_ptMax);
    if (!(h > 0.0f) || !std::isfinite(h) || !std::isfinite(lo) || !std::isfinite(hi) || !(lo <= hi))
        return std::nullopt;
    if ((static_cast<double>(hi) - lo) / h > MAX_LINES_PER_CONTOUR)
        return std::nullopt;

    // The contours crossed: the outer one first, then each hole once, however
    // often the hole list names it.
    std::vector<CrossState> states(1);
    states[0].loop = &outer;
    std::vector<HoleRef> holes;
    holes.reserve(outer.m_related.size());
    for (CSliceLoop* hole : outer.m_related) {
        if (!hole)
            continue;
        std::size_t s = 0;
        while (s < states.size() && states[s].loop != hole)
            ++s;
        if (s == states.size()) {
            states.emplace_back();
            states.back().loop = hole;
        }
        HoleRef ref;
        ref.state = s;
        ref.lo = Sweep<Axis>(hole->m_box.m_ptMin);
        ref.hi = Sweep<Axis>(hole->m_box.m_ptMax);
        holes.push_back(ref);
    }
    // Holes enter the active set when the sweep reaches their box and leave it
    // behind for good; the active set keeps the hole list's order.
    std::vector<std::size_t> byLo;
    for (std::size_t k = 0; k < holes.size(); ++k)
        if (!std::isnan(holes[k].lo) && !std::isnan(holes[k].hi))
            byLo.push_back(k);
    std::stable_sort(byLo.begin(), byLo.end(), [&](std::size_t a, std::size_t b) { return holes[a].lo < holes[b].lo; });
    std::size_t nextHole = 0;
    std::vector<std::size_t> active;

    const bool prepend = (Axis == 0 ? ctx.m_nScanDirX : ctx.m_nScanDirY) != LINE_APPEND;
    std::optional<CPlanePath> path;
    float c = lo;
    bool clamped = false;
    while (c <= hi) {
        const bool ascending = ctx.m_nLineDir == LINE_ASCENDING;
        bool failed = false;
        ws.linePoints.clear();
        auto collect = [&](bool ok) {
            if (!ok) {
                failed = true;
                return;
            }
            for (const CPrimScanPoint& p : ws.prims)
                if (p.m_keep)
                    ws.linePoints.push_back(p.m_value);
        };
        collect(CrossContour<Axis>(states[0], c, ascending, true, ws.prims));

        while (nextHole < byLo.size() && holes[byLo[nextHole]].lo <= c) {
            const std::size_t k = byLo[nextHole++];
            active.insert(std::upper_bound(active.begin(), active.end(), k), k);
        }
        std::size_t keep = 0;
        for (std::size_t k : active) {
            if (!(c <= holes[k].hi))
                continue;   // behind the sweep for good
            active[keep++] = k;
            collect(CrossContour<Axis>(states[holes[k].state], c, ascending, false, ws.prims));
        }
        active.resize(keep);

        // A line on which any contour of the group could not be paired or
        // marked yields nothing for this outer contour: keeping the rest would
        // scan across a hole's void or outside the material.
        if (!failed && !ws.linePoints.empty()) {
            if (!path)
                path.emplace(slice.m_fHeight);
            CScanLine line;
            line.m_coord = c;
            line.m_direction = ctx.m_nLineDir;
            FillLine(line, ws.linePoints);
            if (prepend)
                path->m_lines.push_front(std::move(line));
            else
                path->m_lines.push_back(std::move(line));
            ctx.m_nLineDir = ctx.m_nLineDir == LINE_ASCENDING ? LINE_DESCENDING : LINE_ASCENDING;
        }

        const float next = c + h;
        if (!(next > c)) {
            // The step vanished against the coordinate's magnitude: finish
            // with the clamped last line.
            if (clamped || !(hi > c))
                break;
            c = hi;
            clamped = true;
        } else if (next >= hi && !clamped) {
            c = hi;
            clamped = true;
        } else {
            c = next;
        }
    }
    for (CrossState& st : states) {
        std::vector<CP2DLine>& table = st.loop->m_edges;
        table.erase(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(std::min(st.head, table.size())));
    }
    return path;
}

template <int Axis> void HatchSlices(CScanContext& ctx, const std::vector<CSlice*>& slices)
{
    Workspace ws;
    for (CSlice* slice : slices) {
        if (!slice || slice->m_loops.empty())
            continue;
        BuildScanEdges(*slice, Axis);
        std::optional<CScanPlane> plane;
        for (auto& loop : slice->m_loops) {
            if (!loop || loop->m_nType != LOOP_OUTER)
                continue;
            std::optional<CPlanePath> path = HatchOuter<Axis>(ctx, *slice, *loop, ws);
            if (!path)
                continue;
            if (!plane)
                plane.emplace(slice->m_fHeight);
            plane->m_paths.push_back(std::move(*path));
        }
        if (plane) {
            plane->m_orientation = Axis;
            ctx.m_planes.push_back(std::move(*plane));
            int& order = Axis == 0 ? ctx.m_nScanDirX : ctx.m_nScanDirY;
            order = order == LINE_APPEND ? LINE_PREPEND : LINE_APPEND;
        }
    }
}

} // namespace

int CScan::HatchLayer(CScanContext& ctx)
{
    int axis = -1;
    if (ctx.m_orientation == ORIENT_X) {
        axis = 0;
    } else if (ctx.m_orientation == ORIENT_Y) {
        axis = 1;
    } else if (ctx.m_orientation == ORIENT_ALTERNATE) {
        if (ctx.m_alternateState == 1) {
            axis = 1;
            ctx.m_alternateState = 0;
        } else {
            axis = 0;
            ctx.m_alternateState = 1;
        }
    }
    if (axis < 0)
        return 1;
    const std::vector<CSlice*> slices = ctx.LayerSlices();
    const std::size_t first = ctx.m_planes.size();
    if (axis == 0)
        HatchSlices<0>(ctx, slices);
    else
        HatchSlices<1>(ctx, slices);
    // Only the planes made now: planes left from an earlier layer already
    // have their vectors.
    for (std::size_t k = first; k < ctx.m_planes.size(); ++k)
        ctx.m_planes[k].BuildVectors(ctx.m_hatchSpace);
    return 1;
}

void CScan::OrderLayer(CScanContext& ctx, int strategy)
{
    for (CScanPlane& plane : ctx.m_planes)
        plane.Order(strategy);
}
