#include "cli/CliCommandReader.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace {
// Longest number or keyword the text form can hold; anything longer is damage.
constexpr std::size_t kMaxTextToken = 64;

bool IsTextSeparator(int c)
{
    return c == ' ' || c == ',' || (c >= 7 && c <= 13);
}
} // namespace

int CCliCommandReader::PeekByte()
{
    unsigned char c;
    if (m_stream.Read(&c, 1) != 1)
        return -1;
    m_stream.SeekRelative(-1);
    return c;
}

bool CCliCommandReader::SkipSeparators()
{
    for (;;) {
        unsigned char c;
        if (m_stream.Read(&c, 1) != 1)
            return false;
        if (!IsTextSeparator(c)) {
            m_stream.SeekRelative(-1);
            return true;
        }
    }
}

void CCliCommandReader::SkipToNextCommand()
{
    bool dollar = false;
    unsigned char c;
    while (m_stream.Read(&c, 1) == 1) {
        if (c == '$' && dollar) {
            m_stream.SeekRelative(-2);
            return;
        }
        dollar = c == '$';
    }
}

bool CCliCommandReader::Damaged()
{
    if (m_bText)
        SkipToNextCommand();
    else
        m_stream.SeekToEnd();
    return false;
}

int CCliCommandReader::ReadCode()
{
    m_codeStart = m_stream.Tell();
    if (!m_bText) {
        std::uint16_t code;
        if (!m_stream.ReadU16(code)) {
            m_stream.SeekToEnd();
            return CLI_END;
        }
        return code;
    }
    for (;;) {
        if (!SkipSeparators())
            return CLI_END;
        m_codeStart = m_stream.Tell();
        char mark[2];
        if (!m_stream.ReadExact(mark, 2) || mark[0] != '$' || mark[1] != '$') {
            m_stream.Seek(m_codeStart + 1);
            SkipToNextCommand();
            return CLI_BAD_TEXT;
        }
        std::string keyword;
        unsigned char c = 0;
        bool more = false;
        while (m_stream.Read(&c, 1) == 1) {
            if (c == '/' || c == '$' || IsTextSeparator(c)) {
                more = true;
                break;
            }
            if (keyword.size() >= kMaxTextToken)
                break;
            keyword.push_back(static_cast<char>(c));
        }
        if (more && c == '$')
            m_stream.SeekRelative(-1);
        if (keyword.empty() || keyword.size() >= kMaxTextToken) {
            SkipToNextCommand();
            return CLI_BAD_TEXT;
        }
        if (keyword == "LAYER")
            return CLI_LAYER_LONG;
        if (keyword == "POLYLINE")
            return CLI_POLYLINE_LONG;
        if (keyword == "HATCHES")
            return CLI_HATCHES_LONG;
        if (keyword == "GEOMETRYEND") {
            m_stream.SeekToEnd();
            return CLI_END;
        }
        // "$$GEOMETRYSTART" and per-block settings such as "$$POWER/100.0"
        // carry nothing the layer model holds.
        SkipToNextCommand();
    }
}

bool CCliCommandReader::ReadNumber(double& value)
{
    if (!SkipSeparators())
        return false;
    char text[kMaxTextToken + 1];
    std::size_t len = 0;
    unsigned char c;
    while (m_stream.Read(&c, 1) == 1) {
        if (c == '$' || IsTextSeparator(c)) {
            m_stream.SeekRelative(-1);
            break;
        }
        if (len == kMaxTextToken)
            return false;
        text[len++] = static_cast<char>(c);
    }
    const char* first = text;
    const char* last = text + len;
    if (first != last && *first == '+')
        ++first;
    if (first == last)
        return false;
    const auto result = std::from_chars(first, last, value);
    return result.ec == std::errc() && result.ptr == last;
}

bool CCliCommandReader::ReadCount(std::int64_t& count, std::int64_t valuesPerItem)
{
    double v;
    if (!ReadNumber(v) || !(v >= 0) || v != std::floor(v))
        return false;
    // Every value needs at least one byte of text.
    if (v > static_cast<double>(m_stream.Remaining() / valuesPerItem))
        return false;
    count = static_cast<std::int64_t>(v);
    return true;
}

bool CCliCommandReader::EndRecord()
{
    if (!m_bText)
        return true;
    if (!SkipSeparators())
        return true;
    if (PeekByte() == '$')
        return true;
    SkipToNextCommand();
    return false;
}

bool CCliCommandReader::ReadZ(int code, float& z)
{
    if (m_bText) {
        double v;
        if (!ReadNumber(v))
            return Damaged();
        z = static_cast<float>(v);
        EndRecord();
        return true;
    }
    if (code == CLI_LAYER_SHORT) {
        std::uint16_t w;
        if (!m_stream.ReadU16(w))
            return Damaged();
        z = w;
        return true;
    }
    if (!m_stream.ReadF32(z))
        return Damaged();
    return true;
}

bool CCliCommandReader::ReadRecordHead(int code, CCliRecordHead& head)
{
    head = CCliRecordHead{};
    const bool polyline = IsCliPolyline(code);
    if (m_bText) {
        double id, dir = 0;
        if (!ReadNumber(id) || (polyline && !ReadNumber(dir)))
            return Damaged();
        if (!(id >= 0 && id <= 4294967295.0 && dir >= 0 && dir <= 4294967295.0))
            return Damaged();
        head.id = static_cast<std::uint32_t>(id);
        head.dir = static_cast<std::uint32_t>(dir);
        if (!ReadCount(head.count, 2 * PointsPerItem(code)))
            return Damaged();
        return true;
    }
    if (code == CLI_POLYLINE_SHORT || code == CLI_HATCHES_SHORT) {
        std::uint16_t id, dir = 0, n;
        if (!m_stream.ReadU16(id) || (polyline && !m_stream.ReadU16(dir)) || !m_stream.ReadU16(n))
            return Damaged();
        head.id = id;
        head.dir = dir;
        head.count = n;
        return CountFits(code, head.count) || Damaged();
    }
    std::uint32_t id, dir = 0;
    std::int32_t n;
    if (!m_stream.ReadU32(id) || (polyline && !m_stream.ReadU32(dir)) || !m_stream.ReadI32(n) || n < 0)
        return Damaged();
    head.id = id;
    head.dir = dir;
    head.count = n;
    return CountFits(code, head.count) || Damaged();
}

bool CCliCommandReader::CountFits(int code, std::int64_t count) const
{
    return count >= 0 && count * PointsPerItem(code) <= m_stream.Remaining() / PointBytes(code);
}

bool CCliCommandReader::SkipRecord(int code)
{
    if (m_bText) {
        if (IsCliLayerStart(code)) {
            double z;
            return ReadNumber(z) ? EndRecord() : Damaged();
        }
        CCliRecordHead head;
        if (!ReadRecordHead(code, head) || !ReadPoints(code, head.count, [](float, float) {}))
            return false;
        return EndRecord();
    }
    switch (code) {
    case CLI_LAYER_LONG: return m_stream.Skip(4);
    case CLI_LAYER_SHORT: return m_stream.Skip(2);
    case CLI_POLYLINE_SHORT:
    case CLI_POLYLINE_LONG:
    case CLI_HATCHES_SHORT:
    case CLI_HATCHES_LONG: {
        CCliRecordHead head;
        if (!ReadRecordHead(code, head))
            return false;
        const std::int64_t points = head.count * PointsPerItem(code);
        if (points > m_stream.Remaining() / PointBytes(code))
            return Damaged();
        return m_stream.Skip(points * PointBytes(code));
    }
    default: return false;
    }
}
