#pragma once
#include "geometry/2DPoint.h"

// An edge of a contour: refers to two points owned by the contour's point
// list, owns neither.
class CP2DLine {
public:
    CP2DLine() = default;
    CP2DLine(const C2DPoint* first, const C2DPoint* second) : m_pFirst(first), m_pSecond(second) {}

    // Classifies the edge against the ray from t in the +x direction:
    // 1 on the ray's line, 2 starts on the ray, 3 ends on the ray, 4 proper
    // crossing, 5 no crossing, 0 degenerate. crossX is set for 2, 3 and 4.
    int ClassifyRay(const C2DPoint& t, float& crossX) const;

    const C2DPoint* m_pFirst = nullptr;
    const C2DPoint* m_pSecond = nullptr;
};
