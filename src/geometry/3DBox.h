#pragma once
#include "geometry/3DPoint.h"
#include "geometry/Tolerance.h"

// A 3-D box. Unlike C2DBox the maximum corner comes first. A new box has max
// (0, 0, 0); owners call ResetBox before use, which empties it.
class C3DBox {
public:
    void ResetBox()
    {
        m_ptMax.SetPoint(-BOX_LIMIT, -BOX_LIMIT, -BOX_LIMIT);
        m_ptMin.SetPoint(BOX_LIMIT, BOX_LIMIT, BOX_LIMIT);
    }

    C3DPoint m_ptMax{0.0f, 0.0f, 0.0f};
    C3DPoint m_ptMin{BOX_LIMIT, BOX_LIMIT, BOX_LIMIT};
};
