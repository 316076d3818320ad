#pragma once

#include <QPointF>

namespace brenlow {

struct AppState;

// A position in WGS84 decimal degrees: latitude north positive, longitude east positive (so
// the Solent's longitudes are negative).
struct GeoPosition
{
    double Latitude = 0;
    double Longitude = 0;
};

// A position in chart units, the space of the flow database: x grows eastwards, y southwards.
struct ChartPoint
{
    double X = 0;
    double Y = 0;
};

// A position of 50°u'N 1°v'W is at chart units ((38 - v) / 2, (54 - u) / 2), v and u being
// minutes west of 1°W and north of 50°N. Example: 50°45'N 1°30'W is chart (4, 4.5).
ChartPoint ToChartUnits(GeoPosition position);
GeoPosition FromChartUnits(ChartPoint chart);

// The picture pixel of a position through the program's chart geometry (unrounded), and back.
QPointF ToPicture(const AppState &state, GeoPosition position);
GeoPosition FromPicture(const AppState &state, QPointF picture);

// Plane (mid-latitude) sailing, which is the rhumb line to well under a metre over the few
// miles of a Solent leg: one minute of latitude is one nautical mile, and a minute of longitude
// the cosine of the mean latitude of one. A leg is a straight line in latitude and longitude,
// so it is also a straight line on the chart picture.
double DistanceNm(GeoPosition from, GeoPosition to);
// Degrees true, 0 <= bearing < 360; 0 for two equal positions.
double BearingDegrees(GeoPosition from, GeoPosition to);
// The position a fraction (0 = from, 1 = to) of the way along the leg.
GeoPosition PointAlong(GeoPosition from, GeoPosition to, double fraction);

// An angle in degrees brought into 0 <= angle < 360.
double NormalDegrees(double degrees);

} // namespace brenlow
