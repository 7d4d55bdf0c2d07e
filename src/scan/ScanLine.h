#pragma once
#include "scan/ScanPoint.h"

#include <cstdint>
#include <vector>

// Line directions and line orders.
enum : int {
    LINE_ASCENDING = 5,    // crossings by increasing position, vectors point that way
    LINE_DESCENDING = 6,   // the reverse
    LINE_APPEND = 7,       // new lines go to the tail of a plane path (increasing coordinate)
    LINE_PREPEND = 8,      // new lines go to the head (decreasing coordinate)
};

// One scan line of a plane path: its kept crossings in line direction and
// the hatch vectors made from them.
class CScanLine {
public:
    // Inserts a copy of the point: on an ascending line before the first point
    // strictly greater, on a descending line before the first strictly
    // smaller, else at the tail (equal values land after the existing ones).
    // 0 for a null point, 1 when the line was empty, otherwise 3.
    int AddPoint(const CScanPoint* point);

    float m_coord = -1.0f;                  // y for lines in X, x for lines in Y
    std::vector<CScanPoint> m_scanPoints;   // sorted in line direction
    std::vector<std::uint32_t> m_vectors;   // indices into the plane path's pool m_vectors
    int m_direction = LINE_ASCENDING;
};
