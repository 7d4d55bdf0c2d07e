#pragma once
#include "geometry/3DPoint.h"

#include <QImage>
#include <QWidget>

class CVemoDoc;
class CMainFrame;
class IDrawSurface;

// The one view of the main window: draws the coordinate marker, the blank
// rectangle, the contours of the layers in memory and the SPF scan paths,
// with zoom and pan about the part centre.
class CVemoView : public QWidget {
    Q_OBJECT
public:
    CVemoView(CVemoDoc& doc, CMainFrame* frame, QWidget* parent = nullptr);

    // Takes the document's centre and works out the two drawing offsets.
    void ReProject(int w, int h);
    void ReProjectClient() { ReProject(width(), height()); }

    // Everything a repaint draws, on any surface of w x h pixels.
    void Draw(IDrawSurface& surface, int w, int h) const;
    // The repaint into an image of w x h on the window background (tests,
    // screenshots).
    QImage Render(int w, int h) const;

    // View commands; each re-projects and redraws.
    void PanUp();
    void PanDown();
    void PanLeft();
    void PanRight();
    void ZoomIn();
    void ZoomOut();
    void ToggleAxes();
    void ToggleSlice();
    void TogglePaths();
    void Home();

    bool m_bShowAxes = true;
    float m_fZoom = 1.0f;
    float m_fZoomStep = 1.5f;
    float m_fTransX = 0.0f;
    float m_fTransY = 0.0f;
    float m_fPanStep = 10.0f;
    float m_fPanY = 0.0f;
    float m_fPanX = 0.0f;
    C3DPoint m_centre;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Refresh();
    // Simulation mode: the repaint draws the scan vectors one at a time with
    // a pause after each, showing every line as it is drawn.
    bool SimulationWanted() const;
    void RunSimulation();

    CVemoDoc& m_doc;
    CMainFrame* m_frame;
    QImage m_simImage;
    bool m_simulating = false;
    bool m_simPending = false;
};
