#pragma once
#include "geometry/2DLine.h"
#include "geometry/2DPoint.h"

#include <cstdint>
#include <vector>

class CByteStream;

// One record of a tagged layer block: its tag and its polyline.
struct SpfRecord {
    std::uint16_t tag = 0;
    std::uint32_t count = 0;           // the point count the record announces
    std::vector<C2DPoint> points;      // the points actually present (fewer when cut off)
};

enum class SpfBlockStatus {
    Complete,    // the block ended with its end word
    NotABlock,   // the offset does not hold a layer start word
    Truncated    // the file ended inside the block
};

// Reads the tagged layer block at offset: the start word, the thickness
// (inches, returned in thicknessInch), then records up to the end word.
// Words other than the two record tags are skipped one by one. Points are
// read one at a time, so a record that announces more points than the file
// holds costs no more memory than the file itself.
SpfBlockStatus ReadTaggedBlock(CByteStream& stream, std::int64_t offset, std::vector<SpfRecord>& records,
                               float* thicknessInch = nullptr);

// Reads the vectors of a fixed-layout layer block: vectorBytes / 8 vectors of
// four scaled words, never past the end of the file.
SpfBlockStatus ReadFixedBlock(CByteStream& stream, std::int64_t offset, std::int64_t vectorBytes, float unit,
                              std::vector<C2DLine>& vectors);

// The lines a record's polyline makes: one from each point to the next.
void AppendRecordLines(const SpfRecord& record, std::vector<C2DLine>& lines);

// Writes one tagged record straight through: tag, point count, the points
// as normalised words. No point words when unit is below the tolerance.
bool WriteRecord(CByteStream& stream, std::uint16_t tag, const C2DPoint* points, std::uint32_t count,
                 float unit = 1.0f);
