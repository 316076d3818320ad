// The full redraw of one step as every caller does it (reload the backdrop keeping the view,
// Draw_flows, paint the view), against painting the bare view after the same reload.
//
//   build/bench/brenlow_bench --benchmark_filter='Redraw|BareView'

#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/message_boxes.h"
#include "core/program_info.h"
#include "core/step_view.h"
#include "data/auxiliary_files.h"
#include "data/station_table.h"
#include "platform/chart_surface_widget.h"
#include "render/flow_renderer.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>

namespace brenlow {
namespace {

// The chart picture of the installation is about this size; the doubled area keeps its shape.
constexpr int PictureWidth = 4750;
constexpr int PictureHeight = 4300;

class SilentMessages : public MessageBoxes
{
public:
    void ShowMessage(const QString &, const QString &, MessageIcon) override { }
    bool Ask(const QString &) override { return false; }
};

class NoLabels : public TimeLabels
{
public:
    void SetShowingHw(const QString &) override { }
    void SetShowingTime(const QString &) override { }
    void SetHighWater(const QString &) override { }
};

// The chart geometry of start-up, with a high water so that the time labels are worked out.
void SetBenchGeometry(AppState &state)
{
    SetChartGeometry(state);
    state.HighWater1Text = QStringLiteral("12:00");
}

// The main window's chart view at start-up: 780 x 497 view pixels at the smallest zoom.
std::unique_ptr<ChartSurfaceWidget> MakeView(const QString &backdrop)
{
    auto view = std::make_unique<ChartSurfaceWidget>();
    view->resize(780, 497);
    view->SetFitOnLoad(false);
    view->SetKeepViewOnLoad(true);
    view->LoadImageFile(backdrop);
    view->SetZoom(14 * ChartScale);
    view->SetScrollY(83);
    view->SetScrollX(56);
    return view;
}

AppState RealContent()
{
    const ProgramInfo program{QStringLiteral(BRENLOW_BIN_DIR), QStringLiteral("brenlow")};
    AppState state;
    SetBenchGeometry(state);
    SilentMessages messages;
    LoadStationTable(program, messages, state.StationTable);
    state.RateTableColumns = LoadRateTable(program, state.RateTable);
    state.BackdropPath = program.FilePath(QStringLiteral("backdrop.bmp"));
    return state;
}

// A plain sea-coloured picture with a little texture, written once per size.
QString SyntheticBackdrop(int width, int height)
{
    static QTemporaryDir folder;
    static std::map<std::pair<int, int>, QString> written;
    const auto key = std::make_pair(width, height);
    if (const auto found = written.find(key); found != written.end())
        return found->second;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(200, 225, 240));
    QPainter painter(&image);
    painter.setPen(QColor(120, 120, 120));
    for (int x = 0; x < width; x += 100)
        painter.drawLine(x, 0, x, height);
    for (int y = 0; y < height; y += 100)
        painter.drawLine(0, y, width, y);
    painter.end();
    const QString path =
        folder.filePath(QStringLiteral("backdrop-%1x%2.bmp").arg(width).arg(height));
    if (!image.save(path, "BMP"))
        throw std::runtime_error("cannot write the synthetic backdrop");
    written.emplace(key, path);
    return path;
}

// stations spread evenly at random over the installation's picture area (whatever the size of
// the picture they are drawn on), with every kind of step: arrows of the
// three sizes in both colours, slack water and missing directions; a 17-column rate table.
AppState SyntheticContent(int stations, int width, int height)
{
    AppState state;
    SetBenchGeometry(state);
    state.BackdropPath = SyntheticBackdrop(width, height);
    state.RateTableColumns = 17;
    for (int c = 1; c <= 17; ++c) {
        state.RateTable[c][0] = (33 + c) / 10.0;
        for (int r = 1; r <= 40; ++r)
            state.RateTable[c][r] = (r - 1) * 0.1 * (0.8 + c * 0.025);
    }
    QRandomGenerator random(20261209);
    state.StationTable.resize(static_cast<std::size_t>(stations) + 1);
    for (int i = 1; i <= stations; ++i) {
        StationRecord &station = state.StationTable[static_cast<std::size_t>(i)];
        station.ChartX = random.bounded(static_cast<double>(PictureWidth)) / state.ChartScaleX;
        station.ChartY =
            (random.bounded(static_cast<double>(PictureHeight)) + 75) / state.ChartScaleY;
        for (int s = 1; s <= StepCount; ++s) {
            station.Rate[s] = random.bounded(35) / 10.0;
            station.Direction[s] = random.bounded(50) == 0 ? -1 : random.bounded(360);
            station.RateHeight[s] = 3.4 + random.bounded(17) / 10.0;
        }
    }
    return state;
}

void Reload(const AppState &state, ChartSurfaceWidget &view)
{
    view.SetFitOnLoad(false);
    view.SetKeepViewOnLoad(true);
    view.LoadImageFile(state.BackdropPath);
}

void RunRedraw(benchmark::State &bench, AppState &state, bool drawFlows)
{
    const std::unique_ptr<ChartSurfaceWidget> view = MakeView(state.BackdropPath);
    NoLabels labels;
    QImage screen(view->size(), QImage::Format_ARGB32_Premultiplied);
    std::int32_t step = 1;
    for (auto _ : bench) {
        Reload(state, *view);
        if (drawFlows)
            Draw_flows(state, *view, labels, step);
        view->render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
        step = step % 25 + 1;
    }
    bench.counters["stations"] = static_cast<double>(state.StationTable.size() - 1);
    bench.SetComplexityN(static_cast<benchmark::IterationCount>(state.StationTable.size() - 1));
}

bool RealContentPresent(benchmark::State &bench)
{
    for (const char *name : {"backdrop.bmp", "temp.bmp", "temp3.bmp"}) {
        if (!QFile::exists(QStringLiteral(BRENLOW_BIN_DIR "/") + QLatin1String(name))) {
            bench.SkipWithError("the installation content is not in the built program folder");
            return false;
        }
    }
    return true;
}

void BM_BareView_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    AppState state = RealContent();
    RunRedraw(bench, state, false);
}
BENCHMARK(BM_BareView_Real)->Unit(benchmark::kMillisecond);

void BM_Redraw_Real(benchmark::State &bench)
{
    if (!RealContentPresent(bench))
        return;
    AppState state = RealContent();
    RunRedraw(bench, state, true);
}
BENCHMARK(BM_Redraw_Real)->Unit(benchmark::kMillisecond);

void BM_BareView_Synthetic(benchmark::State &bench)
{
    AppState state = SyntheticContent(0, PictureWidth, PictureHeight);
    RunRedraw(bench, state, false);
}
BENCHMARK(BM_BareView_Synthetic)->Unit(benchmark::kMillisecond);

void BM_Redraw_Synthetic(benchmark::State &bench)
{
    AppState state =
        SyntheticContent(static_cast<int>(bench.range(0)), PictureWidth, PictureHeight);
    RunRedraw(bench, state, true);
}
BENCHMARK(BM_Redraw_Synthetic)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(5000)
    ->Arg(10000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// The same 1,000 stations on a picture of twice the area (each side times the square root of 2).
void BM_Redraw_SyntheticDoubleArea(benchmark::State &bench)
{
    const int width = static_cast<int>(std::lround(PictureWidth * std::sqrt(2.0)));
    const int height = static_cast<int>(std::lround(PictureHeight * std::sqrt(2.0)));
    AppState state = SyntheticContent(static_cast<int>(bench.range(0)), width, height);
    RunRedraw(bench, state, true);
}
BENCHMARK(BM_Redraw_SyntheticDoubleArea)->Arg(1000)->Unit(benchmark::kMillisecond);

// Draw_flows after the reload, without painting: the renderer's share of a redraw.
void BM_DrawFlowsOnly_Synthetic(benchmark::State &bench)
{
    AppState state =
        SyntheticContent(static_cast<int>(bench.range(0)), PictureWidth, PictureHeight);
    const std::unique_ptr<ChartSurfaceWidget> view = MakeView(state.BackdropPath);
    NoLabels labels;
    std::int32_t step = 1;
    for (auto _ : bench) {
        Reload(state, *view);
        Draw_flows(state, *view, labels, step);
        step = step % 25 + 1;
    }
}
BENCHMARK(BM_DrawFlowsOnly_Synthetic)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace brenlow
