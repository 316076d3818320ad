// One animation frame as Timer2's tick does it on the real installation (the next step, the
// chart picture reloaded keeping the view, Draw_flows, the view painted), against the fastest
// interval between frames (200 ms, speed 4); and a soak of many frames through the same tick,
// reporting the resident memory before and after.
//
//   build/bench/brenlow_bench --benchmark_filter='AnimationFrame|AnimationSoak'

#include "anim/animation_player.h"
#include "bench_window.h"
#include "platform/chart_surface_widget.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace brenlow {
namespace {

constexpr double FastestIntervalMs = 200;

// The main window playing with both high waters given, zoomed in and scrolled as a user might.
struct PlayingWindow : bench::MainWindowRun
{
    PlayingWindow()
    {
        screen->show();
        state.HighWater1Text = QStringLiteral("10:00");
        state.HighWater2Text = QStringLiteral("22:20");
        screen->IB1->SetZoom(state.ZoomSteps[2] * 1.388888);
        screen->IB1->SetScrollX(600);
        screen->IB1->SetScrollY(400);
        screen->Player().StartAnimation();
    }

    void Frame()
    {
        screen->Player().AnimationTick();
        screen->IB1->repaint();
    }
};

void BM_AnimationFrame_Real(benchmark::State &st)
{
    PlayingWindow window;
    for (auto _ : st)
        window.Frame();
    // How many frames fit in the fastest interval: the interval over the frame's cost.
    st.counters["headroom"] = benchmark::Counter(FastestIntervalMs * 1e-3 * double(st.iterations()),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AnimationFrame_Real)->Unit(benchmark::kMillisecond);

void BM_AnimationSoak_Real(benchmark::State &st)
{
    PlayingWindow window;
    for (int i = 0; i < 50; ++i) // a first loop of both tides fills the caches
        window.Frame();
    const double before = bench::ResidentMegabytes();
    for (auto _ : st)
        for (int i = 0; i < st.range(0); ++i)
            window.Frame();
    const double after = bench::ResidentMegabytes();
    st.counters["rss_before_MB"] = before;
    st.counters["rss_after_MB"] = after;
    st.counters["rss_growth_pct"] = before > 0 ? 100 * (after - before) / before : 0;
}
BENCHMARK(BM_AnimationSoak_Real)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace brenlow
