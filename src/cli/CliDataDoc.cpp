#include "cli/CliDataDoc.h"

#include "cli/CliCommandReader.h"
#include "cli/CliHeaderText.h"
#include "cli/CliLayerIo.h"
#include "platform/Platform.h"
#include "platform/Texts.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

// Opens a file for reading, offering Retry while it fails.
bool OpenWithRetry(CFileStream& file, const std::string& path)
{
    for (;;) {
        if (file.Open(path, CFileStream::Mode::Read))
            return true;
        if (ShowMessage(Tr(5003), Tr(5002), MsgIcon::Question, MsgButtons::AbortRetryIgnore) != MsgAnswer::Retry)
            return false;
    }
}

void ShowFileError() { ShowMessage(Tr(5004), Tr(5002), MsgIcon::Information, MsgButtons::Ok); }

int Percent(const CByteStream& s)
{
    const std::int64_t size = s.Size();
    return size > 0 ? static_cast<int>(s.Tell() * 100 / size) : 100;
}

// Extends a range as the extent scan does: the maximum takes a value that is
// >= it, the minimum one that is not greater. Values that are no finite
// number say nothing about the part.
void Extend(float v, float& min, float& max)
{
    if (!std::isfinite(v))
        return;
    if (v >= max)
        max = v;
    if (!(v > min))
        min = v;
}

// A temporary file beside the target, so that the final rename stays on one file system.
std::string TempBeside(const std::string& target, const char* suffix) { return target + suffix; }

void RemoveQuietly(const std::string& path)
{
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

} // namespace

CCliDataDoc::~CCliDataDoc()
{
    CloseLayerFile();
    ClearLayers();
}

void CCliDataDoc::ResetHeader()
{
    m_strPathName.clear();
    m_bFileOpen = false;
    m_ptCentre = C3DPoint();
    m_box.ResetBox();
    m_fLayerThickness = 1.0f;
    m_nFormat = 1;
    m_fUnits = 1.0f;
    m_nVersion = 1;
    m_nLayers = 0;
    m_nHeaderLayers = 0;
    m_bAlign = false;
    m_nLabel = 1;
    m_bLoaded = false;
    m_crColour = MakeRgb(0, 0, 255);
}

void CCliDataDoc::ParseDimension(const std::string& parameter)
{
    float* corners[6] = {&m_box.m_ptMin.m_x, &m_box.m_ptMin.m_y, &m_box.m_ptMin.m_z,
                         &m_box.m_ptMax.m_x, &m_box.m_ptMax.m_y, &m_box.m_ptMax.m_z};
    std::string_view rest = parameter;
    for (int i = 0; i < 6; ++i) {
        if (rest.empty())
            return;
        std::string_view value = rest;
        if (i < 5) {
            const std::size_t comma = rest.find(',');
            value = rest.substr(0, comma);
            rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        }
        *corners[i] = static_cast<float>(ParseLeadingNumber(value));
    }
}

void CCliDataDoc::ApplyKeyword(const std::string& keyword, const std::string& parameter, HeaderUse use)
{
    const auto toInt = [](const std::string& text) {
        const long long v = ParseLeadingInteger(text);
        return static_cast<std::int32_t>(v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : v);
    };
    if (keyword == "BINARY")
        m_nFormat = 1;
    else if (keyword == "ASCII")
        m_nFormat = 2;
    else if (keyword == "UNITS")
        m_fUnits = static_cast<float>(ParseLeadingNumber(parameter));
    else if (keyword == "VERSION")
        m_nVersion = toInt(parameter);
    else if (keyword == "DATE")
        m_nDate = toInt(parameter);
    else if (keyword == "ALIGN")
        m_bAlign = true;
    else if (keyword == "LABEL")
        m_nLabel = 1;
    else if (use == HeaderUse::Full && keyword == "DIMENSION")
        ParseDimension(parameter);
    else if (use == HeaderUse::Full && keyword == "LAYERS")
        m_nLayers = m_nHeaderLayers = toInt(parameter);
}

bool CCliDataDoc::ReadHeader(CByteStream& file, HeaderUse use)
{
    return ReadHeaderKeywords(file, [&](const std::string& keyword, const std::string& parameter) {
        ApplyKeyword(keyword, parameter, use);
    });
}

bool CCliDataDoc::LoadFile(const std::string& path)
{
    if (!ScanExtents(path)) {
        m_box.m_ptMin = C3DPoint(0, 0, 0);
        m_box.m_ptMax = C3DPoint(0, 0, 0);
        return false;
    }
    ScanThickness(path);
    m_ptCentre.m_x = (m_box.m_ptMax.m_x + m_box.m_ptMin.m_x) / 2;
    m_ptCentre.m_y = (m_box.m_ptMax.m_y + m_box.m_ptMin.m_y) / 2;
    m_ptCentre.m_z = (m_box.m_ptMax.m_z + m_box.m_ptMin.m_z) / 2;
    return true;
}

bool CCliDataDoc::ScanExtents(const std::string& path)
{
    CFileStream file;
    if (!OpenWithRetry(file, path))
        return false;
    if (!ReadHeader(file, HeaderUse::Full)) {
        // Without its end the header runs to the end of the file: there are
        // no layer commands to decode.
        ShowFileError();
        return false;
    }
    IProgress& progress = Progress();
    progress.OpenProgress();
    progress.SetStatusText(Tr(5005) + path + "...");
    m_nLayers = 0;
    CCliCommandReader reader(file, IsText());
    const float units = m_fUnits;
    bool cancelled = false;
    for (bool more = true; more && !cancelled;) {
        progress.SetPosition(Percent(file));
        const int code = reader.ReadCode();
        switch (code) {
        case CLI_LAYER_LONG:
        case CLI_LAYER_SHORT: {
            float z;
            if (reader.ReadZ(code, z)) {
                Extend(z * units, m_box.m_ptMin.m_z, m_box.m_ptMax.m_z);
                if (m_nLayers < INT32_MAX)
                    ++m_nLayers;
            }
            break;
        }
        case CLI_POLYLINE_SHORT:
        case CLI_POLYLINE_LONG: {
            CCliRecordHead head;
            if (reader.ReadRecordHead(code, head))
                reader.ReadPoints(code, head.count, [&](float x, float y) {
                    Extend(x * units, m_box.m_ptMin.m_x, m_box.m_ptMax.m_x);
                    Extend(y * units, m_box.m_ptMin.m_y, m_box.m_ptMax.m_y);
                });
            reader.EndRecord();
            break;
        }
        case CLI_HATCHES_SHORT:
        case CLI_HATCHES_LONG: reader.SkipRecord(code); break;
        default: more = false; break;
        }
        cancelled = progress.m_bCancelRequested;
    }
    progress.CloseProgress();
    return !cancelled;
}

bool CCliDataDoc::ScanThickness(const std::string& path)
{
    CFileStream file;
    if (!OpenWithRetry(file, path))
        return false;
    // The header is read again only to find the first command; the layer
    // count and the extent stay as measured.
    if (!ReadHeader(file, HeaderUse::Positioning))
        return false;
    CCliCommandReader reader(file, IsText());
    float last = 0, previous = 0;
    int starts = 0;
    for (;;) {
        const int code = reader.ReadCode();
        if (code == CLI_END)
            break;
        if (IsCliLayerStart(code)) {
            float z;
            if (reader.ReadZ(code, z)) {
                previous = last;
                last = z * m_fUnits;
                ++starts;
            }
        } else if (IsCliRecord(code)) {
            reader.SkipRecord(code);
        } else if (starts >= 2) {
            break;
        }
    }
    m_fLayerThickness = std::fabs(last - previous);
    return true;
}

bool CCliDataDoc::OpenLayerFile()
{
    if (m_bFileOpen) {
        m_file.Seek(0);
    } else if (!m_file.Open(m_strPathName, CFileStream::Mode::Read)) {
        ShowMessage(Tr(5003), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    m_bFileOpen = true;
    if (!ReadHeader(m_file, HeaderUse::Positioning)) {
        ShowFileError();
        CloseLayerFile();
        return false;
    }
    return true;
}

void CCliDataDoc::CloseLayerFile()
{
    if (m_bFileOpen)
        m_file.Close();
    m_bFileOpen = false;
}

void CCliDataDoc::ClearLayers()
{
    for (auto& layer : m_layers)
        layer->ClearLayer();
    m_layers.clear();
}

int CCliDataDoc::ReadNextLayer(PromptState& prompt, CCliLayerStart* start, unsigned flags)
{
    if (start)
        *start = CCliLayerStart{};
    if (!m_bFileOpen)
        return 0;
    CCliCommandReader reader(m_file, IsText());
    auto layer = std::make_unique<CSlice>();
    int r = 0;
    const int code = reader.ReadCode();
    if (IsCliLayerStart(code)) {
        bool zRead = false;
        r = ReadCliLayer(*layer, reader, code, m_fUnits, prompt, &zRead);
        if (start && zRead)
            *start = CCliLayerStart{true, code == CLI_LAYER_SHORT ? 2 : 1, layer->m_fHeight};
    } else if (IsCliRecord(code)) {
        // A record outside a layer is passed over whole, so the reading never
        // lands inside it.
        reader.SkipRecord(code);
        return 0;
    } else {
        return 0;
    }
    if (layer->m_loops.empty()) {
        if ((flags & CLI_READ_KEEP_HATCH_ONLY) && !layer->m_hatches.empty()) {
            m_layers.push_back(std::move(layer));
            return 1;
        }
        return 0;
    }
    if (r == 1 || r == 3) {
        m_layers.push_back(std::move(layer));
        return r;
    }
    return r == 2 ? 2 : 0;
}

int CCliDataDoc::ReadLayerAt(int n, int& kind)
{
    if (!m_bFileOpen || n < 1 || !ReadHeader(m_file, HeaderUse::Positioning))
        return 0;
    CCliCommandReader reader(m_file, IsText());
    int count = 0;
    int code = 0;
    std::int64_t zStart = 0;
    while (count < n) {
        code = reader.ReadCode();
        if (IsCliLayerStart(code)) {
            ++count;
            kind = code == CLI_LAYER_SHORT ? 2 : 1;
            zStart = m_file.Tell();
            if (count < n)
                reader.SkipRecord(code);
        } else if (IsCliRecord(code)) {
            reader.SkipRecord(code);
        } else {
            return 0;
        }
    }
    m_file.Seek(zStart);
    auto layer = std::make_unique<CSlice>();
    PromptState goOn = PROMPT_GO_ON;
    const int r = ReadCliLayer(*layer, reader, code, m_fUnits, goOn);
    if (r > 0 || n == m_nLayers)
        m_layers.push_back(std::move(layer));
    return 1;
}

int CCliDataDoc::ReadLayerRaw(CCliLayerStart* start)
{
    if (start)
        *start = CCliLayerStart{};
    if (!m_bFileOpen)
        return 0;
    CCliCommandReader reader(m_file, IsText());
    const int code = reader.ReadCode();
    if (IsCliRecord(code)) {
        reader.SkipRecord(code);
        return 0;
    }
    if (!IsCliLayerStart(code))
        return 0;
    auto layer = std::make_unique<CSlice>();
    float z;
    if (!reader.ReadZ(code, z))
        return 0;
    layer->m_fHeight = z * m_fUnits;
    if (start)
        *start = CCliLayerStart{true, code == CLI_LAYER_SHORT ? 2 : 1, layer->m_fHeight};
    for (;;) {
        const int next = reader.ReadCode();
        if (next == CLI_END)
            break;
        if (IsCliHatches(next)) {
            reader.SkipRecord(next);   // hatch records before the first polyline are dropped
            continue;
        }
        if (IsCliPolyline(next)) {
            ReadCliLayerRecords(*layer, reader, next, m_fUnits);
            break;
        }
        reader.PushBack();
        break;
    }
    layer->m_nLoopCount = static_cast<std::int32_t>(layer->m_loops.size());
    if (layer->m_loops.empty())
        return 0;
    m_layers.push_back(std::move(layer));
    return 1;
}

bool CCliDataDoc::VerifyFile()
{
    CFileStream file;
    if (!OpenWithRetry(file, m_strPathName))
        return false;
    // A header that never ends leaves no commands to check: the format is wrong.
    bool valid = ReadHeader(file, HeaderUse::Positioning);
    IProgress& progress = Progress();
    progress.OpenProgress();
    progress.SetStatusText(Tr("CliVerifyPrefix") + m_strPathName + Tr("CliVerifySuffix") + "...");
    CCliCommandReader reader(file, IsText());
    while (valid) {
        progress.SetPosition(Percent(file));
        const int code = reader.ReadCode();
        if (code == CLI_END)
            break;
        // A record whose count runs past the end of the file, or whose text
        // does not hold what it announces, is as wrong as an unknown code.
        if (!IsCliLayerStart(code) && !IsCliRecord(code))
            valid = false;
        else if (!reader.SkipRecord(code))
            valid = false;
        if (progress.m_bCancelRequested) {
            file.Close();
            progress.CloseProgress();
            return ShowMessage(Tr("CliVerifyStopped"), Tr(5001), MsgIcon::Warning, MsgButtons::YesNo) ==
                   MsgAnswer::Yes;
        }
    }
    progress.CloseProgress();
    ShowMessage(valid ? Tr(61450) : Tr(61451), Tr(5001), MsgIcon::Information, MsgButtons::Ok);
    file.Close();
    return valid;
}

bool CCliDataDoc::WriteHeader(CByteStream& out) const
{
    char text[1024];
    std::snprintf(text, sizeof text,
                  "$$HEADERSTART\n$$BINARY\n$$UNITS/%f\n$$VERSION/%d\n$$LABEL/1,part1\n"
                  "$$DIMENSION/%f,%f,%f,%f,%f,%f\n$$LAYERS/%d\n$$HEADEREND",
                  static_cast<double>(m_fUnits), m_nVersion, static_cast<double>(m_box.m_ptMin.m_x),
                  static_cast<double>(m_box.m_ptMin.m_y), static_cast<double>(m_box.m_ptMin.m_z),
                  static_cast<double>(m_box.m_ptMax.m_x), static_cast<double>(m_box.m_ptMax.m_y),
                  static_cast<double>(m_box.m_ptMax.m_z), m_nLayers);
    return out.Seek(0) && out.WriteText(text);
}

bool CCliDataDoc::ReadRawUntilStart(CCliLayerStart& start)
{
    // Stray codes and records outside a layer yield no layer start; every
    // attempt consumes input, so this ends at the end of the file.
    while (!AtEndOfLayers()) {
        ClearLayers();
        ReadLayerRaw(&start);
        if (start.started)
            return true;
    }
    return false;
}

bool CCliDataDoc::WriteReadLayer(CByteStream& out, const CCliLayerStart& start, const C3DPoint* offset)
{
    // A layer that yields nothing is still written as its layer start, so
    // the file holds as many layers as its header states.
    if (m_layers.empty()) {
        const float z = offset ? start.z - offset->m_z : start.z;
        out.SeekToEnd();
        return WriteCliLayerStart(out, start.kind, z, m_fUnits);
    }
    return WriteCliLayer(*m_layers.back(), out, start.kind, m_fUnits);
}

bool CCliDataDoc::SaveAtOrigin(const std::string& path)
{
    const std::string temp = TempBeside(path, ".vemo.tmp");
    CFileStream out;
    if (!out.Open(temp, CFileStream::Mode::Write)) {
        ShowMessage(Tr(5003), Tr(5002), MsgIcon::Question, MsgButtons::AbortRetryIgnore);
        return false;
    }
    const C3DPoint offset = m_box.m_ptMin;
    m_box.m_ptMin = C3DPoint(0, 0, 0);
    m_box.m_ptMax = C3DPoint(m_box.m_ptMax.m_x - offset.m_x, m_box.m_ptMax.m_y - offset.m_y,
                             m_box.m_ptMax.m_z - offset.m_z);
    if (!OpenLayerFile()) {
        out.Close();
        RemoveQuietly(temp);
        return false;
    }
    bool ok = WriteHeader(out);
    for (int i = 1; ok && i <= m_nLayers; ++i) {
        ClearLayers();
        PromptState goOn = PROMPT_GO_ON;
        CCliLayerStart start;
        while (!start.started && !AtEndOfLayers()) {
            ClearLayers();
            ReadNextLayer(goOn, &start);
        }
        if (!start.started) {
            ok = false;
            break;
        }
        if (!m_layers.empty())
            m_layers.back()->TranslateLayer(offset);
        ok = WriteReadLayer(out, start, &offset);
    }
    ClearLayers();
    CloseLayerFile();
    ok = out.Close() && ok;
    std::error_code ec;
    if (ok)
        std::filesystem::rename(temp, path, ec);
    if (!ok || ec) {
        RemoveQuietly(temp);
        ShowFileError();
        return false;
    }
    return true;
}

bool CCliDataDoc::ReplaceLayer(int n)
{
    // A layer is replaced by a neighbour, so there must be one.
    if (n < 1 || n > m_nLayers || m_nLayers < 2)
        return false;
    if (!OpenLayerFile())
        return false;
    const std::string temp = TempBeside(m_strPathName, ".edit.tmp");
    CFileStream out;
    if (!out.Open(temp, CFileStream::Mode::Write)) {
        ShowMessage(Tr(5003), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    bool ok = WriteHeader(out);
    CCliLayerStart start;
    const auto readNext = [&] { return ok && ReadRawUntilStart(start); };
    for (int i = 1; ok && i <= m_nLayers; ++i) {
        if (i == n && n == 1) {
            // Layer 1 is dropped; layer 2 takes its place and its own.
            ok = readNext() && readNext() && WriteReadLayer(out, start, nullptr) &&
                 WriteReadLayer(out, start, nullptr);
            ++i;
        } else if (i == n) {
            // Layer n - 1, still held, is written once more; layer n is dropped.
            ok = WriteReadLayer(out, start, nullptr) && (n == m_nLayers || readNext());
        } else {
            ok = readNext() && WriteReadLayer(out, start, nullptr);
        }
    }
    ClearLayers();
    ok = out.Close() && ok;
    if (ok) {
        // The copy takes the original's permissions before it replaces it in one rename.
        std::error_code ec;
        const auto perms = std::filesystem::status(m_strPathName, ec).permissions();
        if (!ec)
            std::filesystem::permissions(temp, perms, ec);
        CloseLayerFile();
        ec.clear();
        std::filesystem::rename(temp, m_strPathName, ec);
        ok = !ec;
    }
    if (!ok) {
        RemoveQuietly(temp);
        ShowFileError();
    }
    CloseLayerFile();
    OpenLayerFile();
    return ok;
}

void CCliDataDoc::DrawLayers(IDrawSurface& surface, int w, int h, float zoom, float ox, float oy) const
{
    for (const auto& layer : m_layers)
        layer->DrawContours(surface, w, h, m_crColour, zoom, ox, oy);
}
