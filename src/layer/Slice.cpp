#include "layer/Slice.h"

#include <algorithm>

void CSlice::ClearLayer()
{
    m_outerLoops.clear();
    m_innerLoops.clear();
    m_loops.clear();
    m_hatches.clear();
}

CSliceLoop& CSlice::AddLoop()
{
    m_loops.push_back(std::make_unique<CSliceLoop>());
    return *m_loops.back();
}

void CSlice::ComputeBoxes()
{
    m_box.ResetBox();
    for (const auto& loop : m_loops) {
        loop->ComputeLoopBox();
        m_box.m_ptMax.m_x = std::max(m_box.m_ptMax.m_x, loop->m_box.m_ptMax.m_x);
        m_box.m_ptMax.m_y = std::max(m_box.m_ptMax.m_y, loop->m_box.m_ptMax.m_y);
        m_box.m_ptMin.m_x = std::min(m_box.m_ptMin.m_x, loop->m_box.m_ptMin.m_x);
        m_box.m_ptMin.m_y = std::min(m_box.m_ptMin.m_y, loop->m_box.m_ptMin.m_y);
    }
}

void CSlice::ComputeCentre()
{
    m_ptCentre.m_x = (m_box.m_ptMax.m_x + m_box.m_ptMin.m_x) / 2;
    m_ptCentre.m_y = (m_box.m_ptMax.m_y + m_box.m_ptMin.m_y) / 2;
    m_ptCentre.m_z = m_fHeight;
}

void CSlice::TranslateLayer(const C3DPoint& offset)
{
    m_fHeight -= offset.m_z;
    m_box.m_ptMin.m_x -= offset.m_x;
    m_box.m_ptMin.m_y -= offset.m_y;
    m_box.m_ptMax.m_x -= offset.m_x;
    m_box.m_ptMax.m_y -= offset.m_y;
    m_ptCentre.m_x -= offset.m_x;
    m_ptCentre.m_y -= offset.m_y;
    m_ptCentre.m_z -= offset.m_z;
    for (auto& loop : m_loops)
        loop->TranslateLoop(offset.m_x, offset.m_y);
}

void CSlice::DrawContours(IDrawSurface& surface, int w, int h, Colour colour, float zoom, float ox, float oy) const
{
    for (const auto& loop : m_loops)
        loop->DrawLoop(surface, w, h, colour, zoom, ox, oy);
}

int CSlice::WriteContours(CByteStream& stream, float scale, int mode) const
{
    int total = 0;
    for (const auto& loop : m_loops)
        total += loop->WriteSegments(stream, scale, mode);
    return total;
}

int CSlice::WriteHatches(CByteStream& stream, float scale, int mode) const
{
    int total = 0;
    for (const CHatch& hatch : m_hatches)
        total += hatch.WriteHatchVectors(stream, scale, mode);
    return total;
}

int CSlice::BuildTopology(PromptState& prompt)
{
    // Placeholder until the nesting lands: boxes only.
    (void)prompt;
    ComputeBoxes();
    ComputeCentre();
    return 0;
}
