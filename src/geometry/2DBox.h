#pragma once
#include "geometry/2DPoint.h"
#include "geometry/Tolerance.h"

// An axis-aligned box; empty is min (9999, 9999), max (-9999, -9999), so the
// first point folded in sets both corners.
class C2DBox {
public:
    void ResetBox()
    {
        m_ptMin.SetPoint(BOX_LIMIT, BOX_LIMIT);
        m_ptMax.SetPoint(-BOX_LIMIT, -BOX_LIMIT);
    }
    // Arguments in the order maxX, maxY, minX, minY, as every caller passes them.
    void SetBox(float maxX, float maxY, float minX, float minY)
    {
        m_ptMax.SetPoint(maxX, maxY);
        m_ptMin.SetPoint(minX, minY);
    }
    bool IsEmpty() const { return m_ptMin.m_x > m_ptMax.m_x || m_ptMin.m_y > m_ptMax.m_y; }

    C2DPoint m_ptMin{BOX_LIMIT, BOX_LIMIT};
    C2DPoint m_ptMax{-BOX_LIMIT, -BOX_LIMIT};
};
