#include "cli/CliLayerIo.h"

#include "geometry/Tolerance.h"
#include "io/ByteStream.h"

#include <cmath>
#include <memory>

namespace {
float UsableUnits(float units) { return units > GEOM_TOLERANCE ? units : 1.0f; }
} // namespace

std::uint16_t ToCliWord(float fileUnits)
{
    const double t = std::trunc(static_cast<double>(fileUnits));
    if (!(t == t))
        return 0;
    if (t >= 9.0e15 || t <= -9.0e15)
        return 0;
    const auto wide = static_cast<std::int64_t>(t);
    return static_cast<std::uint16_t>(static_cast<std::uint64_t>(wide) & 0xFFFFu);
}

bool ReadCliPolyline(CSlice& layer, CCliCommandReader& reader, int code, float units)
{
    CCliRecordHead head;
    if (!reader.ReadRecordHead(code, head))
        return false;
    auto loop = std::make_unique<CSliceLoop>();
    loop->m_nType = static_cast<std::uint16_t>(head.dir & 0xFFFFu);
    // The count was checked against the bytes left, so reserving is bounded by the file.
    if (!reader.IsText())
        loop->m_points.reserve(static_cast<std::size_t>(head.count));
    bool finite = true;
    const bool ok = reader.ReadPoints(code, head.count, [&](float x, float y) {
        const float mx = x * units;
        const float my = y * units;
        finite = finite && std::isfinite(mx) && std::isfinite(my);
        loop->m_points.emplace_back(mx, my);
    });
    reader.EndRecord();
    if (!ok || !finite)
        return false;
    loop->m_nPointCount = static_cast<std::int32_t>(loop->m_points.size());
    layer.m_loops.push_back(std::move(loop));
    return true;
}

bool ReadCliHatches(CSlice& layer, CCliCommandReader& reader, int code, float units)
{
    CCliRecordHead head;
    if (!reader.ReadRecordHead(code, head))
        return false;
    CHatch hatch;
    hatch.m_nId = head.id;
    hatch.m_nCount = static_cast<std::uint32_t>(head.count);
    if (!reader.IsText())
        hatch.m_vectors.reserve(static_cast<std::size_t>(head.count));
    bool finite = true;
    bool start = true;
    float sx = 0, sy = 0;
    const bool ok = reader.ReadPoints(code, head.count, [&](float x, float y) {
        const float mx = x * units;
        const float my = y * units;
        finite = finite && std::isfinite(mx) && std::isfinite(my);
        if (start) {
            sx = mx;
            sy = my;
        } else {
            hatch.m_vectors.emplace_back(sx, sy, mx, my);
        }
        start = !start;
    });
    reader.EndRecord();
    if (!ok || !finite)
        return false;
    layer.m_hatches.push_back(std::move(hatch));
    return true;
}

void ReadCliLayerRecords(CSlice& layer, CCliCommandReader& reader, int firstCode, float units)
{
    int code = firstCode;
    while (IsCliRecord(code)) {
        if (IsCliPolyline(code))
            ReadCliPolyline(layer, reader, code, units);
        else
            ReadCliHatches(layer, reader, code, units);
        code = reader.ReadCode();
        if (IsCliLayerStart(code))
            reader.PushBack();
        // Any other code ends the layer and stays consumed.
    }
    layer.m_nLoopCount = static_cast<std::int32_t>(layer.m_loops.size());
    layer.m_nHatchCount = static_cast<std::int32_t>(layer.m_hatches.size());
}

int ReadCliLayer(CSlice& layer, CCliCommandReader& reader, int startCode, float units, PromptState& prompt,
                 bool* zRead)
{
    float z = 0;
    const bool haveZ = reader.ReadZ(startCode, z);
    if (haveZ)
        layer.m_fHeight = z * units;
    if (zRead)
        *zRead = haveZ;
    const int code = reader.ReadCode();
    if (!IsCliRecord(code)) {
        if (code != CLI_END)
            reader.PushBack();
        layer.m_nLoopCount = static_cast<std::int32_t>(layer.m_loops.size());
        layer.m_nHatchCount = static_cast<std::int32_t>(layer.m_hatches.size());
        return 0;
    }
    ReadCliLayerRecords(layer, reader, code, units);
    return layer.BuildTopology(prompt);
}

bool WriteCliLayerStart(CByteStream& out, int kind, float height, float units)
{
    units = UsableUnits(units);
    if (kind == CLI_KIND_LONG)
        return out.WriteU16(CLI_LAYER_LONG) && out.WriteF32(height / units);
    if (kind == CLI_KIND_SHORT)
        return out.WriteU16(CLI_LAYER_SHORT) && out.WriteU16(ToCliWord(height / units));
    return false;
}

bool WriteCliPolyline(const CSliceLoop& loop, CByteStream& out, int kind, float units)
{
    if (loop.m_points.empty() || (kind != CLI_KIND_LONG && kind != CLI_KIND_SHORT))
        return false;
    units = UsableUnits(units);
    // The count written is the number of points that follow, so the record
    // always holds what it announces. The short form counts in 16 bits: a
    // contour with more points goes in the long form.
    const std::size_t count = loop.m_points.size();
    if (kind == CLI_KIND_SHORT && count <= 0xFFFF) {
        bool ok = out.WriteU16(CLI_POLYLINE_SHORT) && out.WriteU16(1) && out.WriteU16(loop.m_nType) &&
                  out.WriteU16(static_cast<std::uint16_t>(count));
        for (const C2DPoint& p : loop.m_points)
            ok = ok && out.WriteU16(ToCliWord(p.m_x / units)) && out.WriteU16(ToCliWord(p.m_y / units));
        return ok;
    }
    if (count > 0x7FFFFFFF)
        return false;
    bool ok = out.WriteU16(CLI_POLYLINE_LONG) && out.WriteI32(1) && out.WriteI32(loop.m_nType) &&
              out.WriteI32(static_cast<std::int32_t>(count));
    for (const C2DPoint& p : loop.m_points)
        ok = ok && out.WriteF32(p.m_x / units) && out.WriteF32(p.m_y / units);
    return ok;
}

bool WriteCliLayer(const CSlice& layer, CByteStream& out, int kind, float units)
{
    if (layer.m_loops.empty())
        return false;
    if (kind != CLI_KIND_LONG && kind != CLI_KIND_SHORT)
        return true;
    out.SeekToEnd();
    bool ok = WriteCliLayerStart(out, kind, layer.m_fHeight, units);
    for (const auto& loop : layer.m_loops)
        if (!loop->m_points.empty())
            ok = WriteCliPolyline(*loop, out, kind, units) && ok;
    return ok;
}
