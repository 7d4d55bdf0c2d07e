#include "cli/Cli.h"
#include "cli/CliLayerIo.h"
#include "io/FileStream.h"
#include "platform/ScriptedPlatform.h"
#include "scan/Scan.h"
#include "scan/ScanContext.h"
#include "spf/Spf.h"
#include "spf/SpfExport.h"
#include "spf/SpfFormat.h"
#include "ssl/Ssl.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

// One polyline of a test layer: direction value and points.
struct Poly {
    std::uint16_t dir;
    std::vector<C2DPoint> points;
};
struct Hatches {
    std::vector<C2DLine> vectors;
};
struct LayerSpec {
    std::vector<Poly> polys;
    std::vector<Hatches> hatches;
};

Poly Rect(float x0, float y0, float x1, float y1, std::uint16_t dir)
{
    if (dir == LOOP_INNER)
        return {dir, {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}}};
    return {dir, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}};
}

Poly Circle(float cx, float cy, float r, std::uint16_t dir)
{
    Poly p{dir, {}};
    for (int i = 0; i < 40; ++i) {
        const double a = (dir == LOOP_INNER ? -1 : 1) * 2 * 3.14159265358979 * i / 40;
        p.points.emplace_back(static_cast<float>(cx + r * std::cos(a)), static_cast<float>(cy + r * std::sin(a)));
    }
    return p;
}

// Writes a CLI file of long-form layers (heights thickness, 2 thickness, ...).
void WriteCli(const std::string& path, const std::vector<LayerSpec>& layers, float thickness = 0.1f)
{
    CCliDataDoc doc;
    doc.m_fUnits = 1.0f;
    doc.m_nLayers = static_cast<std::int32_t>(layers.size());
    CFileStream out;
    ASSERT_TRUE(out.Open(path, CFileStream::Mode::Write));
    ASSERT_TRUE(doc.WriteHeader(out));
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const float z = thickness * static_cast<float>(i + 1);
        ASSERT_TRUE(WriteCliLayerStart(out, CLI_KIND_LONG, z, 1.0f));
        for (const Poly& p : layers[i].polys) {
            out.WriteU16(130);
            out.WriteI32(1);
            out.WriteI32(p.dir);
            out.WriteI32(static_cast<std::int32_t>(p.points.size()));
            for (const C2DPoint& pt : p.points)
                out.WriteF32(pt.m_x), out.WriteF32(pt.m_y);
        }
        for (const Hatches& h : layers[i].hatches) {
            out.WriteU16(132);
            out.WriteI32(7);
            out.WriteI32(static_cast<std::int32_t>(h.vectors.size()));
            for (const C2DLine& v : h.vectors)
                out.WriteF32(v.m_ptStart.m_x), out.WriteF32(v.m_ptStart.m_y), out.WriteF32(v.m_ptEnd.m_x),
                    out.WriteF32(v.m_ptEnd.m_y);
        }
    }
    ASSERT_TRUE(out.Close());
}

// The part: a plate with a hole, two separate islands, an empty layer, a ring.
std::vector<LayerSpec> PartLayers()
{
    const LayerSpec plate{{Rect(10, 10, 40, 30, LOOP_OUTER), Rect(20, 15, 28, 25, LOOP_INNER)}, {}};
    const LayerSpec islands{{Rect(10, 10, 18, 30, LOOP_OUTER), Rect(25, 12, 40, 20, LOOP_OUTER)}, {}};
    const LayerSpec ring{{Circle(25, 20, 12, LOOP_OUTER), Circle(25, 20, 6, LOOP_INNER)}, {}};
    return {plate, plate, islands, {}, ring, ring};
}

std::vector<LayerSpec> BorderLayers()
{
    const LayerSpec frame{{Rect(5, 5, 45, 35, LOOP_OUTER)}, {}};
    return {frame, frame, frame, frame};   // fewer layers than the part
}

std::vector<C2DLine> ReadBack(CSpf& spf, std::uint32_t k)
{
    spf.m_data.ClearPlanes();
    if (!spf.m_data.LoadLayer(spf.m_strFileName, k) || spf.m_data.m_planes.empty())
        return {};
    std::vector<C2DLine> lines;
    for (const CPlanePath& path : spf.m_data.m_planes[0].m_paths)
        lines.insert(lines.end(), path.m_vectors.begin(), path.m_vectors.end());
    return lines;
}

// One coordinate word is 2000 / 65535 mm; truncation moves a value down by less than that.
constexpr float kWord = 2000.0f / 65535.0f;
bool NearPoint(const C2DPoint& a, const C2DPoint& b)
{
    return std::fabs(a.m_x - b.m_x) <= kWord && std::fabs(a.m_y - b.m_y) <= kWord;
}
bool NearLine(const C2DLine& a, const C2DLine& b) { return NearPoint(a.m_ptStart, b.m_ptStart) && NearPoint(a.m_ptEnd, b.m_ptEnd); }

// The contour segments a layer's contours are written as: each edge, the closing one last.
std::vector<C2DLine> ContourSegments(const CSlice* layer)
{
    std::vector<C2DLine> segments;
    if (!layer)
        return segments;
    for (const auto& loop : layer->m_loops) {
        const auto& p = loop->m_points;
        for (std::size_t i = 1; i < p.size(); ++i)
            segments.emplace_back(p[i - 1].m_x, p[i - 1].m_y, p[i].m_x, p[i].m_y);
        if (!p.empty())
            segments.emplace_back(p.back().m_x, p.back().m_y, p.front().m_x, p.front().m_y);
    }
    return segments;
}

struct Options {
    int orientation;
    int strategy;
    int connect;
    int contourOption;
};

// Exports part (with border as its one contour file) under the options.
bool Export(CSpf& spf, CCli& part, CCli* border, const Options& o, const std::string& out, bool cliHatch = false)
{
    spf.m_data.m_hatchSpace = cliHatch ? 0.05f : 0.5f;
    spf.m_data.m_orientation = o.orientation;
    spf.m_data.m_pathStrategy = o.strategy;
    spf.m_data.m_connectHatches = o.connect;
    spf.m_data.m_contourOption = o.contourOption;
    spf.m_data.m_nScanDirX = spf.m_data.m_nScanDirY = 7;
    CSpfExport exporter(spf);
    exporter.m_cli = &part;
    if (border)
        exporter.m_cliContours.push_back(border);
    exporter.UpdateFileKind();
    exporter.m_bExporting = true;
    const bool ok = exporter.WriteSpfFile(out, cliHatch);
    spf.m_strFileName = out;
    return ok;
}

} // namespace

class SpfExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteCli(m_dir.File("part.cli"), PartLayers());
        WriteCli(m_dir.File("border.cli"), BorderLayers());
        ASSERT_TRUE(m_part.Load(m_dir.File("part.cli")));
        ASSERT_TRUE(m_border.Load(m_dir.File("border.cli")));
        m_part.m_bOpen = true;
    }

    CScriptedPlatform m_platform;
    CTempDir m_dir;
    CCli m_part;
    CCli m_border;
};

namespace {
// Writes an SSL file of the layers (lengths in inches).
void WriteSsl(const std::string& path, const std::vector<LayerSpec>& layers, float thickness = 0.1f)
{
    std::FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fprintf(f, "Slice\tV0\nSLICES()\nFILE(test)");
    for (std::size_t i = 0; i < layers.size(); ++i) {
        std::fprintf(f, "\nZ %f %f", thickness * (i + 1) / 25.4, thickness / 25.4);
        for (const Poly& p : layers[i].polys) {
            for (const C2DPoint& pt : p.points)
                std::fprintf(f, "\n%f %f", pt.m_x / 25.4, pt.m_y / 25.4);
            std::fprintf(f, "\nC");
        }
    }
    std::fprintf(f, "\nEND\n");
    std::fclose(f);
}

// One slice file of either kind, read layer by layer as the export reads it.
struct CSource {
    bool ssl;
    CCli cli;
    CSsl sslHolder;
    bool Load(const std::string& path) { return ssl ? sslHolder.Open(path) : cli.Load(path); }
    bool OpenReading() { return ssl ? sslHolder.m_data.OpenReading() : cli.m_data.OpenLayerFile(); }
    void Next(PromptState& prompt)
    {
        if (ssl) {
            sslHolder.m_data.ClearLayers();
            sslHolder.m_data.ReadNextLayer(prompt);
        } else {
            cli.m_data.ClearLayers();
            cli.m_data.ReadNextLayer(prompt);
        }
    }
    std::vector<CSlice*> Layers()
    {
        std::vector<CSlice*> out;
        for (auto& l : ssl ? sslHolder.m_data.m_layers : cli.m_data.m_layers)
            out.push_back(l.get());
        return out;
    }
};
} // namespace

namespace {
bool ExportAny(CSpf& spf, CSource& part, CSource& border, const Options& o, const std::string& out)
{
    if (!part.ssl) {
        part.cli.m_bOpen = true;
        return Export(spf, part.cli, &border.cli, o, out);
    }
    spf.m_data.m_hatchSpace = 0.5f;
    spf.m_data.m_orientation = o.orientation;
    spf.m_data.m_pathStrategy = o.strategy;
    spf.m_data.m_connectHatches = o.connect;
    spf.m_data.m_contourOption = o.contourOption;
    spf.m_data.m_nScanDirX = spf.m_data.m_nScanDirY = 7;
    part.sslHolder.m_bOpen = true;
    CSpfExport exporter(spf);
    exporter.m_ssl = &part.sslHolder;
    exporter.m_sslContours.push_back(&border.sslHolder);
    exporter.UpdateFileKind();
    exporter.m_bExporting = true;
    const bool ok = exporter.WriteSpfFile(out, false);
    spf.m_strFileName = out;
    return ok;
}
} // namespace

TEST_F(SpfExport, EveryOptionCombinationMatchesTheScanEngine)
{
    WriteSsl(m_dir.File("part.ssl"), PartLayers());
    WriteSsl(m_dir.File("border.ssl"), BorderLayers());
    for (const bool ssl : {false, true})
    for (int orientation = 0; orientation <= 2; ++orientation)
        for (int strategy = 1; strategy <= 4; ++strategy)
            for (int connect = 0; connect <= 1; ++connect)
                for (int contourOption = 0; contourOption <= 2; ++contourOption) {
                    const Options o{orientation, strategy, connect, contourOption};
                    const std::string kind = ssl ? "ssl" : "cli";
                    const std::string name = kind + "o" + std::to_string(orientation) + "s" + std::to_string(strategy) +
                                             "c" + std::to_string(connect) + "b" + std::to_string(contourOption);
                    CSpf spf;
                    CSource part{ssl, {}, {}}, border{ssl, {}, {}};
                    ASSERT_TRUE(part.Load(m_dir.File("part." + kind)));
                    ASSERT_TRUE(border.Load(m_dir.File("border." + kind)));
                    ASSERT_TRUE(ExportAny(spf, part, border, o, m_dir.File(name + ".spf"))) << name;
                    ASSERT_TRUE(spf.Open(m_dir.File(name + ".spf"))) << name;
                    ASSERT_EQ(spf.m_data.m_nLayerCount, 6) << name;

                    // The scan engine run on its own over the same layers.
                    CScanContext ctx;
                    ctx.m_hatchSpace = 0.5f;
                    ctx.m_orientation = orientation;
                    ctx.m_nFileKind = ssl ? 1 : 2;
                    CSource ownPart{ssl, {}, {}}, ownBorder{ssl, {}, {}};
                    ASSERT_TRUE(ownPart.Load(m_dir.File("part." + kind)));
                    ASSERT_TRUE(ownBorder.Load(m_dir.File("border." + kind)));
                    ASSERT_TRUE(ownPart.OpenReading());
                    ASSERT_TRUE(ownBorder.OpenReading());
                    PromptState prompt = PROMPT_GO_ON;
                    int steps = 0;
                    for (std::uint32_t k = 1; k <= 6; ++k) {
                        ctx.ClearPlanes();
                        ownPart.Next(prompt);
                        ownBorder.Next(prompt);
                        ctx.m_slices = ownPart.Layers();
                        CScan::HatchLayer(ctx);
                        CScan::OrderLayer(ctx, strategy);
                        std::vector<C2DLine> path;
                        if (!ctx.m_planes.empty())
                            for (const CPlanePath& pp : ctx.m_planes[0].m_paths)
                                path.insert(path.end(), pp.m_scanPath.begin(), pp.m_scanPath.end());
                        const auto borderLayers = ownBorder.Layers();
                        const std::vector<C2DLine> frame =
                            ContourSegments(contourOption && !borderLayers.empty() ? borderLayers[0] : nullptr);
                        std::vector<C2DLine> lines = ReadBack(spf, k);
                        ASSERT_GE(lines.size(), path.size() + frame.size()) << name << " layer " << k;
                        // Contour-file segments come first or last.
                        const std::size_t frameAt = contourOption == 1 ? 0 : lines.size() - frame.size();
                        for (std::size_t i = 0; i < frame.size(); ++i)
                            EXPECT_TRUE(NearLine(lines[frameAt + i], frame[i])) << name << " layer " << k << " seg " << i;
                        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(frameAt),
                                    lines.begin() + static_cast<std::ptrdiff_t>(frameAt + frame.size()));
                        // The hatch vectors in planned order; connected ones may
                        // carry the step from one vector's end to the next's start.
                        std::size_t at = 0;
                        for (std::size_t i = 0; i < path.size(); ++i) {
                            if (i > 0 && at < lines.size() && !NearLine(lines[at], path[i]) && connect == 1) {
                                EXPECT_TRUE(NearLine(lines[at], C2DLine(path[i - 1].m_ptEnd.m_x, path[i - 1].m_ptEnd.m_y,
                                                                        path[i].m_ptStart.m_x, path[i].m_ptStart.m_y)))
                                    << name << " layer " << k << " step before " << i;
                                ++at;
                                ++steps;
                            }
                            ASSERT_LT(at, lines.size()) << name << " layer " << k;
                            EXPECT_TRUE(NearLine(lines[at], path[i])) << name << " layer " << k << " vector " << i;
                            ++at;
                        }
                        EXPECT_EQ(at, lines.size()) << name << " layer " << k;
                        if (k == 4)
                            EXPECT_TRUE(path.empty());   // the empty layer
                        else
                            EXPECT_FALSE(path.empty()) << name << " layer " << k;
                    }
                    // Connected export joins the regular steps of the plate's lines.
                    EXPECT_EQ(steps > 0, connect == 1) << name;
                }
}

TEST_F(SpfExport, HeaderFollowsThePart)
{
    CSpf spf;
    m_platform.SetToday(2026, 12, 11);
    ASSERT_TRUE(Export(spf, m_part, nullptr, {2, 4, 0, 2}, m_dir.File("p.spf")));
    ASSERT_TRUE(spf.Open(m_dir.File("p.spf")));
    EXPECT_EQ(spf.m_data.m_version, 10);
    EXPECT_FLOAT_EQ(spf.m_data.m_hatchSpace, 0.5f);
    EXPECT_NEAR(spf.m_data.m_thickness, 0.1f, 1e-6f);
    EXPECT_EQ(spf.m_data.m_date.year, 2026);
    // Bounds: whole millimetres of the box (10..40, 8..32 for the ring), as
    // words, read back cut to whole millimetres again.
    EXPECT_EQ(spf.m_data.m_minX, 9);
    EXPECT_EQ(spf.m_data.m_maxX, 39);
    // Status: start, one per layer, the final text with current layer 0.
    ASSERT_EQ(m_platform.m_status.size(), 8u);
    EXPECT_EQ(m_platform.m_status.front().message, "Outputing the SPF file...");
    EXPECT_EQ(m_platform.m_status.front().current, 1);
    EXPECT_EQ(m_platform.m_status[6].current, 7);
    EXPECT_EQ(m_platform.m_status.back().message, "Output SPF file successfully!");
    EXPECT_EQ(m_platform.m_status.back().current, 0);
    EXPECT_EQ(m_platform.m_status.back().costText.rfind("Cost Time: ", 0), 0u);
    EXPECT_EQ(m_platform.m_pumped, 6);
}

namespace {
// Clears the export flag when the status reaches the given layer.
class CStopAt : public IStatusWriter {
public:
    CStopAt(CSpfExport*& exporter, int layer) : m_exporter(exporter), m_layer(layer) {}
    void ShowStatus(const std::string& message, const std::string&, int, int current) override
    {
        m_messages.push_back(message);
        if (current == m_layer && m_exporter)
            m_exporter->m_bExporting = false;
    }
    CSpfExport*& m_exporter;
    int m_layer;
    std::vector<std::string> m_messages;
};

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
} // namespace

TEST_F(SpfExport, StopAtLayerFiveOfTenKeptOrDeleted)
{
    std::vector<LayerSpec> ten(10, PartLayers()[0]);
    WriteCli(m_dir.File("ten.cli"), ten);
    for (const MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
        CCli part;
        ASSERT_TRUE(part.Load(m_dir.File("ten.cli")));
        part.m_bOpen = true;
        const std::string out = m_dir.File(answer == MsgAnswer::Yes ? "kept.spf" : "deleted.spf");
        {
            std::ofstream old(out);
            old << "an older file";
        }
        CSpf spf;
        spf.m_data.m_hatchSpace = 0.5f;
        spf.m_data.m_orientation = 0;
        CSpfExport exporter(spf);
        CSpfExport* target = &exporter;
        CStopAt stop(target, 5);
        CScopedPlatform scoped(CPlatform{&m_platform, &m_platform, &stop, &m_platform});
        exporter.m_cli = &part;
        exporter.UpdateFileKind();
        exporter.m_bExporting = true;
        m_platform.m_messages.clear();
        m_platform.Answer(answer);
        EXPECT_FALSE(exporter.WriteSpfFile(out, false));
        ASSERT_EQ(m_platform.m_messages.size(), 1u);
        EXPECT_EQ(m_platform.m_messages[0].text, "Already Save the SPF file?");
        EXPECT_EQ(m_platform.m_messages[0].caption, "Terminate to output the SPF file");
        EXPECT_EQ(stop.m_messages.back(), "Already terminate to output the SPF file!");
        EXPECT_EQ(exporter.m_nLayersWritten, 4u);
        EXPECT_EQ(exporter.m_bKeptStopped, answer == MsgAnswer::Yes);
        if (answer == MsgAnswer::No) {
            EXPECT_EQ(ReadAll(out), "an older file");   // the old file is untouched
            continue;
        }
        // Header, index and blocks agree on four layers.
        CSpf back;
        ASSERT_TRUE(back.Open(out));
        EXPECT_EQ(back.m_data.m_nLayerCount, 4);
        const std::string bytes = ReadAll(out);
        const std::size_t index = back.m_data.m_indexStart;
        EXPECT_EQ(static_cast<unsigned char>(bytes[index + 16]) | static_cast<unsigned char>(bytes[index + 17]) << 8,
                  SPF_INDEX_END);
        EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\xFE\xFF\xFF\xFF", 4));
        for (std::uint32_t k = 1; k <= 4; ++k)
            EXPECT_FALSE(ReadBack(back, k).empty()) << k;
    }
}

TEST_F(SpfExport, StopAnsweredAtTheTopologyQuestion)
{
    // Layer 3 holds a hole without an outer contour.
    std::vector<LayerSpec> layers(5, PartLayers()[0]);
    layers[2] = LayerSpec{{Rect(20, 15, 28, 25, LOOP_INNER), Rect(50, 50, 60, 60, LOOP_OUTER)}, {}};
    WriteCli(m_dir.File("broken.cli"), layers);
    CCli part;
    ASSERT_TRUE(part.Load(m_dir.File("broken.cli")));
    part.m_bOpen = true;
    CSpf spf;
    spf.m_data.m_hatchSpace = 0.5f;
    CSpfExport exporter(spf);
    exporter.m_cli = &part;
    exporter.UpdateFileKind();
    exporter.m_bExporting = true;
    m_platform.Answer(MsgAnswer::No);    // stop at the question
    m_platform.Answer(MsgAnswer::Yes);   // keep the file
    EXPECT_FALSE(exporter.WriteSpfFile(m_dir.File("broken.spf"), false));
    ASSERT_EQ(m_platform.m_messages.size(), 2u);
    EXPECT_EQ(m_platform.m_messages[0].text, "The topology structure have error, Continue?");
    CSpf back;
    ASSERT_TRUE(back.Open(m_dir.File("broken.spf")));
    EXPECT_EQ(back.m_data.m_nLayerCount, 2);
    EXPECT_FALSE(ReadBack(back, 2).empty());
    EXPECT_FALSE(back.m_data.LoadLayer(back.m_strFileName, 3));
}

TEST_F(SpfExport, CliHatchModeCarriesTheFilesOwnHatches)
{
    // Contours in one file, hatches in another, as build packages often split them.
    const Hatches h{{C2DLine(11, 12, 39, 12), C2DLine(39, 13, 11, 13)}};
    WriteCli(m_dir.File("contours.cli"), {{{Rect(10, 10, 40, 30, LOOP_OUTER)}, {}}, {{Rect(10, 10, 40, 30, LOOP_OUTER)}, {}}});
    WriteCli(m_dir.File("hatches.cli"), {{{}, {h}}, {{}, {h, h}}});
    {
        CCli hatchOnly;
        ASSERT_TRUE(hatchOnly.Load(m_dir.File("hatches.cli")));
        hatchOnly.m_bOpen = true;
        CSpf spf;
        ASSERT_TRUE(Export(spf, hatchOnly, nullptr, {0, 4, 0, 2}, m_dir.File("hatches.spf"), true));
        ASSERT_TRUE(spf.Open(m_dir.File("hatches.spf")));
        EXPECT_FLOAT_EQ(spf.m_data.m_hatchSpace, 0.05f);
        const auto layer1 = ReadBack(spf, 1);
        ASSERT_EQ(layer1.size(), 2u);
        EXPECT_TRUE(NearLine(layer1[0], h.vectors[0]));
        EXPECT_TRUE(NearLine(layer1[1], h.vectors[1]));
        EXPECT_EQ(ReadBack(spf, 2).size(), 4u);
        // The header bounds follow the hatches written (11..39 mm; read back cut to whole mm).
        EXPECT_EQ(spf.m_data.m_minX, 10);
        EXPECT_EQ(spf.m_data.m_maxX, 38);
    }
    {
        // Hatches beyond the machine field are refused, not wrapped: nothing is written.
        WriteCli(m_dir.File("farhatches.cli"), {{{}, {h}}, {{}, {Hatches{{C2DLine(1990, 5, 2100, 5)}}}}});
        CCli far;
        ASSERT_TRUE(far.Load(m_dir.File("farhatches.cli")));
        far.m_bOpen = true;
        m_platform.m_messages.clear();
        CSpf spf;
        EXPECT_FALSE(Export(spf, far, nullptr, {0, 4, 0, 2}, m_dir.File("far.spf"), true));
        ASSERT_EQ(m_platform.m_messages.size(), 1u);
        EXPECT_NE(m_platform.m_messages[0].text.find("2100.000"), std::string::npos);
        EXPECT_FALSE(std::ifstream(m_dir.File("far.spf")).good());
    }
    {
        // A file without hatches: only its contour records.
        CCli contours;
        ASSERT_TRUE(contours.Load(m_dir.File("contours.cli")));
        contours.m_bOpen = true;
        CSpf spf;
        ASSERT_TRUE(Export(spf, contours, nullptr, {0, 4, 0, 2}, m_dir.File("contours.spf"), true));
        ASSERT_TRUE(spf.Open(m_dir.File("contours.spf")));
        const auto lines = ReadBack(spf, 1);
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_TRUE(NearLine(lines[3], C2DLine(10, 30, 10, 10)));   // the closing edge
    }
}

TEST_F(SpfExport, EmptyPartStillEndsWithBothEndWords)
{
    WriteCli(m_dir.File("empty.cli"), {});
    CCli empty;
    empty.Load(m_dir.File("empty.cli"));
    empty.m_bOpen = true;
    CSpf spf;
    ASSERT_TRUE(Export(spf, empty, nullptr, {0, 4, 0, 2}, m_dir.File("empty.spf")));
    const std::string bytes = ReadAll(m_dir.File("empty.spf"));
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\xFC\xFF\xFF\xFF", 4));
}

TEST_F(SpfExport, PartOutsideTheMachineFieldIsRefused)
{
    struct Case {
        const char* name;
        Poly outline;
        bool ok;
    };
    const std::vector<Case> cases = {
        {"negative x", Rect(-5, 10, 20, 20, LOOP_OUTER), false},
        {"beyond 2000 in y", Rect(10, 1990, 20, 2010, LOOP_OUTER), false},
        {"up to 2000", Rect(1980, 1980, 2000, 2000, LOOP_OUTER), true},
    };
    for (const Case& c : cases) {
        WriteCli(m_dir.File("far.cli"), {{{c.outline}, {}}});
        CCli far;
        ASSERT_TRUE(far.Load(m_dir.File("far.cli")));
        far.m_bOpen = true;
        const std::string out = m_dir.File("far.spf");
        std::remove(out.c_str());
        m_platform.m_messages.clear();
        CSpf spf;
        EXPECT_EQ(Export(spf, far, nullptr, {0, 4, 0, 2}, out), c.ok) << c.name;
        EXPECT_EQ(std::ifstream(out).good(), c.ok) << c.name;
        if (!c.ok) {
            ASSERT_EQ(m_platform.m_messages.size(), 1u) << c.name;
            EXPECT_NE(m_platform.m_messages[0].text.find("Move the part to the origin"), std::string::npos);
            EXPECT_NE(m_platform.m_messages[0].text.find(c.name[0] == 'n' ? "-5.000" : "2010.000"), std::string::npos);
        }
    }
    // A contour file outside the field is refused the same way.
    WriteCli(m_dir.File("farborder.cli"), {{{Rect(-1, 0, 10, 10, LOOP_OUTER)}, {}}});
    CCli farBorder;
    ASSERT_TRUE(farBorder.Load(m_dir.File("farborder.cli")));
    CSpf spf;
    EXPECT_FALSE(Export(spf, m_part, &farBorder, {0, 4, 0, 2}, m_dir.File("b.spf")));
    EXPECT_FALSE(std::ifstream(m_dir.File("b.spf")).good());
}

TEST_F(SpfExport, UnwritableTargetIsReportedAndNothingIsLeft)
{
    CSpf spf;
    EXPECT_FALSE(Export(spf, m_part, nullptr, {0, 4, 0, 2}, m_dir.File("no/such/dir/p.spf")));
    ASSERT_EQ(m_platform.m_messages.size(), 1u);
    EXPECT_EQ(m_platform.m_messages[0].text, "File could not be opened ");
    EXPECT_EQ(m_platform.m_messages[0].caption, "Error");
}

TEST(SpfExportHeader, BoundsRoundToWholeMillimetres)
{
    struct Case {
        float min, max;
        std::uint16_t wantMin, wantMax;
    };
    for (const Case& c : {Case{10.0f, 120.6f, 10, 121}, Case{0.4f, 120.4f, 0, 120}, Case{0.5f, 1999.5f, 1, 2000}}) {
        CCli cli;
        cli.m_data.m_box.m_ptMin = C3DPoint(c.min, c.min, 0);
        cli.m_data.m_box.m_ptMax = C3DPoint(c.max, c.max, 1);
        cli.m_data.m_nLayers = 3;
        cli.m_data.m_fLayerThickness = 0.05f;
        CSpf spf;
        spf.m_data.m_hatchSpace = 0.3f;
        CSpfExport exporter(spf);
        exporter.m_cli = &cli;
        exporter.FillHeaderFromCli();
        EXPECT_EQ(spf.m_data.m_minX, c.wantMin) << c.min;
        EXPECT_EQ(spf.m_data.m_maxX, c.wantMax) << c.max;
        EXPECT_EQ(spf.m_data.m_maxY, c.wantMax) << c.max;
        EXPECT_EQ(spf.m_data.m_nLayerCount, 3);
        EXPECT_FLOAT_EQ(spf.m_data.m_unitX, 0.3f);
        EXPECT_FLOAT_EQ(spf.m_data.m_thickness, 0.05f);
    }
}
