// Moving over the real chart in the main window: a zoom click, from the ladder operation to the
// finished paint of the 780 × 497 view, at each level and on the level's first visit (a fresh
// window each time); a pan drag step (read the offsets, write them moved, paint) at each level;
// both against painting the unchanged view at that level in the same run. Then what a new
// picture's load adds for the view against the decoding that comes with it, and the resident
// memory of the process once all four levels have been shown. Run it again with
// QT_SCALE_FACTOR=2 for a high-density screen.
//
// The baseline of each is a blit: a ready image of the view copied onto it. A step redraw (the
// next step drawn and painted at level k) and a resize of the window to a 1600 x 1000 view are
// measured beside them.
//
//   build/bench/brenlow_bench
//   --benchmark_filter='Zoom|Pan|ViewBlit|StepRedraw|Resize|HalvedCopies|DecodeChart'

#include "app/main_screen.h"
#include "app/startup.h"
#include "bench_window.h"
#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/clock.h"
#include "core/message_boxes.h"
#include "core/program_info.h"
#include "core/settings_store.h"
#include "platform/chart_surface_widget.h"
#include "platform/picture_file.h"
#include "platform/qt_pointer_shapes.h"
#include "platform/surface_painter.h"
#include "render/redraw.h"
#include "view/zoom_ladder.h"

#include <QPainter>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <stdexcept>

namespace brenlow {
namespace {

constexpr double FrameMs = 16; // one display frame at 60 Hz: the budget of a zoom click
constexpr double PanStepMs = 4;

// The main window on the built program folder after start-up (level 1, scrolled 56, 83), not
// yet painted.
struct ChartWindow : bench::MainWindowRun
{
    // Shows the window and waits until the platform has exposed it: before that a repaint
    // paints nothing.
    void Show()
    {
        screen->show();
        for (int i = 0; i < 100 && !screen->windowHandle()->isExposed(); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!screen->windowHandle()->isExposed())
            throw std::runtime_error("the main window was not exposed");
        Paint();
    }

    double Level(int k) const { return state.ZoomSteps[std::size_t(k)] * ChartScale; }

    // Walks the ladder to level k as the buttons do, painting each level on the way.
    void ShowLevel(int k)
    {
        while (screen->IB1->Zoom() != Level(k)) {
            if (screen->IB1->Zoom() < Level(k))
                ZoomIn(state, *screen->IB1);
            else
                ZoomOut(state, *screen->IB1);
            Paint();
        }
    }

    void Paint() { screen->IB1->repaint(); }
};

bool RealContentPresent(benchmark::State &bench)
{
    if (QFile::exists(QStringLiteral(BRENLOW_BIN_DIR "/backdrop.bmp")))
        return true;
    bench.SkipWithError("the installation content is not in the built program folder");
    return false;
}

void Budget(benchmark::State &bench, double budgetMs)
{
    bench.counters["budget_ms"] = budgetMs;
}

// Level k shown for the first time: level 1 comes down from level 2 on a window that has never
// painted level 1; the others come up from the level below.
void BM_ZoomClickFirstVisit_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    const int level = int(bench.range(0));
    for (auto _ : bench) {
        bench.PauseTiming();
        auto window = std::make_unique<ChartWindow>();
        if (level == 1)
            window->screen->IB1->SetZoom(window->Level(2));
        window->Show();
        if (level > 1)
            window->ShowLevel(level - 1);
        bench.ResumeTiming();

        if (level == 1)
            ZoomOut(window->state, *window->screen->IB1);
        else
            ZoomIn(window->state, *window->screen->IB1);
        window->Paint();

        bench.PauseTiming();
        window.reset();
        bench.ResumeTiming();
    }
    Budget(bench, FrameMs);
}
BENCHMARK(BM_ZoomClickFirstVisit_Real)
    ->DenseRange(1, 4)
    ->Iterations(8)
    ->Unit(benchmark::kMillisecond);

// The same click to a level shown before: back up from the level below after a round trip.
void BM_ZoomClickRevisit_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    const int level = int(bench.range(0));
    ChartWindow window;
    window.Show();
    window.ShowLevel(4);
    const int from = level == 1 ? 2 : level - 1;
    for (auto _ : bench) {
        bench.PauseTiming();
        window.ShowLevel(from);
        bench.ResumeTiming();
        window.screen->IB1->SetZoom(window.Level(level));
        window.Paint();
    }
    Budget(bench, FrameMs);
}
BENCHMARK(BM_ZoomClickRevisit_Real)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

// A drag step as the pointer modes make it, the pointer going round a circle of 60 view pixels
// in steps of about 10, inside the scroll range of every level.
void BM_PanStep_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    ChartWindow window;
    window.Show();
    window.ShowLevel(int(bench.range(0)));
    ChartSurfaceWidget &surface = *window.screen->IB1;
    surface.SetScrollX(72);
    surface.SetScrollY(160);
    window.Paint();
    constexpr int Steps = 36;
    constexpr double Radius = 60;
    auto pointer = [](int i) {
        const double angle = 2 * M_PI * (i % Steps) / Steps;
        return QPoint(int(std::lround(Radius * std::cos(angle))),
                      int(std::lround(Radius * std::sin(angle))));
    };
    int i = 0;
    for (auto _ : bench) {
        const QPoint from = pointer(i);
        const QPoint to = pointer(++i);
        surface.SetScrollX(surface.ScrollX() + (from.x() - to.x()));
        surface.SetScrollY(surface.ScrollY() + (from.y() - to.y()));
        window.Paint();
    }
    Budget(bench, PanStepMs);
}
BENCHMARK(BM_PanStep_Real)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

// The floor: the unchanged view at level k painted again.
void BM_ZoomBareView_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    ChartWindow window;
    window.Show();
    window.ShowLevel(int(bench.range(0)));
    for (auto _ : bench)
        window.Paint();
}
BENCHMARK(BM_ZoomBareView_Real)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

// The baseline: a ready image of the view at level k copied onto the view, as a paint that
// only copies pixels would.
void BM_ViewBlit_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    ChartWindow window;
    window.Show();
    window.ShowLevel(int(bench.range(0)));
    const QImage ready = window.screen->IB1->grab().toImage();
    QImage target(ready.size(), ready.format());
    for (auto _ : bench) {
        QPainter painter(&target);
        painter.drawImage(0, 0, ready);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_ViewBlit_Real)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

// The next step as the skip button shows it at level k (backdrop reloaded, Draw_flows, the view
// painted), going round the tide.
void BM_StepRedraw_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    ChartWindow window;
    window.Show();
    window.ShowLevel(int(bench.range(0)));
    std::int32_t step = 1;
    for (int i = 0; i < 25; ++i) { // every step's labels seen once, as after a loop of the tide
        RedrawStep(window.state, window.screen->View(), ShownStep{step, false},
                   RedrawWay{true, false});
        window.Paint();
        step = step % 25 + 1;
    }
    for (auto _ : bench) {
        RedrawStep(window.state, window.screen->View(), ShownStep{step, false},
                   RedrawWay{true, false});
        window.Paint();
        step = step % 25 + 1;
    }
}
BENCHMARK(BM_StepRedraw_Real)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

// The recording half of a step redraw (backdrop reloaded, Draw_flows), without the paint: what
// every step costs before the view paints anything.
void BM_StepRecord_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    ChartWindow window;
    window.Show();
    std::int32_t step = 1;
    for (auto _ : bench) {
        RedrawStep(window.state, window.screen->View(), ShownStep{step, false},
                   RedrawWay{true, false});
        step = step % 25 + 1;
    }
}
BENCHMARK(BM_StepRecord_Real)->Unit(benchmark::kMillisecond);

// The window made larger, to a 1600 x 1000 chart view, and painted at level 1: the budget is
// one frame.
void BM_ResizeRepaint_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    ChartWindow window;
    window.Show();
    const QSize small = window.screen->size();
    const QSize large = small + QSize(1600 - 780, 1000 - 497);
    bool grow = true;
    for (auto _ : bench) {
        window.screen->resize(grow ? large : small);
        window.screen->repaint();
        grow = !grow;
    }
    Budget(bench, FrameMs);
}
BENCHMARK(BM_ResizeRepaint_Real)->Unit(benchmark::kMillisecond);

// What a load of a new picture adds for the view: halving the chart picture again and again,
// against decoding the file, which every such load does first.
void BM_HalvedCopies_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    const QImage chart = DecodePictureFile(QStringLiteral(BRENLOW_BIN_DIR "/backdrop.bmp"));
    const QImage copies[] = {chart, chart.copy()}; // two pictures: every use makes the copies
    SurfacePaintCache cache;
    int i = 0;
    for (auto _ : bench)
        cache.UsePicture(copies[i++ % 2]);
}
BENCHMARK(BM_HalvedCopies_Real)->Unit(benchmark::kMillisecond);

void BM_DecodeChart_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    for (auto _ : bench)
        benchmark::DoNotOptimize(QImage(QStringLiteral(BRENLOW_BIN_DIR "/backdrop.bmp")));
}
BENCHMARK(BM_DecodeChart_Real)->Unit(benchmark::kMillisecond);

// Resident memory after start-up and after the ladder has been walked up and down with a pan
// at each level. Run it alone: other benchmarks of the same process leave their pictures in
// the decoded-picture cache.
void BM_ZoomLadderMemory_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    for (auto _ : bench) {
        ChartWindow window;
        window.Show();
        const double started = bench::ResidentMegabytes();
        for (const int level : {2, 3, 4, 3, 2, 1}) {
            window.ShowLevel(level);
            window.screen->IB1->SetScrollX(window.screen->IB1->ScrollX() + 50);
            window.Paint();
        }
        bench.counters["rss_started_MB"] = started;
        bench.counters["rss_all_levels_MB"] = bench::ResidentMegabytes();
    }
    bench.counters["budget_MB"] = 300;
}
BENCHMARK(BM_ZoomLadderMemory_Real)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace brenlow
