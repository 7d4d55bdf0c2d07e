#pragma once
#include "geometry/2DLine.h"
#include "layer/Slice.h"
#include "scan/Scan.h"
#include "scan/ScanContext.h"

#include <initializer_list>
#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const C2DLine& l, std::ostream* os)
{
    *os << "(" << l.m_ptStart.m_x << ", " << l.m_ptStart.m_y << ")->(" << l.m_ptEnd.m_x << ", " << l.m_ptEnd.m_y << ")";
}

// Layers built by hand: contour types, the outer/inner lists and the hole
// links are set directly, as the nesting step would set them.
namespace scantest {

inline CSliceLoop& AddContour(CSlice& slice, std::vector<C2DPoint> points, std::uint16_t type)
{
    CSliceLoop& loop = slice.AddLoop();
    loop.m_points = std::move(points);
    loop.m_nPointCount = static_cast<std::int32_t>(loop.m_points.size());
    loop.m_nType = type;
    return loop;
}

inline std::vector<C2DPoint> Rect(float x0, float y0, float x1, float y1)
{
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

inline void AttachHole(CSliceLoop& outer, CSliceLoop& hole)
{
    outer.m_related.push_back(&hole);
    hole.m_related.push_back(&outer);
}

// Boxes and the outer/inner lists; the links are set with AttachHole.
inline void Finish(CSlice& slice)
{
    slice.ComputeBoxes();
    slice.ComputeCentre();
    slice.m_outerLoops.clear();
    slice.m_innerLoops.clear();
    for (auto& loop : slice.m_loops) {
        if (loop->m_nType == LOOP_OUTER)
            slice.m_outerLoops.push_back(loop.get());
        else if (loop->m_nType == LOOP_INNER)
            slice.m_innerLoops.push_back(loop.get());
    }
    slice.m_nLoopCount = static_cast<std::int32_t>(slice.m_loops.size());
}

// A context over one slice, file kind CLI.
struct Context : CScanContext {
    explicit Context(float hatch, int orientation = ORIENT_X)
    {
        m_hatchSpace = hatch;
        m_orientation = orientation;
        m_nFileKind = 2;
    }
    void Use(CSlice& slice) { m_slices = {&slice}; }
};

// Hatches a single slice and returns the context holding its planes.
inline void Hatch(Context& ctx, CSlice& slice)
{
    ctx.ClearPlanes();
    ctx.Use(slice);
    CScan::HatchLayer(ctx);
}

// Every vector of every plane path's pool, in pool order.
inline std::vector<C2DLine> Pool(const CScanContext& ctx)
{
    std::vector<C2DLine> all;
    for (const CScanPlane& plane : ctx.m_planes)
        for (const CPlanePath& path : plane.m_paths)
            all.insert(all.end(), path.m_vectors.begin(), path.m_vectors.end());
    return all;
}

inline C2DLine L(float x1, float y1, float x2, float y2) { return C2DLine(x1, y1, x2, y2); }

// Even-odd point-in-polygon in double precision, independent of the engine.
inline bool InPolygon(const std::vector<C2DPoint>& poly, double x, double y)
{
    bool in = false;
    const std::size_t n = poly.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const double xi = poly[i].m_x, yi = poly[i].m_y, xj = poly[j].m_x, yj = poly[j].m_y;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            in = !in;
    }
    return in;
}

} // namespace scantest
