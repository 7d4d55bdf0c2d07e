#pragma once
#include <cstdint>

// Command ids of the menus, tool bars and accelerators.
enum CommandId : int {
    ID_VIEW_UP = 32776,
    ID_VIEW_DOWN = 32778,
    ID_VIEW_LEFT = 32780,
    ID_VIEW_RIGHT = 32782,
    ID_VIEW_ZOOMIN = 32792,
    ID_VIEW_ZOOMOUT = 32793,
    ID_VIEW_ZOOMSCALE = 32806,
    ID_SLICE_COLOUR = 32840,
    ID_PATH_COLOUR = 32841,
    ID_OPEN_CLI = 32861,
    ID_OPEN_SSL = 32862,
    ID_SHOW_SLICE = 32863,
    ID_SHOW_PATHS = 32864,
    ID_SHOW_AXES = 32865,
    ID_CLOSE_CLI = 32870,
    ID_CLOSE_SSL = 32871,
    ID_EXPORT_SPF = 32872,
    ID_PREVIEW_SPF_BAR = 32880,
    ID_IMPORT_SPF = 32882,
    ID_CLOSE_SPF = 32883,
    ID_SSL_START = 32886,
    ID_SSL_PAUSE = 32888,
    ID_SSL_STOP = 32889,
    ID_SSL_NEXT = 32890,
    ID_PREVIEW_SSL_BAR = 32891,
    ID_VERIFY_DATA = 32901,
    ID_SPF_START = 32903,
    ID_SPF_PAUSE = 32904,
    ID_SPF_STOP = 32905,
    ID_SPF_NEXT = 32906,
    ID_CLI_START = 32908,
    ID_CLI_PAUSE = 32909,
    ID_CLI_STOP = 32910,
    ID_CLI_NEXT = 32911,
    ID_PREVIEW_CLI_BAR = 32912,
    ID_BLANK_SIZE = 32922,
    ID_DELAY_TIME = 32923,
    ID_JUMP_TRACK = 32924,
    ID_SPF_RANGE = 32925,
    ID_SIMULATION = 32926,
    ID_CANCEL_VIEW = 32930,
    ID_REPLACE_LAYER = 32947,
    ID_SPF_PREVIOUS = 32949,
    ID_LOAD_CONTOUR = 32950,
    ID_CREATE_SAMPLE = 32951,
    ID_CLI_TO_SPF = 32953,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_INDEX = 57667,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

// Everything the enable and check rules look at, taken from the document,
// the main window and the view at one moment.
struct CCommandContext {
    bool sslOpen = false, cliOpen = false, spfOpen = false;
    int sslLayersInMemory = 0, cliLayersInMemory = 0, spfPlanesInMemory = 0;
    bool sslShowSlice = false, cliLoaded = false;
    bool spfShowPaths = false, spfJumpTrack = false, spfSimulation = false;
    int fileKind = 0;
    bool display = false;
    bool exporting = false;
    bool sslRunning = false, cliRunning = false, spfRunning = false;
    bool sslBar = false, cliBar = false, spfBar = false;
    std::uint32_t sslLayer = 0, cliLayer = 0, spfLayer = 0;
    std::uint32_t sslLayerCount = 0, cliLayerCount = 0, spfLayerCount = 0;
    std::uint32_t spfFromLayer = 1, spfToLayer = 99999;
    bool showAxes = true;
    bool toolBarVisible = true, statusBarVisible = true;
};

struct CCommandUi {
    bool enabled = true;
    bool checkable = false;   // the command shows a check mark state
    bool checked = false;
};

// The shared rule of the commands that must wait while a simulated SPF
// preview or an export runs.
bool BusyLock(const CCommandContext& c);

// Enable and check state of a command; unknown ids are enabled.
CCommandUi CommandUi(int id, const CCommandContext& c);
