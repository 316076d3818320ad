#pragma once

#include <cstdint>

namespace brenlow {

struct AppState;
class ImageSurface;
class TimeLabels;

// Draws step (a StepIndex 1..25) on top of whatever the surface holds: sets the time labels,
// draws every station's arrow, then every rate label. Throws AppError (subscript out of range)
// when the station table has no elements.
void Draw_flows(AppState &state, ImageSurface &surface, TimeLabels &labels, std::int32_t step);

} // namespace brenlow
