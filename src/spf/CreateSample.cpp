#include "spf/CreateSample.h"

#include "geometry/2DPoint.h"
#include "io/ByteStream.h"
#include "io/FileStream.h"
#include "platform/Platform.h"
#include "platform/Texts.h"
#include "spf/SafeOutput.h"
#include "spf/SpfDataDoc.h"
#include "spf/SpfFormat.h"
#include "spf/SpfRecords.h"
#include "spf/SpfWriter.h"

#include <cmath>
#include <vector>

namespace {
constexpr double kPi = 3.14159265358979323846;

bool InRange(float v, float lo, float hi) { return v >= lo && v <= hi; }

// The 181 points of a circle, every 2 degrees from 0 to 360.
std::vector<C2DPoint> Circle(float cx, float cy, float radius)
{
    std::vector<C2DPoint> points;
    points.reserve(181);
    for (int deg = 0; deg <= 360; deg += 2) {
        const double a = deg * kPi / 180.0;
        points.emplace_back(static_cast<float>(cx + radius * std::cos(a)), static_cast<float>(cy + radius * std::sin(a)));
    }
    return points;
}

bool WriteSquare(CByteStream& file, float cx, float cy, float s, float unit)
{
    const float x0 = cx - s, x1 = cx + s, y0 = cy - s, y1 = cy + s;
    const C2DPoint points[5] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
    return WriteRecord(file, SPF_RECORD_CONTOUR, points, 5, unit);
}

bool WriteBlank(CByteStream& file, float unit)
{
    const C2DPoint origin;
    return WriteRecord(file, SPF_RECORD_HATCH, &origin, 1, unit);
}
} // namespace

bool CCreateSample::CheckRanges(std::string& problem) const
{
    if (m_nLayers < 1 || m_nLayers > 5000)
        problem = "layers must lie between 1 and 5000";
    else if (!InRange(m_fThickness, 0.01f, 1.0f))
        problem = "thickness must lie between 0.01 and 1 mm";
    else if (!InRange(m_fOuter, 0.0f, 800.0f))
        problem = "the outer size must lie between 0 and 800 mm";
    else if (!InRange(m_fInner, 0.0f, 800.0f))
        problem = "the inner size must lie between 0 and 800 mm";
    else if (!InRange(m_fHatchSpace, 0.01f, 0.5f))
        problem = "the hatch space must lie between 0.01 and 0.5 mm";
    else if (!InRange(m_fOffset, 0.0f, 5.0f))
        problem = "the offset must lie between 0 and 5 mm";
    else
        return true;
    return false;
}

int CCreateSample::RingCount() const
{
    const float width = m_fOuter - m_fInner;
    const float twoD = 2 * m_fOffset;
    const float room = width - twoD;
    const float m = room / m_fHatchSpace;
    return m > 0.0f && m < 2.0e9f ? static_cast<int>(m) : 0;
}

void CCreateSample::FillSampleHeader()
{
    m_nLayerCount = static_cast<std::uint16_t>(m_nLayers & 0xFFFF);
    const std::uint16_t size = TruncToU16(2 * m_fOuter);
    m_maxX = m_maxY = size;
    m_minX = m_minY = 0;
    m_cx = static_cast<float>(m_maxX + m_minX) / 2;
    m_cy = static_cast<float>(m_maxY + m_minY) / 2;
}

bool CCreateSample::WriteSampleHeader(CByteStream& file)
{
    const SpfDate date = TodaysDate();
    const std::uint8_t version = SPF_TAGGED_VERSION;
    const char signature[5] = {'Q', 'R', 'B', 0, 0};
    const std::uint8_t month = date.month, day = date.day;
    return file.Seek(0) && file.WriteU16(SPF_MAGIC) && file.Write(&version, 1) && file.Write(signature, 5) &&
           file.WriteU16(SPF_HEADER_START) && file.WriteU16(SPF_TAG_LAYERS) && file.WriteU16(m_nLayerCount) &&
           file.WriteU16(SPF_TAG_THICKNESS) && file.WriteF32(m_fThickness / SPF_MM_PER_INCH) &&
           file.WriteU16(SPF_TAG_UNIT_X) && file.WriteF32(m_fHatchSpace / SPF_MM_PER_INCH) &&
           file.WriteU16(SPF_TAG_UNIT_Y) && file.WriteF32(m_fHatchSpace / SPF_MM_PER_INCH) &&
           file.WriteU16(SPF_TAG_DATE) && file.WriteU16(date.year) && file.Write(&month, 1) && file.Write(&day, 1) &&
           file.WriteU16(SPF_TAG_MIN_X) && file.WriteU16(BoundToWord(m_minX)) && file.WriteU16(SPF_TAG_MAX_Y) &&
           file.WriteU16(BoundToWord(m_maxY)) && file.WriteU16(SPF_TAG_MAX_X) && file.WriteU16(BoundToWord(m_maxX)) &&
           file.WriteU16(SPF_TAG_MIN_Y) && file.WriteU16(BoundToWord(m_minY)) && file.WriteU16(SPF_HEADER_END);
}

bool CCreateSample::WriteCircleLayer(CByteStream& file, bool blank)
{
    const float h = m_fHatchSpace;
    if (blank)
        return WriteBlank(file, h);
    const int m = RingCount();
    const float last = m_fOuter - h;
    for (int i = 0; i < m; ++i) {
        const float rho = static_cast<float>(i) * h + m_fInner + m_fOffset;
        if (rho > last)
            break;
        const auto ring = Circle(m_cx, m_cy, rho);
        if (!WriteRecord(file, SPF_RECORD_HATCH, ring.data(), 181, h))
            return false;
    }
    const auto inner = Circle(m_cx, m_cy, m_fInner);
    const auto outer = Circle(m_cx, m_cy, m_fOuter);
    return WriteRecord(file, SPF_RECORD_CONTOUR, inner.data(), 181, h) &&
           WriteRecord(file, SPF_RECORD_CONTOUR, outer.data(), 181, h);
}

bool CCreateSample::WriteSquareLayer(CByteStream& file, bool blank)
{
    const float h = m_fHatchSpace;
    if (blank)
        return WriteBlank(file, h);
    const int m = RingCount();
    const float limit = m_cx + m_fOuter - h;
    for (int i = 0; i < m; ++i) {
        const float s = m_fInner + static_cast<float>(i) * h + m_fOffset;
        if (m_cx + s > limit)
            break;
        if (!WriteSquare(file, m_cx, m_cy, s, h))
            return false;
    }
    return WriteSquare(file, m_cx, m_cy, m_fInner, h) && WriteSquare(file, m_cx, m_cy, m_fOuter, h);
}

bool CCreateSample::WriteSampleLayers(CByteStream& file)
{
    const std::uint32_t n = m_nLayerCount;
    CSpfWriter writer(file, true, SPF_TAGGED_COUNT_OFFSET);
    if (!writer.BeginIndex(n))
        return false;
    for (std::uint32_t k = 1; k <= n; ++k) {
        if (m_onLayer)
            m_onLayer(k, n);
        Status().PumpOneMessage();
        const bool blank = k <= m_nBlankLayers;
        if (!writer.BeginLayer(m_fThickness))
            return false;
        const bool ok = m_nShape == SHAPE_SQUARE ? WriteSquareLayer(file, blank) : WriteCircleLayer(file, blank);
        if (!ok || !writer.EndLayer())
            return false;
    }
    return writer.Finish();
}

bool CCreateSample::CreateSampleFile(const std::string& path)
{
    if (m_fInner >= m_fOuter) {
        ShowMessage(Tr("SampleInnerTooBig"), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    if (m_nBlankLayers >= m_nLayers) {
        ShowMessage(Tr("SampleBlankTooMany"), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    CSafeOutput output(path);
    if (!output.Open()) {
        ShowMessage(Tr(5003), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    FillSampleHeader();
    const bool ok = WriteSampleHeader(output.File()) && WriteSampleLayers(output.File());
    if (!ok || !output.Commit()) {
        ShowMessage(Tr("SpfWriteFailed"), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    return true;
}
