#include "spf/SpfDataDoc.h"

#include "geometry/2DPoint.h"
#include "io/ByteStream.h"
#include "io/FileStream.h"
#include "platform/Platform.h"
#include "spf/SpfFormat.h"
#include "spf/SpfRecords.h"

#include <cmath>

std::uint16_t TruncToU16(double v)
{
    if (!(v > -2147483648.0 && v < 2147483648.0))
        return 0;
    return static_cast<std::uint16_t>(static_cast<long long>(v) & 0xFFFF);
}

std::uint16_t BoundToWord(std::uint16_t mm) { return EncodeWordX(static_cast<float>(mm), 1.0f, 1); }

SpfDate TodaysDate()
{
    int year = 0, month = 0, day = 0;
    Clock().Today(year, month, day);
    SpfDate date;
    date.year = static_cast<std::uint16_t>(year);
    date.month = static_cast<std::uint8_t>(month);
    date.day = static_cast<std::uint8_t>(day);
    return date;
}

CSpfDataDoc::CSpfDataDoc() = default;

CSpfDataDoc::~CSpfDataDoc() { ClearPlanes(); }

void CSpfDataDoc::SetDefaults()
{
    m_magic = SPF_MAGIC;
    m_version = 1;
    m_signature = "QRB";
    m_nLayerCount = 0;
    m_thickness = 1.0f;
    m_unitX = m_unitY = 0.15f;
    m_date = TodaysDate();
    for (auto& b : m_reserved)
        b = 0;
    m_maxX = m_minX = m_maxY = m_minY = 0;
}

namespace {
bool WriteSignature(CByteStream& file, const std::string& signature)
{
    char bytes[5] = {0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < 3 && i < signature.size(); ++i)
        bytes[i] = signature[i];
    return file.Write(bytes, sizeof bytes);
}

bool WriteDate(CByteStream& file, const SpfDate& date)
{
    return file.WriteU16(date.year) && file.Write(&date.month, 1) && file.Write(&date.day, 1);
}

bool ReadDate(CByteStream& file, SpfDate& date)
{
    return file.ReadU16(date.year) && file.ReadExact(&date.month, 1) && file.ReadExact(&date.day, 1);
}

std::uint16_t CeilToU16(double v) { return TruncToU16(std::ceil(v)); }
} // namespace

bool CSpfDataDoc::WriteHeader(CByteStream& file)
{
    m_date = TodaysDate();
    if (!file.Seek(0))
        return false;
    if (m_taggedLayout == 1) {
        m_version = SPF_TAGGED_VERSION;
        return WriteTaggedHeader(file);
    }
    return WriteFixedHeader(file);
}

bool CSpfDataDoc::WriteTaggedHeader(CByteStream& file)
{
    bool ok = file.WriteU16(m_magic) && file.Write(&m_version, 1) && WriteSignature(file, m_signature) &&
              file.WriteU16(SPF_HEADER_START);
    ok = ok && file.WriteU16(SPF_TAG_LAYERS);
    m_countOffset = file.Tell();
    ok = ok && file.WriteU16(m_nLayerCount);
    ok = ok && file.WriteU16(SPF_TAG_THICKNESS) && file.WriteF32(m_thickness / SPF_MM_PER_INCH);
    ok = ok && file.WriteU16(SPF_TAG_UNIT_X) && file.WriteF32(m_unitX / SPF_MM_PER_INCH);
    ok = ok && file.WriteU16(SPF_TAG_UNIT_Y) && file.WriteF32(m_unitY / SPF_MM_PER_INCH);
    ok = ok && file.WriteU16(SPF_TAG_DATE) && WriteDate(file, m_date);
    m_boundsOffset = file.Tell() + 2;
    ok = ok && file.WriteU16(SPF_TAG_MAX_X) && file.WriteU16(BoundToWord(m_maxX));
    ok = ok && file.WriteU16(SPF_TAG_MIN_X) && file.WriteU16(BoundToWord(m_minX));
    ok = ok && file.WriteU16(SPF_TAG_MAX_Y) && file.WriteU16(BoundToWord(m_maxY));
    ok = ok && file.WriteU16(SPF_TAG_MIN_Y) && file.WriteU16(BoundToWord(m_minY));
    return ok && file.WriteU16(SPF_HEADER_END);
}

bool CSpfDataDoc::RewriteBounds(CByteStream& file) const
{
    if (m_taggedLayout != 1 || m_boundsOffset <= 0)
        return false;
    const std::int64_t back = file.Tell();
    // Fields 156 to 159, each a tag and its word.
    return file.Seek(m_boundsOffset) && file.WriteU16(BoundToWord(m_maxX)) && file.SeekRelative(2) &&
           file.WriteU16(BoundToWord(m_minX)) && file.SeekRelative(2) && file.WriteU16(BoundToWord(m_maxY)) &&
           file.SeekRelative(2) && file.WriteU16(BoundToWord(m_minY)) && file.Seek(back);
}

bool CSpfDataDoc::WriteFixedHeader(CByteStream& file)
{
    // Bounds in machine units; the machine Y axis points the other way, from
    // 5000 units above the part's origin.
    const float ux = m_unitX, uy = m_unitY;
    const std::uint16_t minX = TruncToU16(static_cast<float>(m_minX) / ux);
    const std::uint16_t maxYw = static_cast<std::uint16_t>(WORD_Y_BASE - CeilToU16(static_cast<float>(m_maxY) / uy));
    const std::uint16_t maxX = CeilToU16(static_cast<float>(m_maxX) / ux);
    const std::uint16_t minYw = static_cast<std::uint16_t>(WORD_Y_BASE - TruncToU16(static_cast<float>(m_minY) / uy));
    const unsigned char reserved24[24] = {};
    m_countOffset = SPF_FIXED_COUNT_OFFSET;
    return file.WriteU16(m_magic) && file.Write(&m_version, 1) && WriteSignature(file, m_signature) &&
           file.WriteU16(m_nLayerCount) && file.WriteF32(m_thickness / SPF_MM_PER_INCH) &&
           file.WriteF32(m_unitX / SPF_MM_PER_INCH) && file.WriteF32(m_unitY / SPF_MM_PER_INCH) &&
           WriteDate(file, m_date) && file.Write(m_reserved, sizeof m_reserved) && file.WriteU16(minX) &&
           file.WriteU16(maxYw) && file.WriteU16(maxX) && file.WriteU16(minYw) &&
           file.Write(reserved24, sizeof reserved24);
}

bool CSpfDataDoc::ReadTaggedFields(CByteStream& file)
{
    std::uint16_t word = 0;
    if (!file.ReadU16(word) || word != SPF_HEADER_START)
        return false;
    for (;;) {
        if (!file.ReadU16(word))
            return false;
        bool ok = true;
        switch (word) {
        case SPF_HEADER_END:
            m_indexStart = static_cast<std::uint32_t>(file.Tell());
            return true;
        case SPF_TAG_LAYERS: ok = file.ReadU16(m_nLayerCount); break;
        case SPF_TAG_THICKNESS: ok = file.ReadF32(m_thickness); break;
        case SPF_TAG_UNIT_X: ok = file.ReadF32(m_unitX); break;
        case SPF_TAG_UNIT_Y: ok = file.ReadF32(m_unitY); break;
        case SPF_TAG_DATE: ok = ReadDate(file, m_date); break;
        case SPF_TAG_MAX_X: ok = file.ReadU16(m_maxX); break;
        case SPF_TAG_MIN_X: ok = file.ReadU16(m_minX); break;
        case SPF_TAG_MAX_Y: ok = file.ReadU16(m_maxY); break;
        case SPF_TAG_MIN_Y: ok = file.ReadU16(m_minY); break;
        default: return false;
        }
        if (!ok)
            return false;
    }
}

bool CSpfDataDoc::ReadHeader(CByteStream& file)
{
    if (!file.Seek(0) || !file.ReadU16(m_magic) || !file.ReadExact(&m_version, 1) || !file.Seek(8))
        return false;
    if (IsTaggedVersion(m_version)) {
        m_taggedLayout = 1;
        if (!ReadTaggedFields(file))
            return false;
    } else {
        m_taggedLayout = 0;
        if (!file.ReadU16(m_nLayerCount) || !file.ReadF32(m_thickness) || !file.ReadF32(m_unitX) ||
            !file.ReadF32(m_unitY) || !ReadDate(file, m_date) || !file.Seek(32) || !file.ReadU16(m_minX) ||
            !file.ReadU16(m_maxY) || !file.ReadU16(m_maxX) || !file.ReadU16(m_minY))
            return false;
    }
    m_thickness *= SPF_MM_PER_INCH;
    m_unitX *= SPF_MM_PER_INCH;
    m_unitY *= SPF_MM_PER_INCH;
    m_hatchSpace = m_unitX > m_unitY ? m_unitX : m_unitY;

    if (m_version == 6 || m_version >= 8) {
        auto decode = [](std::uint16_t w) { return TruncToU16(DecodeWordX(w, 1.0f, 1)); };
        m_maxX = decode(m_maxX);
        m_minX = decode(m_minX);
        m_maxY = decode(m_maxY);
        m_minY = decode(m_minY);
    } else {
        const float ux = m_unitX, uy = m_unitY;
        const float minX = m_minX * ux;
        const float maxX = m_maxX * ux;
        const float maxY = static_cast<float>(WORD_Y_BASE - static_cast<int>(m_maxY)) * uy;
        const float minY = static_cast<float>(WORD_Y_BASE - static_cast<int>(m_minY)) * uy;
        m_minX = TruncToU16(minX);
        m_maxX = CeilToU16(maxX);
        m_maxY = CeilToU16(maxY);
        m_minY = TruncToU16(minY);
    }
    return true;
}

bool CSpfDataDoc::LocateLayer(CByteStream& file, std::uint32_t k, std::int64_t& offset,
                              std::int64_t& vectorBytes) const
{
    offset = 0;
    vectorBytes = 0;
    if (m_nLayerCount == 0 || k < 1 || k > m_nLayerCount)
        return false;
    const std::int64_t size = file.Size();
    std::uint32_t entry = 0;
    if (m_taggedLayout == 1) {
        const std::int64_t at = static_cast<std::int64_t>(m_indexStart) + 4 * static_cast<std::int64_t>(k - 1);
        if (at > size - 4 || !file.Seek(at) || !file.ReadU32(entry))
            return false;
        offset = entry;
        // A block starts after the whole index and holds at least its start
        // and end words; an entry that says otherwise (an index cut short by
        // an interrupted export) is refused.
        const std::int64_t firstBlock =
            static_cast<std::int64_t>(m_indexStart) + 4 * static_cast<std::int64_t>(m_nLayerCount) + 2;
        return offset >= firstBlock && offset <= size - 2;
    }
    const std::int64_t at = SPF_FIXED_INDEX_START + 4 * static_cast<std::int64_t>(k - 1);
    if (at > size - 4 || !file.Seek(at) || !file.ReadU32(entry))
        return false;
    offset = entry;
    // Blocks follow the header and the index (padded to 16 entries).
    const std::int64_t firstBlock =
        SPF_FIXED_INDEX_START + (static_cast<std::int64_t>(m_nLayerCount) + 15) / 16 * 64;
    if (offset < firstBlock || offset > size)
        return false;
    if (k == m_nLayerCount) {
        vectorBytes = size - offset - 4;
    } else {
        std::uint32_t next = 0;
        if (!file.ReadU32(next))
            return false;
        vectorBytes = static_cast<std::int64_t>(next) - offset - 2;
    }
    if (vectorBytes < 0)
        vectorBytes = 0;
    return true;
}

bool CSpfDataDoc::LoadLayer(const std::string& path, std::uint32_t k)
{
    if (m_nLayerCount == 0)
        return false;
    CFileStream file;
    if (!file.Open(path, CFileStream::Mode::Read))
        return false;
    return LoadLayer(file, k);
}

void CSpfDataDoc::UpdateBox()
{
    m_box.m_ptMax.SetPoint(m_maxX, m_maxY, static_cast<float>(m_nLayerCount - 1) * m_thickness);
    m_box.m_ptMin.SetPoint(m_minX, m_minY, 0.0f);
}

void CSpfDataDoc::UpdateCentre()
{
    m_centre.SetPoint((m_box.m_ptMax.m_x + m_box.m_ptMin.m_x) / 2, (m_box.m_ptMax.m_y + m_box.m_ptMin.m_y) / 2,
                      (m_box.m_ptMax.m_z + m_box.m_ptMin.m_z) / 2);
}

bool CSpfDataDoc::LoadLayer(CByteStream& file, std::uint32_t k)
{
    std::int64_t offset = 0, vectorBytes = 0;
    if (!LocateLayer(file, k, offset, vectorBytes))
        return false;
    const float z = static_cast<float>(k - 1) * m_thickness;
    // The scan plane reads its own block: one plane path whose pool holds
    // the lines in file order; a cut-off block keeps what was read.
    CScanPlane plane(z, 0, static_cast<int>(offset));
    plane.ReadPaths(file, vectorBytes, m_hatchSpace, m_taggedLayout);
    m_planes.push_back(std::move(plane));
    return true;
}

void CSpfDataDoc::DrawPlanes(int pause, IDrawSurface& surface, int w, int h, float zoom, float ox, float oy) const
{
    for (const CScanPlane& plane : m_planes)
        plane.DrawPaths(pause, surface, w, h, m_crPaths, m_bJumpTrack ? 1 : 0, zoom, ox, oy);
}
