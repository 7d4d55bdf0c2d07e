#include "app/CommandRules.h"

#include <algorithm>

bool BusyLock(const CCommandContext& c)
{
    if (c.spfRunning || c.exporting)
        return !c.spfSimulation;
    return true;
}

namespace {

CCommandUi Enabled(bool enabled) { return {enabled, false, false}; }
CCommandUi Checked(bool enabled, bool checked) { return {enabled, true, checked}; }

// A preview-bar toggle: greyed and unmarked unless its file is open.
CCommandUi BarToggle(bool open, bool shown, const CCommandContext& c)
{
    if (!open)
        return Checked(false, false);
    return Checked(BusyLock(c), shown);
}

// Stepping a paused preview: inside the file, after the first step.
bool CanStep(bool open, bool running, std::uint32_t layer, std::uint32_t count)
{
    return open && layer < count && layer != 0 && !running;
}

} // namespace

CCommandUi CommandUi(int id, const CCommandContext& c)
{
    const std::uint32_t spfEnd = std::min(c.spfLayerCount, c.spfToLayer);
    const bool spfInside = c.spfFromLayer < c.spfLayer && c.spfLayer < spfEnd;
    switch (id) {
    case ID_OPEN_SSL:
    case ID_OPEN_CLI:
    case ID_IMPORT_SPF:
    case ID_VIEW_ZOOMSCALE:
    case ID_SLICE_COLOUR:
    case ID_PATH_COLOUR:
    case ID_BLANK_SIZE:
    case ID_DELAY_TIME:
    case ID_CANCEL_VIEW:
        return Enabled(BusyLock(c));
    case ID_CLOSE_SSL: return Enabled(c.sslOpen);
    case ID_CLOSE_CLI: return Enabled(c.cliOpen);
    case ID_CLOSE_SPF: return Enabled(c.spfOpen);
    case ID_LOAD_CONTOUR: return Enabled(c.fileKind == 1 || c.fileKind == 2);
    case ID_EXPORT_SPF: return Enabled(!c.exporting && (c.sslOpen || c.cliOpen));
    case ID_CLI_TO_SPF: return Enabled(!c.exporting && c.cliOpen);
    case ID_VIEW_TOOLBAR: return Checked(true, c.toolBarVisible);
    case ID_VIEW_STATUS_BAR: return Checked(true, c.statusBarVisible);
    case ID_REPLACE_LAYER:
        return Enabled(c.cliOpen && c.fileKind == 2 && c.cliLayer != 0 && c.cliLayerCount >= c.cliLayer);
    case ID_SHOW_AXES: return Checked(true, c.showAxes);
    case ID_SHOW_SLICE: {
        const bool mark = c.sslOpen ? c.sslShowSlice : (c.cliOpen && c.cliLoaded);
        return Checked(c.sslLayersInMemory + c.cliLayersInMemory >= 1, mark);
    }
    case ID_SHOW_PATHS: return Checked(c.spfPlanesInMemory >= 1 || c.spfOpen, c.spfShowPaths);
    case ID_JUMP_TRACK: return Checked(BusyLock(c), c.spfJumpTrack);
    case ID_PREVIEW_CLI_BAR: return BarToggle(c.cliOpen, c.cliBar, c);
    case ID_PREVIEW_SSL_BAR: return BarToggle(c.sslOpen, c.sslBar, c);
    case ID_PREVIEW_SPF_BAR: return BarToggle(c.spfOpen, c.spfBar, c);
    case ID_SIMULATION: return Checked(c.display && c.spfShowPaths, c.spfSimulation);
    case ID_VERIFY_DATA: return Enabled((c.sslOpen || c.cliOpen) && BusyLock(c));
    case ID_SPF_RANGE: return Enabled(c.spfOpen && BusyLock(c));
    case ID_HELP_INDEX: return Enabled(false);

    case ID_SSL_START: return Enabled(!c.sslRunning && c.sslOpen);
    case ID_SSL_PAUSE: return Enabled(c.sslRunning);
    case ID_SSL_STOP: return Enabled(c.sslRunning || (0 < c.sslLayer && c.sslLayer < c.sslLayerCount));
    case ID_SSL_NEXT: return Enabled(CanStep(c.sslOpen, c.sslRunning, c.sslLayer, c.sslLayerCount));
    case ID_CLI_START: return Enabled(!c.cliRunning && c.cliOpen);
    case ID_CLI_PAUSE: return Enabled(c.cliRunning);
    case ID_CLI_STOP: return Enabled(c.cliRunning || (0 < c.cliLayer && c.cliLayer < c.cliLayerCount));
    case ID_CLI_NEXT: return Enabled(CanStep(c.cliOpen, c.cliRunning, c.cliLayer, c.cliLayerCount));
    case ID_SPF_START: return Enabled(!c.spfRunning && c.spfOpen);
    case ID_SPF_PAUSE: return Enabled(c.spfRunning);
    case ID_SPF_STOP: return Enabled(c.spfRunning || spfInside);
    case ID_SPF_PREVIOUS:
    case ID_SPF_NEXT: return Enabled(c.spfOpen && !c.spfRunning && spfInside);
    default: return Enabled(true);   // the commands with no rule
    }
}
