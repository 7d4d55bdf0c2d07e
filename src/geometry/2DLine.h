#pragma once
#include "geometry/2DPoint.h"
#include "platform/DrawSurface.h"

class CByteStream;

// A line segment: hatch vectors, scan vectors and every segment written to
// the machine file.
class C2DLine {
public:
    C2DLine() = default;
    C2DLine(float x1, float y1, float x2, float y2) : m_ptStart(x1, y1), m_ptEnd(x2, y2) {}

    void SetLine(float x1, float y1, float x2, float y2)
    {
        m_ptStart.SetPoint(x1, y1);
        m_ptEnd.SetPoint(x2, y2);
    }
    // 1 when the start is nearer p (ties go to the start), else 2; the distance is reported.
    int NearestEnd(const C2DPoint& p, float& distance) const;
    // Draws the segment with a solid 1-pixel pen; pause 1 then waits 10 ms.
    void DrawLine(IDrawSurface& surface, int pause, int w, int h, Colour colour, float zoom, float ox,
                  float oy) const;
    // Four 16-bit words start.x, start.y, end.x, end.y; false (nothing written) when scale < tolerance.
    bool WriteWords(CByteStream& stream, float scale, int mode) const;
    bool ReadWords(CByteStream& stream, float scale, int mode);

    bool operator==(const C2DLine&) const = default;

    C2DPoint m_ptStart;
    C2DPoint m_ptEnd;
};
