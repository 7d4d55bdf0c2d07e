#pragma once
#include "geometry/2DBox.h"
#include "geometry/2DPoint.h"
#include "geometry/P2DLine.h"
#include "platform/DrawSurface.h"

#include <cstdint>
#include <vector>

class CByteStream;

// Contour types. A CLI polyline's direction value is kept as read; any value
// other than these three takes no part in nesting or hatching.
enum : std::uint16_t { LOOP_INNER = 0, LOOP_OUTER = 1, LOOP_UNDECIDED = 2 };

// One closed contour; the closing edge from the last point back to the first
// is implicit.
class CSliceLoop {
public:
    CSliceLoop() = default;
    CSliceLoop(const CSliceLoop&) = delete;
    CSliceLoop& operator=(const CSliceLoop&) = delete;
    ~CSliceLoop() { ClearLoop(); }

    // Deletes points and edges, forgets related contours; m_nPointCount stays.
    void ClearLoop();
    void ComputeLoopBox();
    void TranslateLoop(float x, float y);
    // Outer contours in the given colour, every other type in grey; the
    // closing edge is drawn first.
    void DrawLoop(IDrawSurface& surface, int w, int h, Colour colour, float zoom, float ox, float oy) const;
    // Contour segments: mode 1 as records 302 (count 2) with the closing
    // segment; other modes plain words without it. Returns the segments written.
    int WriteSegments(CByteStream& stream, float scale, int mode) const;

    // Contour topology (clean-up, test point, ray test).
    void RemoveDuplicatePoints();
    void RemoveCollinearPoints();
    void ChooseTestPoint();
    void BuildEdges();
    // Crossings of the ray from t in +x with this contour's boundary, and the
    // x of the nearest crossing (NEAREST_NONE when none).
    int CountCrossings(const C2DPoint& t, float& nearestX);
    bool IsInside(const C2DPoint& t, float& nearestX);

    std::uint16_t m_nType = LOOP_UNDECIDED;
    std::vector<C2DPoint> m_points;   // owned, file order
    std::vector<CP2DLine> m_edges;    // working list referring into m_points
    std::int32_t m_nPointCount = 0;
    C2DBox m_box;
    C2DPoint m_ptTest;
    std::vector<CSliceLoop*> m_related;   // hole: its enclosing outer contour; outer: its holes
};

inline constexpr float NEAREST_NONE = 99999.0f;
