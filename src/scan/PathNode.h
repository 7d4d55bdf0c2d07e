#pragma once
#include "geometry/2DLine.h"

#include <cstdint>
#include <vector>

// A column of the planner: one vector from each scan line of a band, in line
// order, with its links to the columns of the neighbouring bands.
class CPathNode {
public:
    std::vector<std::uint32_t> m_vectors;   // indices into the plane path's pool
    std::vector<CPathNode*> m_children;     // overlapping columns of the next band, rank order
    std::vector<CPathNode*> m_parents;      // the inverse relation
    std::uint8_t m_visited = 0;             // placed in the path sequence
    std::uint8_t m_passed = 0;              // passed by the junction step
    std::vector<C2DLine> m_leadIn;          // junction vectors scanned before m_vectors
    std::vector<C2DLine> m_leadOut;         // junction vectors scanned after m_vectors
};
