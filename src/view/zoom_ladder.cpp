#include "view/zoom_ladder.h"

#include "core/chart_geometry.h"
#include "core/chart_surface.h"

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

void WheelZoom::Turn(const AppState &state, ImageSurface &surface, int angleDelta)
{
    constexpr int Notch = 120;
    angle_ += angleDelta;
    for (; angle_ >= Notch; angle_ -= Notch)
        ZoomIn(state, surface);
    for (; angle_ <= -Notch; angle_ += Notch)
        ZoomOut(state, surface);
}

} // namespace brenlow
