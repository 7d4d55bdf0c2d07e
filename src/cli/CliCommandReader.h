#pragma once
#include "io/ByteStream.h"

#include <cstdint>
#include <string>

// Layer data command codes. The text form of the layer data ("$$LAYER/z",
// "$$POLYLINE/...", "$$HATCHES/...") is mapped onto the long forms.
enum : int {
    CLI_LAYER_LONG = 127,
    CLI_LAYER_SHORT = 128,
    CLI_POLYLINE_SHORT = 129,
    CLI_POLYLINE_LONG = 130,
    CLI_HATCHES_SHORT = 131,
    CLI_HATCHES_LONG = 132,
};
// End of the layer data: fewer than two bytes left, or the text's
// "$$GEOMETRYEND" or end of file.
inline constexpr int CLI_END = -1;
// Text that is no command (binary data uses the code as read).
inline constexpr int CLI_BAD_TEXT = 0;

inline bool IsCliLayerStart(int code) { return code == CLI_LAYER_LONG || code == CLI_LAYER_SHORT; }
inline bool IsCliRecord(int code) { return code >= CLI_POLYLINE_SHORT && code <= CLI_HATCHES_LONG; }
inline bool IsCliPolyline(int code) { return code == CLI_POLYLINE_SHORT || code == CLI_POLYLINE_LONG; }
inline bool IsCliHatches(int code) { return code == CLI_HATCHES_SHORT || code == CLI_HATCHES_LONG; }

// Head of a polyline or hatch record.
struct CCliRecordHead {
    std::uint32_t id = 0;
    std::uint32_t dir = 0;    // polylines only
    std::int64_t count = 0;   // points of a polyline, vectors of a hatch record
};

// Reads the layer commands that follow the header, in either the binary or
// the text form, from the current position of a stream. It keeps no state of
// its own besides the start of the last command, so the stream's position is
// always exactly behind what has been consumed.
//
// A damaged record (a count that is negative or larger than the bytes left,
// text that is no number) is never decoded: binary data then moves to the end
// of the stream, text to the next command, and the call returns false.
class CCliCommandReader {
public:
    CCliCommandReader(CByteStream& stream, bool text) : m_stream(stream), m_bText(text) {}

    // The next command code: 127..132, CLI_END, CLI_BAD_TEXT, or any other
    // binary code as read (two bytes consumed). Unknown text commands
    // ("$$POWER/...") and "$$GEOMETRYSTART" are passed over.
    int ReadCode();
    // Back to the start of the last code read.
    void PushBack() { m_stream.Seek(m_codeStart); }

    // The height of a layer start, in file units.
    bool ReadZ(int code, float& z);
    // A binary record's count is checked against the bytes left before anyone
    // can size anything by it.
    bool ReadRecordHead(int code, CCliRecordHead& head);
    // Reads count points (a hatch record: 2 * count) and hands each to f(x, y)
    // in file units. False when the record is damaged.
    template <class F> bool ReadPoints(int code, std::int64_t count, F&& f);
    // Passes over a whole record (head and points) or a layer start's height.
    // False when it is damaged (text: also when its values do not match its count).
    bool SkipRecord(int code);
    // Text only: true when the record's values end where its count says.
    bool EndRecord();

    CByteStream& Stream() { return m_stream; }
    bool IsText() const { return m_bText; }

private:
    bool Damaged();
    bool CountFits(int code, std::int64_t count) const;
    bool ReadNumber(double& value);
    bool ReadCount(std::int64_t& count, std::int64_t valuesPerItem);
    int PeekByte();
    void SkipToNextCommand();
    bool SkipSeparators();
    static std::int64_t PointBytes(int code) { return code == CLI_POLYLINE_SHORT || code == CLI_HATCHES_SHORT ? 4 : 8; }
    static std::int64_t PointsPerItem(int code) { return IsCliHatches(code) ? 2 : 1; }

    CByteStream& m_stream;
    bool m_bText;
    std::int64_t m_codeStart = 0;
};

template <class F> bool CCliCommandReader::ReadPoints(int code, std::int64_t count, F&& f)
{
    const std::int64_t points = count * PointsPerItem(code);
    if (m_bText) {
        for (std::int64_t i = 0; i < points; ++i) {
            double x, y;
            if (!ReadNumber(x) || !ReadNumber(y))
                return Damaged();
            f(static_cast<float>(x), static_cast<float>(y));
        }
        return true;
    }
    const std::int64_t size = PointBytes(code);
    if (count < 0 || points > m_stream.Remaining() / size)
        return Damaged();
    unsigned char buf[8192];
    std::int64_t left = points;
    while (left > 0) {
        const std::int64_t chunk = left < static_cast<std::int64_t>(sizeof buf) / size ? left : static_cast<std::int64_t>(sizeof buf) / size;
        if (!m_stream.ReadExact(buf, static_cast<std::size_t>(chunk * size)))
            return Damaged();
        const unsigned char* p = buf;
        for (std::int64_t i = 0; i < chunk; ++i, p += size) {
            if (size == 4) {
                std::uint16_t x, y;
                std::memcpy(&x, p, 2);
                std::memcpy(&y, p + 2, 2);
                f(static_cast<float>(x), static_cast<float>(y));
            } else {
                float x, y;
                std::memcpy(&x, p, 4);
                std::memcpy(&y, p + 4, 4);
                f(x, y);
            }
        }
        left -= chunk;
    }
    return true;
}
