#include "spf/SpfExport.h"

#include "cli/Cli.h"
#include "io/ByteStream.h"
#include "io/MemoryStream.h"
#include "platform/Platform.h"
#include "platform/Texts.h"
#include "scan/Scan.h"
#include "spf/CostTime.h"
#include "spf/SafeOutput.h"
#include "spf/Spf.h"
#include "spf/SpfFormat.h"
#include "spf/SpfWriter.h"
#include "spf/SpfExportSource.h"

#include <algorithm>
#include <cstdio>

namespace {

struct CliSource : CSpfExport::Source {
    CliSource(CCli& cli, bool keepHatchOnly) : m_cli(cli), m_flags(keepHatchOnly ? CLI_READ_KEEP_HATCH_ONLY : 0u) {}
    bool Open() override { return m_cli.m_data.OpenLayerFile(); }
    void Clear() override { m_cli.m_data.ClearLayers(); }
    int ReadNext(PromptState& prompt) override
    {
        const int r = m_cli.m_data.ReadNextLayer(prompt, nullptr, m_flags);
        return r == 2 ? -1 : (r == 0 ? 0 : 1);
    }
    void Close() override { m_cli.m_data.CloseLayerFile(); }
    std::vector<CSlice*> Layers() override { return SlicePointers(m_cli.m_data.m_layers); }

    CCli& m_cli;
    unsigned m_flags;
};

bool BoxIsEmpty(const C3DBox& box)
{
    return !(box.m_ptMin.m_x <= box.m_ptMax.m_x && box.m_ptMin.m_y <= box.m_ptMax.m_y);
}

bool OutsideField(const C3DBox& box)
{
    if (BoxIsEmpty(box))
        return false;
    // Bounds go to the header rounded to whole millimetres, so 2000.4 still fits.
    return box.m_ptMin.m_x < 0.0f || box.m_ptMin.m_y < 0.0f || box.m_ptMax.m_x >= SPF_FIELD_MM + 0.5f ||
           box.m_ptMax.m_y >= SPF_FIELD_MM + 0.5f;
}

std::string Mm(float v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(v));
    return text;
}

std::string FormatWithValues(std::string text, const std::vector<std::string>& values)
{
    for (const std::string& v : values) {
        const auto at = text.find("%s");
        if (at == std::string::npos)
            break;
        text.replace(at, 2, v);
    }
    return text;
}

} // namespace

CSpfExport::CSpfExport(CSpf& spf) : m_spf(spf) {}

CSpfExport::~CSpfExport() = default;

void CSpfExport::UpdateFileKind()
{
    auto& kind = m_spf.m_data.m_nFileKind;
    if (m_spf.m_bOpen)
        kind = FILE_KIND_SPF;
    if (SslOpen())
        kind = FILE_KIND_SSL;
    if (m_cli && m_cli->m_bOpen)
        kind = FILE_KIND_CLI;
}

void CSpfExport::FillHeader(const C3DBox& box, std::int64_t layers, float thickness)
{
    CSpfDataDoc& d = m_spf.m_data;
    d.m_unitX = d.m_unitY = d.m_hatchSpace;
    d.m_nLayerCount = static_cast<std::uint16_t>(layers > 0 && layers <= 0xFFFF ? layers : 0);
    d.m_thickness = thickness;
    if (BoxIsEmpty(box)) {
        d.m_maxX = d.m_minX = d.m_maxY = d.m_minY = 0;
        return;
    }
    d.m_maxX = TruncToU16(box.m_ptMax.m_x + 0.5);
    d.m_minX = TruncToU16(box.m_ptMin.m_x + 0.5);
    d.m_maxY = TruncToU16(box.m_ptMax.m_y + 0.5);
    d.m_minY = TruncToU16(box.m_ptMin.m_y + 0.5);
}

void CSpfExport::FillHeaderFromCli()
{
    FillHeader(m_cli->m_data.m_box, m_cli->m_data.m_nLayers, m_cli->m_data.m_fLayerThickness);
}

namespace {
void ReportOutsideField(float minX, float maxX, float minY, float maxY)
{
    const std::string text = FormatWithValues(Tr("SpfOutsideField"), {Mm(minX), Mm(maxX), Mm(minY), Mm(maxY)});
    ShowMessage(text, Tr(5002), MsgIcon::Information, MsgButtons::Ok);
}

// The extent of what a CLI-hatch layer writes: its contours and its file hatches.
C3DBox WrittenExtent(const CSlice& layer)
{
    C3DBox box;
    box.ResetBox();
    auto fold = [&box](const C2DPoint& p) {
        box.m_ptMin.m_x = std::min(box.m_ptMin.m_x, p.m_x);
        box.m_ptMin.m_y = std::min(box.m_ptMin.m_y, p.m_y);
        box.m_ptMax.m_x = std::max(box.m_ptMax.m_x, p.m_x);
        box.m_ptMax.m_y = std::max(box.m_ptMax.m_y, p.m_y);
        // A coordinate that is no number can never be stored.
        if (p.m_x != p.m_x || p.m_y != p.m_y)
            box.m_ptMin.m_x = -1.0f;
    };
    for (const auto& loop : layer.m_loops)
        for (const C2DPoint& p : loop->m_points)
            fold(p);
    for (const CHatch& h : layer.m_hatches)
        for (const C2DLine& v : h.m_vectors)
            fold(v.m_ptStart), fold(v.m_ptEnd);
    return box;
}
} // namespace

bool CSpfExport::CheckMachineField()
{
    std::vector<const C3DBox*> boxes;
    if (m_spf.m_data.m_nFileKind == FILE_KIND_CLI) {
        boxes.push_back(&m_cli->m_data.m_box);
        for (CCli* c : m_cliContours)
            boxes.push_back(&c->m_data.m_box);
    } else {
        SslBoxes(boxes);
    }
    for (const C3DBox* box : boxes) {
        if (!OutsideField(*box))
            continue;
        ReportOutsideField(box->m_ptMin.m_x, box->m_ptMax.m_x, box->m_ptMin.m_y, box->m_ptMax.m_y);
        return false;
    }
    return true;
}

bool CSpfExport::WriteSpfFile(const std::string& path, bool cliHatchMode)
{
    m_nLayersWritten = 0;
    m_nVectors = 0;
    m_bWriteFailed = false;
    m_bOutsideField = false;
    m_bKeptStopped = false;
    UpdateFileKind();
    const std::uint16_t kind = m_spf.m_data.m_nFileKind;
    const bool cli = kind == FILE_KIND_CLI && m_cli;
    const bool ssl = kind == FILE_KIND_SSL && m_ssl;
    if (!cli && !ssl) {
        ShowMessage(Tr("SpfNoSource"), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    const std::int64_t layers = cli ? m_cli->m_data.m_nLayers : SslLayerCount();
    if (layers > 0xFFFF) {
        ShowMessage(Tr("SpfTooManyLayers"), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    if (!CheckMachineField())
        return false;

    CSafeOutput output(path);
    if (!output.Open()) {
        ShowMessage(Tr("SpfFileNotOpened"), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    const bool ok = cli ? ExportFromCli(output.File(), cliHatchMode) : ExportFromSsl(output.File());
    if (m_bOutsideField) {
        output.Discard();   // the message has been shown
        return false;
    }
    if (m_bWriteFailed) {
        output.Discard();
        ShowMessage(Tr("SpfWriteFailed"), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    if (ok) {
        if (output.Commit())
            return true;
        ShowMessage(Tr("SpfWriteFailed"), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    const MsgAnswer keep =
        ShowMessage(Tr("SpfKeepQuestion"), Tr("SpfKeepCaption"), MsgIcon::Warning, MsgButtons::YesNo);
    if (keep == MsgAnswer::Yes) {
        m_bKeptStopped = output.Commit();
        if (!m_bKeptStopped)
            ShowMessage(Tr("SpfWriteFailed"), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
    } else {
        output.Discard();
    }
    return false;
}

bool CSpfExport::ExportFromCli(CByteStream& file, bool cliHatchMode)
{
    FillHeaderFromCli();
    CliSource source(*m_cli, cliHatchMode);
    std::vector<std::unique_ptr<Source>> contours;
    for (CCli* c : m_cliContours)
        contours.push_back(std::make_unique<CliSource>(*c, false));
    return RunLayers(file, source, contours, cliHatchMode);
}

bool CSpfExport::RunLayers(CByteStream& file, Source& source, std::vector<std::unique_ptr<Source>>& contours,
                           bool cliHatchMode)
{
    CSpfDataDoc& d = m_spf.m_data;
    d.m_taggedLayout = 1;
    const int tagged = d.m_taggedLayout;
    const int mode = tagged == 1 ? 1 : 0;
    if (!d.WriteHeader(file)) {
        m_bWriteFailed = true;
        return false;
    }
    const std::uint32_t n = d.m_nLayerCount;
    CSpfWriter writer(file, tagged == 1, d.m_countOffset);
    if (!writer.BeginIndex(n)) {
        m_bWriteFailed = true;
        return false;
    }

    const std::string text = Tr("SpfOutputing");
    m_elapsedMs = 0;
    Status().ShowStatus(text, FormatCostTime(0), static_cast<int>(n), 1);

    source.Open();
    for (auto& c : contours)
        c->Open();

    // A layer's records are gathered in memory and written in one piece:
    // the hatch records patch their point counts as they go, which on the
    // file itself would cost a seek and a flush per record.
    CMemoryStream body;
    C3DBox written;
    written.ResetBox();
    auto writeContourFiles = [&] {
        for (auto& c : contours)
            if (CSlice* layer = c->FirstLayer())
                m_nVectors += layer->WriteContours(body, d.m_hatchSpace, mode);
    };

    bool ok = true;
    for (std::uint32_t k = 1; k <= n; ++k) {
        Status().PumpOneMessage();
        if (!m_bExporting) {
            ok = false;
            break;
        }
        const std::int64_t t0 = Clock().NowMilliseconds();

        source.Clear();
        for (auto& c : contours)
            c->Clear();
        d.ClearPlanes();

        // A stop answered at the topology question ends the loop before the
        // layer's block is begun, so the index never names a missing block.
        bool stop = source.ReadNext(m_nTopologyReply) < 0;
        for (auto& c : contours)
            stop = stop || c->ReadNext(m_nTopologyReply) < 0;
        if (stop) {
            ok = false;
            break;
        }

        if (!cliHatchMode) {
            d.m_slices = source.Layers();
            CScan::HatchLayer(d);
            CScan::OrderLayer(d, d.m_pathStrategy);
            d.m_slices.clear();
        }

        body = CMemoryStream();
        if (d.m_contourOption == 1)
            writeContourFiles();
        if (!cliHatchMode) {
            if (!d.m_planes.empty())
                m_nVectors += d.m_planes.front().WritePaths(body, d.m_connectHatches, d.m_hatchSpace, tagged);
        } else if (CSlice* layer = source.FirstLayer()) {
            // The file's hatches are not part of its measured box: check what
            // is written, and let the header bounds follow it.
            const C3DBox extent = WrittenExtent(*layer);
            if (OutsideField(extent)) {
                ReportOutsideField(extent.m_ptMin.m_x, extent.m_ptMax.m_x, extent.m_ptMin.m_y, extent.m_ptMax.m_y);
                m_bOutsideField = true;
                ok = false;
                break;
            }
            if (!BoxIsEmpty(extent)) {
                written.m_ptMin.m_x = std::min(written.m_ptMin.m_x, extent.m_ptMin.m_x);
                written.m_ptMin.m_y = std::min(written.m_ptMin.m_y, extent.m_ptMin.m_y);
                written.m_ptMax.m_x = std::max(written.m_ptMax.m_x, extent.m_ptMax.m_x);
                written.m_ptMax.m_y = std::max(written.m_ptMax.m_y, extent.m_ptMax.m_y);
            }
            m_nVectors += layer->WriteContours(body, d.m_hatchSpace, mode);
            m_nVectors += layer->WriteHatches(body, d.m_hatchSpace, mode);
        }
        if (d.m_contourOption == 2)
            writeContourFiles();
        const auto& bytes = body.Bytes();
        if (!writer.BeginLayer(d.m_thickness) || (!bytes.empty() && !file.Write(bytes.data(), bytes.size())) ||
            !writer.EndLayer()) {
            m_bWriteFailed = true;
            break;
        }
        m_nLayersWritten = writer.LayersWritten();

        if (m_onLayer)
            m_onLayer(k, n);
        m_elapsedMs += Clock().NowMilliseconds() - t0;
        Status().ShowStatus(text, FormatCostTime(m_elapsedMs / 1000), static_cast<int>(n), static_cast<int>(k + 1));
    }

    source.Close();
    source.Clear();
    for (auto& c : contours) {
        c->Close();
        c->Clear();
    }
    writer.Finish();
    if (cliHatchMode && !BoxIsEmpty(written)) {
        // The bounds of what was written, when the measured box does not hold them.
        C3DBox box = written;
        const C3DBox& measured = m_cli->m_data.m_box;
        if (!BoxIsEmpty(measured)) {
            box.m_ptMin.m_x = std::min(box.m_ptMin.m_x, measured.m_ptMin.m_x);
            box.m_ptMin.m_y = std::min(box.m_ptMin.m_y, measured.m_ptMin.m_y);
            box.m_ptMax.m_x = std::max(box.m_ptMax.m_x, measured.m_ptMax.m_x);
            box.m_ptMax.m_y = std::max(box.m_ptMax.m_y, measured.m_ptMax.m_y);
        }
        d.m_maxX = TruncToU16(box.m_ptMax.m_x + 0.5);
        d.m_minX = TruncToU16(box.m_ptMin.m_x + 0.5);
        d.m_maxY = TruncToU16(box.m_ptMax.m_y + 0.5);
        d.m_minY = TruncToU16(box.m_ptMin.m_y + 0.5);
        if (!d.RewriteBounds(file))
            m_bWriteFailed = true;
    }
    if (writer.Failed())
        m_bWriteFailed = true;
    d.ClearPlanes();
    m_nLayersWritten = writer.LayersWritten();
    Status().ShowStatus(ok ? Tr("SpfOutputDone") : Tr("SpfOutputStopped"), FormatCostTime(m_elapsedMs / 1000),
                        static_cast<int>(n), 0);
    return ok && !m_bWriteFailed;
}
