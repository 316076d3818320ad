#include "view/zoom_ladder.h"

#include "core/chart_geometry.h"
#include "core/chart_surface.h"
#include "core/rounding.h"

namespace brenlow {

void ZoomIn(const AppState &state, ImageSurface &surface)
{
    const double z = surface.Zoom();
    for (int level = FirstZoomLevel; level < LastZoomLevel; ++level) {
        if (z == ZoomLevelPercent(state, level)) {
            surface.SetZoom(ZoomLevelPercent(state, level + 1));
            return;
        }
    }
}

void ZoomOut(const AppState &state, ImageSurface &surface)
{
    const double z = surface.Zoom();
    for (int level = FirstZoomLevel + 1; level <= LastZoomLevel; ++level) {
        if (z == ZoomLevelPercent(state, level)) {
            surface.SetZoom(ZoomLevelPercent(state, level - 1));
            return;
        }
    }
}

namespace {

// Scrolls so that the picture point that lay under view point (x, y) at zoom before lies there
// again at the surface's present zoom. Offsets are view pixels of the magnified picture.
void KeepPointUnderPointer(ImageSurface &surface, double before, std::int32_t scrollX,
                           std::int32_t scrollY, int x, int y)
{
    const double after = surface.Zoom();
    if (after == before || !(before > 0) || !(after > 0))
        return;
    const double ratio = after / before;
    surface.SetScrollX(NearestInt32((scrollX + x) * ratio - x));
    surface.SetScrollY(NearestInt32((scrollY + y) * ratio - y));
}

} // namespace

void WheelZoom::Turn(const AppState &state, ImageSurface &surface, int angleDelta, int x, int y)
{
    constexpr int Notch = 120;
    angle_ += angleDelta;
    const double before = surface.Zoom();
    const std::int32_t scrollX = surface.ScrollX();
    const std::int32_t scrollY = surface.ScrollY();
    for (; angle_ >= Notch; angle_ -= Notch)
        ZoomIn(state, surface);
    for (; angle_ <= -Notch; angle_ += Notch)
        ZoomOut(state, surface);
    KeepPointUnderPointer(surface, before, scrollX, scrollY, x, y);
}

} // namespace brenlow
