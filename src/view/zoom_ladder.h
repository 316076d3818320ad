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

} // namespace brenlow
