#pragma once

#include <QPointF>
#include <QString>

#include <optional>

namespace brenlow::content {

// A position in degrees (WGS84): longitude east positive, latitude north positive.
struct GeoPoint
{
    double Lon = 0;
    double Lat = 0;
};

// The chart picture's geometry. A position of 50°u'N, 1°v'W is at chart units
// ((38 - v) / 2, (54 - u) / 2), and chart units map to picture pixels through the program's
// constants: x = 180 * 1.388888 * chartX, y = 283 * 1.388888 * chartY - 75.
// Example: 1°30'W, 50°45'N gives chart (4, 4.5) and picture pixel (999.99936, 1693.748868).
struct ChartGeometry
{
    static double ScaleX();
    static double ScaleY();
    static constexpr double OffsetX = 0;
    static constexpr double OffsetY = -75;
    static constexpr int PictureWidth = 4750; // picture pixels
    static constexpr int PictureHeight = 4300;

    static double ChartX(double lon) { return (38.0 - (-lon - 1.0) * 60.0) / 2.0; }
    static double ChartY(double lat) { return (54.0 - (lat - 50.0) * 60.0) / 2.0; }
    static QPointF ToPicture(GeoPoint p);
    static GeoPoint FromPicture(QPointF pixel);
};

// Metres on the ground between two nearby positions (a local flat approximation, good to a
// fraction of a percent over the few tens of kilometres of the chart).
double DistanceMetres(GeoPoint a, GeoPoint b);

// The station-file texts: longitude "001 23.45W" (minutes in characters 5 to 9) and latitude
// "50 45.12N" (minutes in characters 4 to 8). Only positions between 1°W and 2°W and between
// 50°N and 51°N can be written.
QString LongitudeText(double lon);
QString LatitudeText(double lat);
std::optional<double> ParseLongitude(const QString &text);
std::optional<double> ParseLatitude(const QString &text);

// "1°05'W" style labels for the chart's borders.
QString LongitudeLabel(int minutesWestOfOne);
QString LatitudeLabel(int minutesNorthOfFifty);

} // namespace brenlow::content
