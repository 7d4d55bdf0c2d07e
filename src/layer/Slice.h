#pragma once
#include "geometry/2DBox.h"
#include "geometry/3DPoint.h"
#include "layer/Hatch.h"
#include "layer/SliceLoop.h"
#include "platform/DrawSurface.h"

#include <cstdint>
#include <memory>
#include <vector>

class CByteStream;
class CLoopBands;

// The answer to the topology question, remembered for one pass over a file:
// 2 stop, 3 go on without asking, anything else ask (callers start with 1).
using PromptState = std::int32_t;
inline constexpr PromptState PROMPT_ASK = 1;
inline constexpr PromptState PROMPT_STOP = 2;
inline constexpr PromptState PROMPT_GO_ON = 3;

// One layer of a sliced part.
class CSlice {
public:
    CSlice() = default;
    CSlice(const CSlice&) = delete;
    CSlice& operator=(const CSlice&) = delete;
    ~CSlice() { ClearLayer(); }

    // Deletes contours and hatch records and empties the outer/inner lists;
    // box, centre, height and counts stay.
    void ClearLayer();
    void ComputeBoxes();
    void ComputeCentre();
    void TranslateLayer(const C3DPoint& offset);
    void DrawContours(IDrawSurface& surface, int w, int h, Colour colour, float zoom, float ox, float oy) const;
    int WriteContours(CByteStream& stream, float scale, int mode) const;
    int WriteHatches(CByteStream& stream, float scale, int mode) const;

    // Clean-up, type decision and nesting: 0 no contour or no outer contour,
    // 1 built, 2 the user chose to stop, 3 the user chose to go on after a
    // topology error (now or earlier in the pass).
    int BuildTopology(PromptState& prompt);
    void CleanContours();
    void DecideTypes();
    int NestContours(PromptState& prompt);
    bool TouchesLayerBox(const CSliceLoop& loop) const;

    // Appends a new contour and returns it.
    CSliceLoop& AddLoop();

    float m_fThickness = 0.0f;
    float m_fHeight = 0.0f;
    std::int32_t m_nLoopCount = 0;
    std::vector<std::unique_ptr<CSliceLoop>> m_loops;   // owned, file order
    std::vector<CSliceLoop*> m_outerLoops;               // type 1, m_loops order
    std::vector<CSliceLoop*> m_innerLoops;               // type 0, m_loops order
    C2DBox m_box;
    C3DPoint m_ptCentre;
    std::int32_t m_nHatchCount = 0;
    std::vector<CHatch> m_hatches;                       // file order

private:
    // Links a hole to the enclosing outer contour whose boundary lies nearest
    // to the right of the hole's test point.
    void FindEnclosingOuter(CSliceLoop& inner, CLoopBands& outerBands);
    // Appends to the outer contour the holes linked to it; asks once per pass
    // about a hole that no outer contour encloses. 1 done, 2 stop, 3 go on.
    // Run on the first outer contour; the others get their holes in one walk.
    int AttachHoles(CSliceLoop& outer, PromptState& prompt);
};
