#include "layer/LoopBands.h"

#include "layer/SliceLoop.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kMaxBands = 1024;
// A contour over more bands than this is kept in the list tried every time,
// which bounds the index at this many entries per contour.
constexpr int kWideSpan = 8;

bool HasNaN(const C2DBox& box)
{
    return std::isnan(box.m_ptMin.m_x) || std::isnan(box.m_ptMin.m_y) || std::isnan(box.m_ptMax.m_x) ||
           std::isnan(box.m_ptMax.m_y);
}
} // namespace

CLoopBands::CLoopBands(const std::vector<CSliceLoop*>& loops)
{
    double y0 = HUGE_VAL, y1 = -HUGE_VAL;
    for (const CSliceLoop* loop : loops) {
        if (HasNaN(loop->m_box) || loop->m_box.m_ptMin.m_y > loop->m_box.m_ptMax.m_y)
            continue;
        y0 = std::min(y0, static_cast<double>(loop->m_box.m_ptMin.m_y));
        y1 = std::max(y1, static_cast<double>(loop->m_box.m_ptMax.m_y));
    }
    const double span = y1 - y0;
    if (std::isfinite(span) && span > 0.0) {
        m_bands = static_cast<int>(std::clamp<std::size_t>(loops.size() / 2, 1, kMaxBands));
        m_y0 = y0;
        m_scale = m_bands / span;
    }

    // Counting pass, then filling pass: the items of a band stay in loop order.
    std::vector<int> first(loops.size(), -1), last(loops.size(), -1);
    m_start.assign(static_cast<std::size_t>(m_bands) + 1, 0);
    for (std::size_t i = 0; i < loops.size(); ++i) {
        const C2DBox& box = loops[i]->m_box;
        if (HasNaN(box) || box.m_ptMin.m_y > box.m_ptMax.m_y)
            continue;
        first[i] = Band(box.m_ptMin.m_y);
        last[i] = Band(box.m_ptMax.m_y);
        if (last[i] - first[i] >= kWideSpan) {
            m_wide.push_back(static_cast<std::uint32_t>(i));
            continue;
        }
        for (int b = first[i]; b <= last[i]; ++b)
            ++m_start[static_cast<std::size_t>(b) + 1];
    }
    for (int b = 0; b < m_bands; ++b)
        m_start[static_cast<std::size_t>(b) + 1] += m_start[static_cast<std::size_t>(b)];
    m_items.resize(m_start.back());
    std::vector<std::uint32_t> fill(m_start.begin(), m_start.end() - 1);
    for (std::size_t i = 0; i < loops.size(); ++i) {
        if (first[i] < 0 || last[i] - first[i] >= kWideSpan)
            continue;
        for (int b = first[i]; b <= last[i]; ++b)
            m_items[fill[static_cast<std::size_t>(b)]++] = static_cast<std::uint32_t>(i);
    }
}

int CLoopBands::Band(double y) const
{
    if (m_bands == 1)
        return 0;
    const double b = std::floor((y - m_y0) * m_scale);
    if (!(b > 0.0))
        return 0;
    if (b >= m_bands - 1)
        return m_bands - 1;
    return static_cast<int>(b);
}

const std::vector<std::uint32_t>& CLoopBands::Candidates(const C2DPoint& t)
{
    m_result.clear();
    if (std::isnan(t.m_y))
        return m_result;
    const int b = Band(t.m_y);
    const std::uint32_t* a = m_items.data() + m_start[static_cast<std::size_t>(b)];
    const std::uint32_t* aEnd = m_items.data() + m_start[static_cast<std::size_t>(b) + 1];
    m_result.resize(static_cast<std::size_t>(aEnd - a) + m_wide.size());
    std::merge(a, aEnd, m_wide.begin(), m_wide.end(), m_result.begin());
    return m_result;
}
