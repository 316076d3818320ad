#pragma once

namespace brenlow {

struct AppState;
class ImageSurface;

// One rung up the zoom ladder: from level k to level k + 1 when the surface's Zoom equals level
// k exactly; at the top level, or at a zoom that is no level, nothing. Only Zoom changes: the
// scroll offsets stay and the drawn chart is magnified as it is.
void ZoomIn(const AppState &state, ImageSurface &surface);
// One rung down, the mirror image.
void ZoomOut(const AppState &state, ImageSurface &surface);

// The mouse wheel over the chart: one rung of the ladder per whole notch (120 eighths of a
// degree), up for a turn away from the user; parts of a notch add up until they make one. The
// picture point under the pointer (x, y in view pixels) stays under it, as far as the scroll
// offsets can reach.
class WheelZoom
{
public:
    void Turn(const AppState &state, ImageSurface &surface, int angleDelta, int x, int y);

private:
    int angle_ = 0; // eighths of a degree not yet a whole notch
};

} // namespace brenlow
