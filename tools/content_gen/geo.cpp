#include "geo.h"

#include "core/chart_geometry.h"

#include <QRegularExpression>

#include <cmath>
#include <numbers>

namespace brenlow::content {

namespace {

constexpr double MetresPerMinuteOfLatitude = 1852.0;

} // namespace

double ChartGeometry::ScaleX()
{
    return 180 * ChartScale;
}

double ChartGeometry::ScaleY()
{
    return 283 * ChartScale;
}

QPointF ChartGeometry::ToPicture(GeoPoint p)
{
    return {ScaleX() * ChartX(p.Lon) + OffsetX, ScaleY() * ChartY(p.Lat) + OffsetY};
}

GeoPoint ChartGeometry::FromPicture(QPointF pixel)
{
    const double chartX = (pixel.x() - OffsetX) / ScaleX();
    const double chartY = (pixel.y() - OffsetY) / ScaleY();
    const double minutesWest = 38.0 - 2.0 * chartX;
    const double minutesNorth = 54.0 - 2.0 * chartY;
    return {-(1.0 + minutesWest / 60.0), 50.0 + minutesNorth / 60.0};
}

double DistanceMetres(GeoPoint a, GeoPoint b)
{
    const double meanLat = (a.Lat + b.Lat) / 2.0 * std::numbers::pi / 180.0;
    const double dx = (b.Lon - a.Lon) * 60.0 * MetresPerMinuteOfLatitude * std::cos(meanLat);
    const double dy = (b.Lat - a.Lat) * 60.0 * MetresPerMinuteOfLatitude;
    return std::hypot(dx, dy);
}

QString LongitudeText(double lon)
{
    const double minutesWest = (-lon - 1.0) * 60.0;
    return QStringLiteral("001 %1W").arg(minutesWest, 5, 'f', 2, QLatin1Char('0'));
}

QString LatitudeText(double lat)
{
    const double minutesNorth = (lat - 50.0) * 60.0;
    return QStringLiteral("50 %1N").arg(minutesNorth, 5, 'f', 2, QLatin1Char('0'));
}

std::optional<double> ParseLongitude(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^001 (\d\d\.\d\d)W$)"));
    const auto match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    return -(1.0 + match.captured(1).toDouble() / 60.0);
}

std::optional<double> ParseLatitude(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^50 (\d\d\.\d\d)N$)"));
    const auto match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    return 50.0 + match.captured(1).toDouble() / 60.0;
}

QString LongitudeLabel(int minutesWestOfOne)
{
    const int degrees = 1 + minutesWestOfOne / 60;
    const int minutes = minutesWestOfOne % 60;
    return QStringLiteral("%1°%2'W").arg(degrees).arg(minutes, 2, 10, QLatin1Char('0'));
}

QString LatitudeLabel(int minutesNorthOfFifty)
{
    const int degrees = 50 + minutesNorthOfFifty / 60;
    const int minutes = minutesNorthOfFifty % 60;
    return QStringLiteral("%1°%2'N").arg(degrees).arg(minutes, 2, 10, QLatin1Char('0'));
}

} // namespace brenlow::content
