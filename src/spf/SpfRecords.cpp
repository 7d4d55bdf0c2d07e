#include "spf/SpfRecords.h"

#include "io/ByteStream.h"
#include "geometry/Tolerance.h"
#include "spf/SpfFormat.h"

#include <algorithm>

SpfBlockStatus ReadTaggedBlock(CByteStream& stream, std::int64_t offset, std::vector<SpfRecord>& records,
                               float* thicknessInch)
{
    if (offset < 0 || offset > stream.Size() || !stream.Seek(offset))
        return SpfBlockStatus::NotABlock;
    std::uint16_t word = 0;
    if (!stream.ReadU16(word) || word != SPF_LAYER_START)
        return SpfBlockStatus::NotABlock;
    float thickness = 0.0f;
    if (!stream.ReadF32(thickness))
        return SpfBlockStatus::Truncated;
    if (thicknessInch)
        *thicknessInch = thickness;
    for (;;) {
        if (!stream.ReadU16(word))
            return SpfBlockStatus::Truncated;
        if (word == SPF_LAYER_END)
            return SpfBlockStatus::Complete;
        if (word != SPF_RECORD_HATCH && word != SPF_RECORD_CONTOUR)
            continue;   // an unknown word is skipped on its own
        SpfRecord record;
        record.tag = word;
        if (!stream.ReadU32(record.count))
            return SpfBlockStatus::Truncated;
        // Reserve only what the bytes left can hold.
        const std::int64_t fits = stream.Remaining() / 4;
        record.points.reserve(static_cast<std::size_t>(std::min<std::int64_t>(record.count, fits)));
        for (std::uint32_t i = 0; i < record.count; ++i) {
            C2DPoint p;
            if (!p.ReadWords(stream, 1.0f, 1)) {
                records.push_back(std::move(record));
                return SpfBlockStatus::Truncated;
            }
            record.points.push_back(p);
        }
        records.push_back(std::move(record));
    }
}

SpfBlockStatus ReadFixedBlock(CByteStream& stream, std::int64_t offset, std::int64_t vectorBytes, float unit,
                              std::vector<C2DLine>& vectors)
{
    if (offset < 0 || offset > stream.Size() || !stream.Seek(offset))
        return SpfBlockStatus::NotABlock;
    if (vectorBytes < 0)
        vectorBytes = 0;
    const std::int64_t available = stream.Remaining();
    const bool cut = vectorBytes > available;
    const std::int64_t count = std::min(vectorBytes, available) / 8;
    vectors.reserve(vectors.size() + static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) {
        C2DLine line;
        if (!line.ReadWords(stream, unit, 0))
            return SpfBlockStatus::Truncated;
        vectors.push_back(line);
    }
    return cut ? SpfBlockStatus::Truncated : SpfBlockStatus::Complete;
}

void AppendRecordLines(const SpfRecord& record, std::vector<C2DLine>& lines)
{
    for (std::size_t i = 1; i < record.points.size(); ++i) {
        C2DLine line;
        line.m_ptStart = record.points[i - 1];
        line.m_ptEnd = record.points[i];
        lines.push_back(line);
    }
}

bool WriteRecord(CByteStream& stream, std::uint16_t tag, const C2DPoint* points, std::uint32_t count, float unit)
{
    if (!stream.WriteU16(tag) || !stream.WriteU32(count))
        return false;
    if (unit < GEOM_TOLERANCE)
        return true;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint16_t words[2] = {EncodeWordX(points[i].m_x, unit, 1), EncodeWordY(points[i].m_y, unit, 1)};
        if (!stream.Write(words, sizeof words))
            return false;
    }
    return true;
}
