// One animation frame as Timer2's tick does it on the real installation (the next step, the
// chart picture reloaded keeping the view, Draw_flows, the view painted), against the fastest
// interval between frames (200 ms, speed 4); and a soak of many frames through the same tick,
// reporting the resident memory before and after.
//
//   build/bench/brenlow_bench --benchmark_filter='AnimationFrame|AnimationSoak'

#include "anim/animation_player.h"
#include "app/main_screen.h"
#include "app/startup.h"
#include "core/app_state.h"
#include "core/program_info.h"
#include "platform/chart_surface_widget.h"
#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "platform/printer_dialog.h"
#include "platform/qt_pointer_shapes.h"
#include "platform/settings_store.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace brenlow {
namespace {

constexpr double FastestIntervalMs = 200;

class SilentMessages : public MessageBoxes
{
public:
    void ShowMessage(const QString &, const QString &, MessageIcon) override { }
};

// Resident memory of this process in kB, from /proc.
double ResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    return 0;
}

// The main window on the built program folder, playing with both high waters given, zoomed in
// and scrolled as a user might.
struct PlayingWindow
{
    PlayingWindow()
    {
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        screen = std::make_unique<MainScreen>(state, services);
        if (!screen->Load())
            throw std::runtime_error("start-up failed on " BRENLOW_BIN_DIR);
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

    QTemporaryDir config;
    QtSettingsStore settings;
    SilentMessages messages;
    SystemClock clock;
    QtPointerShapes pointers;
    QtPrinterDialog printer; // never asked: nothing prints
    AppServices services{ProgramInfo{QStringLiteral(BRENLOW_BIN_DIR), QStringLiteral("brenlow")},
                         settings,
                         messages,
                         clock,
                         pointers,
                         printer};
    AppState state;
    std::unique_ptr<MainScreen> screen;
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
    const double before = ResidentKilobytes();
    for (auto _ : st)
        for (int i = 0; i < st.range(0); ++i)
            window.Frame();
    const double after = ResidentKilobytes();
    st.counters["rss_before_MB"] = before / 1024;
    st.counters["rss_after_MB"] = after / 1024;
    st.counters["rss_growth_pct"] = before > 0 ? 100 * (after - before) / before : 0;
}
BENCHMARK(BM_AnimationSoak_Real)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace brenlow
