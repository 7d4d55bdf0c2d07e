// The CLI halves of the tool's commands.
#include "cli/Cli.h"
#include "platform/Platform.h"
#include "platform/Texts.h"
#include "tool/FormatCommands.h"
#include "tool/ToolSupport.h"

#include <cstdio>
#include <string>

namespace {

struct CLayerFigures {
    int index = 0;
    float z = 0;
    std::size_t contours = 0, outer = 0, holes = 0, points = 0, hatches = 0, vectors = 0;
};

CLayerFigures Figures(int index, const CCliLayerStart& start, const CSlice* layer)
{
    CLayerFigures f;
    f.index = index;
    f.z = layer ? layer->m_fHeight : start.z;
    if (!layer)
        return f;
    f.contours = layer->m_loops.size();
    f.outer = layer->m_outerLoops.size();
    f.holes = layer->m_innerLoops.size();
    for (const auto& loop : layer->m_loops)
        f.points += loop->m_points.size();
    f.hatches = layer->m_hatches.size();
    for (const CHatch& h : layer->m_hatches)
        f.vectors += h.m_vectors.size();
    return f;
}

std::string JsonString(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string JsonPoint(const C3DPoint& p)
{
    return "[" + JsonNumber(p.m_x) + ", " + JsonNumber(p.m_y) + ", " + JsonNumber(p.m_z) + "]";
}

std::string TextPoint(const C3DPoint& p)
{
    return "(" + FormatNumber(p.m_x) + ", " + FormatNumber(p.m_y) + ", " + FormatNumber(p.m_z) + ")";
}

void PrintHeader(const CCliDataDoc& d, bool json)
{
    if (json) {
        std::printf("{\"path\": %s, \"format\": \"cli\", \"encoding\": \"%s\", \"units\": %s, \"version\": %d, \"date\": %d, "
                    "\"layers\": %d, \"layersStated\": %d, \"align\": %s, \"label\": %d, "
                    "\"box\": {\"min\": %s, \"max\": %s}, \"centre\": %s, \"thickness\": %s",
                    JsonString(d.m_strPathName).c_str(), d.IsText() ? "ascii" : "binary", JsonNumber(d.m_fUnits).c_str(), d.m_nVersion, d.m_nDate,
                    d.m_nLayers, d.m_nHeaderLayers, d.m_bAlign ? "true" : "false", d.m_nLabel,
                    JsonPoint(d.m_box.m_ptMin).c_str(), JsonPoint(d.m_box.m_ptMax).c_str(),
                    JsonPoint(d.m_ptCentre).c_str(), JsonNumber(d.m_fLayerThickness).c_str());
        return;
    }
    std::printf("file       %s\n", d.m_strPathName.c_str());
    std::printf("format     CLI (%s)\n", d.IsText() ? "ASCII" : "binary");
    std::printf("units      %s mm\n", FormatNumber(d.m_fUnits).c_str());
    std::printf("version    %d\n", d.m_nVersion);
    std::printf("date       %d\n", d.m_nDate);
    std::printf("layers     %d counted, %d stated\n", d.m_nLayers, d.m_nHeaderLayers);
    std::printf("align      %s\n", d.m_bAlign ? "yes" : "no");
    std::printf("label      %d\n", d.m_nLabel);
    std::printf("box        min %s  max %s mm\n", TextPoint(d.m_box.m_ptMin).c_str(),
                TextPoint(d.m_box.m_ptMax).c_str());
    std::printf("centre     %s mm\n", TextPoint(d.m_ptCentre).c_str());
    std::printf("thickness  %s mm\n", FormatNumber(d.m_fLayerThickness).c_str());
}

void PrintLayer(const CLayerFigures& f, bool json, bool first)
{
    if (json) {
        std::printf("%s\n  {\"index\": %d, \"z\": %s, \"contours\": %zu, \"outer\": %zu, \"holes\": %zu, "
                    "\"points\": %zu, \"hatches\": %zu, \"vectors\": %zu}",
                    first ? "" : ",", f.index, JsonNumber(f.z).c_str(), f.contours, f.outer, f.holes, f.points,
                    f.hatches, f.vectors);
        return;
    }
    std::printf("%6d %10s %9zu %6zu %6zu %8zu %8zu %8zu\n", f.index, FormatNumber(f.z).c_str(), f.contours,
                f.outer, f.holes, f.points, f.hatches, f.vectors);
}

// Lists every layer in file order; 1 when the user chose to stop at a topology error.
int PrintLayers(CCliDataDoc& d, bool json)
{
    if (!d.OpenLayerFile())
        return 1;
    if (json)
        std::printf(", \"layer\": [");
    else
        std::printf("\n layer          z  contours  outer  holes   points  hatches  vectors\n");
    PromptState prompt = PROMPT_ASK;
    int index = 0;
    int result = 0;
    while (!d.AtEndOfLayers()) {
        d.ClearLayers();
        CCliLayerStart start;
        const int r = d.ReadNextLayer(prompt, &start, CLI_READ_KEEP_HATCH_ONLY);
        if (r == 2) {
            result = 1;
            break;
        }
        if (!start.started)
            continue;
        ++index;
        PrintLayer(Figures(index, start, r > 0 && !d.m_layers.empty() ? d.m_layers.back().get() : nullptr), json,
                   index == 1);
    }
    d.ClearLayers();
    d.CloseLayerFile();
    if (json)
        std::printf("%s]", index ? "\n" : "");
    return result;
}

} // namespace

int InfoCli(const CInfoOptions& options)
{
    CCli cli;
    if (!cli.Load(options.path))
        return 1;
    CCliDataDoc& d = cli.m_data;
    PrintHeader(d, options.json);
    const int result = options.layers ? PrintLayers(d, options.json) : 0;
    if (options.json)
        std::printf("}\n");
    std::fflush(stdout);
    return result;
}

int VerifyCli(const std::string& path)
{
    CCli cli;
    cli.m_data.m_strPathName = path;
    return cli.m_data.VerifyFile() ? 0 : 1;
}

int MoveCli(const std::string& path, const std::string& out)
{
    CCli cli;
    if (!cli.Load(path))
        return 1;
    const C3DPoint& min = cli.m_data.m_box.m_ptMin;
    if (min.m_x >= 0 && min.m_y >= 0 && min.m_z >= 0) {
        ShowMessage(Tr("QuadrantInside"), Tr("QuadrantCaption"), MsgIcon::Information, MsgButtons::Ok);
        return 0;
    }
    if (ShowMessage(Tr("QuadrantMoveQuestion"), Tr("QuadrantCaption"), MsgIcon::Question,
                    MsgButtons::YesNoCancel) != MsgAnswer::Yes)
        return 1;
    if (!cli.SaveAtOrigin(out))
        return 1;
    std::fprintf(stderr, "%s %s\n", Tr("ToolSaved").c_str(), out.c_str());
    return 0;
}

int ReplaceLayerCli(const std::string& path, int layer)
{
    CCli cli;
    if (!cli.Load(path))
        return 1;
    CCliDataDoc& d = cli.m_data;
    if (layer > d.m_nLayers || d.m_nLayers < 2) {
        std::string text = Tr("ToolNoSuchLayer");
        if (const std::size_t at = text.find("%1"); at != std::string::npos)
            text.replace(at, 2, std::to_string(d.m_nLayers));
        return Fail(text);
    }
    if (!d.OpenLayerFile() || !d.ReplaceLayer(layer))
        return 1;
    std::fprintf(stderr, "%s %s\n", Tr("ToolSaved").c_str(), path.c_str());
    return 0;
}
