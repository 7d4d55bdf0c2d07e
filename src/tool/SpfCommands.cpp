// The SPF halves of the tool's commands: recognising a machine file, its
// header and layer listing (info), its structural check (verify) and the
// record listing (dump).
#include "io/FileStream.h"
#include "platform/Texts.h"
#include "spf/SpfDataDoc.h"
#include "spf/SpfFormat.h"
#include "spf/SpfRecords.h"
#include "tool/FormatCommands.h"
#include "tool/SpfTool.h"
#include "tool/ToolSupport.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string DateText(const SpfDate& d)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", d.year, d.month, d.day);
    return text;
}

// One layer block as the file holds it.
struct CBlock {
    std::uint32_t index = 0;
    bool located = false;
    std::int64_t offset = 0;
    SpfBlockStatus status = SpfBlockStatus::NotABlock;
    std::vector<SpfRecord> records;   // tagged layout
    std::vector<C2DLine> vectors;     // fixed layout
    float thicknessInch = 0.0f;

    std::size_t Lines() const
    {
        std::size_t n = vectors.size();
        for (const SpfRecord& r : records)
            n += r.points.empty() ? 0 : r.points.size() - 1;
        return n;
    }
};

CBlock ReadBlock(CSpfDataDoc& doc, CByteStream& file, std::uint32_t k)
{
    CBlock b;
    b.index = k;
    std::int64_t vectorBytes = 0;
    b.located = doc.LocateLayer(file, k, b.offset, vectorBytes);
    if (!b.located)
        return b;
    if (doc.m_taggedLayout == 1)
        b.status = ReadTaggedBlock(file, b.offset, b.records, &b.thicknessInch);
    else
        b.status = ReadFixedBlock(file, b.offset, vectorBytes, doc.m_hatchSpace, b.vectors);
    return b;
}

const char* StatusText(const CBlock& b)
{
    if (!b.located)
        return "no block (index entry outside the file)";
    switch (b.status) {
    case SpfBlockStatus::Complete: return "ok";
    case SpfBlockStatus::NotABlock: return "no layer start at its offset";
    case SpfBlockStatus::Truncated: return "cut off before its end word";
    }
    return "";
}

bool OpenSpf(const std::string& path, CFileStream& file, CSpfDataDoc& doc)
{
    if (!file.Open(path, CFileStream::Mode::Read)) {
        Fail(Tr(5003) + ": " + path);
        return false;
    }
    if (!doc.ReadHeader(file)) {
        Fail(Tr(61451) + ": " + path);
        return false;
    }
    return true;
}

void PrintHeader(const std::string& path, const CSpfDataDoc& d, bool json)
{
    const char* layout = d.m_taggedLayout == 1 ? "tagged" : "fixed";
    if (json) {
        std::printf("{\"path\": %s, \"format\": \"spf\", \"layout\": \"%s\", \"version\": %u, \"layers\": %u, "
                    "\"thickness\": %s, \"unitX\": %s, \"unitY\": %s, \"date\": \"%s\", "
                    "\"bounds\": {\"minX\": %u, \"maxX\": %u, \"minY\": %u, \"maxY\": %u}",
                    JsonString(path).c_str(), layout, d.m_version, d.m_nLayerCount, JsonNumber(d.m_thickness).c_str(),
                    JsonNumber(d.m_unitX).c_str(), JsonNumber(d.m_unitY).c_str(), DateText(d.m_date).c_str(),
                    d.m_minX, d.m_maxX, d.m_minY, d.m_maxY);
        return;
    }
    std::printf("file       %s\n", path.c_str());
    std::printf("format     SPF (%s layout, version %u)\n", layout, d.m_version);
    std::printf("layers     %u\n", d.m_nLayerCount);
    std::printf("thickness  %s mm\n", FormatNumber(d.m_thickness).c_str());
    std::printf("units      X %s mm, Y %s mm\n", FormatNumber(d.m_unitX).c_str(), FormatNumber(d.m_unitY).c_str());
    std::printf("date       %s\n", DateText(d.m_date).c_str());
    std::printf("bounds     X %u to %u mm, Y %u to %u mm\n", d.m_minX, d.m_maxX, d.m_minY, d.m_maxY);
}

} // namespace

bool LooksLikeSpf(const std::string& path)
{
    CFileStream file;
    std::uint16_t magic = 0;
    if (!file.Open(path, CFileStream::Mode::Read) || !file.ReadU16(magic) || magic != SPF_MAGIC)
        return false;
    CSpfDataDoc doc;
    return doc.ReadHeader(file);
}

int InfoSpf(const CInfoOptions& options)
{
    CFileStream file;
    CSpfDataDoc doc;
    if (!OpenSpf(options.path, file, doc))
        return 1;
    PrintHeader(options.path, doc, options.json);
    int result = 0;
    if (options.layers) {
        if (options.json)
            std::printf(", \"layer\": [");
        else
            std::printf("\n layer     offset  contours  hatches    points     lines  block\n");
        for (std::uint32_t k = 1; k <= doc.m_nLayerCount; ++k) {
            const CBlock b = ReadBlock(doc, file, k);
            std::size_t contours = 0, hatches = 0, points = 0;
            for (const SpfRecord& r : b.records) {
                (r.tag == SPF_RECORD_CONTOUR ? contours : hatches) += 1;
                points += r.points.size();
            }
            if (doc.m_taggedLayout != 1)
                points = 2 * b.vectors.size();
            if (b.status != SpfBlockStatus::Complete)
                result = 1;
            if (options.json)
                std::printf("%s\n  {\"index\": %u, \"offset\": %lld, \"contours\": %zu, \"hatches\": %zu, "
                            "\"points\": %zu, \"lines\": %zu, \"block\": %s}",
                            k == 1 ? "" : ",", k, static_cast<long long>(b.offset), contours, hatches, points,
                            b.Lines(), JsonString(StatusText(b)).c_str());
            else
                std::printf("%6u %10lld %9zu %8zu %9zu %9zu  %s\n", k, static_cast<long long>(b.offset), contours,
                            hatches, points, b.Lines(), StatusText(b));
        }
        if (options.json)
            std::printf("%s]", doc.m_nLayerCount ? "\n" : "");
    }
    if (options.json)
        std::printf("}\n");
    std::fflush(stdout);
    return result;
}

int VerifySpf(const std::string& path)
{
    CFileStream file;
    CSpfDataDoc doc;
    if (!OpenSpf(path, file, doc))
        return 1;
    int problems = 0;
    for (std::uint32_t k = 1; k <= doc.m_nLayerCount; ++k) {
        const CBlock b = ReadBlock(doc, file, k);
        if (b.located && b.status == SpfBlockStatus::Complete)
            continue;
        if (++problems <= 10)
            std::fprintf(stderr, "layer %u: %s\n", k, StatusText(b));
    }
    // The index ends with its end word (tagged), and the file with its end word.
    std::uint16_t word = 0;
    if (doc.m_taggedLayout == 1) {
        const std::int64_t at = static_cast<std::int64_t>(doc.m_indexStart) + 4 * static_cast<std::int64_t>(doc.m_nLayerCount);
        if (!file.Seek(at) || !file.ReadU16(word) || word != SPF_INDEX_END) {
            ++problems;
            std::fprintf(stderr, "the layer index does not end after %u entries\n", doc.m_nLayerCount);
        }
    }
    if (file.Size() < 2 || !file.Seek(file.Size() - 2) || !file.ReadU16(word) || word != SPF_FILE_END) {
        ++problems;
        std::fprintf(stderr, "the file does not end with its end word\n");
    }
    std::printf("%s\n", Tr(problems ? 61451 : 61450).c_str());
    return problems ? 1 : 0;
}

int DumpSpf(const std::string& path, std::uint32_t onlyLayer, bool json)
{
    CFileStream file;
    CSpfDataDoc doc;
    if (!OpenSpf(path, file, doc))
        return 1;
    if (onlyLayer > doc.m_nLayerCount)
        return Fail("no layer " + std::to_string(onlyLayer) + ": the file has " + std::to_string(doc.m_nLayerCount) +
                    " layers");
    const std::uint32_t first = onlyLayer ? onlyLayer : 1;
    const std::uint32_t last = onlyLayer ? onlyLayer : doc.m_nLayerCount;
    int result = 0;
    if (json)
        std::printf("{\"path\": %s, \"layout\": \"%s\", \"layers\": [", JsonString(path).c_str(),
                    doc.m_taggedLayout == 1 ? "tagged" : "fixed");
    auto point = [&](const C2DPoint& p) {
        if (json)
            std::printf("[%s, %s]", JsonNumber(p.m_x).c_str(), JsonNumber(p.m_y).c_str());
        else
            std::printf(" (%s, %s)", FormatNumber(p.m_x).c_str(), FormatNumber(p.m_y).c_str());
    };
    for (std::uint32_t k = first; k <= last; ++k) {
        CBlock b = ReadBlock(doc, file, k);
        if (b.status != SpfBlockStatus::Complete)
            result = 1;
        // A fixed block's vectors are shown as two-point records.
        for (const C2DLine& v : b.vectors)
            b.records.push_back(SpfRecord{0, 2, {v.m_ptStart, v.m_ptEnd}});
        if (json) {
            std::printf("%s\n {\"index\": %u, \"offset\": %lld, \"block\": %s, \"records\": [", k == first ? "" : ",", k,
                        static_cast<long long>(b.offset), JsonString(StatusText(b)).c_str());
        } else {
            std::printf("layer %u  offset %lld  %zu records  %s\n", k, static_cast<long long>(b.offset),
                        b.records.size(), StatusText(b));
        }
        for (std::size_t i = 0; i < b.records.size(); ++i) {
            const SpfRecord& r = b.records[i];
            const char* kind = r.tag == SPF_RECORD_HATCH ? "hatch" : r.tag == SPF_RECORD_CONTOUR ? "contour" : "vector";
            if (json) {
                std::printf("%s\n  {\"tag\": %u, \"kind\": \"%s\", \"count\": %u, \"points\": [", i ? "," : "", r.tag,
                            kind, r.count);
            } else {
                std::printf("  %3u %-7s %u points%s:", r.tag, kind, r.count,
                            r.points.size() < r.count ? " (cut off)" : "");
            }
            for (std::size_t j = 0; j < r.points.size(); ++j) {
                if (json && j)
                    std::printf(", ");
                point(r.points[j]);
            }
            std::printf(json ? "]}" : "\n");
        }
        if (json)
            std::printf("%s]}", b.records.empty() ? "" : "\n ");
    }
    if (json)
        std::printf("\n]}\n");
    std::fflush(stdout);
    return result;
}
