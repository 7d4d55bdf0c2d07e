// The SSL halves of the tool's commands.
#include "platform/Platform.h"
#include "platform/Texts.h"
#include "ssl/Ssl.h"
#include "tool/FormatCommands.h"
#include "tool/LayerListing.h"
#include "tool/ToolSupport.h"

#include <cstdio>
#include <limits>
#include <string>

namespace {

void PrintHeader(const CSslDataDoc& d, bool json)
{
    if (json) {
        std::printf("{\"path\": %s, \"format\": \"ssl\", \"units\": 25.4, \"version\": null, \"layers\": %d, "
                    "\"box\": {\"min\": %s, \"max\": %s}, \"centre\": %s, \"thickness\": %s",
                    JsonString(d.m_strFileName).c_str(), d.m_nLayerCount, JsonPoint(d.m_box.m_ptMin).c_str(),
                    JsonPoint(d.m_box.m_ptMax).c_str(), JsonPoint(d.m_centre).c_str(),
                    JsonNumber(d.m_fThickness).c_str());
        return;
    }
    std::printf("file       %s\n", d.m_strFileName.c_str());
    std::printf("format     SSL (text, inches)\n");
    std::printf("units      25.4 mm\n");
    std::printf("layers     %d counted\n", d.m_nLayerCount);
    std::printf("box        min %s  max %s mm\n", TextPoint(d.m_box.m_ptMin).c_str(),
                TextPoint(d.m_box.m_ptMax).c_str());
    std::printf("centre     %s mm\n", TextPoint(d.m_centre).c_str());
    std::printf("thickness  %s mm\n", FormatNumber(d.m_fThickness).c_str());
}

// Reads the counted layers in order; 1 when the user chose to stop at a topology error.
int PrintLayers(CSslDataDoc& d, bool json)
{
    if (!d.OpenReading())
        return Fail(Tr(5004) + " " + d.m_strFileName);
    PrintLayerListStart(json);
    PromptState prompt = PROMPT_ASK;
    int result = 0;
    int index = 0;
    for (int k = 1; k <= d.m_nLayerCount; ++k) {
        d.ClearLayers();
        const int r = d.ReadNextLayer(prompt);
        if (r < 0) {
            result = 1;
            break;
        }
        index = k;
        // A layer without a usable contour is listed with its number only.
        const CSlice* layer = r > 0 && !d.m_layers.empty() ? d.m_layers.back().get() : nullptr;
        PrintLayer(FiguresOf(k, std::numeric_limits<float>::quiet_NaN(), layer), json);
    }
    d.ClearLayers();
    d.CloseReading();
    PrintLayerListEnd(json, index);
    return result;
}

} // namespace

int InfoSsl(const CInfoOptions& options)
{
    CSsl ssl;
    if (!ssl.Open(options.path))
        return 1;
    PrintHeader(ssl.m_data, options.json);
    const int result = options.layers ? PrintLayers(ssl.m_data, options.json) : 0;
    if (options.json)
        std::printf("}\n");
    std::fflush(stdout);
    return result;
}

int VerifySsl(const std::string& path)
{
    // The verdict decides the exit code: 0 right, 1 format error, 3 empty
    // contours (whatever the answer to the question whether to go on).
    CSslDataDoc doc;
    doc.m_strFileName = path;
    doc.Verify(path);
    switch (doc.m_lastVerdict) {
    case CSslDataDoc::Verdict::Right: return 0;
    case CSslDataDoc::Verdict::EmptyContours: return 3;
    case CSslDataDoc::Verdict::FormatError:
    case CSslDataDoc::Verdict::Cancelled: return 1;
    }
    return 1;
}

int MoveSsl(const std::string& path, const std::string& out)
{
    CSsl ssl;
    if (!ssl.Open(path))
        return 1;
    const C3DPoint& min = ssl.m_data.m_box.m_ptMin;
    if (min.m_x >= 0 && min.m_y >= 0 && min.m_z >= 0) {
        ShowMessage(Tr("QuadrantInside"), Tr("QuadrantCaption"), MsgIcon::Information, MsgButtons::Ok);
        return 0;
    }
    if (ShowMessage(Tr("QuadrantMoveQuestion"), Tr("QuadrantCaption"), MsgIcon::Question, MsgButtons::YesNoCancel) !=
        MsgAnswer::Yes)
        return 1;
    if (!ssl.SaveMoved(out))
        return 1;
    std::fprintf(stderr, "%s %s\n", Tr("ToolSaved").c_str(), out.c_str());
    return 0;
}
