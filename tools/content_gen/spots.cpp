#include "spots.h"

#include "source_lines.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextStream>

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace brenlow::content {

namespace {

constexpr double MetresPerMinuteOfLatitude = 1852.0;

} // namespace

std::vector<Spot> ReadSpots(const QString &path)
{
    std::vector<Spot> spots;
    for (const SourceLine &line : ReadSourceLines(path)) {
        const QStringList &f = line.Fields;
        const auto fail = [&] { throw LineError(path, line.Number); };
        if (f.size() != 10 || f[0] != QLatin1String("spot"))
            fail();
        const auto north = ParseLatitude(f[2]);
        const auto west = ParseLongitude(f[3]);
        const auto south = ParseLatitude(f[4]);
        const auto east = ParseLongitude(f[5]);
        const auto centreLat = ParseLatitude(f[7]);
        const auto centreLon = ParseLongitude(f[8]);
        bool scaleOk = false;
        const double scale = f[9].toDouble(&scaleOk);
        if (!north || !west || !south || !east || !centreLat || !centreLon || !scaleOk || scale <= 0
            || *north <= *south || *east <= *west || f[6].isEmpty())
            fail();
        spots.push_back(
            Spot{f[1], *north, *west, *south, *east, f[6], {*centreLon, *centreLat}, scale});
    }
    return spots;
}

QRectF SpotPictureRect(const Spot &spot)
{
    return QRectF(ChartGeometry::ToPicture({spot.West, spot.North}),
                  ChartGeometry::ToPicture({spot.East, spot.South}));
}

QByteArray PictureSpotFile(const std::vector<Spot> &spots)
{
    QByteArray text(
        "\"; Brenlow picture spots: west edge, north edge, east edge, south edge, "
        "picture file\"\r\n"
        "\"; A press inside a rectangle opens the harbour plan named on its line.\"\r\n");
    for (const Spot &spot : spots) {
        const QStringList fields{LongitudeText(spot.West), LatitudeText(spot.North),
                                 LongitudeText(spot.East), LatitudeText(spot.South),
                                 spot.PictureFile};
        QByteArray line;
        for (const QString &field : fields) {
            if (!line.isEmpty())
                line += ',';
            line += '"' + field.toLatin1() + '"';
        }
        text += line + "\r\n";
    }
    return text;
}

QImage RenderHarbourPlan(const Spot &spot, const Coastline &coast,
                         const std::vector<PlaceName> &places, const std::vector<Station> &stations)
{
    QImage image(PlanWidth, PlanHeight, QImage::Format_RGB32);
    const double lat0 = spot.PlanCentre.Lat;
    const double lon0 = spot.PlanCentre.Lon;
    const double metresPerDegreeLat = 60.0 * MetresPerMinuteOfLatitude;
    const double metresPerDegreeLon = metresPerDegreeLat * std::cos(lat0 * std::numbers::pi / 180);
    const auto project = [&](GeoPoint p) {
        return QPointF(PlanWidth / 2.0 + (p.Lon - lon0) * metresPerDegreeLon / spot.MetresPerPixel,
                       PlanHeight / 2.0
                           - (p.Lat - lat0) * metresPerDegreeLat / spot.MetresPerPixel);
    };
    const auto unproject = [&](QPointF q) {
        return GeoPoint{
            lon0 + (q.x() - PlanWidth / 2.0) * spot.MetresPerPixel / metresPerDegreeLon,
            lat0 - (q.y() - PlanHeight / 2.0) * spot.MetresPerPixel / metresPerDegreeLat};
    };
    const QRectF area(0, 0, PlanWidth, PlanHeight);
    QPainter painter(&image);
    DrawLandAndSea(painter, coast, project, area, 5, 1.6);
    painter.setRenderHint(QPainter::Antialiasing, true);

    // Graticule every minute, labelled on the left and bottom edges.
    const GeoPoint topLeft = unproject(area.topLeft());
    const GeoPoint bottomRight = unproject(area.bottomRight());
    QColor grid = ChartColours::Graticule();
    grid.setAlpha(90);
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(11);
    painter.setFont(small);
    for (int m = static_cast<int>(std::ceil(topLeft.Lon * 60)); m <= bottomRight.Lon * 60; ++m) {
        const double x = project({m / 60.0, lat0}).x();
        painter.setPen(QPen(grid, 1));
        painter.drawLine(QPointF(x, 0), QPointF(x, PlanHeight));
        painter.setPen(ChartColours::LandName());
        painter.drawText(QRectF(x + 2, PlanHeight - 16, 70, 14), Qt::AlignLeft,
                         LongitudeLabel(-m - 60));
    }
    for (int m = static_cast<int>(std::ceil(bottomRight.Lat * 60)); m <= topLeft.Lat * 60; ++m) {
        const double y = project({lon0, m / 60.0}).y();
        painter.setPen(QPen(grid, 1));
        painter.drawLine(QPointF(0, y), QPointF(PlanWidth, y));
        painter.setPen(ChartColours::LandName());
        if (y > 75) // clear of the title panel
            painter.drawText(QRectF(3, y - 15, 70, 14), Qt::AlignLeft, LatitudeLabel(m - 3000));
    }

    for (const PlaceName &place : places) {
        const QPointF at = project(place.Position);
        if (!area.adjusted(40, 40, -40, -40).contains(at) || place.Style == PlaceName::Kind::Area)
            continue;
        const QColor halo(image.pixel(at.toPoint())); // the colour under the name
        DrawHaloText(painter, at, place.Angle, place.Text, PlaceFont(place.Style, 15),
                     PlaceColour(place.Style), halo);
    }

    // Tidal stations, drawn as the tidal-stream diamonds of paper charts.
    const QColor magenta(160, 0, 140);
    QFont stationFont(QStringLiteral("Liberation Sans"));
    stationFont.setPixelSize(12);
    stationFont.setItalic(true);
    for (const Station &station : stations) {
        const QPointF at = project(station.Position);
        if (!area.adjusted(10, 10, -10, -10).contains(at))
            continue;
        painter.setPen(QPen(magenta, 1.5));
        painter.setBrush(QColor(255, 255, 255, 230));
        painter.drawPolygon(QPolygonF(
            {at + QPointF(0, -8), at + QPointF(7, 0), at + QPointF(0, 8), at + QPointF(-7, 0)}));
        const QFontMetricsF metrics(stationFont);
        const double width = metrics.horizontalAdvance(station.Title);
        const double left = at.x() + 12 + width < PlanWidth - 8 ? at.x() + 12 : at.x() - 12 - width;
        DrawHaloText(painter, QPointF(left + width / 2, at.y()), 0, station.Title, stationFont,
                     magenta, ChartColours::Sea());
    }

    // Title panel.
    QFont title(QStringLiteral("Liberation Serif"));
    title.setPixelSize(22);
    title.setBold(true);
    QFont note(QStringLiteral("Liberation Sans"));
    note.setPixelSize(11);
    const double titleWidth = std::max(QFontMetricsF(title).horizontalAdvance(spot.Name),
                                       QFontMetricsF(note).horizontalAdvance(QStringLiteral(
                                           "Illustrative plan \u2014 not for navigation")))
        + 24;
    const QRectF panel(8, 8, titleWidth, 50);
    painter.setPen(QPen(QColor(20, 20, 20), 1.5));
    painter.setBrush(QColor(255, 253, 244, 235));
    painter.drawRect(panel);
    painter.setFont(title);
    painter.drawText(panel.adjusted(0, 4, 0, 0), Qt::AlignHCenter | Qt::AlignTop, spot.Name);
    painter.setFont(note);
    painter.setPen(QColor(150, 20, 20));
    painter.drawText(panel.adjusted(0, 0, 0, -5), Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("Illustrative plan \u2014 not for navigation"));

    // Scale bar of half a kilometre in 100 m parts, bottom right.
    const double part = 100.0 / spot.MetresPerPixel;
    const QPointF origin(PlanWidth - 5 * part - 30, PlanHeight - 50);
    painter.setPen(QPen(QColor(20, 20, 20), 1));
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRect(QRectF(origin.x() - 10, origin.y() - 20, 5 * part + 20, 44));
    for (int i = 0; i < 5; ++i) {
        painter.setBrush(i % 2 == 0 ? QColor(20, 20, 20) : QColor(Qt::white));
        painter.drawRect(QRectF(origin.x() + i * part, origin.y(), part, 6));
    }
    painter.setFont(small);
    painter.setPen(QColor(20, 20, 20));
    painter.drawText(QRectF(origin.x() - 10, origin.y() - 18, 5 * part + 20, 14), Qt::AlignHCenter,
                     QStringLiteral("Metres"));
    for (int i = 0; i <= 5; i += 5)
        painter.drawText(QRectF(origin.x() + i * part - 20, origin.y() + 7, 40, 14),
                         Qt::AlignHCenter, QString::number(i * 100));

    // North arrow, top right.
    const QPointF north(PlanWidth - 30, 22);
    painter.setBrush(QColor(20, 20, 20));
    painter.drawPolygon(QPolygonF(
        {north, north + QPointF(7, 24), north + QPointF(0, 18), north + QPointF(-7, 24)}));
    painter.setFont(title);
    painter.drawText(QRectF(north.x() - 20, north.y() + 24, 40, 26), Qt::AlignHCenter,
                     QStringLiteral("N"));

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(20, 20, 20), 2));
    painter.drawRect(area.adjusted(1, 1, -1, -1));
    painter.end();
    return image;
}

} // namespace brenlow::content
