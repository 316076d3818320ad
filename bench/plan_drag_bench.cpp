// Dragging a route point of the passage planner over the real chart in the main window: a drag
// step as the chart's input makes it (the pointer event, the route point moved, the plan made
// again, the track drawn anew, the panel's table filled) with the finished paint of the
// 780 x 497 view, at each zoom level, against painting the unchanged view with the track at
// that level in the same run; the budget is one display frame. Then letting the point go,
// which adds the sweep of departures every 10 minutes for 3 hours each way, and what plan
// mode costs when it is first switched on.
//
// The route is 11 points, 10 legs, 40 nm from the Needles to the Nab and back to Osborne Bay
// at 6 kn, the point dragged Cowes, round a circle of 6 view pixels.
//
//   build/bench/brenlow_bench
//   --benchmark_filter='RouteDrag|RouteTrackView|RouteLetGo|PlanModeFirst'

#include "bench_window.h"
#include "core/chart_geometry.h"
#include "plan/passage_plan_window.h"
#include "plan/passage_planning.h"
#include "platform/chart_surface_widget.h"
#include "view/chart_input.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QFile>
#include <QMouseEvent>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <stdexcept>

namespace brenlow {
namespace {

constexpr double FrameMs = 16;
constexpr double LetGoMs = 250;
constexpr std::size_t DraggedPoint = 4; // Cowes
constexpr double CircleRadius = 6;      // view pixels
constexpr int CircleSteps = 24;

// 50°u'N 1°v'W.
RoutePoint Point(const char *name, double minutesNorth, double minutesWest)
{
    return {QString::fromLatin1(name), {50 + minutesNorth / 60, -1 - minutesWest / 60}};
}

// The main window in plan mode at zoom level k, the route on the chart with Cowes in the middle
// of the view, leaving on a summer noon.
struct PlanningWindow : bench::MainWindowRun
{
    explicit PlanningWindow(int level)
    {
        screen->show();
        for (int i = 0; i < 100 && !screen->windowHandle()->isExposed(); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!screen->windowHandle()->isExposed())
            throw std::runtime_error("the main window was not exposed");
        PassagePlanning &planning = screen->Planning();
        planning.SetPlanMode(true);
        PassagePlanWindow &panel = *planning.Panel();
        panel.speed->setValue(6);
        panel.departure->setDateTime(QDateTime(QDate(2026, 6, 12), QTime(12, 5)));
        ChartSurfaceWidget &chart = *screen->IB1;
        chart.SetZoom(ZoomLevelPercent(state, level));
        Route().SetPoints({Point("Needles Fairway", 39.6, 37.0), Point("Hurst", 42.45, 32.3),
                           Point("Yarmouth Roads", 43.2, 29.8), Point("Gurnard", 45.5, 21.5),
                           Point("Cowes", 46.4, 18.6), Point("Ryde Middle", 45.8, 10.5),
                           Point("Spithead", 46.0, 6.0), Point("Bembridge Ledge", 41.0, 2.5),
                           Point("Nab", 43.5, 0.8), Point("Horse Sand", 45.5, 8.0),
                           Point("Osborne Bay", 46.3, 16.5)});
        const QPointF cowes =
            ToPicture(state, Route().Points()[DraggedPoint].Position) * chart.Zoom() / 100;
        chart.SetScrollX(int(cowes.x()) - chart.width() / 2);
        chart.SetScrollY(int(cowes.y()) - chart.height() / 2);
        centre = PictureToView(chart, ToPicture(state, Route().Points()[DraggedPoint].Position));
        QCoreApplication::processEvents();
        chart.repaint();
        if (!planning.Plan().Succeeded())
            throw std::runtime_error(planning.Plan().Failure->Text.toStdString());
    }

    RouteEditor &Route() { return screen->Planning().Route(); }

    void Mouse(QEvent::Type type, QPointF at)
    {
        QWidget *chart = screen->IB1;
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, chart->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(chart, &event);
    }
    QPointF OnCircle(int i) const
    {
        const double angle = 2 * std::numbers::pi * (i % CircleSteps) / CircleSteps;
        return centre + CircleRadius * QPointF(std::cos(angle), std::sin(angle));
    }

    QPointF centre; // Cowes, view pixels
};

bool RealContentPresent(benchmark::State &bench)
{
    if (QFile::exists(QStringLiteral(BRENLOW_BIN_DIR "/backdrop.bmp")))
        return true;
    bench.SkipWithError("the installation content is not in the built program folder");
    return false;
}

void BM_RouteDragStep_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    PlanningWindow window(int(bench.range(0)));
    window.Mouse(QEvent::MouseButtonPress, window.centre);
    int i = 0;
    for (auto _ : bench) {
        window.Mouse(QEvent::MouseMove, window.OnCircle(++i));
        window.screen->IB1->repaint();
    }
    window.Mouse(QEvent::MouseButtonRelease, window.OnCircle(i));
    bench.counters["pieces"] = double(window.screen->Planning().Plan().Pieces.size());
    bench.counters["budget_ms"] = FrameMs;
}
BENCHMARK(BM_RouteDragStep_Real)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

// The floor: the view with the track painted again, nothing changed.
void BM_RouteTrackView_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    PlanningWindow window(int(bench.range(0)));
    for (auto _ : bench)
        window.screen->IB1->repaint();
}
BENCHMARK(BM_RouteTrackView_Real)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

// A press on the point, one step, and the release: the plan, the sweep (37 departures) and
// the paint.
void BM_RouteLetGo_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    PlanningWindow window(1);
    int i = 0;
    for (auto _ : bench) {
        window.Mouse(QEvent::MouseButtonPress, window.OnCircle(i));
        window.Mouse(QEvent::MouseMove, window.OnCircle(++i));
        window.Mouse(QEvent::MouseButtonRelease, window.OnCircle(i));
        window.screen->IB1->repaint();
    }
    bench.counters["budget_ms"] = LetGoMs;
}
BENCHMARK(BM_RouteLetGo_Real)->Unit(benchmark::kMillisecond);

// Plan mode switched on for the first time: the tidal constants read, the chart's water read
// from its picture, the panel made and shown, an empty route planned.
void BM_PlanModeFirstOn_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    for (auto _ : bench) {
        bench.PauseTiming();
        auto window = std::make_unique<bench::MainWindowRun>();
        window->screen->show();
        QCoreApplication::processEvents();
        bench.ResumeTiming();
        window->screen->Planning().SetPlanMode(true);
        bench.PauseTiming();
        window.reset();
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_PlanModeFirstOn_Real)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace brenlow
