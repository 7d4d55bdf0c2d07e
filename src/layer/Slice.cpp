#include "layer/Slice.h"

#include "layer/LoopBands.h"

#include "platform/Platform.h"
#include "platform/Texts.h"

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
    ComputeBoxes();
    ComputeCentre();
    CleanContours();
    DecideTypes();
    return NestContours(prompt);
}

void CSlice::CleanContours()
{
    for (auto& loop : m_loops) {
        loop->RemoveDuplicatePoints();
        loop->RemoveCollinearPoints();
    }
}

bool CSlice::TouchesLayerBox(const CSliceLoop& loop) const
{
    for (const C2DPoint& p : loop.m_points) {
        if (p.m_x == m_box.m_ptMin.m_x || p.m_x == m_box.m_ptMax.m_x || p.m_y == m_box.m_ptMin.m_y ||
            p.m_y == m_box.m_ptMax.m_y)
            return true;
    }
    return false;
}

void CSlice::DecideTypes()
{
    std::vector<CSliceLoop*> all;
    all.reserve(m_loops.size());
    for (auto& loop : m_loops)
        all.push_back(loop.get());
    CLoopBands bands(all);
    for (CSliceLoop* loop : all) {
        if (loop->m_nType != LOOP_UNDECIDED)
            continue;
        // A contour that reaches the edge of the layer's extent cannot lie
        // inside another contour.
        if (TouchesLayerBox(*loop)) {
            loop->m_nType = LOOP_OUTER;
            continue;
        }
        // Otherwise the parity of the contours around its test point decides;
        // only contours whose box can hold the point can add a crossing.
        loop->ChooseTestPoint();
        int crossings = 0;
        for (std::uint32_t i : bands.Candidates(loop->m_ptTest)) {
            if (all[i] == loop)
                continue;
            float nearest = NEAREST_NONE;
            crossings += all[i]->CountCrossings(loop->m_ptTest, nearest);
        }
        loop->m_nType = (crossings % 2 == 0) ? LOOP_OUTER : LOOP_INNER;
    }
}

void CSlice::FindEnclosingOuter(CSliceLoop& inner, CLoopBands& outerBands)
{
    // Candidates come in m_outerLoops order, so on a tie the earlier contour wins.
    float best = NEAREST_NONE;
    for (std::uint32_t i : outerBands.Candidates(inner.m_ptTest)) {
        CSliceLoop* outer = m_outerLoops[i];
        float nearest = NEAREST_NONE;
        if (outer->IsInside(inner.m_ptTest, nearest) && nearest < best) {
            inner.m_related.assign(1, outer);
            best = nearest;
        }
    }
}

int CSlice::AttachHoles(CSliceLoop& outer, PromptState& prompt)
{
    if (m_innerLoops.empty())
        return 1;
    bool goOn = (prompt == PROMPT_GO_ON);
    for (CSliceLoop* inner : m_innerLoops) {
        if (inner->m_related.empty()) {
            if (goOn)
                continue;
            // The user already chose to stop this pass: the answer stands.
            if (prompt == PROMPT_STOP)
                return 2;
            const MsgAnswer answer =
                ShowMessage(Tr("TopologyQuestion"), Tr(5002), MsgIcon::Warning, MsgButtons::YesNo);
            if (answer != MsgAnswer::Yes) {
                prompt = PROMPT_STOP;
                return 2;
            }
            prompt = PROMPT_GO_ON;
            goOn = true;
            continue;
        }
        if (inner->m_related.front() == &outer)
            outer.m_related.push_back(inner);
    }
    return goOn ? 3 : 1;
}

int CSlice::NestContours(PromptState& prompt)
{
    if (m_loops.empty())
        return 0;
    m_outerLoops.clear();
    m_innerLoops.clear();
    for (auto& loop : m_loops) {
        // Links from an earlier nesting of the same layer would attach holes twice.
        loop->m_related.clear();
        loop->ChooseTestPoint();
        if (loop->m_nType == LOOP_OUTER)
            m_outerLoops.push_back(loop.get());
        else if (loop->m_nType == LOOP_INNER)
            m_innerLoops.push_back(loop.get());
    }
    CLoopBands outerBands(m_outerLoops);
    for (CSliceLoop* inner : m_innerLoops)
        FindEnclosingOuter(*inner, outerBands);
    if (m_outerLoops.empty())
        return prompt == PROMPT_STOP ? 2 : prompt == PROMPT_GO_ON ? 3 : 0;

    // The first outer contour meets every hole that no outer contour encloses
    // and asks about it; once that is settled, every other outer contour only
    // takes its own holes, which one walk over the holes hands out in order.
    CSliceLoop* first = m_outerLoops.front();
    if (AttachHoles(*first, prompt) == 2)
        return 2;
    for (CSliceLoop* inner : m_innerLoops) {
        if (!inner->m_related.empty() && inner->m_related.front() != first)
            inner->m_related.front()->m_related.push_back(inner);
    }
    if (prompt == PROMPT_STOP)
        return 2;
    if (prompt == PROMPT_GO_ON)
        return 3;
    return 1;
}
