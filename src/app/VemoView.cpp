#include "app/VemoView.h"

#include "app/MainFrm.h"
#include "app/QtDrawSurface.h"
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
}

void CVemoView::ReProject(int w, int h)
{
    (void)w;
    (void)h;
    m_centre = m_doc.m_centre;
    m_fTransX = -m_centre.m_x * m_fZoom - m_fPanX;
    m_fTransY = -m_fZoom * m_centre.m_y - m_fPanY;
}

void CVemoView::Draw(IDrawSurface& surface, int w, int h) const
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
    m_doc.DrawHolders(surface, w, h, m_fZoom, m_fTransX, m_fTransY);
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
// The drawing surface of a simulated repaint: every line lands in the view's
// image and is shown at once, before the pause that follows it.
class CShowEachLineSurface : public CQtDrawSurface {
public:
    CShowEachLineSurface(QPainter& painter, QWidget& view) : CQtDrawSurface(painter), m_view(view) {}
    void LineTo(int x, int y) override
    {
        CQtDrawSurface::LineTo(x, y);
        m_view.repaint();
    }

private:
    QWidget& m_view;
};
} // namespace

bool CVemoView::SimulationWanted() const
{
    const auto& spf = m_doc.m_spf.m_data;
    return spf.m_bSimulation && spf.m_bShowPaths && m_doc.m_bDisplay;
}

void CVemoView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_simulating) {   // a simulated repaint shows its image so far
        painter.drawImage(0, 0, m_simImage);
        return;
    }
    if (SimulationWanted()) {
        // Drawn line by line outside this paint event, so that each line can
        // be shown before its pause.
        painter.drawImage(0, 0, m_simImage);
        if (!m_simPending) {
            m_simPending = true;
            QTimer::singleShot(0, this, &CVemoView::RunSimulation);
        }
        return;
    }
    CQtDrawSurface surface(painter);
    Draw(surface, width(), height());
}

void CVemoView::RunSimulation()
{
    m_simPending = false;
    if (!SimulationWanted() || width() == 0 || height() == 0)
        return;
    m_simImage = QImage(size(), QImage::Format_RGB32);
    m_simImage.fill(palette().color(QPalette::Base));
    m_simulating = true;
    {
        QPainter painter(&m_simImage);
        CShowEachLineSurface surface(painter, *this);
        Draw(surface, width(), height());
    }
    repaint();   // the finished picture, without starting another round
    m_simulating = false;
}

void CVemoView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (width() != 0 && height() != 0)
        ReProject(width(), height());
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
    update();
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
