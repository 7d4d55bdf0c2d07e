// vemo-make-sample DIR: writes DIR/plate.cli and the same part as SSL text,
// DIR/plate.ssl, with the project's own writers: a plate with bolt holes and a
// pocket that holds an island, then a tapering boss with a bore on top of it.
//
//   layers   1..100  plate 80 x 60 mm, 5 mm high, short form, contour types given
//   layers 101..300  boss tapering from radius 15 to 10 mm around a 6 mm bore,
//                    long form, contour types left for the reader to decide
#include "cli/CliDataDoc.h"
#include "cli/CliLayerIo.h"
#include "io/FileStream.h"
#include "layer/SslLayer.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

constexpr float kUnits = 0.01f;
constexpr float kThickness = 0.05f;
constexpr int kPlateLayers = 100;
constexpr int kBossLayers = 200;
constexpr float kPi = 3.14159265f;

void AddCircle(CSlice& layer, float cx, float cy, float r, int segments, bool clockwise, std::uint16_t type)
{
    CSliceLoop& loop = layer.AddLoop();
    loop.m_nType = type;
    for (int i = 0; i < segments; ++i) {
        const float a = 2 * kPi * static_cast<float>(i) / static_cast<float>(segments);
        const float s = clockwise ? -std::sin(a) : std::sin(a);
        loop.m_points.emplace_back(cx + r * std::cos(a), cy + r * s);
    }
    loop.m_nPointCount = static_cast<std::int32_t>(loop.m_points.size());
}

void AddRectangle(CSlice& layer, float x0, float y0, float x1, float y1, bool clockwise, std::uint16_t type)
{
    CSliceLoop& loop = layer.AddLoop();
    loop.m_nType = type;
    if (clockwise)
        loop.m_points = {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}};
    else
        loop.m_points = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    loop.m_nPointCount = 4;
}

void MakePlateLayer(CSlice& layer)
{
    // The plate lies at (10, 10)..(90, 70) so every coordinate fits the short form.
    AddRectangle(layer, 10, 10, 90, 70, false, LOOP_OUTER);
    for (float x : {18.0f, 82.0f})
        for (float y : {18.0f, 62.0f})
            AddCircle(layer, x, y, 3.0f, 48, true, LOOP_INNER);
    AddRectangle(layer, 22, 28, 42, 52, true, LOOP_INNER);    // pocket
    AddRectangle(layer, 28, 36, 36, 44, false, LOOP_OUTER);   // island in the pocket
    AddCircle(layer, 32, 40, 1.5f, 24, true, LOOP_INNER);      // a hole in the island
}

void MakeBossLayer(CSlice& layer, int index)
{
    const float t = static_cast<float>(index) / static_cast<float>(kBossLayers - 1);
    const float radius = 15.0f - 5.0f * t;
    AddCircle(layer, 66, 40, radius, 96, false, LOOP_UNDECIDED);
    AddCircle(layer, 66, 40, 6.0f, 64, true, LOOP_UNDECIDED);
}

void MakeLayer(CSlice& layer, int i)
{
    layer.m_fHeight = kThickness * static_cast<float>(i + 1);
    layer.m_fThickness = kThickness;
    if (i < kPlateLayers)
        MakePlateLayer(layer);
    else
        MakeBossLayer(layer, i - kPlateLayers);
}

bool WriteCli(CFileStream& out)
{
    CCliDataDoc doc;
    doc.m_fUnits = kUnits;
    doc.m_nVersion = 200;
    doc.m_nLayers = kPlateLayers + kBossLayers;
    doc.m_box.m_ptMin = C3DPoint(10, 10, kThickness);
    doc.m_box.m_ptMax = C3DPoint(90, 70, kThickness * static_cast<float>(kPlateLayers + kBossLayers));
    bool ok = doc.WriteHeader(out);
    for (int i = 0; ok && i < kPlateLayers + kBossLayers; ++i) {
        CSlice layer;
        MakeLayer(layer, i);
        ok = WriteCliLayer(layer, out, i < kPlateLayers ? CLI_KIND_SHORT : CLI_KIND_LONG, kUnits);
    }
    return ok;
}

bool WriteSsl(CFileStream& out)
{
    bool ok = out.WriteText("Slice\tV0\nSLICES()\nFILE(file0,plate.ssl)");
    for (int i = 0; ok && i < kPlateLayers + kBossLayers; ++i) {
        CSlice layer;
        MakeLayer(layer, i);
        ok = WriteSslLayer(layer, &out);
    }
    return ok && out.WriteText("\nEND\n");
}

// Writes through a temporary file beside the target, renamed into place.
bool WriteSample(const std::string& target, bool (*write)(CFileStream&))
{
    const std::string temp = target + ".tmp";
    CFileStream out;
    if (!out.Open(temp, CFileStream::Mode::Write)) {
        std::fprintf(stderr, "vemo-make-sample: cannot write %s\n", temp.c_str());
        return false;
    }
    bool ok = write(out);
    ok = out.Close() && ok;
    std::error_code ec;
    if (ok)
        std::filesystem::rename(temp, target, ec);
    if (!ok || ec) {
        std::filesystem::remove(temp, ec);
        std::fprintf(stderr, "vemo-make-sample: cannot write %s\n", target.c_str());
        return false;
    }
    std::printf("%s\n", target.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vemo-make-sample DIR\n");
        return 2;
    }
    const std::filesystem::path dir(argv[1]);
    const bool ok = WriteSample((dir / "plate.cli").string(), WriteCli) && WriteSample((dir / "plate.ssl").string(), WriteSsl);
    return ok ? 0 : 1;
}
