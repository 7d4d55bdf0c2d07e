#pragma once
#include "geometry/2DPoint.h"

#include <cstdint>
#include <vector>

class CSliceLoop;

// The contours of a layer sorted into horizontal bands by the y range of
// their boxes, so that a ray test point is tried only against the contours
// whose box can hold it. A layer of many small contours (a lattice) thus
// costs about one row of contours per test instead of all of them.
class CLoopBands {
public:
    // Indexes loops by their boxes (computed beforehand). A contour whose box
    // holds NaN can hold no point and is left out.
    explicit CLoopBands(const std::vector<CSliceLoop*>& loops);

    // The positions in loops, ascending, of every contour whose box may hold
    // t: a superset of those whose box does.
    const std::vector<std::uint32_t>& Candidates(const C2DPoint& t);

private:
    int Band(double y) const;

    double m_y0 = 0.0;
    double m_scale = 0.0;
    int m_bands = 1;
    std::vector<std::uint32_t> m_start;   // band b holds m_items[m_start[b] .. m_start[b + 1])
    std::vector<std::uint32_t> m_items;
    std::vector<std::uint32_t> m_wide;    // contours spanning many bands, tried for every point
    std::vector<std::uint32_t> m_result;
};
