// Switching between the day's colours and the night's (the N key) on the real main window at
// the view the program starts with: the scheme set and the whole window painted again, which
// should fit in a frame (16 ms).
//
//   build/bench/brenlow_bench --benchmark_filter='PaletteSwitch'

#include "bench_window.h"
#include "platform/house_style.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

namespace brenlow {
namespace {

void BM_PaletteSwitch_Real(benchmark::State &st)
{
    bench::MainWindowRun window;
    window.screen->show();
    (void)window.screen->grab();
    // The first switch to the night tints the chart's tiles.
    QElapsedTimer first;
    first.start();
    HouseStyle::Instance().SetScheme(ColourScheme::Night);
    (void)window.screen->grab();
    st.counters["first_night_ms"] = double(first.nsecsElapsed()) / 1e6;
    bool night = true;
    for (auto _ : st) {
        night = !night;
        HouseStyle::Instance().SetScheme(night ? ColourScheme::Night : ColourScheme::Day);
        (void)window.screen->grab();
    }
    HouseStyle::Instance().SetScheme(ColourScheme::Day);
}
// An even count: the day's colours and the night's as often, the chart's tinted tiles made
// once and kept.
BENCHMARK(BM_PaletteSwitch_Real)->Unit(benchmark::kMillisecond)->Iterations(40);

} // namespace
} // namespace brenlow
