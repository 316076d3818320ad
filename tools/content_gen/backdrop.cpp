#include "backdrop.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace brenlow::content {

namespace {

constexpr double BorderWidth = 34;    // picture pixels of the minute-scale strip
constexpr double BodyTextPixels = 30; // size of a town name
constexpr int GraticuleStepMinutes = 5;

// Chart minutes covered by the picture, from its edges.
double MinutesWestAt(double x)
{
    return 38.0 - 2.0 * (x - ChartGeometry::OffsetX) / ChartGeometry::ScaleX();
}

double MinutesNorthAt(double y)
{
    return 54.0 - 2.0 * (y - ChartGeometry::OffsetY) / ChartGeometry::ScaleY();
}

double XOfMinutesWest(double v)
{
    return ChartGeometry::ScaleX() * (38.0 - v) / 2.0 + ChartGeometry::OffsetX;
}

double YOfMinutesNorth(double u)
{
    return ChartGeometry::ScaleY() * (54.0 - u) / 2.0 + ChartGeometry::OffsetY;
}

void DrawGraticule(QPainter &painter, const QRectF &chart)
{
    painter.save();
    QColor line = ChartColours::Graticule();
    line.setAlpha(110);
    painter.setPen(QPen(line, 1.5));
    const int westMost = static_cast<int>(std::floor(MinutesWestAt(chart.left())));
    const int eastMost = static_cast<int>(std::ceil(MinutesWestAt(chart.right())));
    for (int v = eastMost; v <= westMost; ++v) {
        if (v % GraticuleStepMinutes != 0)
            continue;
        const double x = XOfMinutesWest(v);
        painter.drawLine(QPointF(x, chart.top()), QPointF(x, chart.bottom()));
    }
    const int northMost = static_cast<int>(std::floor(MinutesNorthAt(chart.top())));
    const int southMost = static_cast<int>(std::ceil(MinutesNorthAt(chart.bottom())));
    for (int u = southMost; u <= northMost; ++u) {
        if (u % GraticuleStepMinutes != 0)
            continue;
        const double y = YOfMinutesNorth(u);
        painter.drawLine(QPointF(chart.left(), y), QPointF(chart.right(), y));
    }
    painter.restore();
}

// The chart border: a strip of alternate black and white minutes of latitude and longitude,
// with tenth-of-a-minute ticks on its inner edge and labels every 5' just inside it.
void DrawBorder(QPainter &painter, const QRectF &picture)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF inner = picture.adjusted(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth);
    const double bar = BorderWidth / 3; // the alternating bar sits in the middle third
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(picture.left(), picture.top(), picture.width(), BorderWidth));
    painter.drawRect(QRectF(picture.left(), inner.bottom(), picture.width(), BorderWidth));
    painter.drawRect(QRectF(picture.left(), picture.top(), BorderWidth, picture.height()));
    painter.drawRect(QRectF(inner.right(), picture.top(), BorderWidth, picture.height()));

    painter.setBrush(QColor(20, 20, 20));
    const double vWest = MinutesWestAt(inner.left());
    const double vEast = MinutesWestAt(inner.right());
    for (int v = static_cast<int>(std::floor(vEast)); v <= static_cast<int>(std::ceil(vWest));
         ++v) {
        if (v % 2 != 0)
            continue;
        const double x1 = std::clamp(XOfMinutesWest(v + 1), inner.left(), inner.right());
        const double x2 = std::clamp(XOfMinutesWest(v), inner.left(), inner.right());
        if (x2 <= x1)
            continue;
        painter.drawRect(QRectF(x1, picture.top() + bar, x2 - x1, bar));
        painter.drawRect(QRectF(x1, inner.bottom() + bar, x2 - x1, bar));
    }
    const double uNorth = MinutesNorthAt(inner.top());
    const double uSouth = MinutesNorthAt(inner.bottom());
    for (int u = static_cast<int>(std::floor(uSouth)); u <= static_cast<int>(std::ceil(uNorth));
         ++u) {
        if (u % 2 != 0)
            continue;
        const double y1 = std::clamp(YOfMinutesNorth(u + 1), inner.top(), inner.bottom());
        const double y2 = std::clamp(YOfMinutesNorth(u), inner.top(), inner.bottom());
        if (y2 <= y1)
            continue;
        painter.drawRect(QRectF(picture.left() + bar, y1, bar, y2 - y1));
        painter.drawRect(QRectF(inner.right() + bar, y1, bar, y2 - y1));
    }

    // Tenth-of-a-minute ticks on the inner edge, longer at each minute.
    painter.setPen(QPen(QColor(20, 20, 20), 1.5));
    painter.setBrush(Qt::NoBrush);
    for (int tenth = static_cast<int>(std::floor(vEast * 10)); tenth <= std::ceil(vWest * 10);
         ++tenth) {
        const double x = XOfMinutesWest(tenth / 10.0);
        if (x < inner.left() || x > inner.right())
            continue;
        const double length = tenth % 10 == 0 ? 16 : 7;
        painter.drawLine(QPointF(x, inner.top()), QPointF(x, inner.top() + length));
        painter.drawLine(QPointF(x, inner.bottom()), QPointF(x, inner.bottom() - length));
    }
    for (int tenth = static_cast<int>(std::floor(uSouth * 10)); tenth <= std::ceil(uNorth * 10);
         ++tenth) {
        const double y = YOfMinutesNorth(tenth / 10.0);
        if (y < inner.top() || y > inner.bottom())
            continue;
        const double length = tenth % 10 == 0 ? 16 : 7;
        painter.drawLine(QPointF(inner.left(), y), QPointF(inner.left() + length, y));
        painter.drawLine(QPointF(inner.right(), y), QPointF(inner.right() - length, y));
    }
    painter.setPen(QPen(QColor(20, 20, 20), 2));
    painter.drawRect(inner);
    painter.drawRect(picture.adjusted(1, 1, -1, -1));
    painter.restore();

    // Labels every 5', inside the border, with a halo so they read over land and sea.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(26);
    font.setBold(true);
    const QFontMetricsF metrics(font);
    const QColor ink(20, 20, 20);
    const QColor halo(255, 255, 255, 220);
    for (int v = static_cast<int>(std::ceil(vEast)); v <= static_cast<int>(std::floor(vWest));
         ++v) {
        if (v % GraticuleStepMinutes != 0)
            continue;
        const QString text = LongitudeLabel(v);
        const double x = XOfMinutesWest(v);
        const double halfWidth = metrics.horizontalAdvance(text) / 2;
        if (x - halfWidth < inner.left() + 4 || x + halfWidth > inner.right() - 4)
            continue;
        DrawHaloText(painter, QPointF(x, inner.top() + 34), 0, text, font, ink, halo);
        DrawHaloText(painter, QPointF(x, inner.bottom() - 34), 0, text, font, ink, halo);
    }
    for (int u = static_cast<int>(std::ceil(uSouth)); u <= static_cast<int>(std::floor(uNorth));
         ++u) {
        if (u % GraticuleStepMinutes != 0)
            continue;
        const QString text = LatitudeLabel(u);
        const double y = YOfMinutesNorth(u);
        const double halfWidth = metrics.horizontalAdvance(text) / 2;
        if (y - halfWidth < inner.top() + 4 || y + halfWidth > inner.bottom() - 4)
            continue;
        DrawHaloText(painter, QPointF(inner.left() + 34, y), -90, text, font, ink, halo);
        DrawHaloText(painter, QPointF(inner.right() - 34, y), 90, text, font, ink, halo);
    }
}

void DrawPlaceNames(QPainter &painter, const std::vector<PlaceName> &places)
{
    const auto *picture = dynamic_cast<const QImage *>(painter.device());
    for (const PlaceName &place : places) {
        const QPointF at = ChartGeometry::ToPicture(place.Position);
        // The halo takes the colour under the name, so a name at sea keeps a sea-blue halo.
        const QColor halo =
            picture ? QColor(picture->pixel(at.toPoint())) : QColor(ChartColours::Land());
        DrawHaloText(painter, at, place.Angle, place.Text, PlaceFont(place.Style, BodyTextPixels),
                     PlaceColour(place.Style), halo);
    }
}

// The title block, on the New Forest shore in the chart's north-west corner, inside the part
// of the chart that the program shows when it starts.
void DrawTitleBlock(QPainter &painter)
{
    const QRectF box(340, 470, 1130, 470);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(20, 20, 20), 3));
    painter.setBrush(QColor(255, 253, 244));
    painter.drawRect(box);
    painter.setPen(QPen(QColor(20, 20, 20), 1.5));
    painter.drawRect(box.adjusted(8, 8, -8, -8));

    const auto font = [](const char *family, int pixels, bool bold, bool italic = false) {
        QFont f(QString::fromLatin1(family));
        f.setPixelSize(pixels);
        f.setBold(bold);
        f.setItalic(italic);
        return f;
    };
    const auto line = [&](double y, const QString &text, const QFont &f, const QColor &colour) {
        painter.setFont(f);
        painter.setPen(colour);
        painter.drawText(QRectF(box.left(), box.top() + y, box.width(), 60),
                         Qt::AlignHCenter | Qt::AlignTop, text);
    };
    const QColor ink(20, 20, 20);
    const QColor warning(150, 20, 20);
    line(26, QStringLiteral("THE SOLENT AND THE ISLE OF WIGHT"), font("Liberation Serif", 50, true),
         ink);
    line(92, QStringLiteral("Tidal streams referred to high water at Portsmouth"),
         font("Liberation Serif", 32, false, true), ink);
    line(150, QStringLiteral("ILLUSTRATIVE TIDAL DATA \u2014 NOT FOR NAVIGATION"),
         font("Liberation Sans", 34, true), warning);
    line(200,
         QStringLiteral("The stream rates and directions shown are a simple model, not survey"),
         font("Liberation Sans", 22, false), ink);
    line(228, QStringLiteral("data. Use official tidal stream atlases and charts at sea."),
         font("Liberation Sans", 22, false), ink);
    line(268,
         QStringLiteral("Shoreline: GSHHG full resolution (LGPL). Latitude and longitude: WGS84."),
         font("Liberation Sans", 20, false), ink);

    // Scale bar: three nautical miles of one minute of latitude each (about 196.5 pixels).
    const double mile = ChartGeometry::ScaleY() / 2.0;
    const double left = box.center().x() - 1.5 * mile;
    const double top = box.top() + 350;
    painter.setPen(QPen(ink, 2));
    for (int i = 0; i < 3; ++i) {
        painter.setBrush(i % 2 == 0 ? QBrush(ink) : QBrush(Qt::white));
        painter.drawRect(QRectF(left + i * mile, top, mile, 14));
    }
    painter.setFont(font("Liberation Sans", 20, false));
    for (int i = 0; i <= 3; ++i)
        painter.drawText(QRectF(left + i * mile - 40, top + 18, 80, 30), Qt::AlignHCenter,
                         QString::number(i));
    painter.drawText(QRectF(left, top - 34, 3 * mile, 30), Qt::AlignHCenter,
                     QStringLiteral("Nautical miles"));
    painter.restore();
}

} // namespace

QImage RenderBackdrop(const Coastline &coast, const std::vector<PlaceName> &places)
{
    QImage image(ChartGeometry::PictureWidth, ChartGeometry::PictureHeight, QImage::Format_RGB32);
    const QRectF picture(0, 0, image.width(), image.height());
    QPainter painter(&image);
    DrawLandAndSea(
        painter, coast, [](GeoPoint p) { return ChartGeometry::ToPicture(p); }, picture, 14, 3);
    DrawGraticule(painter, picture);
    DrawPlaceNames(painter, places);
    DrawTitleBlock(painter);
    DrawBorder(painter, picture);
    painter.end();
    return image;
}

} // namespace brenlow::content
