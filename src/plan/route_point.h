#pragma once

#include "plan/geo_position.h"

#include <QString>

namespace brenlow {

// A point of a route, as a GPX route point gives it: a name (may be empty) and a position.
struct RoutePoint
{
    QString Name;
    GeoPosition Position;
};

} // namespace brenlow
