// Passage plans on the built program folder's stations and chart picture: a 10-leg route of
// 40.3 nm from the Needles through the Solent to Spithead and the Nab and back to Osborne Bay
// at 6 kn, planned once (target under 5 ms) and for departures every 10 minutes over +-6 h
// (73 plans, target under 200 ms). The baseline is the same plan over open water with one
// station: what is left without the stations' mean and the line-of-sight checks. Reading the
// chart picture's water is measured apart, as start-up would pay it.
//
//   build/bench/brenlow_bench --benchmark_filter='Plan|WaterMask'

#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/message_boxes.h"
#include "core/program_info.h"
#include "data/auxiliary_files.h"
#include "data/station_table.h"
#include "plan/passage_plan.h"
#include "plan/picture_water_mask.h"

#include <QTimeZone>

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace brenlow {
namespace {

class SilentMessages : public MessageBoxes
{
public:
    void ShowMessage(const QString &, const QString &, MessageIcon) override { }
    bool Ask(const QString &) override { return false; }
};

// Water everywhere on the chart picture.
class OpenWater : public WaterMask
{
public:
    Ground GroundAt(double x, double y) const override
    {
        return x >= 0 && x < 4750 && y >= 0 && y < 4300 ? Ground::Water : Ground::OffChart;
    }
};

ProgramInfo BuiltProgram()
{
    return {QStringLiteral(BRENLOW_BIN_DIR), QStringLiteral("brenlow")};
}

QDateTime At(int day, int hour, int minute)
{
    return QDateTime(QDate(2026, 6, day), QTime(hour, minute), QTimeZone::utc());
}

// 50°u'N 1°v'W.
RoutePoint Point(const char *name, double minutesNorth, double minutesWest)
{
    return {QString::fromLatin1(name), {50 + minutesNorth / 60, -1 - minutesWest / 60}};
}

const std::vector<HighWaterEvent> &HighWaters()
{
    static const std::vector<HighWaterEvent> highWaters{
        {At(11, 22, 35), 4.3}, {At(12, 11, 0), 4.5}, {At(12, 23, 25), 4.4}};
    return highWaters;
}

PassageRequest Passage()
{
    PassageRequest request;
    request.Route = {Point("Needles Fairway", 39.6, 37.0),
                     Point("Hurst", 42.45, 32.3),
                     Point("Yarmouth Roads", 43.2, 29.8),
                     Point("Gurnard", 45.5, 21.5),
                     Point("Cowes", 46.4, 18.6),
                     Point("Ryde Middle", 45.8, 10.5),
                     Point("Spithead", 46.0, 6.0),
                     Point("Bembridge Ledge", 41.0, 2.5),
                     Point("Nab", 43.5, 0.8),
                     Point("Horse Sand", 45.5, 8.0),
                     Point("Osborne Bay", 46.3, 16.5)};
    request.Departure = At(12, 5, 15);
    request.BoatSpeedKn = 6;
    request.VariationDegrees = -1.5;
    return request;
}

struct RealChart
{
    RealChart()
    {
        SetChartGeometry(State);
        SilentMessages messages;
        LoadStationTable(BuiltProgram(), messages, State.StationTable);
        State.RateTableColumns = LoadRateTable(BuiltProgram(), State.RateTable);
        Mask = PictureWaterMask::Load(BuiltProgram().FilePath(QStringLiteral("backdrop.bmp")));
        if (!Mask)
            throw std::runtime_error("no chart picture in " BRENLOW_BIN_DIR);
    }
    AppState State;
    std::optional<PictureWaterMask> Mask;
};

const RealChart &Chart()
{
    static const RealChart chart;
    return chart;
}

void BM_Plan_Real(benchmark::State &state)
{
    const PassagePlanner planner(Chart().State, *Chart().Mask, HighWaters());
    const PassageRequest request = Passage();
    for (auto _ : state) {
        const PassagePlan plan = planner.Plan(request);
        if (!plan.Succeeded())
            throw std::runtime_error(plan.Failure->Text.toStdString());
        benchmark::DoNotOptimize(plan.Arrival);
    }
}
BENCHMARK(BM_Plan_Real)->Unit(benchmark::kMillisecond);

void BM_PlanOpenWaterBaseline(benchmark::State &state)
{
    AppState chart = Chart().State;
    chart.StationTable.resize(2);
    const OpenWater water;
    const PassagePlanner planner(chart, water, HighWaters());
    const PassageRequest request = Passage();
    for (auto _ : state)
        benchmark::DoNotOptimize(planner.Plan(request).Arrival);
}
BENCHMARK(BM_PlanOpenWaterBaseline)->Unit(benchmark::kMillisecond);

void BM_PlanSweep_Real(benchmark::State &state)
{
    const PassagePlanner planner(Chart().State, *Chart().Mask, HighWaters());
    const PassageRequest request = Passage();
    for (auto _ : state) {
        const DepartureSweep sweep = planner.Sweep(request, 6);
        benchmark::DoNotOptimize(sweep.Best);
    }
}
BENCHMARK(BM_PlanSweep_Real)->Unit(benchmark::kMillisecond);

void BM_ReadWaterMask_Real(benchmark::State &state)
{
    const QString path = BuiltProgram().FilePath(QStringLiteral("backdrop.bmp"));
    for (auto _ : state)
        benchmark::DoNotOptimize(PictureWaterMask::Load(path));
}
BENCHMARK(BM_ReadWaterMask_Real)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
} // namespace brenlow
