#include "GuiSupport.h"

#include "app/QtDrawSurface.h"
#include "app/VemoView.h"
#include "geometry/2DPoint.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QImage>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);

int CountColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

// Where the marker's corner is drawn: the green leg, drawn last, covers it;
// the red leg goes on directly to its right.
QPoint MarkerCorner(const QImage& image)
{
    for (int y = 1; y < image.height(); ++y)
        for (int x = 0; x + 1 < image.width(); ++x)
            if (image.pixel(x, y) == kGreen && image.pixel(x + 1, y) == kRed && image.pixel(x, y - 1) == kGreen)
                return {x, y};
    return {-1, -1};
}

class ViewTest : public ::testing::Test {
protected:
    ViewTest() : m_view(m_doc, nullptr) {}
    CScriptedPlatform m_platform;
    CVemoDoc m_doc;
    CVemoView m_view;
};

TEST_F(ViewTest, WorkedExampleOfTheMapping)
{
    m_doc.m_centre = C3DPoint(50.0f, 40.0f, 0.0f);
    m_view.ReProject(800, 600);
    EXPECT_EQ(ToScreen(50.0f, 40.0f, 800, 600, m_view.m_fZoom, m_view.m_fTransX, m_view.m_fTransY), (CPixel{400, 300}));
    EXPECT_EQ(ToScreen(60.0f, 40.0f, 800, 600, m_view.m_fZoom, m_view.m_fTransX, m_view.m_fTransY), (CPixel{409, 300}));

    // The blank rectangle's first corner lands on that pixel too.
    m_doc.m_blank.m_ptMin.SetPoint(60.0f, 40.0f);
    m_doc.m_blank.m_ptMax.SetPoint(70.0f, 50.0f);
    CRecordingSurface surface;
    m_view.Draw(surface, 800, 600);
    std::vector<std::pair<int, int>> moves;
    for (const auto& op : surface.m_ops)
        if (op.kind == CRecordingSurface::Op::Move)
            moves.emplace_back(op.a, op.b);
    ASSERT_EQ(moves.size(), 3u);   // two marker legs, one rectangle
    EXPECT_EQ(moves[0], std::make_pair(400, 300));
    EXPECT_EQ(moves[2], std::make_pair(409, 300));
    EXPECT_EQ(surface.m_penStack.size(), 0u);   // every pen restored
}

TEST_F(ViewTest, MarkerLegsOnTheRenderedImage)
{
    m_doc.m_centre = C3DPoint(50.0f, 40.0f, 0.0f);
    m_view.ReProject(800, 600);
    const QImage image = m_view.Render(800, 600);
    EXPECT_EQ(MarkerCorner(image), QPoint(400, 300));
    // X leg 25 pixels to the right in red, Y leg 25 pixels up in green.
    EXPECT_EQ(image.pixel(424, 300), kRed);
    EXPECT_NE(image.pixel(427, 300), kRed);
    EXPECT_EQ(image.pixel(400, 276), kGreen);
    EXPECT_NE(image.pixel(400, 273), kGreen);
    EXPECT_NE(image.pixel(400, 310), kGreen);
    EXPECT_NE(image.pixel(390, 300), kRed);

    m_view.ToggleAxes();
    EXPECT_EQ(CountColour(m_view.Render(800, 600), kRed), 0);
}

TEST_F(ViewTest, BlankRectangleOnlyWithLengthAndWidth)
{
    m_view.m_bShowAxes = false;
    m_view.ReProject(800, 640);
    struct Case {
        float x, y, length, width;
        bool drawn;
    };
    for (const Case& c : {Case{10, 20, 0, 50, false}, Case{10, 20, 30, 0, false}, Case{10, 20, 30, 50, true},
                          Case{-40, -30, 5, 5, true}}) {
        m_doc.m_blank.m_ptMin.SetPoint(c.x, c.y);
        m_doc.m_blank.m_ptMax.SetPoint(c.x + c.length, c.y + c.width);
        const QImage image = m_view.Render(800, 640);
        EXPECT_EQ(CountColour(image, kRed) > 0, c.drawn) << c.x << " " << c.length << " " << c.width;
        if (c.drawn) {   // the corners, 1 mm to 1 pixel at this height
            const CPixel lo = ToScreen(c.x, c.y, 800, 640, 1.0f, 0.0f, 0.0f);
            EXPECT_EQ(image.pixel(lo.x, lo.y), kRed);
        }
    }
}

TEST_F(ViewTest, ZoomPanAndHome)
{
    m_view.show();
    m_view.resize(800, 640);
    QApplication::processEvents();
    m_doc.m_centre = C3DPoint(5.0f, 5.0f, 0.0f);
    m_view.ReProjectClient();
    EXPECT_EQ(MarkerCorner(m_view.Render(800, 640)), QPoint(400, 320));

    // One pan step is h / 64 pixels, in the direction of the command.
    struct Step {
        void (CVemoView::*command)();
        QPoint corner;
    };
    for (const Step& s : {Step{&CVemoView::PanUp, {400, 310}}, Step{&CVemoView::PanLeft, {390, 310}},
                          Step{&CVemoView::PanDown, {390, 320}}, Step{&CVemoView::PanDown, {390, 330}},
                          Step{&CVemoView::PanRight, {400, 330}}, Step{&CVemoView::PanRight, {410, 330}}}) {
        (m_view.*s.command)();
        EXPECT_EQ(MarkerCorner(m_view.Render(800, 640)), s.corner);
    }

    // Zoom scales about the part centre: the marker stays, a model point moves out.
    for (int i = 0; i < 3; ++i)
        m_view.ZoomIn();
    EXPECT_FLOAT_EQ(m_view.m_fZoom, 3.375f);
    m_view.Home();
    EXPECT_EQ(m_view.m_fPanX, 0.0f);
    EXPECT_EQ(m_view.m_fPanY, 0.0f);
    EXPECT_FLOAT_EQ(m_view.m_fZoom, 3.375f);
    EXPECT_EQ(MarkerCorner(m_view.Render(800, 640)), QPoint(400, 320));
    EXPECT_EQ(ToScreen(15.0f, 5.0f, 800, 640, m_view.m_fZoom, m_view.m_fTransX, m_view.m_fTransY).x, 433);
    m_view.ZoomOut();
    EXPECT_FLOAT_EQ(m_view.m_fZoom, 2.25f);

    // The Home key does the same.
    m_view.PanUp();
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QApplication::sendEvent(&m_view, &home);
    EXPECT_EQ(m_view.m_fPanY, 0.0f);
}

TEST_F(ViewTest, ResizeToZeroHeightKeepsTheProjection)
{
    m_view.show();
    m_view.resize(800, 600);
    QApplication::processEvents();
    m_doc.m_centre = C3DPoint(50.0f, 40.0f, 0.0f);
    m_view.resize(800, 500);
    EXPECT_EQ(m_view.m_centre, m_doc.m_centre);
    EXPECT_FLOAT_EQ(m_view.m_fTransX, -50.0f);
    m_doc.m_centre = C3DPoint(7.0f, 8.0f, 0.0f);
    m_view.resize(800, 0);
    EXPECT_EQ(m_view.m_centre, C3DPoint(50.0f, 40.0f, 0.0f));
    EXPECT_FLOAT_EQ(m_view.m_fTransX, -50.0f);
    EXPECT_FLOAT_EQ(m_view.m_fTransY, -40.0f);
}

TEST(ViewDrawing, ContoursOfTheCliHolderAndEscapeStopsAnExport)
{
    CTempDir dir;
    const std::string path = dir.File("square.cli");
    WriteSquareCli(path, 1, 10.0f, 10.0f, 30.0f, 30.0f);
    CFrameFixture f;
    ASSERT_TRUE(f.m_frame->OpenFromCommandLine(path));
    CVemoView& view = f.m_frame->View();
    view.ReProject(800, 640);
    EXPECT_EQ(CountColour(view.Render(800, 640), kBlue), 0);   // no layer in memory yet

    ASSERT_TRUE(f.m_doc.m_cli.m_data.OpenLayerFile());
    PromptState prompt = PROMPT_ASK;
    ASSERT_EQ(f.m_doc.m_cli.m_data.ReadNextLayer(prompt), 1);
    QImage image = view.Render(800, 640);
    const CPixel top = ToScreen(20.0f, 30.0f, 800, 640, view.m_fZoom, view.m_fTransX, view.m_fTransY);
    const CPixel left = ToScreen(10.0f, 20.0f, 800, 640, view.m_fZoom, view.m_fTransX, view.m_fTransY);
    EXPECT_EQ(image.pixel(top.x, top.y), kBlue);
    EXPECT_EQ(image.pixel(left.x, left.y), kBlue);
    EXPECT_EQ(top.y, 310);
    EXPECT_TRUE(f.m_frame->Action(ID_SHOW_SLICE)->isEnabled() || (f.m_frame->UpdateCommandUi(), true));
    f.m_frame->UpdateCommandUi();
    EXPECT_TRUE(f.m_frame->Action(ID_SHOW_SLICE)->isChecked());

    // Slice off hides them; the document's display flag gates everything.
    ASSERT_TRUE(f.m_frame->RunCommand(ID_SHOW_SLICE));
    EXPECT_EQ(CountColour(view.Render(800, 640), kBlue), 0);
    ASSERT_TRUE(f.m_frame->RunCommand(ID_SHOW_SLICE));
    f.m_doc.m_bDisplay = false;
    EXPECT_EQ(CountColour(view.Render(800, 640), kBlue), 0);

    f.m_frame->m_bExporting = true;
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&view, &escape);
    EXPECT_FALSE(f.m_frame->m_bExporting);
}

TEST(ViewDrawing, ScanPathsOfTheSpfHolder)
{
    CTempDir dir;
    const std::string path = dir.File("ring.spf");
    CFrameFixture f;
    ASSERT_TRUE(WriteSampleSpf(path, 3));
    ASSERT_TRUE(f.m_frame->OpenFromCommandLine(path));
    CVemoView& view = f.m_frame->View();
    view.m_bShowAxes = false;
    view.ReProject(800, 640);
    ASSERT_TRUE(f.m_doc.m_spf.m_data.LoadLayer(path, 3));
    const int painted = CountColour(view.Render(800, 640), kBlue);
    EXPECT_GT(painted, 100);
    // Jump tracks add red lines between the vectors.
    f.m_doc.m_spf.m_data.m_bJumpTrack = true;
    EXPECT_GT(CountColour(view.Render(800, 640), kRed), 0);
    f.m_doc.m_spf.m_data.m_bJumpTrack = false;

    // Scan Paths off hides them and ends simulation mode; on again keeps it off.
    f.m_doc.m_spf.m_data.m_bSimulation = true;
    ASSERT_TRUE(f.m_frame->RunCommand(ID_SHOW_PATHS));
    EXPECT_FALSE(f.m_doc.m_spf.m_data.m_bSimulation);
    EXPECT_EQ(CountColour(view.Render(800, 640), kBlue), 0);
    ASSERT_TRUE(f.m_frame->RunCommand(ID_SHOW_PATHS));
    EXPECT_FALSE(f.m_doc.m_spf.m_data.m_bSimulation);
    EXPECT_EQ(CountColour(view.Render(800, 640), kBlue), painted);
}

// The picture of a plain drawing cut after its first `vectors` lines of
// colour `path`: the strokes of another colour (the start marks) show with
// the first line after them.
QImage FirstVectors(const CRecordingSurface& plain, Colour path, int vectors, int w, int h, QColor base)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(base);
    QPainter painter(&image);
    CQtDrawSurface surface(painter);
    int drawn = 0;
    for (const auto& op : plain.m_ops) {
        if (op.kind == CRecordingSurface::Op::Pen)
            surface.SelectPen(op.style, op.a, op.colour);
        else if (op.kind == CRecordingSurface::Op::Restore)
            surface.RestorePen();
        else if (op.kind == CRecordingSurface::Op::Move)
            surface.MoveTo(op.a, op.b);
        else if (op.kind == CRecordingSurface::Op::Line) {
            if (drawn < vectors)
                surface.LineTo(op.a, op.b);
            else
                surface.MoveTo(op.a, op.b);
            drawn += op.colour == path ? 1 : 0;
        }
    }
    return image;
}

TEST(ViewDrawing, SimulationRevealsOneVectorPerTickInTheLaserOrder)
{
    CTempDir dir;
    const std::string path = dir.File("ring.spf");
    CFrameFixture f;
    ASSERT_TRUE(WriteSampleSpf(path, 3));
    ASSERT_TRUE(f.m_frame->OpenFromCommandLine(path));
    ASSERT_TRUE(f.m_doc.m_spf.m_data.LoadLayer(path, 3));
    CVemoView& view = f.m_frame->View();
    view.m_bShowAxes = false;
    f.m_frame->show();   // the view takes its size in the window
    QApplication::processEvents();
    const int w = view.width(), h = view.height();
    ASSERT_GT(h, 100);
    view.m_fZoom = 30.0f;   // hatch lines 15 pixels apart
    view.ReProject(w, h);
    const Colour pathColour = f.m_doc.m_spf.m_data.m_crPaths;
    CRecordingSurface plain;
    view.Draw(plain, w, h);
    int vectors = 0;
    for (const auto& op : plain.m_ops)
        vectors += op.kind == CRecordingSurface::Op::Line && op.colour == pathColour ? 1 : 0;
    ASSERT_GT(vectors, 10);
    const QColor base = view.palette().color(QPalette::Base);

    ASSERT_TRUE(f.m_frame->RunCommand(ID_SIMULATION));
    EXPECT_FALSE(view.SimulationRunning());   // the toggle itself does not redraw
    f.m_frame->Redraw();
    ASSERT_TRUE(view.SimulationRunning());
    EXPECT_EQ(view.SimulationTotal(), vectors);
    EXPECT_EQ(view.SimulationShown(), 0);
    EXPECT_EQ(CountColour(view.grab().toImage(), kBlue), 0);
    EXPECT_EQ(f.m_platform.m_sleptMs, 0);   // nothing waits inside a repaint

    // Tick by tick the view holds exactly the first k vectors of the order.
    for (int k = 1; k <= vectors; ++k) {
        view.SimulationStep();
        ASSERT_EQ(view.SimulationShown(), k);
        if (k <= 3 || k == vectors / 2 || k == vectors - 1 || k == vectors) {
            EXPECT_TRUE(view.grab().toImage() == FirstVectors(plain, pathColour, k, w, h, base)) << k;
        }
        EXPECT_EQ(view.SimulationRunning(), k < vectors);
    }
    const QImage whole = view.grab().toImage();
    EXPECT_TRUE(whole == view.Render(w, h));
    view.SimulationStep();   // once drawn, the timer is off and nothing changes
    EXPECT_EQ(view.SimulationShown(), vectors);

    // The reveal runs on its own 10 ms timer while the event loop goes on.
    f.m_frame->Redraw();
    ASSERT_EQ(view.SimulationShown(), 0);
    QElapsedTimer clock;
    clock.start();
    while (view.SimulationShown() < 3 && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_GE(view.SimulationShown(), 3);
    EXPECT_GE(clock.elapsed(), 2 * CVemoView::kSimulationStepMs);

    // Leaving simulation mode while drawing shows the rest at once.
    ASSERT_TRUE(f.m_frame->RunCommand(ID_SIMULATION));
    view.SimulationStep();
    EXPECT_FALSE(view.SimulationRunning());
    EXPECT_TRUE(view.grab().toImage() == whole);
}

} // namespace
