#include "app/CommandRules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct RuleCase {
    const char* name;
    std::function<void(CCommandContext&)> state;
    int id;
    bool enabled;
    int checked;   // -1: the command shows no check mark
};

CCommandContext Idle() { return CCommandContext{}; }

// Representative states of the document and the main window, one row each
// for the rule that decides a command there.
const std::vector<RuleCase>& Cases()
{
    static const std::vector<RuleCase> cases = {
        // BusyLock: free when nothing runs, greyed only while a simulated
        // SPF preview or export runs.
        {"open ssl idle", [](CCommandContext&) {}, ID_OPEN_SSL, true, -1},
        {"open ssl during export", [](CCommandContext& c) { c.exporting = true; }, ID_OPEN_SSL, true, -1},
        {"open cli during simulated spf preview", [](CCommandContext& c) { c.spfRunning = true; c.spfSimulation = true; }, ID_OPEN_CLI, false, -1},
        {"import spf simulation without preview", [](CCommandContext& c) { c.spfSimulation = true; }, ID_IMPORT_SPF, true, -1},
        {"zoom scale during simulated export", [](CCommandContext& c) { c.exporting = true; c.spfSimulation = true; }, ID_VIEW_ZOOMSCALE, false, -1},
        {"cancel view during simulated preview", [](CCommandContext& c) { c.spfRunning = true; c.spfSimulation = true; }, ID_CANCEL_VIEW, false, -1},
        {"delay time during plain preview", [](CCommandContext& c) { c.spfRunning = true; }, ID_DELAY_TIME, true, -1},
        // Close commands follow their own kind.
        {"close ssl nothing open", [](CCommandContext&) {}, ID_CLOSE_SSL, false, -1},
        {"close ssl with ssl open", [](CCommandContext& c) { c.sslOpen = true; }, ID_CLOSE_SSL, true, -1},
        {"close cli with ssl open", [](CCommandContext& c) { c.sslOpen = true; }, ID_CLOSE_CLI, false, -1},
        {"close spf with spf open", [](CCommandContext& c) { c.spfOpen = true; }, ID_CLOSE_SPF, true, -1},
        {"contour file kind 0", [](CCommandContext&) {}, ID_LOAD_CONTOUR, false, -1},
        {"contour file kind 1", [](CCommandContext& c) { c.fileKind = 1; }, ID_LOAD_CONTOUR, true, -1},
        {"contour file kind 3", [](CCommandContext& c) { c.fileKind = 3; c.spfOpen = true; }, ID_LOAD_CONTOUR, false, -1},
        {"export with cli open", [](CCommandContext& c) { c.cliOpen = true; }, ID_EXPORT_SPF, true, -1},
        {"export while exporting", [](CCommandContext& c) { c.cliOpen = true; c.exporting = true; }, ID_EXPORT_SPF, false, -1},
        {"export with spf only", [](CCommandContext& c) { c.spfOpen = true; }, ID_EXPORT_SPF, false, -1},
        {"cli to spf with ssl only", [](CCommandContext& c) { c.sslOpen = true; }, ID_CLI_TO_SPF, false, -1},
        {"cli to spf with cli", [](CCommandContext& c) { c.cliOpen = true; }, ID_CLI_TO_SPF, true, -1},
        // Replace layer: a CLI main file with a previewed layer inside it.
        {"replace at layer 0", [](CCommandContext& c) { c.cliOpen = true; c.fileKind = 2; c.cliLayerCount = 5; }, ID_REPLACE_LAYER, false, -1},
        {"replace at last layer", [](CCommandContext& c) { c.cliOpen = true; c.fileKind = 2; c.cliLayerCount = 5; c.cliLayer = 5; }, ID_REPLACE_LAYER, true, -1},
        {"replace past the end", [](CCommandContext& c) { c.cliOpen = true; c.fileKind = 2; c.cliLayerCount = 5; c.cliLayer = 6; }, ID_REPLACE_LAYER, false, -1},
        {"replace with ssl main", [](CCommandContext& c) { c.cliOpen = true; c.fileKind = 1; c.cliLayerCount = 5; c.cliLayer = 2; }, ID_REPLACE_LAYER, false, -1},
        // Display toggles.
        {"axes shown", [](CCommandContext&) {}, ID_SHOW_AXES, true, 1},
        {"axes hidden", [](CCommandContext& c) { c.showAxes = false; }, ID_SHOW_AXES, true, 0},
        {"slice with a file open but no layer", [](CCommandContext& c) { c.sslOpen = true; c.sslShowSlice = true; }, ID_SHOW_SLICE, false, 1},
        {"slice marks ssl over cli", [](CCommandContext& c) { c.sslOpen = true; c.cliOpen = true; c.cliLoaded = true; c.cliLayersInMemory = 1; }, ID_SHOW_SLICE, true, 0},
        {"slice marks cli without ssl", [](CCommandContext& c) { c.cliOpen = true; c.cliLoaded = true; c.cliLayersInMemory = 1; }, ID_SHOW_SLICE, true, 1},
        {"slice no file open", [](CCommandContext& c) { c.cliLoaded = true; c.sslLayersInMemory = 1; }, ID_SHOW_SLICE, true, 0},
        {"paths with planes only", [](CCommandContext& c) { c.spfPlanesInMemory = 1; c.spfShowPaths = true; }, ID_SHOW_PATHS, true, 1},
        {"paths nothing", [](CCommandContext&) {}, ID_SHOW_PATHS, false, 0},
        {"jump track marked", [](CCommandContext& c) { c.spfJumpTrack = true; }, ID_JUMP_TRACK, true, 1},
        {"jump track busy", [](CCommandContext& c) { c.spfJumpTrack = true; c.spfRunning = true; c.spfSimulation = true; }, ID_JUMP_TRACK, false, 1},
        {"preview cli bar closed file", [](CCommandContext& c) { c.cliBar = true; }, ID_PREVIEW_CLI_BAR, false, 0},
        {"preview cli bar shown", [](CCommandContext& c) { c.cliOpen = true; c.cliBar = true; }, ID_PREVIEW_CLI_BAR, true, 1},
        {"preview ssl bar busy", [](CCommandContext& c) { c.sslOpen = true; c.exporting = true; c.spfSimulation = true; }, ID_PREVIEW_SSL_BAR, false, 0},
        {"preview spf bar hidden", [](CCommandContext& c) { c.spfOpen = true; }, ID_PREVIEW_SPF_BAR, true, 0},
        {"simulation needs display and paths", [](CCommandContext& c) { c.spfShowPaths = true; }, ID_SIMULATION, false, 0},
        {"simulation marked", [](CCommandContext& c) { c.display = true; c.spfShowPaths = true; c.spfSimulation = true; }, ID_SIMULATION, true, 1},
        {"verify nothing open", [](CCommandContext&) {}, ID_VERIFY_DATA, false, -1},
        {"verify cli open", [](CCommandContext& c) { c.cliOpen = true; }, ID_VERIFY_DATA, true, -1},
        {"verify busy", [](CCommandContext& c) { c.cliOpen = true; c.spfRunning = true; c.spfSimulation = true; }, ID_VERIFY_DATA, false, -1},
        {"spf range needs spf", [](CCommandContext& c) { c.cliOpen = true; }, ID_SPF_RANGE, false, -1},
        {"spf range with spf", [](CCommandContext& c) { c.spfOpen = true; }, ID_SPF_RANGE, true, -1},
        {"help title always greyed", [](CCommandContext&) {}, ID_HELP_INDEX, false, -1},
        {"about always", [](CCommandContext& c) { c.spfRunning = true; c.spfSimulation = true; }, ID_APP_ABOUT, true, -1},
        {"sample always", [](CCommandContext& c) { c.exporting = true; c.spfSimulation = true; }, ID_CREATE_SAMPLE, true, -1},
        {"pan always", [](CCommandContext& c) { c.exporting = true; c.spfSimulation = true; }, ID_VIEW_UP, true, -1},
        {"tool bar check", [](CCommandContext& c) { c.toolBarVisible = false; }, ID_VIEW_TOOLBAR, true, 0},
        {"status bar check", [](CCommandContext&) {}, ID_VIEW_STATUS_BAR, true, 1},
        // Preview bars.
        {"ssl next before first step", [](CCommandContext& c) { c.sslOpen = true; c.sslLayerCount = 4; }, ID_SSL_NEXT, false, -1},
        {"ssl next inside", [](CCommandContext& c) { c.sslOpen = true; c.sslLayerCount = 4; c.sslLayer = 2; }, ID_SSL_NEXT, true, -1},
        {"ssl next at the end", [](CCommandContext& c) { c.sslOpen = true; c.sslLayerCount = 4; c.sslLayer = 4; }, ID_SSL_NEXT, false, -1},
        {"cli stop paused inside", [](CCommandContext& c) { c.cliLayerCount = 4; c.cliLayer = 1; }, ID_CLI_STOP, true, -1},
        {"cli start running", [](CCommandContext& c) { c.cliOpen = true; c.cliRunning = true; }, ID_CLI_START, false, -1},
        {"spf previous at range start", [](CCommandContext& c) { c.spfOpen = true; c.spfLayerCount = 10; c.spfFromLayer = 5; c.spfLayer = 5; }, ID_SPF_PREVIOUS, false, -1},
        {"spf previous inside range", [](CCommandContext& c) { c.spfOpen = true; c.spfLayerCount = 10; c.spfFromLayer = 5; c.spfLayer = 6; }, ID_SPF_PREVIOUS, true, -1},
        {"spf next at range end", [](CCommandContext& c) { c.spfOpen = true; c.spfLayerCount = 10; c.spfToLayer = 7; c.spfLayer = 7; }, ID_SPF_NEXT, false, -1},
        {"spf pause running", [](CCommandContext& c) { c.spfRunning = true; }, ID_SPF_PAUSE, true, -1},
    };
    return cases;
}

TEST(CommandRules, EnableAndCheckRulesOverRepresentativeStates)
{
    for (const RuleCase& rc : Cases()) {
        CCommandContext c = Idle();
        rc.state(c);
        const CCommandUi ui = CommandUi(rc.id, c);
        EXPECT_EQ(ui.enabled, rc.enabled) << rc.name;
        EXPECT_EQ(ui.checkable, rc.checked >= 0) << rc.name;
        if (rc.checked >= 0) {
            EXPECT_EQ(ui.checked, rc.checked == 1) << rc.name;
        }
    }
}

} // namespace
