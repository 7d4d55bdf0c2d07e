// The CLI halves of the tool's commands.
#include "cli/Cli.h"
#include "platform/Platform.h"
#include "platform/Texts.h"
#include "tool/FormatCommands.h"
#include "tool/LayerListing.h"
#include "tool/ToolSupport.h"

#include <cstdio>
#include <string>

namespace {

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

// Lists every layer in file order; 1 when the user chose to stop at a topology error.
int PrintLayers(CCliDataDoc& d, bool json)
{
    if (!d.OpenLayerFile())
        return 1;
    PrintLayerListStart(json);
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
        PrintLayer(FiguresOf(index, start.z, r > 0 && !d.m_layers.empty() ? d.m_layers.back().get() : nullptr),
                   json);
    }
    d.ClearLayers();
    d.CloseLayerFile();
    PrintLayerListEnd(json, index);
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
