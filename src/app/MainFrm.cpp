#include "app/MainFrm.h"

#include "app/CreateSampleDlg.h"
#include "app/QtAppDialogs.h"
#include "app/VemoDoc.h"
#include "app/VemoView.h"
#include "spf/SpfExport.h"
#include "platform/Language.h"
#include "platform/Platform.h"
#include "platform/Texts.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ranges>

// The button images live in the library's resources, which a static
// library only registers when asked to.
static void InitVemoResources() { Q_INIT_RESOURCE(vemo); }

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Button images of the tool bars.
const std::map<int, const char*>& Icons()
{
    static const std::map<int, const char*> icons = {
        {ID_VIEW_UP, "up"},           {ID_VIEW_DOWN, "down"},         {ID_VIEW_LEFT, "left"},
        {ID_VIEW_RIGHT, "right"},     {ID_VIEW_ZOOMIN, "zoomin"},     {ID_VIEW_ZOOMOUT, "zoomout"},
        {ID_CANCEL_VIEW, "refresh"},  {ID_SHOW_AXES, "axes"},         {ID_SHOW_SLICE, "slice"},
        {ID_SHOW_PATHS, "paths"},     {ID_SIMULATION, "simulation"},  {ID_EXPORT_SPF, "export"},
        {ID_CLI_TO_SPF, "clitospf"},  {ID_SSL_START, "start"},        {ID_SSL_PAUSE, "pause"},
        {ID_SSL_STOP, "stop"},        {ID_SSL_NEXT, "next"},          {ID_CLI_START, "start"},
        {ID_CLI_PAUSE, "pause"},      {ID_CLI_STOP, "stop"},          {ID_CLI_NEXT, "next"},
        {ID_SPF_START, "start"},      {ID_SPF_PAUSE, "pause"},        {ID_SPF_STOP, "stop"},
        {ID_SPF_PREVIOUS, "previous"}, {ID_SPF_NEXT, "next"},
    };
    return icons;
}

// Every command of the menus, tool bars and accelerators.
constexpr int kCommands[] = {
    ID_OPEN_SSL, ID_OPEN_CLI, ID_CLOSE_SSL, ID_CLOSE_CLI, ID_CLOSE_SPF, ID_LOAD_CONTOUR, ID_EXPORT_SPF,
    ID_IMPORT_SPF, ID_APP_EXIT, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_ZOOMIN, ID_VIEW_ZOOMOUT,
    ID_VIEW_ZOOMSCALE, ID_REPLACE_LAYER, ID_SHOW_AXES, ID_SHOW_SLICE, ID_SHOW_PATHS, ID_JUMP_TRACK,
    ID_PREVIEW_CLI_BAR, ID_PREVIEW_SSL_BAR, ID_PREVIEW_SPF_BAR, ID_SIMULATION, ID_SLICE_COLOUR,
    ID_PATH_COLOUR, ID_VERIFY_DATA, ID_BLANK_SIZE, ID_DELAY_TIME, ID_SPF_RANGE, ID_CREATE_SAMPLE,
    ID_HELP_INDEX, ID_APP_ABOUT, ID_VIEW_UP, ID_VIEW_DOWN, ID_VIEW_LEFT, ID_VIEW_RIGHT, ID_CANCEL_VIEW,
    ID_CLI_TO_SPF, ID_SSL_START, ID_SSL_PAUSE, ID_SSL_STOP, ID_SSL_NEXT, ID_CLI_START, ID_CLI_PAUSE,
    ID_CLI_STOP, ID_CLI_NEXT, ID_SPF_START, ID_SPF_PAUSE, ID_SPF_STOP, ID_SPF_PREVIOUS, ID_SPF_NEXT,
};

std::string LowerTail(const std::string& path, bool fold)
{
    if (path.size() < 4)
        return path;
    std::string tail = path.substr(path.size() - 4);
    if (fold)
        for (char& ch : tail)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return tail;
}

} // namespace

CMainFrame::CMainFrame(CVemoDoc& doc, IAppDialogs* dialogs) : m_doc(doc), m_dialogs(dialogs)
{
    InitVemoResources();
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<CQtAppDialogs>(this);
        m_dialogs = m_ownDialogs.get();
    }
    setObjectName(QStringLiteral("MainFrame"));
    m_view = new CVemoView(m_doc, this, this);
    setCentralWidget(m_view);

    CreateActions();
    CreateMenus();
    m_wndToolBar = CreateBar("Bar140", "Bar140",
                             {ID_VIEW_UP, ID_VIEW_DOWN, ID_VIEW_LEFT, ID_VIEW_RIGHT, 0, ID_VIEW_ZOOMIN,
                              ID_VIEW_ZOOMOUT, 0, ID_CANCEL_VIEW, ID_SHOW_AXES, ID_SHOW_SLICE, ID_SHOW_PATHS,
                              ID_SIMULATION, 0, ID_EXPORT_SPF});
    if (!IsChinese()) {   // the Chinese bar ends at the export button
        m_wndToolBar->addSeparator();
        m_wndToolBar->addAction(Action(ID_CLI_TO_SPF));
    }
    m_wndToolBar->setIconSize(QSize(16, 16));
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    m_wndSslBar = CreateBar("Bar180", "Bar180", {ID_SSL_START, ID_SSL_PAUSE, ID_SSL_STOP, ID_SSL_NEXT});
    m_wndCliBar = CreateBar("Bar193", "Bar193", {ID_CLI_START, ID_CLI_PAUSE, ID_CLI_STOP, ID_CLI_NEXT});
    m_wndSpfBar = CreateBar("Bar188", "Bar188",
                            {ID_SPF_START, ID_SPF_PAUSE, ID_SPF_STOP, ID_SPF_PREVIOUS, ID_SPF_NEXT});
    for (QToolBar* bar : {m_wndSslBar, m_wndCliBar}) {
        bar->setIconSize(QSize(16, 15));
        DockBarLeftOf(bar, m_wndToolBar);
    }
    m_wndSpfBar->setIconSize(QSize(16, 15));
    addToolBar(Qt::TopToolBarArea, m_wndSpfBar);
    CreateStatusBar();
    ShowPreviewBar(0);

    for (int i = 0; i < 3; ++i) {
        m_timers[i] = new QTimer(this);
        connect(m_timers[i], &QTimer::timeout, this, [this, i] { OnTimer(i + 1); });
    }
    connect(m_view, &CVemoView::SimulationDrawn, this, &CMainFrame::RunWaitingStep, Qt::QueuedConnection);

    setWindowTitle(Q(Tr("MainTitle")));
    resize(1024, 720);
    UpdateCommandUi();

    // Enable and check rules are applied while the application is idle.
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, &CMainFrame::UpdateCommandUi);
    idle->start(150);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateActions()
{
    for (int id : kCommands) {
        const std::string menuKey = "Menu." + std::to_string(id);
        auto* action = new QAction(this);
        action->setData(id);
        action->setObjectName(QString::number(id));
        if (HasText(menuKey))
            action->setText(Q(Tr(menuKey)));
        const std::string prompt = Tr(id);
        const size_t nl = prompt.find('\n');
        const std::string status = prompt.substr(0, nl);
        const std::string tip = nl == std::string::npos ? std::string() : prompt.substr(nl + 1);
        action->setStatusTip(Q(status));
        action->setToolTip(Q(tip));
        action->setProperty("vemoTip", Q(tip));
        if (auto it = Icons().find(id); it != Icons().end())
            action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(it->second))));
        action->setCheckable(CommandUi(id, CCommandContext{}).checkable);
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        addAction(action);
        m_actions[id] = action;
    }
    // Accelerators: the arrow keys pan, keypad plus and minus zoom.
    Action(ID_VIEW_UP)->setShortcut(QKeySequence(Qt::Key_Up));
    Action(ID_VIEW_DOWN)->setShortcut(QKeySequence(Qt::Key_Down));
    Action(ID_VIEW_LEFT)->setShortcut(QKeySequence(Qt::Key_Left));
    Action(ID_VIEW_RIGHT)->setShortcut(QKeySequence(Qt::Key_Right));
    Action(ID_VIEW_ZOOMIN)->setShortcut(QKeySequence(Qt::KeypadModifier | Qt::Key_Plus));
    Action(ID_VIEW_ZOOMOUT)->setShortcut(QKeySequence(Qt::KeypadModifier | Qt::Key_Minus));
    for (QAction* action : m_actions | std::views::values)
        action->setShortcutContext(Qt::WindowShortcut);
}

void CMainFrame::CreateMenus()
{
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, int id) { menu->addAction(Action(id)); };

    QMenu* file = bar->addMenu(Q(Tr("Menu.File")));
    QMenu* open = file->addMenu(Q(Tr("Menu.Open")));
    add(open, ID_OPEN_SSL);
    add(open, ID_OPEN_CLI);
    QMenu* close = file->addMenu(Q(Tr("Menu.Close")));
    add(close, ID_CLOSE_SSL);
    add(close, ID_CLOSE_CLI);
    add(close, ID_CLOSE_SPF);
    add(file, ID_LOAD_CONTOUR);
    file->addSeparator();
    add(file, ID_EXPORT_SPF);
    add(file, ID_IMPORT_SPF);
    file->addSeparator();
    add(file, ID_APP_EXIT);

    QMenu* view = bar->addMenu(Q(Tr("Menu.View")));
    add(view, ID_VIEW_TOOLBAR);
    add(view, ID_VIEW_STATUS_BAR);
    view->addSeparator();
    add(view, ID_VIEW_ZOOMIN);
    add(view, ID_VIEW_ZOOMOUT);
    add(view, ID_VIEW_ZOOMSCALE);

    QMenu* edit = bar->addMenu(Q(Tr("Menu.Edit")));
    add(edit, ID_REPLACE_LAYER);

    QMenu* preview = bar->addMenu(Q(Tr("Menu.Preview")));
    QMenu* previewView = preview->addMenu(Q(Tr("Menu.PreviewView")));
    add(previewView, ID_SHOW_AXES);
    add(previewView, ID_SHOW_SLICE);
    add(previewView, ID_SHOW_PATHS);
    add(previewView, ID_JUMP_TRACK);
    add(preview, ID_PREVIEW_CLI_BAR);
    add(preview, ID_PREVIEW_SSL_BAR);
    add(preview, ID_PREVIEW_SPF_BAR);
    preview->addSeparator();
    add(preview, ID_SIMULATION);
    preview->addSeparator();
    QMenu* props = preview->addMenu(Q(Tr("Menu.PreviewProps")));
    add(props, ID_SLICE_COLOUR);
    add(props, ID_PATH_COLOUR);

    QMenu* tool = bar->addMenu(Q(Tr("Menu.Tool")));
    add(tool, ID_VERIFY_DATA);
    add(tool, ID_BLANK_SIZE);
    add(tool, ID_DELAY_TIME);
    tool->addSeparator();
    add(tool, ID_SPF_RANGE);
    add(tool, ID_CREATE_SAMPLE);

    QMenu* help = bar->addMenu(Q(Tr("Menu.Help")));
    add(help, ID_HELP_INDEX);
    help->addSeparator();
    add(help, ID_APP_ABOUT);

    // Menus show the state of the moment they open.
    for (QMenu* menu : findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
}

QToolBar* CMainFrame::CreateBar(const char* titleKey, const char* objectName, std::initializer_list<int> ids)
{
    auto* bar = new QToolBar(Q(Tr(titleKey)), this);
    bar->setObjectName(QLatin1String(objectName));
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    bar->setFloatable(true);
    bar->setMovable(true);
    for (int id : ids) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        bar->addAction(Action(id));
        if (QWidget* button = bar->widgetForAction(Action(id)))
            button->installEventFilter(this);
    }
    return bar;
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* status = statusBar();
    m_panes[0] = new QLabel(this);
    status->addWidget(m_panes[0], 1);
    const int widths[] = {120, 90, 200};
    const int ids[] = {61447, 61448, 61449};
    for (int i = 0; i < 3; ++i) {
        m_panes[i + 1] = new QLabel(Q(Tr(ids[i])), this);
        // At least the classic widths; wider where this platform's font needs it.
        m_panes[i + 1]->setMinimumWidth(widths[i]);
        m_panes[i + 1]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        status->addPermanentWidget(m_panes[i + 1]);
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // A button whose command has no tool tip shows none (Qt would fall back
    // to the button's text).
    if (event->type() == QEvent::ToolTip) {
        if (auto* button = qobject_cast<QToolButton*>(watched))
            if (QAction* action = button->defaultAction(); action && action->property("vemoTip").toString().isEmpty())
                return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

QAction* CMainFrame::Action(int id) const
{
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

CCommandContext CMainFrame::Context() const
{
    CCommandContext c;
    const auto& ssl = m_doc.m_ssl.m_data;
    const auto& cli = m_doc.m_cli.m_data;
    const auto& spf = m_doc.m_spf.m_data;
    c.sslOpen = m_doc.m_ssl.m_bOpen;
    c.cliOpen = m_doc.m_cli.m_bOpen;
    c.spfOpen = m_doc.m_spf.m_bOpen;
    c.sslLayersInMemory = static_cast<int>(ssl.m_layers.size());
    c.cliLayersInMemory = static_cast<int>(cli.m_layers.size());
    c.spfPlanesInMemory = static_cast<int>(spf.m_planes.size());
    c.sslShowSlice = ssl.m_bShowSlice;
    c.cliLoaded = cli.m_bLoaded;
    c.spfShowPaths = spf.m_bShowPaths;
    c.spfJumpTrack = spf.m_bJumpTrack;
    c.spfSimulation = spf.m_bSimulation;
    c.fileKind = m_doc.m_nFileKind;
    c.display = m_doc.m_bDisplay;
    c.exporting = m_bExporting;
    c.sslRunning = m_bSslRunning;
    c.cliRunning = m_bCliRunning;
    c.spfRunning = m_bSpfRunning;
    c.sslBar = m_bSslBar;
    c.cliBar = m_bCliBar;
    c.spfBar = m_bSpfBar;
    c.sslLayer = m_nSslLayer;
    c.cliLayer = m_nCliLayer;
    c.spfLayer = m_nSpfLayer;
    c.sslLayerCount = static_cast<std::uint32_t>(ssl.m_nLayerCount);
    c.cliLayerCount = static_cast<std::uint32_t>(cli.m_nLayers);
    c.spfLayerCount = spf.m_nLayerCount;
    c.spfFromLayer = spf.m_nFromLayer;
    c.spfToLayer = spf.m_nToLayer;
    c.showAxes = m_view->m_bShowAxes;
    c.toolBarVisible = m_wndToolBar && !m_wndToolBar->isHidden();
    c.statusBarVisible = !statusBar()->isHidden();
    return c;
}

CCommandUi CMainFrame::CommandState(int id) const { return CommandUi(id, Context()); }

void CMainFrame::UpdateCommandUi()
{
    const CCommandContext c = Context();
    for (auto& [id, action] : m_actions) {
        const CCommandUi ui = CommandUi(id, c);
        action->setEnabled(ui.enabled);
        if (ui.checkable)
            action->setChecked(ui.checked);
    }
}

bool CMainFrame::RunCommand(int id)
{
    if (!CommandState(id).enabled)
        return false;
    switch (id) {
    case ID_OPEN_SSL: OnOpenSsl(); break;
    case ID_OPEN_CLI: OnOpenCli(); break;
    case ID_IMPORT_SPF: OnImportSpf(); break;
    case ID_CLOSE_SSL: OnCloseSsl(); break;
    case ID_CLOSE_CLI: OnCloseCli(); break;
    case ID_CLOSE_SPF: OnCloseSpf(); break;
    case ID_APP_EXIT: close(); break;
    case ID_VIEW_TOOLBAR: m_wndToolBar->setVisible(m_wndToolBar->isHidden()); break;
    case ID_VIEW_STATUS_BAR: statusBar()->setVisible(statusBar()->isHidden()); break;
    case ID_VIEW_UP: m_view->PanUp(); break;
    case ID_VIEW_DOWN: m_view->PanDown(); break;
    case ID_VIEW_LEFT: m_view->PanLeft(); break;
    case ID_VIEW_RIGHT: m_view->PanRight(); break;
    case ID_VIEW_ZOOMIN: m_view->ZoomIn(); break;
    case ID_VIEW_ZOOMOUT: m_view->ZoomOut(); break;
    case ID_SHOW_AXES: m_view->ToggleAxes(); break;
    case ID_SHOW_SLICE: m_view->ToggleSlice(); break;
    case ID_SHOW_PATHS: m_view->TogglePaths(); break;
    case ID_JUMP_TRACK:
        m_doc.m_spf.m_data.m_bJumpTrack = !m_doc.m_spf.m_data.m_bJumpTrack;
        Redraw();
        break;
    case ID_SIMULATION:   // shows at the next redraw
        m_doc.m_spf.m_data.m_bSimulation = !m_doc.m_spf.m_data.m_bSimulation;
        break;
    case ID_CANCEL_VIEW: Redraw(); break;
    case ID_PREVIEW_SSL_BAR:
        if (m_bSslBar) {
            m_bSslBar = false;
            m_wndSslBar->hide();
        } else {
            ShowPreviewBar(1);
            m_doc.m_bDisplay = true;
        }
        break;
    case ID_PREVIEW_CLI_BAR:
        if (m_bCliBar) {
            m_bCliBar = false;
            m_wndCliBar->hide();
        } else {
            ShowPreviewBar(3);
            m_doc.m_bDisplay = true;
        }
        break;
    case ID_PREVIEW_SPF_BAR:
        if (m_bSpfBar) {
            m_bSpfBar = false;
            m_wndSpfBar->hide();
        } else {
            ShowPreviewBar(2);
            m_doc.m_bDisplay = true;
            m_doc.m_spf.m_data.m_bShowPaths = true;
        }
        break;
    case ID_APP_ABOUT: ShowAbout(); break;
    case ID_EXPORT_SPF: RunExport(false); break;
    case ID_CLI_TO_SPF:
        UpdateFileKind();
        if (m_doc.m_nFileKind == 2)
            RunExport(true);
        break;
    case ID_VERIFY_DATA: OnVerifyValidity(); break;
    case ID_CREATE_SAMPLE: {
        CCreateSampleDlg dialog(*m_dialogs, this);
        dialog.exec();   // the document and the view stay as they are
        break;
    }
    case ID_LOAD_CONTOUR: OnLoadContourFile(); break;
    case ID_REPLACE_LAYER: OnReplaceLayer(); break;
    case ID_VIEW_ZOOMSCALE: OnZoomScale(); break;
    case ID_DELAY_TIME: OnDelayTime(); break;
    case ID_BLANK_SIZE: OnBlankSize(); break;
    case ID_SPF_RANGE: OnSpfRange(); break;
    case ID_SLICE_COLOUR: OnSliceColour(); break;
    case ID_PATH_COLOUR: OnPathColour(); break;
    case ID_SSL_START: StartSslPreview(); break;
    case ID_SSL_PAUSE: PausePreview(1); break;
    case ID_SSL_STOP: StopSslPreview(); break;
    case ID_SSL_NEXT: PostPreviewStep(1); break;
    case ID_CLI_START: StartCliPreview(); break;
    case ID_CLI_PAUSE: PausePreview(2); break;
    case ID_CLI_STOP: StopCliPreview(); break;
    case ID_CLI_NEXT: PostPreviewStep(2); break;
    case ID_SPF_START: StartSpfPreview(); break;
    case ID_SPF_PAUSE: PausePreview(3); break;
    case ID_SPF_STOP: StopSpfPreview(); break;
    case ID_SPF_NEXT: PostPreviewStep(3); break;
    case ID_SPF_PREVIOUS:
        if (m_nSpfLayer != 1) {
            m_nSpfLayer -= 2;   // the step adds one again: the previous layer is read
            PostPreviewStep(3);
        }
        break;
    default: break;
    }
    UpdateCommandUi();
    return true;
}

void CMainFrame::ShowAbout()
{
    QDialog dialog(this);
    dialog.setWindowTitle(Q(Tr("AboutCaption")));
    auto* layout = new QVBoxLayout(&dialog);
    auto* row = new QHBoxLayout;
    auto* picture = new QLabel(&dialog);
    picture->setPixmap(QIcon(QStringLiteral(":/icons/vemo.svg")).pixmap(48, 48));
    row->addWidget(picture);
    row->addWidget(new QLabel(Q(Tr("AppTitle") + " " + Tr("AboutVersion")), &dialog), 1);
    layout->addLayout(row);
    auto* ok = new QPushButton(Q(Tr("OK")), &dialog);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
    dialog.exec();
}

// ---- status bar ----

void CMainFrame::ShowStatus(const std::string& message, const std::string& costText, int total, int current)
{
    m_panes[0]->setText(Q(message));
    m_panes[1]->setText(Q(costText));
    m_panes[2]->setText(total == 0 ? QString() : Q(Tr("TotalLayer") + std::to_string(total)));
    m_panes[3]->setText(current == 0 ? QString() : Q(Tr("CurrentLayer") + std::to_string(current)));
}

void CMainFrame::PumpOneMessage()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // Escape in the view clears m_bExporting; the running export sees it
    // before it begins its next layer.
    if (m_activeExport && !m_bExporting)
        m_activeExport->m_bExporting = false;
}

std::string CMainFrame::PaneText(int pane) const
{
    return pane >= 0 && pane < 4 ? m_panes[pane]->text().toStdString() : std::string();
}

std::string CMainFrame::FormatCostTime(std::int64_t seconds)
{
    std::int64_t rest = seconds;
    const std::int64_t hours = rest / 3600;
    if (rest >= 3600)
        rest -= hours * 3600;
    std::int64_t minutes = 0;
    if (rest >= 60) {
        minutes = rest / 60;
        rest -= minutes * 60;
    }
    return Tr("CostTime") + std::to_string(hours) + ":" + std::to_string(minutes) + ":" + std::to_string(rest);
}

std::string CMainFrame::FormatCostTime() const { return FormatCostTime(m_elapsed); }

// ---- preview bars ----

void CMainFrame::ShowPreviewBar(int kind)
{
    m_bSslBar = kind == 1;
    m_bSpfBar = kind == 2;
    m_bCliBar = kind == 3;
    QToolBar* shown = kind == 1 ? m_wndSslBar : kind == 2 ? m_wndSpfBar : kind == 3 ? m_wndCliBar : nullptr;
    for (QToolBar* bar : {m_wndSslBar, m_wndSpfBar, m_wndCliBar})
        if (bar != shown)
            bar->hide();
    if (shown) {
        shown->setAttribute(Qt::WA_ShowWithoutActivating);
        DockBarLeftOf(shown, m_wndToolBar);
        shown->show();
    }
}

void CMainFrame::DockBarLeftOf(QToolBar* bar, QToolBar* left)
{
    // Same area and row as left, directly after it: re-insert the bar in
    // front of whatever follows left on that row, or at the row's end.
    const Qt::ToolBarArea area = toolBarArea(left);
    const bool wasHidden = bar->isHidden();
    removeToolBar(bar);
    QToolBar* next = nullptr;
    const bool horizontal = area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
    for (QToolBar* other : findChildren<QToolBar*>()) {
        if (other == bar || other == left || toolBarArea(other) != area || other->isHidden())
            continue;
        const QRect r = other->geometry();
        const QRect l = left->geometry();
        const bool sameRow = horizontal ? r.top() == l.top() : r.left() == l.left();
        const bool after = horizontal ? r.left() > l.left() : r.top() > l.top();
        if (sameRow && after) {
            const bool closer = !next || (horizontal ? r.left() < next->geometry().left() : r.top() < next->geometry().top());
            if (closer)
                next = other;
        }
    }
    if (next)
        insertToolBar(next, bar);
    else
        addToolBar(area, bar);
    bar->setVisible(!wasHidden);
}

// ---- redraw ----

void CMainFrame::Redraw()
{
    m_view->ReProjectClient();
    m_view->Invalidate();
    update();
}

void CMainFrame::SetWaitCursor(bool wait)
{
    if (wait == m_waitCursor)
        return;
    m_waitCursor = wait;
    if (wait)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void CMainFrame::UpdateFileKind()
{
    if (m_doc.m_spf.m_bOpen)
        m_doc.m_nFileKind = 3;
    if (m_doc.m_ssl.m_bOpen)
        m_doc.m_nFileKind = 1;
    if (m_doc.m_cli.m_bOpen)
        m_doc.m_nFileKind = 2;
}

// ---- file flows ----

bool CMainFrame::PromptSslPath(std::string& path)
{
    const std::string chosen = m_dialogs->PromptOpenPath("ssl", Tr("FilterSsl"));
    if (chosen.empty() || LowerTail(chosen, true) != ".ssl")
        return false;
    path = chosen;
    return true;
}

bool CMainFrame::PromptCliPath(std::string& path)
{
    const std::string chosen = m_dialogs->PromptOpenPath("cli", Tr("FilterCli"));
    if (chosen.empty() || LowerTail(chosen, true) != ".cli")
        return false;
    path = chosen;
    return true;
}

bool CMainFrame::PromptSpfPath(std::string& path)
{
    const std::string chosen = m_dialogs->PromptOpenPath("spf", Tr("FilterSpf"));
    if (chosen.empty() || LowerTail(chosen, false) != ".spf")
        return false;
    path = chosen;
    return true;
}

// The open flow shared by SSL and CLI files, the main file and contour files alike.
bool CMainFrame::LoadSliceFile(const std::string& path, const CSliceFileFlow& flow, bool asMain)
{
    const std::string loading = Tr(flow.loadingText);
    if (m_dialogs->AskVerify()) {
        SetWaitCursor(true);
        ShowStatus(loading, "", 0, 0);
        const bool verified = flow.verify();
        SetWaitCursor(false);
        if (!verified) {
            ShowStatus("", "", 0, 0);
            return false;
        }
    } else {
        ShowStatus(loading, "", 0, 0);
    }
    SetWaitCursor(true);
    const bool loaded = flow.load();
    SetWaitCursor(false);
    if (!loaded)
        return false;
    if (asMain) {
        m_doc.m_centre = flow.centre();
        m_doc.SetPathName(path);
        *flow.openFlag = true;
        m_doc.m_nFileKind = flow.fileKind;
        setWindowTitle(Q(Tr("TitleOpened") + path));
    } else {
        setWindowTitle(windowTitle() + Q(Tr(flow.borderTitle) + path));
    }
    m_doc.m_bDisplay = true;
    if (asMain)
        ShowStatus(Tr(flow.openedText), "", flow.layerCount(), 0);
    return true;
}

bool CMainFrame::LoadSslFile(const std::string& path, CSsl& holder, bool asMain)
{
    holder.m_data.m_strFileName = path;
    const CSliceFileFlow flow{"SslLoading", "SslOpened", "TitleSslBorder", 1, &m_doc.m_ssl.m_bOpen,
                              [&] { return holder.m_data.Verify(path); }, [&] { return holder.Open(path); },
                              [&] { return holder.m_data.m_centre; },
                              [&] { return static_cast<int>(m_doc.m_ssl.m_data.m_nLayerCount); }};
    return LoadSliceFile(path, flow, asMain);
}

bool CMainFrame::LoadCliFile(const std::string& path, CCli& holder, bool asMain)
{
    holder.m_data.m_strPathName = path;
    const CSliceFileFlow flow{"CliLoading", "CliOpened", "TitleCliBorder", 2, &m_doc.m_cli.m_bOpen,
                              [&] { return holder.m_data.VerifyFile(); }, [&] { return holder.Load(path); },
                              [&] { return holder.m_data.m_ptCentre; },
                              [&] { return static_cast<int>(m_doc.m_cli.m_data.m_nLayers); }};
    return LoadSliceFile(path, flow, asMain);
}

bool CMainFrame::ImportSpfFile(const std::string& path)
{
    SetWaitCursor(true);
    m_doc.m_spf.m_strFileName = path;
    const bool opened = m_doc.m_spf.Open(path);
    SetWaitCursor(false);
    if (!opened)
        return false;
    m_doc.m_centre = m_doc.m_spf.m_data.m_centre;
    m_doc.SetPathName(path);
    m_doc.m_spf.m_bOpen = true;
    m_doc.m_nFileKind = 3;
    setWindowTitle(Q(Tr("TitleImported") + path));
    m_doc.m_bDisplay = true;
    ShowStatus(Tr("SpfImported"), "", m_doc.m_spf.m_data.m_nLayerCount, 0);
    return true;
}

bool CMainFrame::AskClose(const std::string& path)
{
    const std::string question = Tr("CloseQuestion") + path + Tr("CloseQuestionEnd");
    return ShowMessage(question, Tr("CloseCaption"), MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes;
}

// Closes one of the document's main files after asking; the view is redrawn either way.
bool CMainFrame::CloseMainFile(bool& open, const std::string& path, const std::function<void()>& close)
{
    bool closed = false;
    if (open && AskClose(path)) {
        close();
        open = false;
        m_doc.m_nFileKind = 0;
        setWindowTitle(Q(Tr("TitleImported")));
        closed = true;
    }
    Redraw();
    return closed;
}

bool CMainFrame::OnCloseSsl()
{
    return CloseMainFile(m_doc.m_ssl.m_bOpen, m_doc.m_ssl.m_data.m_strFileName, [this] {
        m_doc.m_ssl.Close();
        m_doc.CloseSslContours();
    });
}

bool CMainFrame::OnCloseCli()
{
    return CloseMainFile(m_doc.m_cli.m_bOpen, m_doc.m_cli.m_data.m_strPathName, [this] {
        m_doc.m_cli.Close();
        m_doc.CloseCliContours();
    });
}

bool CMainFrame::OnCloseSpf()
{
    return CloseMainFile(m_doc.m_spf.m_bOpen, m_doc.m_spf.m_strFileName, [this] { m_doc.m_spf.Close(); });
}

bool CMainFrame::CloseCurrentFile()
{
    bool result = true;
    if (m_doc.m_ssl.m_bOpen)
        result = OnCloseSsl();
    else if (m_doc.m_cli.m_bOpen)
        result = OnCloseCli();
    else if (m_doc.m_spf.m_bOpen)
        result = OnCloseSpf();
    if (result) {
        m_doc.m_nFileKind = 0;
        m_nTopologyReply = PROMPT_ASK;
    }
    return result;
}

void CMainFrame::OnOpenSsl()
{
    if (!CloseCurrentFile())
        return;   // the user kept the open file
    std::string path;
    if (PromptSslPath(path) && LoadSslFile(path, m_doc.m_ssl, true)) {
        m_doc.m_nFileKind = 1;
        ShowPreviewBar(1);
        m_nSslLayer = 0;
    }
    Redraw();
}

void CMainFrame::OnOpenCli()
{
    CloseCurrentFile();   // a file the user keeps stays open beside the new one
    std::string path;
    if (PromptCliPath(path) && LoadCliFile(path, m_doc.m_cli, true)) {
        m_doc.m_nFileKind = 2;
        ShowPreviewBar(3);
        m_nCliLayer = 0;
    }
    Redraw();
}

void CMainFrame::OnImportSpf()
{
    CloseCurrentFile();
    std::string path;
    if (PromptSpfPath(path) && ImportSpfFile(path)) {
        m_doc.m_nFileKind = 3;
        m_doc.m_spf.m_data.m_bJumpTrack = false;
        ShowPreviewBar(2);
        m_nSpfLayer = m_doc.m_spf.m_data.m_nFromLayer - 1;
    }
    Redraw();
}

bool CMainFrame::OpenFromCommandLine(const std::string& path)
{
    const std::string tail = LowerTail(path, true);
    bool opened = false;
    if (tail == ".ssl") {
        if (LoadSslFile(path, m_doc.m_ssl, true)) {
            ShowPreviewBar(1);
            m_nSslLayer = 0;
            opened = true;
        }
    } else if (tail == ".cli") {
        if (LoadCliFile(path, m_doc.m_cli, true)) {
            ShowPreviewBar(3);
            m_nCliLayer = 0;
            opened = true;
        }
    } else if (tail == ".spf") {
        if (ImportSpfFile(path)) {
            m_doc.m_spf.m_data.m_bJumpTrack = false;
            ShowPreviewBar(2);
            m_nSpfLayer = m_doc.m_spf.m_data.m_nFromLayer - 1;
            opened = true;
        }
    } else {
        // A file of no known kind is not left unexplained.
        ShowMessage(Tr(61451) + "\n" + path, Tr(5002), MsgIcon::Information, MsgButtons::Ok);
    }
    Redraw();
    UpdateCommandUi();
    return opened;
}

// ---- previews ----

void CMainFrame::SetPane(int pane, const std::string& text) { m_panes[pane]->setText(Q(text)); }

void CMainFrame::StartTimer(int timerId)
{
    m_timers[timerId - 1]->start(m_nDelay);
    const int handle = timerId;
    if (timerId == 1) {
        m_nSslTimer = handle;
        m_bSslRunning = true;
    } else if (timerId == 2) {
        m_nCliTimer = handle;
        m_bCliRunning = true;
    } else {
        m_nSpfTimer = handle;
        m_bSpfRunning = true;
    }
}

void CMainFrame::StopTimer(int timerId)
{
    m_timers[timerId - 1]->stop();
    m_stepWaiting[timerId - 1] = false;   // a tick not yet handled goes with its timer
    if (timerId == 1)
        m_bSslRunning = false;
    else if (timerId == 2)
        m_bCliRunning = false;
    else
        m_bSpfRunning = false;
}

void CMainFrame::PausePreview(int timerId) { StopTimer(timerId); }

void CMainFrame::PostPreviewStep(int timerId)
{
    QTimer::singleShot(0, this, [this, timerId] { OnTimer(timerId); });
}

void CMainFrame::OnTimer(int timerId)
{
    if (timerId < 1 || timerId > 3)
        return;
    // While simulation mode draws the layers in memory, a step waits until
    // they are drawn whole; steps of one kind do not pile up meanwhile.
    if (m_view->SimulationRunning()) {
        m_stepWaiting[timerId - 1] = true;
        return;
    }
    if (timerId == 1)
        SslPreviewStep();
    else if (timerId == 2)
        CliPreviewStep();
    else if (timerId == 3)
        SpfPreviewStep();
    Redraw();
    UpdateCommandUi();
}

void CMainFrame::RunWaitingStep()
{
    if (m_view->SimulationRunning())
        return;
    for (int i : {2, 0, 1})   // the SPF preview first
        if (m_stepWaiting[i]) {
            m_stepWaiting[i] = false;
            OnTimer(i + 1);   // redraws: any other waiting step waits for this drawing
            return;
        }
}

bool CMainFrame::StepWaiting(int timerId) const
{
    return timerId >= 1 && timerId <= 3 && m_stepWaiting[timerId - 1];
}

void CMainFrame::StartSslPreview()
{
    auto& ssl = m_doc.m_ssl.m_data;
    auto openContours = [this] {
        for (auto& holder : m_doc.m_sslContours)
            if (holder && !holder->m_data.m_bReading)
                holder->m_data.OpenReading();
    };
    if (!ssl.m_bReading) {
        ssl.OpenReading();
        openContours();
    }
    StartTimer(1);
    PumpOneMessage();
    if (m_nSslLayer >= static_cast<std::uint32_t>(ssl.m_nLayerCount)) {
        ssl.OpenReading();
        openContours();
        m_nSslLayer = 0;
        m_elapsed = 0;
    }
    if (m_nSslLayer == 0)
        m_elapsed = 0;
}

void CMainFrame::StartCliPreview()
{
    auto& cli = m_doc.m_cli.m_data;
    StartTimer(2);
    PumpOneMessage();
    if (!cli.m_bFileOpen) {
        cli.OpenLayerFile();
        for (auto& holder : m_doc.m_cliContours)
            if (holder && !holder->m_data.m_bFileOpen)
                holder->m_data.OpenLayerFile();
    }
    if (m_nCliLayer >= static_cast<std::uint32_t>(cli.m_nLayers)) {
        cli.OpenLayerFile();   // an open file is rewound
        for (auto& holder : m_doc.m_cliContours)
            if (holder && static_cast<std::uint32_t>(holder->m_data.m_nLayers) <= m_nCliLayer)
                holder->m_data.OpenLayerFile();
        m_nCliLayer = 0;
        m_elapsed = 0;
    }
    if (m_nCliLayer == 0)
        m_elapsed = 0;
}

void CMainFrame::StartSpfPreview()
{
    const auto& spf = m_doc.m_spf.m_data;
    StartTimer(3);
    PumpOneMessage();
    if (m_nSpfLayer >= spf.m_nLayerCount || m_nSpfLayer >= spf.m_nToLayer) {
        m_nSpfLayer = spf.m_nFromLayer - 1;
        m_elapsed = 0;
    }
    if (!(0 < m_nSpfLayer && m_nSpfLayer < spf.m_nFromLayer - 1))
        m_elapsed = 0;
}

void CMainFrame::StopSslPreview()
{
    StopTimer(1);
    m_nSslLayer = 0;
    m_bSslBar = false;
    m_doc.m_ssl.m_data.CloseReading();
    for (auto& holder : m_doc.m_sslContours)
        if (holder)
            holder->m_data.CloseReading();
    m_wndSslBar->hide();
}

void CMainFrame::StopCliPreview()
{
    StopTimer(2);
    m_nCliLayer = 0;
    m_bCliBar = false;
    m_doc.m_cli.m_data.CloseLayerFile();
    for (auto& holder : m_doc.m_cliContours)
        if (holder)
            holder->m_data.CloseLayerFile();
    m_wndCliBar->hide();
}

void CMainFrame::StopSpfPreview()
{
    StopTimer(3);
    m_nSpfLayer = m_doc.m_spf.m_data.m_nFromLayer - 1;
    m_bSpfBar = false;
    m_wndSpfBar->hide();
}

void CMainFrame::EndPreview(int timerId, const std::string& message, bool clearPanes)
{
    StopTimer(timerId);
    if (timerId == 1) {
        m_bSslBar = false;
        m_doc.m_ssl.m_data.CloseReading();
        for (auto& holder : m_doc.m_sslContours)
            if (holder)
                holder->m_data.CloseReading();
        m_wndSslBar->hide();
    } else if (timerId == 2) {
        m_bCliBar = false;
        m_doc.m_cli.m_data.CloseLayerFile();
        for (auto& holder : m_doc.m_cliContours)
            if (holder)
                holder->m_data.CloseLayerFile();
        m_wndCliBar->hide();
    } else {
        m_bSpfBar = false;
        m_wndSpfBar->hide();
    }
    SetPane(0, message);
    if (clearPanes)
        for (int pane = 1; pane < 4; ++pane)
            SetPane(pane, "");
}

// One tick of the SSL or CLI preview: the next layer of the main file and of
// each contour file, then the status panes.
void CMainFrame::SlicePreviewStep(const CSlicePreview& preview)
{
    ++*preview.layer;
    if (*preview.layer > static_cast<std::uint32_t>(preview.layerCount)) {
        EndPreview(preview.timer, Tr("ReadFinish"), false);
        return;
    }
    const std::int64_t t0 = Clock().NowSeconds();
    if (!preview.readNext()) {
        EndPreview(preview.timer, Tr("FileError"), true);
        return;
    }
    SetPane(0, Tr("ReadingSlice"));
    m_elapsed += Clock().NowSeconds() - t0;
    SetPane(1, FormatCostTime());
    SetPane(2, Tr(preview.totalText) + std::to_string(preview.layerCount));
    SetPane(3, Tr("CurrentLayer") + std::to_string(*preview.layer));
}

void CMainFrame::SslPreviewStep()
{
    auto& ssl = m_doc.m_ssl.m_data;
    SlicePreviewStep({1, &m_nSslLayer, ssl.m_nLayerCount, "TotalLayerSsl", [&] {
                          ssl.ClearLayers();
                          for (auto& holder : m_doc.m_sslContours)
                              if (holder)
                                  holder->m_data.ClearLayers();
                          const int r = ssl.ReadNextLayer(m_nTopologyReply);
                          for (auto& holder : m_doc.m_sslContours)
                              if (holder)
                                  holder->m_data.ReadNextLayer(m_nTopologyReply);
                          return r != -1;   // -1: the user chose to stop at a topology error
                      }});
}

void CMainFrame::CliPreviewStep()
{
    auto& cli = m_doc.m_cli.m_data;
    SlicePreviewStep({2, &m_nCliLayer, cli.m_nLayers, "TotalLayer", [&] {
                          cli.ClearLayers();
                          for (auto& holder : m_doc.m_cliContours)
                              if (holder)
                                  holder->m_data.ClearLayers();
                          const int r = cli.ReadNextLayer(m_nTopologyReply);
                          for (auto& holder : m_doc.m_cliContours)
                              if (holder)
                                  holder->m_data.ReadNextLayer(m_nTopologyReply);
                          return r != 2;   // 2: the user chose to stop at a topology error
                      }});
}

void CMainFrame::SpfPreviewStep()
{
    auto& spf = m_doc.m_spf.m_data;
    ++m_nSpfLayer;
    if (m_nSpfLayer > spf.m_nLayerCount || m_nSpfLayer > spf.m_nToLayer) {
        EndPreview(3, Tr("ReadFinish"), false);
        return;
    }
    const std::int64_t t0 = Clock().NowSeconds();
    spf.ClearPlanes();
    (void)spf.LoadLayer(m_doc.m_spf.m_strFileName, m_nSpfLayer);
    SetPane(0, Tr("ReadingFile"));
    m_elapsed += Clock().NowSeconds() - t0;
    SetPane(1, FormatCostTime());
    SetPane(2, Tr("TotalLayer") + std::to_string(spf.m_nLayerCount));
    SetPane(3, Tr("CurrentLayer") + std::to_string(m_nSpfLayer));
}

// ---- settings ----

void CMainFrame::OnZoomScale()
{
    float step = 0.0f;
    if (m_dialogs->AskZoomStep(step))
        m_view->m_fZoomStep = step;   // used by the next zoom step; nothing is redrawn
}

void CMainFrame::OnDelayTime()
{
    std::uint32_t delay = 0;
    if (m_dialogs->AskDelay(delay)) {
        m_nDelay = static_cast<int>(delay);
        // Running previews go on under the same timer with the new interval.
        for (int timerId : {1, 3, 2}) {
            const bool running = timerId == 1 ? m_bSslRunning : timerId == 2 ? m_bCliRunning : m_bSpfRunning;
            if (running) {
                StopTimer(timerId);
                StartTimer(timerId);
            }
        }
        PumpOneMessage();
    }
    Redraw();
}

void CMainFrame::OnBlankSize()
{
    float x = 0.0f, y = 0.0f, length = 0.0f, width = 0.0f;
    if (m_dialogs->AskBlank(x, y, length, width)) {
        m_doc.m_blank.m_ptMin.SetPoint(x, y);
        m_doc.m_blank.m_ptMax.SetPoint(x + length, y + width);
    }
    Redraw();
}

void CMainFrame::OnSpfRange()
{
    auto& spf = m_doc.m_spf.m_data;
    std::uint32_t from = spf.m_nFromLayer;
    std::uint32_t to = spf.m_nLayerCount;
    if (!m_dialogs->AskSpfRange(from, to))
        return;
    // The range is cut to the file; the preview counter stays where it is.
    spf.m_nFromLayer = std::min<std::uint32_t>(from, spf.m_nLayerCount);
    spf.m_nToLayer = std::min<std::uint32_t>(to, spf.m_nLayerCount);
}

void CMainFrame::OnSliceColour()
{
    Colour colour = 0;
    if (m_dialogs->AskColour(MakeRgb(255, 255, 255), colour)) {
        m_doc.m_ssl.m_data.m_crSlice = colour;   // the main holders only
        m_doc.m_cli.m_data.m_crColour = colour;
    }
    Redraw();
}

void CMainFrame::OnPathColour()
{
    Colour colour = 0;
    if (m_dialogs->AskColour(MakeRgb(0, 255, 0), colour))
        m_doc.m_spf.m_data.m_crPaths = colour;
    Redraw();
}

// ---- export ----

std::string CMainFrame::DefaultOutputName() const
{
    auto strip = [](const std::string& path, const char* ending) {
        return path.size() >= 4 && path.compare(path.size() - 4, 4, ending) == 0 ? path.substr(0, path.size() - 4) : path;
    };
    if (m_doc.m_nFileKind == 1)
        return strip(m_doc.m_ssl.m_data.m_strFileName, ".ssl");
    if (m_doc.m_nFileKind == 2)
        return strip(m_doc.m_cli.m_data.m_strPathName, ".cli");
    return {};
}

bool CMainFrame::ChooseSpfPath(std::string& path)
{
    std::string chosen = m_dialogs->PromptSavePath("spf", Tr("FilterSpf"), DefaultOutputName(), true);
    if (chosen.empty())
        return false;
    if (chosen.size() < 4 || chosen.compare(chosen.size() - 4, 4, ".spf") != 0)
        chosen += ".spf";
    path = chosen;
    return true;
}

void CMainFrame::RunExport(bool cliHatchMode)
{
    auto& data = m_doc.m_spf.m_data;
    data.m_nScanDirX = 7;
    data.m_nScanDirY = 7;
    std::string path;
    if (!ChooseSpfPath(path))
        return;
    CExportOptions options;
    options.hasContourFiles = !m_doc.m_sslContours.empty() || !m_doc.m_cliContours.empty();
    bool write = true;
    if (cliHatchMode) {
        data.m_hatchSpace = 0.05f;
        data.m_contourOption = options.contourOption;
        data.m_connectHatches = options.connectHatches;
    } else if (m_dialogs->AskExportOptions(options)) {
        data.m_hatchSpace = options.hatchSpace;
        data.m_orientation = options.orientation;
        data.m_contourOption = options.contourOption;
        data.m_connectHatches = options.connectHatches;
        data.m_pathStrategy = options.pathStrategy;
    } else {
        write = false;
    }
    if (write) {
        m_doc.m_spf.m_strFileName = path;
        data.m_taggedLayout = 1;
        m_doc.m_bDisplay = false;
        data.m_bShowPaths = false;
        data.m_bSimulation = false;
        m_bExporting = true;
        data.m_bJumpTrack = true;
        ShowPreviewBar(0);
        UpdateCommandUi();

        CSpfExport exporter(m_doc.m_spf);
        exporter.m_cli = &m_doc.m_cli;
        exporter.m_ssl = &m_doc.m_ssl;
        for (auto& holder : m_doc.m_cliContours)
            exporter.m_cliContours.push_back(holder.get());
        for (auto& holder : m_doc.m_sslContours)
            exporter.m_sslContours.push_back(holder.get());
        exporter.m_nTopologyReply = m_nTopologyReply;
        exporter.m_bExporting = true;
        m_activeExport = &exporter;
        SetWaitCursor(true);
        if (exporter.WriteSpfFile(path, cliHatchMode))
            m_doc.m_spf.m_bOpen = true;
        SetWaitCursor(false);
        m_activeExport = nullptr;
        m_nTopologyReply = exporter.m_nTopologyReply;
        m_bExporting = false;
    }
    // Whatever was written is read back as the open machine file.
    ImportSpfFile(path);
    m_doc.m_nFileKind = 3;
    ShowPreviewBar(2);
    data.m_bJumpTrack = false;
    m_nSpfLayer = data.m_nFromLayer - 1;
    Redraw();
}

// ---- editing tools ----

void CMainFrame::OnVerifyValidity()
{
    if (m_doc.m_nFileKind == 1)
        CheckQuadrantSsl();
    else if (m_doc.m_nFileKind == 2)
        CheckQuadrantCli();
}

namespace {
bool InFirstQuadrant(const C3DBox& box)
{
    return box.m_ptMin.m_x >= 0.0f && box.m_ptMin.m_y >= 0.0f && box.m_ptMin.m_z >= 0.0f;
}
} // namespace

bool CMainFrame::ChooseSslSavePath(std::string& path)
{
    std::string chosen = m_dialogs->PromptSavePath("ssl", Tr("FilterSsl"), "", false);
    if (chosen.empty())
        return false;
    if (LowerTail(chosen, false) != ".ssl" || chosen.size() < 4)
        chosen += ".ssl";
    path = chosen;
    return true;
}

bool CMainFrame::ChooseCliSavePath(std::string& path)
{
    std::string chosen = m_dialogs->PromptSavePath("cli", Tr("FilterCli"), "", false);
    if (chosen.empty())
        return false;
    if (LowerTail(chosen, true) != ".cli" || chosen.size() < 4)
        chosen += ".cli";
    path = chosen;
    return true;
}

void CMainFrame::CheckQuadrantSsl()
{
    CSsl& ssl = m_doc.m_ssl;
    if (InFirstQuadrant(ssl.m_data.m_box)) {
        ShowMessage(Tr("QuadrantOk"), Tr("VerifyCaption"), MsgIcon::Information, MsgButtons::Ok);
    } else if (ShowMessage(Tr("QuadrantMove"), Tr("VerifyCaption"), MsgIcon::Question, MsgButtons::YesNoCancel) ==
               MsgAnswer::Yes) {
        std::string path;
        // The holder moves to the copy only when it was written, and measures
        // it, so that its box and centre describe the file it now names.
        if (ChooseSslSavePath(path) && ssl.SaveMoved(path)) {
            ssl.m_data.CloseReading();
            ssl.m_data.ClearLayers();
            ssl.m_data.m_strFileName = path;
            m_doc.SetPathName(path);
            if (ssl.m_data.Measure(path))
                m_doc.m_centre = ssl.m_data.m_centre;
            setWindowTitle(Q(Tr("TitleOpened") + path));
            m_nSslLayer = 0;   // the reading starts again on the copy
        }
    }
    Redraw();
}

void CMainFrame::CheckQuadrantCli()
{
    CCli& cli = m_doc.m_cli;
    if (InFirstQuadrant(cli.m_data.m_box)) {
        ShowMessage(Tr("QuadrantOk"), Tr("VerifyCaption"), MsgIcon::Information, MsgButtons::Ok);
    } else if (ShowMessage(Tr("QuadrantMove"), Tr("VerifyCaption"), MsgIcon::Question, MsgButtons::YesNoCancel) ==
               MsgAnswer::Yes) {
        std::string path;
        if (ChooseCliSavePath(path) && cli.SaveAtOrigin(path)) {
            cli.m_data.CloseLayerFile();
            cli.m_data.ClearLayers();
            cli.m_data.m_strPathName = path;
            m_doc.SetPathName(path);
            if (cli.Load(path))
                m_doc.m_centre = cli.m_data.m_ptCentre;
            setWindowTitle(Q(Tr("TitleOpened") + path));
            m_nCliLayer = 0;   // the reading starts again on the copy
        }
    }
    Redraw();
}

bool CMainFrame::ChooseContourFile(std::string& path, int& kind)
{
    const bool cliKind = m_doc.m_nFileKind == 2;
    const std::string chosen = m_dialogs->PromptOpenPath("", cliKind ? Tr("FilterCli") : Tr("FilterContourSsl"));
    if (chosen.empty())
        return false;
    const std::string tail = LowerTail(chosen, true);
    if (cliKind ? tail != ".cli" : tail != ".ssl")
        return false;
    path = chosen;
    kind = cliKind ? 2 : 1;
    return true;
}

void CMainFrame::OnLoadContourFile()
{
    std::string path;
    int kind = 0;
    if (!ChooseContourFile(path, kind)) {
        ShowMessage(Tr("ContourFileError"), Tr("PromptCaption"), MsgIcon::Information, MsgButtons::Ok);
    } else if (kind == 2) {
        m_doc.m_cliContours.push_back(std::make_unique<CCli>());
        LoadCliFile(path, *m_doc.m_cliContours.back(), false);
    } else {
        m_doc.m_sslContours.push_back(std::make_unique<CSsl>());
        LoadSslFile(path, *m_doc.m_sslContours.back(), false);
    }
    m_nCliLayer = 0;
    Redraw();
}

void CMainFrame::OnReplaceLayer()
{
    const int k = static_cast<int>(m_nCliLayer);
    if (ShowMessage(Tr("ReplaceQuestion"), Tr("DeleteCaption"), MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes) {
        SetWaitCursor(true);
        SetPane(0, Tr("SavingFile"));
        auto& cli = m_doc.m_cli.m_data;
        cli.ReplaceLayer(k);
        cli.ClearLayers();
        int layerKind = 0;
        cli.ReadLayerAt(k, layerKind);
        SetPane(0, Tr("Finish"));
        SetWaitCursor(false);
    }
    Redraw();
}
