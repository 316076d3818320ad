// A year of high and low waters at Portsmouth from the installed constants (target: well under
// 50 ms), against the plain way of sampling the same year: the full prediction, astronomy and
// nodal corrections included, every 6 minutes, with no turn located yet.
//
//   build/bench/brenlow_bench --benchmark_filter='Tide'

#include "tides/tide_constants.h"
#include "tides/tide_prediction.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace brenlow {
namespace {

std::optional<TideConstants> InstalledConstants(benchmark::State &state)
{
    const TideConstantsResult loaded = LoadTideConstants(QStringLiteral(BRENLOW_BIN_DIR "/")
                                                         + QLatin1String(TideConstantsFileName));
    if (!loaded.Constants)
        state.SkipWithError(loaded.Error.toStdString().c_str());
    return loaded.Constants;
}

const QDateTime YearStart(QDate(2027, 1, 1), QTime(0, 0), Qt::UTC);

void BM_TideExtremesOfAYear(benchmark::State &state)
{
    const auto constants = InstalledConstants(state);
    if (!constants)
        return;
    for (auto _ : state) {
        const auto extremes = PredictExtremes(*constants, YearStart, YearStart.addYears(1));
        benchmark::DoNotOptimize(extremes.data());
        if (extremes.size() < 1400)
            state.SkipWithError("too few high and low waters in a year");
    }
}
BENCHMARK(BM_TideExtremesOfAYear)->Unit(benchmark::kMillisecond);

void BM_TideHeightsOfAYearSampledBaseline(benchmark::State &state)
{
    const auto constants = InstalledConstants(state);
    if (!constants)
        return;
    constexpr int SamplesPerYear = 365 * 24 * 10;
    for (auto _ : state) {
        double sum = 0.0;
        for (int k = 0; k < SamplesPerYear; ++k)
            sum += PredictHeight(*constants, YearStart.addSecs(qint64(k) * 360));
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_TideHeightsOfAYearSampledBaseline)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace brenlow
