#include "chart_drawing.h"

#include "source_lines.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextStream>

#include <stdexcept>

namespace brenlow::content {

QPainterPath LandPath(const Coastline &coast, const Projector &project)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const LandPolygon &polygon : coast.Land) {
        QPolygonF outline;
        outline.reserve(static_cast<qsizetype>(polygon.Points.size()));
        for (const GeoPoint &p : polygon.Points)
            outline << project(p);
        path.addPolygon(outline);
        path.closeSubpath();
    }
    return path;
}

QPainterPath ShorePath(const Coastline &coast, const Projector &project)
{
    QPainterPath path;
    for (const LandPolygon &polygon : coast.Land) {
        const auto &pts = polygon.Points;
        bool drawing = false;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            if (!polygon.EdgeIsShore[i]) {
                drawing = false;
                continue;
            }
            if (!drawing)
                path.moveTo(project(pts[i]));
            path.lineTo(project(pts[(i + 1) % pts.size()]));
            drawing = true;
        }
    }
    return path;
}

void DrawLandAndSea(QPainter &painter, const Coastline &coast, const Projector &project,
                    const QRectF &area, double bandWidth, double shoreWidth)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(area, ChartColours::Sea());
    const QPainterPath land = LandPath(coast, project);
    const QPainterPath shore = ShorePath(coast, project);
    painter.setClipRect(area);
    painter.strokePath(shore,
                       QPen(ChartColours::ShallowBand(), bandWidth * 2, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
    painter.fillPath(land, ChartColours::Land());
    painter.strokePath(
        shore, QPen(ChartColours::Shore(), shoreWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.restore();
}

std::vector<PlaceName> ReadPlaceNames(const QString &path)
{
    std::vector<PlaceName> places;
    for (const SourceLine &line : ReadSourceLines(path)) {
        const QStringList &f = line.Fields;
        const auto fail = [&] { throw LineError(path, line.Number); };
        if (f.size() != 5)
            fail();
        PlaceName place;
        const QString kind = f[0].trimmed();
        if (kind == QLatin1String("town"))
            place.Style = PlaceName::Kind::Town;
        else if (kind == QLatin1String("feature"))
            place.Style = PlaceName::Kind::Feature;
        else if (kind == QLatin1String("sea"))
            place.Style = PlaceName::Kind::Sea;
        else if (kind == QLatin1String("area"))
            place.Style = PlaceName::Kind::Area;
        else
            fail();
        const auto lat = ParseLatitude(f[1].trimmed());
        const auto lon = ParseLongitude(f[2].trimmed());
        bool angleOk = false;
        place.Angle = f[3].trimmed().toDouble(&angleOk);
        if (!lat || !lon || !angleOk)
            fail();
        place.Position = {*lon, *lat};
        place.Text = f[4].trimmed();
        places.push_back(place);
    }
    return places;
}

QFont PlaceFont(PlaceName::Kind kind, double bodyPixels)
{
    QFont font;
    switch (kind) {
    case PlaceName::Kind::Town:
        font = QFont(QStringLiteral("Liberation Sans"));
        font.setBold(true);
        font.setPixelSize(qRound(bodyPixels));
        break;
    case PlaceName::Kind::Feature:
        font = QFont(QStringLiteral("Liberation Serif"));
        font.setItalic(true);
        font.setPixelSize(qRound(bodyPixels * 0.9));
        break;
    case PlaceName::Kind::Sea:
        font = QFont(QStringLiteral("Liberation Serif"));
        font.setItalic(true);
        font.setPixelSize(qRound(bodyPixels * 1.5));
        font.setLetterSpacing(QFont::PercentageSpacing, 115);
        break;
    case PlaceName::Kind::Area:
        font = QFont(QStringLiteral("Liberation Serif"));
        font.setPixelSize(qRound(bodyPixels * 2.2));
        font.setLetterSpacing(QFont::PercentageSpacing, 140);
        break;
    }
    return font;
}

QColor PlaceColour(PlaceName::Kind kind)
{
    return kind == PlaceName::Kind::Sea ? ChartColours::SeaName() : ChartColours::LandName();
}

void DrawHaloText(QPainter &painter, QPointF centre, double angle, const QString &text,
                  const QFont &font, const QColor &colour, const QColor &halo)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(centre);
    painter.rotate(angle);
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    QPainterPath path;
    path.addText(QPointF(-width / 2, (metrics.ascent() - metrics.descent()) / 2), font, text);
    painter.strokePath(path,
                       QPen(halo, std::max(2.0, font.pixelSize() / 7.0), Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, colour);
    painter.restore();
}

} // namespace brenlow::content
