#pragma once

#include "core/route_drawing.h"
#include "plan/route_point.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace brenlow {

struct AppState;
struct PassagePlan;

// What the chart shows of a route and of its plan (null while there is none): the legs sailed
// in the track's colour, each route point numbered, a tick at each whole hour of local time
// the boat is estimated to pass, and where the plan fails: a point on land or off the chart, a
// leg across land, or the rest of the leg from where the failing piece starts (with a cross
// there), the legs after it not sailed.
RouteDrawing DrawPlan(const AppState &state, const std::vector<RoutePoint> &route,
                      const PassagePlan *plan, std::optional<std::size_t> selected);

} // namespace brenlow
