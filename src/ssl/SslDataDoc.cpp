#include "ssl/SslDataDoc.h"

#include "io/FileStream.h"
#include "layer/SslLayer.h"
#include "platform/Platform.h"
#include "platform/Texts.h"

#include <cstdio>
#include <string_view>
#include <unistd.h>

namespace {
// Percent of the text read so far, for the progress dialog.
int PercentRead(const CSslTokenReader& text)
{
    const std::int64_t size = text.Size();
    if (size <= 0)
        return 100;
    return static_cast<int>(text.Tell() * 100 / size);
}

void Widen(float& maxValue, float& minValue, float v)
{
    if (v > maxValue)
        maxValue = v;
    if (v < minValue)
        minValue = v;
}

bool IsWord(CSslTokenReader& text, std::string_view expected)
{
    std::string_view word;
    return text.Next(word) == CSslTokenReader::Token::Word && word == expected;
}

// Skips n tokens of any content; false when the text ends first.
bool SkipTokens(CSslTokenReader& text, int n)
{
    std::string_view word;
    for (int i = 0; i < n; ++i) {
        if (text.Next(word) == CSslTokenReader::Token::End)
            return false;
    }
    return true;
}

// Closes the progress dialog on every way out of a pass that opened it.
class CProgressScope {
public:
    void Open()
    {
        Progress().m_bCancelRequested = false;
        Progress().OpenProgress();
        m_open = true;
    }
    ~CProgressScope()
    {
        if (m_open)
            Progress().CloseProgress();
    }

private:
    bool m_open = false;
};

void ShowError(int textId, MsgIcon icon = MsgIcon::Information, MsgButtons buttons = MsgButtons::Ok)
{
    ShowMessage(Tr(textId), Tr(5002), icon, buttons);
}

// The path as one token for the header of a written copy: every blank in it
// becomes '_', so the header keeps exactly three tokens after "Slice".
std::string HeaderPath(const std::string& path)
{
    std::string out = path;
    for (char& c : out) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f')
            c = '_';
    }
    return out;
}
} // namespace

void CSslDataDoc::Reset()
{
    m_strFileName.clear();
    m_box.ResetBox();
    m_centre = C3DPoint(0, 0, 0);
    m_nLayerCount = 0;
    m_fThickness = 1.0f;
    m_stream.reset();
    m_bReading = false;
    m_bShowSlice = false;
    m_crSlice = MakeRgb(0, 0, 255);
}

bool CSslDataDoc::Measure(const std::string& path)
{
    const auto fail = [this] {
        m_box.m_ptMax = C3DPoint(0, 0, 0);
        m_box.m_ptMin = C3DPoint(0, 0, 0);
        return false;
    };
    CSslTokenReader text;
    while (!text.OpenFile(path)) {
        if (ShowMessage(Tr(5003), Tr(5002), MsgIcon::Question, MsgButtons::AbortRetryIgnore) != MsgAnswer::Retry)
            return fail();
    }
    while (!IsWord(text, "Slice")) {
        if (ShowMessage(Tr(5004), Tr(5002), MsgIcon::Question, MsgButtons::AbortRetryIgnore) != MsgAnswer::Retry ||
            !text.Rewind())
            return fail();
    }
    SkipTokens(text, 3);

    CProgressScope progress;
    progress.Open();
    Progress().SetStatusText(Tr("SslLoadingStatus") + path + "...");
    Progress().SetPosition(4);

    m_box.ResetBox();
    m_nLayerCount = 0;
    m_fThickness = 1.0f;
    for (;;) {
        std::string_view word;
        const CSslTokenReader::Token t = text.Next(word);
        if (t == CSslTokenReader::Token::End || (t == CSslTokenReader::Token::Word && word == "END"))
            break;
        if (t == CSslTokenReader::Token::Word && word == "Z") {
            float height = 0.0f, thickness = 0.0f;
            if (text.NextNumber(height)) {
                const float z = height * SSL_INCH;
                Widen(m_box.m_ptMax.m_z, m_box.m_ptMin.m_z, z);
            }
            // The file's first thickness is the document's layer thickness.
            if (text.NextNumber(thickness) && m_nLayerCount == 0)
                m_fThickness = thickness * SSL_INCH;
            ++m_nLayerCount;
        } else if (t == CSslTokenReader::Token::Word && word != "C") {
            float x = 0.0f, y = 0.0f;
            if (ParseSslNumber(word, x) && text.NextNumber(y)) {
                Widen(m_box.m_ptMax.m_x, m_box.m_ptMin.m_x, x * SSL_INCH);
                Widen(m_box.m_ptMax.m_y, m_box.m_ptMin.m_y, y * SSL_INCH);
            }
        }
        Progress().SetPosition(PercentRead(text));
        if (Progress().m_bCancelRequested)
            return fail();
    }
    m_centre.m_x = (m_box.m_ptMax.m_x + m_box.m_ptMin.m_x) / 2;
    m_centre.m_y = (m_box.m_ptMax.m_y + m_box.m_ptMin.m_y) / 2;
    m_centre.m_z = (m_box.m_ptMax.m_z + m_box.m_ptMin.m_z) / 2;
    return true;
}

bool CSslDataDoc::Verify(const std::string& path)
{
    CSslTokenReader text;
    if (!text.OpenFile(path)) {
        ShowError(5003);
        m_lastVerdict = Verdict::FormatError;
        return false;
    }
    CProgressScope progress;
    Verdict verdict = Verdict::Right;
    if (!IsWord(text, "Slice")) {
        verdict = Verdict::FormatError;
    } else {
        // The three header tokens; one too long to read is no header.
        std::string_view word;
        for (int i = 0; i < 3 && verdict == Verdict::Right; ++i) {
            if (text.Next(word) != CSslTokenReader::Token::Word)
                verdict = Verdict::FormatError;
        }
    }
    if (verdict == Verdict::Right) {
        progress.Open();
        Progress().SetStatusText(Tr("SslVerifyStatus") + path + "...");
        std::string_view word;
        const CSslTokenReader::Token t = text.Next(word);
        if (t != CSslTokenReader::Token::Word || word == "C") {
            ShowError(61451);
            verdict = Verdict::FormatError;
        } else if (word == "END") {
            ShowMessage(Tr("SslEmptyFile"), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
            verdict = Verdict::FormatError;
        } else if (word != "Z") {
            ShowMessage(Tr("SslHeadError"), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
            verdict = Verdict::FormatError;
        }
    }
    if (verdict == Verdict::Right) {
        for (bool more = true; more;) {
            CSlice scratch;
            const int code = VerifySslLayer(scratch, text);
            Progress().SetPosition(PercentRead(text));
            switch (code) {
            case 2:
                more = false;
                break;
            case 3:
            case 5:
                verdict = Verdict::EmptyContours;
                break;
            case 4:
            case 6:
                verdict = Verdict::EmptyContours;
                more = false;
                break;
            case 7:
            case 8:
            case 9:
                verdict = Verdict::FormatError;
                more = false;
                break;
            default:
                break;
            }
            if (more && Progress().m_bCancelRequested) {
                verdict = Verdict::Cancelled;
                more = false;
            }
        }
    }
    text.Close();
    m_lastVerdict = verdict;
    switch (verdict) {
    case Verdict::Right:
        ShowMessage(Tr(61450), Tr("SslRightCaption"), MsgIcon::Information, MsgButtons::Ok);
        return true;
    case Verdict::FormatError:
        ShowError(61451);
        return false;
    case Verdict::EmptyContours:
        return ShowMessage(Tr("SslEmptyCycleQuestion"), Tr(5001), MsgIcon::Warning, MsgButtons::YesNo) ==
               MsgAnswer::Yes;
    case Verdict::Cancelled:
        return ShowMessage(Tr("SslVerifyStopped"), Tr(5001), MsgIcon::Warning, MsgButtons::YesNo) == MsgAnswer::Yes;
    }
    return false;
}

bool CSslDataDoc::OpenReading()
{
    CloseReading();
    auto text = std::make_unique<CSslTokenReader>();
    if (!text->OpenFile(m_strFileName))
        return false;
    m_stream = std::move(text);
    m_bReading = true;
    // "Slice", three header tokens, then the first layer's "Z".
    if (!SkipTokens(*m_stream, 4) || !IsWord(*m_stream, "Z")) {
        CloseReading();
        return false;
    }
    return true;
}

int CSslDataDoc::ReadNextLayer(PromptState& prompt)
{
    if (!m_stream)
        return 0;
    auto slice = std::make_unique<CSlice>();
    const int result = ReadSslLayer(*slice, *m_stream, prompt);
    switch (result) {
    case 0:
    case 1:
    case 2:
        m_layers.push_back(std::move(slice));
        return 1;
    case -1:
        return -1;
    default:
        return 0;
    }
}

void CSslDataDoc::CloseReading()
{
    if (!m_stream)
        return;
    m_stream.reset();
    m_bReading = false;
}

bool CSslDataDoc::WriteMoved(const std::string& path)
{
    const C3DPoint offset = m_box.m_ptMin;
    if (!OpenReading())
        return false;

    // The copy is written beside the target and moved over it only when complete.
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    CFileStream out;
    if (!out.Open(temp, CFileStream::Mode::Write)) {
        CloseReading();
        ShowError(5003);
        return false;
    }
    const std::string header = "Slice\tV0\nSLICES()\nFILE(file0," + HeaderPath(m_strFileName) + ")";
    out.Write(header.data(), header.size());
    // A layer without a usable contour is left out and the copy goes on with
    // the next one; only the end of the text ends it, so no later layer is lost.
    PromptState goOn = PROMPT_GO_ON;
    for (std::int32_t i = 0; i < m_nLayerCount; ++i) {
        CSlice layer;
        const int result = ReadSslLayer(layer, *m_stream, goOn);
        if (result == 3)
            continue;
        if (result < 0 || result > 2)
            break;
        layer.TranslateLayer(offset);
        WriteSslLayer(layer, &out);
        if (result == 2)
            break;
    }
    out.SeekToEnd();
    out.WriteText("\nEND");
    const bool written = out.Close();
    CloseReading();
    if (!written || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        ShowError(5004);
        return false;
    }
    return true;
}

void CSslDataDoc::DrawLayers(IDrawSurface& surface, int w, int h, float zoom, float ox, float oy) const
{
    for (const auto& layer : m_layers)
        layer->DrawContours(surface, w, h, m_crSlice, zoom, ox, oy);
}
