#include "layer/SslLayer.h"

#include "io/ByteStream.h"
#include "platform/Platform.h"
#include "platform/Texts.h"

#include <charconv>
#include <memory>

namespace {
enum ContourEnd { ENDED_BY_C = 1, ENDED_BY_Z = 2, ENDED_BY_END = 3 };

void ShowLayerMessage(const char* key)
{
    ShowMessage(Tr(key), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
}

// Reads points until a contour ends. The end of the text ends it as "END"
// does. A token that is no number, or a too long one, is no point and is
// skipped; an x without a readable y makes no point either.
int ReadSslContour(CSliceLoop& loop, CSslTokenReader& text)
{
    for (;;) {
        std::string_view word;
        const CSslTokenReader::Token t = text.Next(word);
        if (t == CSslTokenReader::Token::End)
            return ENDED_BY_END;
        if (t == CSslTokenReader::Token::TooLong)
            continue;
        if (word == "C")
            return ENDED_BY_C;
        if (word == "Z")
            return ENDED_BY_Z;
        if (word == "END")
            return ENDED_BY_END;
        float x = 0.0f, y = 0.0f;
        if (!ParseSslNumber(word, x) || !text.NextNumber(y))
            continue;
        loop.m_points.emplace_back(x * SSL_INCH, y * SSL_INCH);
        loop.m_nPointCount = static_cast<std::int32_t>(loop.m_points.size());
    }
}

// Keeps a contour of three points or more, drops a shorter one.
void KeepIfUsable(CSlice& slice, std::unique_ptr<CSliceLoop> loop)
{
    if (loop->m_points.size() >= 3)
        slice.m_loops.push_back(std::move(loop));
}

// Checks the rest of a contour of which n points are already read:
// 1 / 2 / 3 closed by "C" / "Z" / "END" with three points or more,
// 4 / 5 / 6 an empty contour closed by them, 7 a negative coordinate,
// 8 fewer than three points, 9 unreadable or the end of the text.
int VerifySslContour(CSslTokenReader& text, int n)
{
    for (;;) {
        std::string_view word;
        if (text.Next(word) != CSslTokenReader::Token::Word)
            return 9;
        int closing = 0;
        if (word == "C")
            closing = 1;
        else if (word == "Z")
            closing = 2;
        else if (word == "END")
            closing = 3;
        if (closing != 0) {
            if (n == 0) {
                ShowLayerMessage("SslEmptyContour");
                return closing + 3;
            }
            if (n < 3) {
                ShowLayerMessage("SslFewNodes");
                return 8;
            }
            return closing;
        }
        float x = 0.0f, y = 0.0f;
        if (!ParseSslNumber(word, x))
            return 9;
        if (x * SSL_INCH < 0.0f) {
            ShowLayerMessage("SslNegativeCoordinate");
            return 7;
        }
        if (!text.NextNumber(y))
            return 9;
        if (y * SSL_INCH < 0.0f) {
            ShowLayerMessage("SslNegativeCoordinate");
            return 7;
        }
        ++n;
    }
}

// The layer's verdict at its end: "Z" (another layer follows) or "END".
int LayerEnd(bool atEnd, int good, int bad, bool tellEmpty)
{
    if (good > 0)
        return (atEnd ? 2 : 1) + (bad > 0 ? 2 : 0);
    if (tellEmpty)
        ShowLayerMessage("SslEmptySlice");
    return atEnd ? 6 : 5;
}

void AppendText(CByteStream& stream, std::string_view text)
{
    stream.Write(text.data(), text.size());
}

// "%f" of a value, the same in every locale.
void AppendFixed(CByteStream& stream, float value)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value), std::chars_format::fixed, 6);
    if (r.ec == std::errc())
        stream.Write(buf, static_cast<std::size_t>(r.ptr - buf));
}
} // namespace

int ReadSslLayer(CSlice& slice, CSslTokenReader& text, PromptState& prompt)
{
    float height = 0.0f, thickness = 0.0f;
    if (text.NextNumber(height))
        slice.m_fHeight = height * SSL_INCH;
    if (text.NextNumber(thickness))
        slice.m_fThickness = thickness * SSL_INCH;

    bool atEnd = false;
    bool layerEnded = false;
    {
        auto loop = std::make_unique<CSliceLoop>();
        const int end = ReadSslContour(*loop, text);
        if (end != ENDED_BY_C && loop->m_points.size() < 3)
            return end == ENDED_BY_END ? 4 : 3;
        KeepIfUsable(slice, std::move(loop));
        atEnd = end == ENDED_BY_END;
        layerEnded = end != ENDED_BY_C;
    }
    while (!layerEnded) {
        std::string_view word;
        const CSslTokenReader::Token t = text.Next(word);
        if (t == CSslTokenReader::Token::End) {
            atEnd = true;
            break;
        }
        if (t == CSslTokenReader::Token::TooLong || word == "C")
            continue;
        if (word == "Z")
            break;
        if (word == "END") {
            atEnd = true;
            break;
        }
        float x = 0.0f, y = 0.0f;
        if (!ParseSslNumber(word, x) || !text.NextNumber(y))
            continue;
        auto loop = std::make_unique<CSliceLoop>();
        const int end = ReadSslContour(*loop, text);
        loop->m_points.insert(loop->m_points.begin(), C2DPoint(x * SSL_INCH, y * SSL_INCH));
        loop->m_nPointCount = static_cast<std::int32_t>(loop->m_points.size());
        KeepIfUsable(slice, std::move(loop));
        if (end == ENDED_BY_END)
            atEnd = true;
        layerEnded = end != ENDED_BY_C;
    }

    slice.m_nLoopCount = static_cast<std::int32_t>(slice.m_loops.size());
    if (slice.m_loops.empty())
        return atEnd ? 4 : 3;
    const int topology = slice.BuildTopology(prompt);
    if (topology == 2)
        return -1;
    if (topology == 3)
        return 0;
    return atEnd ? 2 : 1;
}

int VerifySslLayer(CSlice& slice, CSslTokenReader& text)
{
    (void)slice;   // nothing read is kept
    float height = 0.0f, thickness = 0.0f;
    if (!text.NextNumber(height))
        return 9;
    if (height * SSL_INCH < 0.0f) {
        ShowLayerMessage("SslNegativeHeight");
        return 7;
    }
    if (!text.NextNumber(thickness))
        return 9;
    if (thickness * SSL_INCH < 0.0f) {
        ShowLayerMessage("SslNegativeThickness");
        return 8;
    }

    int good = 0, bad = 0;
    switch (VerifySslContour(text, 0)) {
    case 1:
        ++good;
        break;
    case 2:
        return 1;
    case 3:
        return 2;
    case 4:
        ++bad;
        break;
    case 5:
        ShowLayerMessage("SslEmptySlice");
        return 5;
    case 6:
        ShowLayerMessage("SslEmptySlice");
        return 6;
    default:
        return 9;
    }
    for (;;) {
        std::string_view word;
        if (text.Next(word) != CSslTokenReader::Token::Word)
            return 9;
        if (word == "C") {
            ++bad;
            ShowLayerMessage("SslEmptyContourData");
            continue;
        }
        if (word == "Z")
            return LayerEnd(false, good, bad, true);
        if (word == "END")
            return LayerEnd(true, good, bad, true);
        float x = 0.0f, y = 0.0f;
        if (!ParseSslNumber(word, x) || x * SSL_INCH < 0.0f)
            return 9;
        if (!text.NextNumber(y) || y * SSL_INCH < 0.0f)
            return 9;
        switch (VerifySslContour(text, 1)) {
        case 1:
            ++good;
            break;
        case 2:
            ++good;
            return LayerEnd(false, good, bad, false);
        case 3:
            ++good;
            return LayerEnd(true, good, bad, false);
        case 4:
            ++bad;
            break;
        case 5:
            ++bad;
            return LayerEnd(false, good, bad, false);
        case 6:
            ++bad;
            return LayerEnd(true, good, bad, false);
        default:
            return 9;
        }
    }
}

bool WriteSslContour(const CSliceLoop& loop, CByteStream& stream)
{
    if (loop.m_points.empty())
        return false;
    for (const C2DPoint& p : loop.m_points) {
        AppendText(stream, "\n");
        AppendFixed(stream, p.m_x / SSL_INCH);
        AppendText(stream, " ");
        AppendFixed(stream, p.m_y / SSL_INCH);
    }
    AppendText(stream, "\nC");
    return true;
}

bool WriteSslLayer(const CSlice& slice, CByteStream* stream)
{
    if (!stream)
        return false;
    stream->SeekToEnd();
    AppendText(*stream, "\nZ ");
    AppendFixed(*stream, slice.m_fHeight / SSL_INCH);
    AppendText(*stream, " ");
    AppendFixed(*stream, slice.m_fThickness / SSL_INCH);
    for (const auto& loop : slice.m_loops)
        WriteSslContour(*loop, *stream);
    return true;
}
