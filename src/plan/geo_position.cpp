#include "plan/geo_position.h"

#include "core/app_state.h"
#include "core/chart_geometry.h"

#include <cmath>
#include <numbers>

namespace brenlow {

namespace {

constexpr double MinutesPerDegree = 60;
constexpr double DegreesToRadians = std::numbers::pi / 180;

// Chart units are half a minute's worth of the offsets 38' west of 1°W and 54' north of 50°N.
constexpr double ChartMinutesWest = 38;
constexpr double ChartMinutesNorth = 54;

// Offsets in nautical miles east and north from one position to another.
struct Offset
{
    double East = 0;
    double North = 0;
};

Offset OffsetNm(GeoPosition from, GeoPosition to)
{
    const double meanLatitude = (from.Latitude + to.Latitude) / 2;
    return {(to.Longitude - from.Longitude) * MinutesPerDegree
                * std::cos(meanLatitude * DegreesToRadians),
            (to.Latitude - from.Latitude) * MinutesPerDegree};
}

} // namespace

ChartPoint ToChartUnits(GeoPosition position)
{
    const double minutesWest = (-position.Longitude - 1) * MinutesPerDegree;
    const double minutesNorth = (position.Latitude - 50) * MinutesPerDegree;
    return {(ChartMinutesWest - minutesWest) / 2, (ChartMinutesNorth - minutesNorth) / 2};
}

GeoPosition FromChartUnits(ChartPoint chart)
{
    const double minutesWest = ChartMinutesWest - 2 * chart.X;
    const double minutesNorth = ChartMinutesNorth - 2 * chart.Y;
    return {50 + minutesNorth / MinutesPerDegree, -1 - minutesWest / MinutesPerDegree};
}

QPointF ToPicture(const AppState &state, GeoPosition position)
{
    const ChartPoint chart = ToChartUnits(position);
    return {PictureX(state, chart.X), PictureY(state, chart.Y)};
}

GeoPosition FromPicture(const AppState &state, QPointF picture)
{
    return FromChartUnits({(picture.x() - state.ChartOffsetX) / state.ChartScaleX,
                           (picture.y() - state.ChartOffsetY) / state.ChartScaleY});
}

double DistanceNm(GeoPosition from, GeoPosition to)
{
    const Offset offset = OffsetNm(from, to);
    return std::hypot(offset.East, offset.North);
}

double BearingDegrees(GeoPosition from, GeoPosition to)
{
    const Offset offset = OffsetNm(from, to);
    if (offset.East == 0 && offset.North == 0)
        return 0;
    return NormalDegrees(std::atan2(offset.East, offset.North) / DegreesToRadians);
}

GeoPosition PointAlong(GeoPosition from, GeoPosition to, double fraction)
{
    return {from.Latitude + (to.Latitude - from.Latitude) * fraction,
            from.Longitude + (to.Longitude - from.Longitude) * fraction};
}

double NormalDegrees(double degrees)
{
    double normal = std::fmod(degrees, 360.0);
    if (normal < 0)
        normal += 360;
    // A tiny negative angle comes back as 360 after the addition.
    return normal >= 360 ? 0 : normal;
}

} // namespace brenlow
