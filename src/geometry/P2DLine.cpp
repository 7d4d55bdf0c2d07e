#include "geometry/P2DLine.h"

int CP2DLine::ClassifyRay(const C2DPoint& t, float& crossX) const
{
    const C2DPoint& a = *m_pFirst;
    const C2DPoint& b = *m_pSecond;
    const float tx = t.m_x;
    const float ty = t.m_y;
    if (a.m_x < tx && b.m_x < tx)
        return 5;
    if (a.m_y > ty && b.m_y > ty)
        return 5;
    if (a.m_y < ty && b.m_y < ty)
        return 5;
    if (a.m_y == ty) {
        if (b.m_y == ty)
            return 1;
        if (a.m_x >= tx) {
            crossX = a.m_x;
            return 2;
        }
        return 5;
    }
    if (b.m_y == ty) {
        if (b.m_x >= tx) {
            crossX = b.m_x;
            return 3;
        }
        return 5;
    }
    const float da = a.m_y - ty;
    const float db = b.m_y - ty;
    if (da * db >= 0.0f)
        return 0;
    const float dx = b.m_x - a.m_x;
    const float num = ty - a.m_y;
    const float den = b.m_y - a.m_y;
    const float prod = dx * num;
    const float quot = prod / den;
    const float x = a.m_x + quot;
    if (x >= tx) {
        crossX = x;
        return 4;
    }
    return 5;
}
