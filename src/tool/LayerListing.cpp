#include "tool/LayerListing.h"

#include "layer/Slice.h"
#include "tool/ToolSupport.h"

#include <cstdio>

CLayerFigures FiguresOf(int index, float z, const CSlice* layer)
{
    CLayerFigures f;
    f.index = index;
    f.z = layer ? layer->m_fHeight : z;
    if (!layer)
        return f;
    f.contours = layer->m_loops.size();
    f.outer = layer->m_outerLoops.size();
    f.holes = layer->m_innerLoops.size();
    for (const auto& loop : layer->m_loops)
        f.points += loop->m_points.size();
    f.hatches = layer->m_hatches.size();
    for (const CHatch& h : layer->m_hatches)
        f.vectors += h.m_vectors.size();
    return f;
}

void PrintLayerListStart(bool json)
{
    if (json)
        std::printf(", \"layer\": [");
    else
        std::printf("\n layer          z  contours  outer  holes   points  hatches  vectors\n");
}

void PrintLayer(const CLayerFigures& f, bool json)
{
    if (json) {
        std::printf("%s\n  {\"index\": %d, \"z\": %s, \"contours\": %zu, \"outer\": %zu, \"holes\": %zu, "
                    "\"points\": %zu, \"hatches\": %zu, \"vectors\": %zu}",
                    f.index == 1 ? "" : ",", f.index, JsonNumber(f.z).c_str(), f.contours, f.outer, f.holes,
                    f.points, f.hatches, f.vectors);
        return;
    }
    std::printf("%6d %10s %9zu %6zu %6zu %8zu %8zu %8zu\n", f.index, FormatNumber(f.z).c_str(), f.contours,
                f.outer, f.holes, f.points, f.hatches, f.vectors);
}

void PrintLayerListEnd(bool json, int count)
{
    if (json)
        std::printf("%s]", count ? "\n" : "");
}
