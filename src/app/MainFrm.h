#pragma once
#include "app/CommandRules.h"
#include "geometry/3DPoint.h"
#include "layer/Slice.h"
#include "platform/StatusWriter.h"

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

class CVemoDoc;
class CVemoView;
class CCli;
class CSsl;
class CSpfExport;
class IAppDialogs;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

// The main window: menus, the main tool bar, the three preview bars, the
// status bar, the command table with its enable and check rules, and the
// file flows (open, import, close).
class CMainFrame : public QMainWindow, public IStatusWriter {
    Q_OBJECT
public:
    // The dialogs are the real ones unless a test hands in its own.
    explicit CMainFrame(CVemoDoc& doc, IAppDialogs* dialogs = nullptr);
    ~CMainFrame() override;

    CVemoView& View() { return *m_view; }
    CVemoDoc& Doc() { return m_doc; }

    // Runs a command as the menus, tool bars and accelerators do; false when
    // the command's enable rule greys it.
    bool RunCommand(int id);
    // The state the command's rule gives now, and the action that carries it.
    CCommandUi CommandState(int id) const;
    CCommandContext Context() const;
    QAction* Action(int id) const;
    // Applies every enable and check rule to the actions.
    void UpdateCommandUi();

    // Status bar: message, elapsed time, "Total Layer:" n, "Current Layer:" n;
    // a count of 0 leaves its pane empty.
    void ShowStatus(const std::string& message, const std::string& costText, int total, int current) override;
    void PumpOneMessage() override;
    std::string PaneText(int pane) const;
    // "Cost Time: h:m:s" of m_elapsed.
    std::string FormatCostTime() const;
    static std::string FormatCostTime(std::int64_t seconds);

    // 1 SSL bar, 2 SPF bar, 3 CLI bar, anything else hides all three.
    void ShowPreviewBar(int kind);
    // Docks bar on the row of left, directly right of it.
    void DockBarLeftOf(QToolBar* bar, QToolBar* left);

    // File flows.
    void OnOpenSsl();
    void OnOpenCli();
    void OnImportSpf();
    bool OnCloseSsl();
    bool OnCloseCli();
    bool OnCloseSpf();
    bool CloseCurrentFile();
    bool PromptSslPath(std::string& path);
    bool PromptCliPath(std::string& path);
    bool PromptSpfPath(std::string& path);
    // What differs between opening an SSL and a CLI file.
    struct CSliceFileFlow {
        const char* loadingText;
        const char* openedText;
        const char* borderTitle;
        int fileKind;
        bool* openFlag;
        std::function<bool()> verify;
        std::function<bool()> load;
        std::function<C3DPoint()> centre;
        std::function<int()> layerCount;
    };
    bool LoadSliceFile(const std::string& path, const CSliceFileFlow& flow, bool asMain);
    bool CloseMainFile(bool& open, const std::string& path, const std::function<void()>& close);
    bool LoadSslFile(const std::string& path, CSsl& holder, bool asMain);
    bool LoadCliFile(const std::string& path, CCli& holder, bool asMain);
    bool ImportSpfFile(const std::string& path);
    // Opens a file named on the command line by its suffix (.ssl, .cli, .spf)
    // with the flow of its kind, without the file dialog; false when the
    // suffix is unknown or the load fails.
    bool OpenFromCommandLine(const std::string& path);
    // The file kind from the open flags: SPF, then SSL, then CLI, the last
    // open one winning; unchanged when none is open.
    void UpdateFileKind();
    // Re-projects the view for its client size and redraws.
    void Redraw();

    std::string Title() const { return windowTitle().toStdString(); }

    // Layer-by-layer previews: one timer per kind (1 SSL, 2 CLI, 3 SPF), each
    // tick reads the next layer and redraws.
    void StartSslPreview();
    void StartCliPreview();
    void StartSpfPreview();
    void PausePreview(int timerId);
    void StopSslPreview();
    void StopCliPreview();
    void StopSpfPreview();
    // One step as if the timer had fired, handled after the events already queued.
    void PostPreviewStep(int timerId);
    // A timer tick of one kind: its step, then re-project and redraw. While
    // the view draws in simulation mode the step waits for the drawing.
    void OnTimer(int timerId);
    void RunWaitingStep();
    bool StepWaiting(int timerId) const;
    // What differs between the SSL and the CLI preview ticks.
    struct CSlicePreview {
        int timer;
        std::uint32_t* layer;
        int layerCount;
        const char* totalText;
        std::function<bool()> readNext;   // false when the pass was stopped
    };
    void SlicePreviewStep(const CSlicePreview& preview);
    void SslPreviewStep();
    void CliPreviewStep();
    void SpfPreviewStep();
    void SetPane(int pane, const std::string& text);

    // Export: the save dialog, the options (not in CLI-hatch mode), the
    // layer loop, then the written file read back for preview.
    void RunExport(bool cliHatchMode);
    bool ChooseSpfPath(std::string& path);
    std::string DefaultOutputName() const;

    // Editing tools.
    void OnVerifyValidity();
    void CheckQuadrantSsl();
    void CheckQuadrantCli();
    bool ChooseSslSavePath(std::string& path);
    bool ChooseCliSavePath(std::string& path);
    void OnLoadContourFile();
    bool ChooseContourFile(std::string& path, int& kind);
    void OnReplaceLayer();

    // Settings dialogs.
    void OnZoomScale();
    void OnDelayTime();
    void OnBlankSize();
    void OnSpfRange();
    void OnSliceColour();
    void OnPathColour();

    // Preview state shared with the view and the command rules.
    int m_nSslTimer = 0, m_nCliTimer = 0, m_nSpfTimer = 0;
    bool m_bSslRunning = false, m_bCliRunning = false, m_bSpfRunning = false;
    std::uint32_t m_nSslLayer = 0, m_nCliLayer = 0, m_nSpfLayer = 0;
    bool m_bSslBar = false, m_bSpfBar = false, m_bCliBar = false;
    std::int64_t m_elapsed = 0;   // seconds
    int m_nDelay = 100;
    bool m_bExporting = false;
    PromptState m_nTopologyReply = PROMPT_ASK;

    QToolBar* m_wndToolBar = nullptr;
    QToolBar* m_wndSslBar = nullptr;
    QToolBar* m_wndCliBar = nullptr;
    QToolBar* m_wndSpfBar = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    QToolBar* CreateBar(const char* titleKey, const char* objectName, std::initializer_list<int> ids);
    void CreateStatusBar();
    void ShowAbout();
    bool AskClose(const std::string& path);
    void SetWaitCursor(bool wait);

    CVemoDoc& m_doc;
    std::unique_ptr<IAppDialogs> m_ownDialogs;
    IAppDialogs* m_dialogs;
    CVemoView* m_view;
    std::map<int, QAction*> m_actions;
    QLabel* m_panes[4] = {};
    bool m_waitCursor = false;
    QTimer* m_timers[3] = {};   // preview timers 1, 2, 3
    bool m_stepWaiting[3] = {};   // a step of that kind waits for the simulation drawing
    CSpfExport* m_activeExport = nullptr;   // the export running now, if any
    void StartTimer(int timerId);
    void StopTimer(int timerId);
    void EndPreview(int timerId, const std::string& message, bool clearPanes);
};
