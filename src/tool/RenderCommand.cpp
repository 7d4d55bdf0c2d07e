// vemo-cli render: one layer drawn as the desktop view draws it (contours of
// CLI and SSL files, scan paths of SPF files), as a PNG or SVG picture.
#include "cli/Cli.h"
#include "geometry/2DPoint.h"
#include "platform/Texts.h"
#include "spf/Spf.h"
#include "tool/ConsolePlatform.h"
#include "tool/FormatCommands.h"
#include "tool/RasterSurface.h"
#include "tool/SpfTool.h"
#include "tool/SvgSurface.h"
#include "tool/ToolSupport.h"

#include "ssl/Ssl.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>

namespace {
int RunRender(const ToolArgs& args);
const CToolCommand g_render("render", "render FILE --layer N -o OUT.png|OUT.svg [--width W --height H] [--jumps]",
                            RunRender);

constexpr Colour kWhite = MakeRgb(255, 255, 255);

// What the view needs of a loaded file: its centre, its box, and the draw
// call of its holder.
struct CScene {
    float cx = 0, cy = 0;
    float minX = 0, minY = 0, maxX = 0, maxY = 0;
    std::function<void(IDrawSurface&, int, int, float, float, float)> draw;
};

// The zoom at which the part's box fills 90 % of the picture; the view maps
// 640 mm onto the window height at zoom 1.
float FitZoom(const CScene& s, int w, int h)
{
    const float spanX = s.maxX - s.minX, spanY = s.maxY - s.minY;
    float zoom = 1.0f;
    bool any = false;
    if (spanX > 1e-3f && std::isfinite(spanX)) {
        zoom = 0.9f * static_cast<float>(w) * 640.0f / (spanX * static_cast<float>(h));
        any = true;
    }
    if (spanY > 1e-3f && std::isfinite(spanY)) {
        const float zy = 0.9f * 640.0f / spanY;
        zoom = any ? std::min(zoom, zy) : zy;
        any = true;
    }
    return any && std::isfinite(zoom) && zoom > 0 ? zoom : 1.0f;
}

void DrawScene(IDrawSurface& surface, const CScene& s, int w, int h)
{
    const float zoom = FitZoom(s, w, h);
    // ReProject without pan: the part centre lands in the middle of the window.
    const float ox = -s.cx * zoom, oy = -zoom * s.cy;
    // The coordinate marker at the part centre: X leg red to the right, Y leg green upward.
    const CPixel c = ToScreen(s.cx, s.cy, w, h, zoom, ox, oy);
    surface.SelectPen(PenStyle::Solid, 1, MakeRgb(255, 0, 0));
    surface.MoveTo(c.x, c.y);
    surface.LineTo(c.x + 25, c.y);
    surface.RestorePen();
    surface.SelectPen(PenStyle::Solid, 1, MakeRgb(0, 255, 0));
    surface.MoveTo(c.x, c.y);
    surface.LineTo(c.x, c.y - 25);
    surface.RestorePen();
    s.draw(surface, w, h, zoom, ox, oy);
}

int RunRender(const ToolArgs& args)
{
    const CParsedArgs a = ParseArgs(args, {"--jumps"}, {"--layer", "-o", "--output", "--width", "--height"});
    if (!a.problem.empty())
        return UsageError(g_render, a.problem);
    if (a.positional.size() != 1)
        return UsageError(g_render, a.positional.empty() ? "no FILE given" : "one FILE only");
    const std::string path = a.positional[0];
    const std::string output = !a.Value("-o").empty() ? a.Value("-o") : a.Value("--output");
    if (output.empty())
        return UsageError(g_render, "no OUT.png or OUT.svg given (-o)");
    const bool svg = HasExtension(output, ".svg");
    if (!svg && !HasExtension(output, ".png"))
        return UsageError(g_render, "the output must end in .png or .svg");
    std::uint32_t layer = 0;
    if (!ParseUIntArg(a.Value("--layer"), layer) || layer == 0)
        return UsageError(g_render, "--layer takes a layer number from 1");
    std::uint32_t w = 1024, h = 768;
    if (!a.Value("--width").empty() && (!ParseUIntArg(a.Value("--width"), w) || w < 16 || w > 8192))
        return UsageError(g_render, "--width takes 16 to 8192 pixels");
    if (!a.Value("--height").empty() && (!ParseUIntArg(a.Value("--height"), h) || h < 16 || h > 8192))
        return UsageError(g_render, "--height takes 16 to 8192 pixels");

    CConsolePlatform console;
    ConfigureTopologyAnswer(console, "continue");
    bool unreadable = false;
    const FileFormat format = DetectFormat(path, unreadable);
    if (unreadable)
        return Fail(Tr(5003) + ": " + path);

    CScene scene;
    CCli cli;
    CSpf spf;
    CSsl ssl;
    const std::string noLayer = Tr("SpfNoLayer") + ": " + std::to_string(layer);
    switch (format) {
    case FileFormat::Cli: {
        if (!cli.Load(path) || !cli.m_data.OpenLayerFile())
            return 1;
        if (static_cast<std::int64_t>(layer) > cli.m_data.m_nLayers)
            return Fail(noLayer);
        int kind = 0;
        if (!cli.m_data.ReadLayerAt(static_cast<int>(layer), kind))
            return Fail(noLayer);
        const CCliDataDoc& d = cli.m_data;
        scene = CScene{d.m_ptCentre.m_x, d.m_ptCentre.m_y, d.m_box.m_ptMin.m_x, d.m_box.m_ptMin.m_y,
                       d.m_box.m_ptMax.m_x, d.m_box.m_ptMax.m_y,
                       [&cli](IDrawSurface& s, int ww, int hh, float z, float x, float y) {
                           cli.m_data.DrawLayers(s, ww, hh, z, x, y);
                       }};
        break;
    }
    case FileFormat::Spf: {
        if (!spf.Open(path))
            return Fail(Tr(61451) + ": " + path);
        CSpfDataDoc& d = spf.m_data;
        if (layer > d.m_nLayerCount || !d.LoadLayer(path, layer))
            return Fail(noLayer);
        d.m_bJumpTrack = a.Has("--jumps");
        d.m_crPaths = MakeRgb(0, 0, 255);   // the view's scan-vector colour
        scene = CScene{d.m_centre.m_x, d.m_centre.m_y, d.m_box.m_ptMin.m_x, d.m_box.m_ptMin.m_y,
                       d.m_box.m_ptMax.m_x, d.m_box.m_ptMax.m_y,
                       [&spf](IDrawSurface& s, int ww, int hh, float z, float x, float y) {
                           spf.DrawPlanes(0, s, ww, hh, z, x, y);
                       }};
        break;
    }
    case FileFormat::Ssl: {
        if (!ssl.Open(path))
            return 1;
        CSslDataDoc& d = ssl.m_data;
        if (static_cast<std::int64_t>(layer) > d.m_nLayerCount || !d.OpenReading())
            return Fail(noLayer);
        // Layers are read in order; each read consumes one layer, used or not.
        PromptState prompt = PROMPT_GO_ON;
        for (std::uint32_t k = 1; k <= layer; ++k) {
            d.ClearLayers();
            if (d.ReadNextLayer(prompt) < 0)
                return 1;
        }
        d.CloseReading();
        scene = CScene{d.m_centre.m_x, d.m_centre.m_y, d.m_box.m_ptMin.m_x, d.m_box.m_ptMin.m_y,
                       d.m_box.m_ptMax.m_x, d.m_box.m_ptMax.m_y,
                       [&ssl](IDrawSurface& s, int ww, int hh, float z, float x, float y) {
                           ssl.Draw(s, ww, hh, z, x, y);
                       }};
        break;
    }
    case FileFormat::Unknown:
        return Fail(Tr("ToolUnknownFormat") + ": " + path);
    }

    const int width = static_cast<int>(w), height = static_cast<int>(h);
    bool written = false;
    if (svg) {
        CSvgSurface surface(width, height, kWhite);
        DrawScene(surface, scene, width, height);
        written = surface.WriteSvg(output);
    } else {
        CRasterSurface surface(width, height, kWhite);
        DrawScene(surface, scene, width, height);
        written = surface.WritePng(output);
    }
    if (!written)
        return Fail(Tr("SpfFileNotOpened") + output);
    return 0;
}
} // namespace
