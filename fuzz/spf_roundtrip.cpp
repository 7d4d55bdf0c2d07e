// Round trip: any layer the scan engine hatches and orders, written as a
// machine-file layer and read back, gives the planned vectors within one
// coordinate word, in order (with the one-hatch-space steps between the
// vectors of a connected record).
#include "io/MemoryStream.h"
#include "layer/Slice.h"
#include "platform/Platform.h"
#include "scan/Scan.h"
#include "scan/ScanContext.h"
#include "spf/SpfDataDoc.h"
#include "spf/SpfWriter.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {
constexpr float kWord = 2000.0f / 65535.0f * 1.001f;

bool Near(const C2DPoint& a, const C2DPoint& b)
{
    return std::fabs(a.m_x - b.m_x) <= kWord && std::fabs(a.m_y - b.m_y) <= kWord;
}
bool Near(const C2DLine& a, const C2DLine& b) { return Near(a.m_ptStart, b.m_ptStart) && Near(a.m_ptEnd, b.m_ptEnd); }

struct Bytes {
    const std::uint8_t* p;
    std::size_t n;
    std::uint8_t U8() { return n ? (--n, *p++) : 0; }
    std::uint16_t U16() { return static_cast<std::uint16_t>(U8() | U8() << 8); }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes in{data, size};
    CScanContext ctx;
    ctx.m_orientation = in.U8() % 3;
    const int strategy = 1 + in.U8() % 4;
    const int connect = in.U8() & 1;
    ctx.m_hatchSpace = 0.1f + 0.05f * static_cast<float>(in.U8() % 64);
    ctx.m_nFileKind = 2;

    CSlice layer;
    layer.m_fHeight = 0.1f;
    const int loops = 1 + in.U8() % 4;
    for (int l = 0; l < loops && in.n >= 12; ++l) {
        CSliceLoop& loop = layer.AddLoop();
        const int points = 3 + in.U8() % 38;
        for (int i = 0; i < points && in.n >= 4; ++i) {
            const float x = 1.0f + static_cast<float>(in.U16()) * (200.0f / 65535.0f);
            const float y = 1.0f + static_cast<float>(in.U16()) * (200.0f / 65535.0f);
            loop.m_points.emplace_back(x, y);
        }
        loop.m_nPointCount = static_cast<std::int32_t>(loop.m_points.size());
    }
    layer.m_nLoopCount = static_cast<std::int32_t>(layer.m_loops.size());
    PromptState prompt = PROMPT_GO_ON;
    layer.BuildTopology(prompt);
    ctx.m_slices = {&layer};
    CScan::HatchLayer(ctx);
    CScan::OrderLayer(ctx, strategy);
    if (ctx.m_planes.empty())
        return 0;
    std::vector<C2DLine> path;
    for (const CPlanePath& pp : ctx.m_planes.front().m_paths)
        path.insert(path.end(), pp.m_scanPath.begin(), pp.m_scanPath.end());

    CMemoryStream file;
    CSpfDataDoc out;
    out.m_taggedLayout = 1;
    out.m_nLayerCount = 1;
    out.m_thickness = 0.1f;
    out.m_unitX = out.m_unitY = ctx.m_hatchSpace;
    if (!out.WriteHeader(file))
        __builtin_trap();
    CSpfWriter writer(file, true, out.m_countOffset);
    if (!writer.BeginIndex(1) || !writer.BeginLayer(0.1f))
        __builtin_trap();
    ctx.m_planes.front().WritePaths(file, connect, ctx.m_hatchSpace, 1);
    if (!writer.EndLayer() || !writer.Finish())
        __builtin_trap();

    CSpfDataDoc back;
    if (!back.ReadHeader(file) || !back.LoadLayer(file, 1) || back.m_planes.size() != 1)
        __builtin_trap();
    const std::vector<C2DLine>& lines = back.m_planes.front().m_paths.front().m_vectors;
    std::size_t at = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (i > 0 && connect == 1 && at < lines.size() && !Near(lines[at], path[i])) {
            // A connected step from the previous vector's end to this one's start.
            const C2DLine step(path[i - 1].m_ptEnd.m_x, path[i - 1].m_ptEnd.m_y, path[i].m_ptStart.m_x,
                               path[i].m_ptStart.m_y);
            if (!Near(lines[at], step))
                __builtin_trap();
            ++at;
        }
        if (at >= lines.size() || !Near(lines[at], path[i]))
            __builtin_trap();
        ++at;
    }
    if (at != lines.size())
        __builtin_trap();
    return 0;
}
