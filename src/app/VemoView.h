#pragma once
#include "geometry/3DPoint.h"

#include <QImage>
#include <QWidget>

class CVemoDoc;
class CMainFrame;
class CSimulationSurface;
class IDrawSurface;
class QTimer;

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

    // Everything a repaint draws, on any surface of w x h pixels; the scan
    // paths through the simulation surface when one is given.
    void Draw(IDrawSurface& surface, int w, int h, CSimulationSurface* simulation = nullptr) const;
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

    // A redraw asked for by the application: in simulation mode the scan
    // vectors are drawn again from the first one.
    void Invalidate();

    // Simulation mode: a timer reveals one more scan line every 10 ms, in the
    // order the laser follows, until the layers in memory are drawn whole;
    // the event loop runs on meanwhile.
    static constexpr int kSimulationStepMs = 10;
    bool SimulationRunning() const { return m_simState == SimState::Running && SimulationWanted(); }
    int SimulationShown() const { return m_nSimShown; }
    int SimulationTotal() const { return m_nSimTotal; }
    // One tick of the simulation timer: one more line, then a repaint.
    void SimulationStep();

signals:
    // The layers in memory have been drawn completely in simulation mode
    // (or simulation mode was left while they were being drawn).
    void SimulationDrawn();

public:
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
    bool SimulationWanted() const;
    void StartSimulation();
    void EndSimulation(bool drawnWhole);

    // Stale: the next paint in simulation mode starts drawing from the first
    // line; Running: the timer reveals line after line; Drawn: shown whole.
    enum class SimState { Stale, Running, Drawn };

    CVemoDoc& m_doc;
    CMainFrame* m_frame;
    QTimer* m_simTimer;
    // What the simulation has drawn so far: each tick adds its line to it, so
    // a layer's lines are painted once each however many there are.
    QImage m_simImage;
    SimState m_simState = SimState::Stale;
    int m_nSimShown = 0;
    int m_nSimTotal = 0;
};
