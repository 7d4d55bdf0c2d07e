#include "app/VemoView.h"

#include "app/MainFrm.h"
#include "app/QtDrawSurface.h"
#include "app/SimulationSurface.h"
#include "app/VemoDoc.h"
#include "geometry/2DPoint.h"

#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>

namespace {
constexpr Colour kRed = MakeRgb(255, 0, 0);
constexpr Colour kGreen = MakeRgb(0, 255, 0);
constexpr int kMarkerLeg = 25;
} // namespace

CVemoView::CVemoView(CVemoDoc& doc, CMainFrame* frame, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_frame(frame)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    m_simTimer = new QTimer(this);
    m_simTimer->setInterval(kSimulationStepMs);
    connect(m_simTimer, &QTimer::timeout, this, &CVemoView::SimulationStep);
}

void CVemoView::ReProject(int w, int h)
{
    (void)w;
    (void)h;
    m_centre = m_doc.m_centre;
    m_fTransX = -m_centre.m_x * m_fZoom - m_fPanX;
    m_fTransY = -m_fZoom * m_centre.m_y - m_fPanY;
}

void CVemoView::Draw(IDrawSurface& surface, int w, int h, CSimulationSurface* simulation) const
{
    if (m_bShowAxes) {
        const CPixel p = ToScreen(m_centre.m_x, m_centre.m_y, w, h, m_fZoom, m_fTransX, m_fTransY);
        surface.SelectPen(PenStyle::Solid, 1, kRed);
        surface.MoveTo(p.x, p.y);
        surface.LineTo(p.x + kMarkerLeg, p.y);
        surface.RestorePen();
        surface.SelectPen(PenStyle::Solid, 1, kGreen);
        surface.MoveTo(p.x, p.y);
        surface.LineTo(p.x, p.y - kMarkerLeg);
        surface.RestorePen();
    }
    const C2DBox& blank = m_doc.m_blank;
    if (std::fabs(blank.m_ptMax.m_x - blank.m_ptMin.m_x) > 0.0f && std::fabs(blank.m_ptMax.m_y - blank.m_ptMin.m_y) > 0.0f) {
        const CPixel lo = ToScreen(blank.m_ptMin, w, h, m_fZoom, m_fTransX, m_fTransY);
        const CPixel hi = ToScreen(blank.m_ptMax, w, h, m_fZoom, m_fTransX, m_fTransY);
        const CPixel loHi = ToScreen(blank.m_ptMin.m_x, blank.m_ptMax.m_y, w, h, m_fZoom, m_fTransX, m_fTransY);
        const CPixel hiLo = ToScreen(blank.m_ptMax.m_x, blank.m_ptMin.m_y, w, h, m_fZoom, m_fTransX, m_fTransY);
        surface.SelectPen(PenStyle::Dot, 4, kRed);
        surface.MoveTo(lo.x, lo.y);
        surface.LineTo(loHi.x, loHi.y);
        surface.LineTo(hi.x, hi.y);
        surface.LineTo(hiLo.x, hiLo.y);
        surface.LineTo(lo.x, lo.y);
        surface.RestorePen();
    }
    m_doc.DrawHolders(surface, w, h, m_fZoom, m_fTransX, m_fTransY, simulation);
}

QImage CVemoView::Render(int w, int h) const
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Base));
    QPainter painter(&image);
    CQtDrawSurface surface(painter);
    Draw(surface, w, h);
    return image;
}

namespace {
// Takes every drawing call and draws nothing: the lines of a simulation are
// counted on it.
class CNoSurface : public IDrawSurface {
public:
    void SelectPen(PenStyle, int, Colour) override {}
    void RestorePen() override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
};
} // namespace

bool CVemoView::SimulationWanted() const
{
    const auto& spf = m_doc.m_spf.m_data;
    return spf.m_bSimulation && spf.m_bShowPaths && m_doc.m_bDisplay;
}

void CVemoView::Invalidate()
{
    if (SimulationWanted())
        StartSimulation();
    else if (m_simState == SimState::Running)
        EndSimulation(false);
    else
        m_simState = SimState::Stale;
    update();
}

void CVemoView::StartSimulation()
{
    CNoSurface none;
    CSimulationSurface counter(nullptr, -1);
    Draw(none, width(), height(), &counter);
    m_nSimTotal = counter.Lines();
    m_nSimShown = 0;
    if (m_nSimTotal == 0 || width() <= 0 || height() <= 0) {
        EndSimulation(true);
        return;
    }
    // Everything but the scan lines, which the ticks add one by one.
    m_simImage = QImage(size(), QImage::Format_RGB32);
    m_simImage.fill(palette().color(QPalette::Base));
    {
        QPainter painter(&m_simImage);
        CQtDrawSurface surface(painter);
        CSimulationSurface nothingYet(&surface, 0);
        Draw(surface, width(), height(), &nothingYet);
    }
    m_simState = SimState::Running;
    m_simTimer->start();
}

void CVemoView::SimulationStep()
{
    if (m_simState != SimState::Running)
        return;
    if (!SimulationWanted()) {   // left while drawing: the rest shows at once
        EndSimulation(false);
        update();
        return;
    }
    {
        QPainter painter(&m_simImage);
        CQtDrawSurface surface(painter);
        CNoSurface none;   // the rest of the picture is in the image already
        CSimulationSurface next(&surface, m_nSimShown + 1, m_nSimShown);
        m_doc.DrawHolders(none, width(), height(), m_fZoom, m_fTransX, m_fTransY, &next);
    }
    ++m_nSimShown;
    update();
    if (m_nSimShown >= m_nSimTotal)
        EndSimulation(true);
}

void CVemoView::EndSimulation(bool drawnWhole)
{
    m_simTimer->stop();
    m_simState = drawnWhole ? SimState::Drawn : SimState::Stale;
    emit SimulationDrawn();
}

void CVemoView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    CQtDrawSurface surface(painter);
    if (!SimulationWanted()) {
        if (m_simState == SimState::Running)
            EndSimulation(false);
        m_simState = SimState::Stale;
        Draw(surface, width(), height());
        return;
    }
    // Switched on since the last redraw: this paint starts the drawing.
    if (m_simState == SimState::Stale)
        StartSimulation();
    if (m_simState == SimState::Running) {
        painter.drawImage(0, 0, m_simImage);
    } else {
        Draw(surface, width(), height());
    }
}

void CVemoView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (width() != 0 && height() != 0)
        ReProject(width(), height());
    if (m_simState != SimState::Stale && SimulationWanted())
        StartSimulation();   // the lines move: they are drawn again
}

void CVemoView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_frame)
        m_frame->m_bExporting = false;
    else if (event->key() == Qt::Key_Home)
        Home();
    QWidget::keyPressEvent(event);
}

void CVemoView::Refresh()
{
    ReProjectClient();
    Invalidate();
}

void CVemoView::PanUp() { m_fPanY -= m_fPanStep; Refresh(); }
void CVemoView::PanDown() { m_fPanY += m_fPanStep; Refresh(); }
void CVemoView::PanLeft() { m_fPanX += m_fPanStep; Refresh(); }
void CVemoView::PanRight() { m_fPanX -= m_fPanStep; Refresh(); }
void CVemoView::ZoomIn() { m_fZoom *= m_fZoomStep; Refresh(); }
void CVemoView::ZoomOut() { m_fZoom /= m_fZoomStep; Refresh(); }
void CVemoView::ToggleAxes() { m_bShowAxes = !m_bShowAxes; Refresh(); }

void CVemoView::ToggleSlice()
{
    m_doc.ToggleSlice();
    Refresh();
}

void CVemoView::TogglePaths()
{
    m_doc.TogglePaths();
    Refresh();
}

void CVemoView::Home()
{
    m_fPanX = 0.0f;
    m_fPanY = 0.0f;
    Refresh();
}
