// A picture button paints from pictures kept per art, state and size. Baseline: drawing the
// pictures afresh each time, as a cache miss does.
#include "platform/picture_button.h"

#include <QPixmapCache>

#include <benchmark/benchmark.h>

namespace {

void BM_ButtonPicturesCached(benchmark::State &state)
{
    brenlow::PictureButton button(brenlow::ButtonArt::Options);
    button.resize(49, 42);
    for (auto _ : state) {
        benchmark::DoNotOptimize(button.NormalPicture());
        benchmark::DoNotOptimize(button.HoverPicture());
        benchmark::DoNotOptimize(button.PressedPicture());
    }
}
BENCHMARK(BM_ButtonPicturesCached);

void BM_ButtonPicturesDrawnBaseline(benchmark::State &state)
{
    brenlow::PictureButton button(brenlow::ButtonArt::Options);
    button.resize(49, 42);
    for (auto _ : state) {
        QPixmapCache::clear();
        benchmark::DoNotOptimize(button.NormalPicture());
        benchmark::DoNotOptimize(button.HoverPicture());
        benchmark::DoNotOptimize(button.PressedPicture());
    }
}
BENCHMARK(BM_ButtonPicturesDrawnBaseline);

} // namespace
