// Repaint of the desktop view: one layer of 40,000 scan vectors drawn at
// 1600 x 1000 through the QPainter drawing surface, outside simulation mode.
// Nothing is cached between repaints, so this is the whole drawing path.
#include "app/MainFrm.h"
#include "app/QtDrawSurface.h"
#include "app/VemoDoc.h"
#include "app/VemoView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_repaint";
    static char* argv[] = {name, nullptr};
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication app(argc, argv);
    return app;
}

// 400 hatch lines 0.2 mm apart, each cut into 100 vectors of 0.6 mm with
// 0.2 mm gaps, alternating in direction: 40,000 vectors over 80 x 80 mm.
void FillLayer(CVemoDoc& doc)
{
    CScanPlane plane(0.1f);
    CPlanePath path;
    for (int line = 0; line < 400; ++line) {
        const float y = 0.2f * static_cast<float>(line);
        for (int k = 0; k < 100; ++k) {
            const int i = (line % 2 == 0) ? k : 99 - k;
            const float x0 = 0.8f * static_cast<float>(i);
            if (line % 2 == 0)
                path.m_scanPath.emplace_back(x0, y, x0 + 0.6f, y);
            else
                path.m_scanPath.emplace_back(x0 + 0.6f, y, x0, y);
        }
    }
    plane.m_paths.push_back(std::move(path));
    doc.m_spf.m_data.m_planes.push_back(std::move(plane));
    doc.m_spf.m_data.m_bShowPaths = true;
    doc.m_spf.m_data.m_bSimulation = false;
    doc.m_bDisplay = true;
    doc.m_centre = C3DPoint(40.0f, 40.0f, 0.0f);
}

void BM_RepaintScanLayer(benchmark::State& state)
{
    App();
    CVemoDoc doc;
    FillLayer(doc);
    CVemoView view(doc, nullptr);
    view.m_fZoom = 6.0f;   // the part fills most of the window
    view.ReProject(1600, 1000);
    QImage image(1600, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        CQtDrawSurface surface(painter);
        view.Draw(surface, 1600, 1000);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * 40000);
}
BENCHMARK(BM_RepaintScanLayer)->Unit(benchmark::kMillisecond);

} // namespace
