#include "platform/route_painter.h"

#include "platform/house_style.h"
#include "platform/surface_layout.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

#include <cmath>

namespace brenlow {
namespace {

// Sizes in pixels of a 96 dots-per-inch device.
constexpr double TrackWidth = 3;
constexpr double UnsailedWidth = 2;
constexpr double CasingWidth = 6;
constexpr double TickHalfLength = 6;
constexpr double TickWidth = 2;
constexpr double PointRadius = 5.5;
constexpr double PointRing = 2.5;
constexpr double FailureCrossHalf = 8;
constexpr int PointLabelPixels = 12;
constexpr int HourLabelPixels = 10;
constexpr double LabelGap = 7;
constexpr double LabelPadding = 2;

QPen RoundPen(const QColor &colour, double width, Qt::PenStyle style = Qt::SolidLine)
{
    return QPen(colour, width, style, Qt::RoundCap, Qt::RoundJoin);
}

QPointF Unit(QPointF vector)
{
    const double length = std::hypot(vector.x(), vector.y());
    return length > 0 ? vector / length : QPointF(1, 0);
}

// A text on its ground whose box is centred on centre, in the painter's font.
void DrawLabel(QPainter &painter, QPointF centre, const QString &text, const QColor &ink,
               const QColor &ground, double unit)
{
    const QFontMetricsF metrics(painter.font());
    const QSizeF size(metrics.horizontalAdvance(text) + 2 * LabelPadding * unit,
                      metrics.height() + LabelPadding * unit);
    QRectF box(QPointF(0, 0), size);
    box.moveCenter(centre);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ground);
    painter.drawRoundedRect(box, 2 * unit, 2 * unit);
    painter.setPen(ink);
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace

void PaintRoute(QPainter &painter, const QTransform &pictureToDevice, const RouteDrawing &route,
                const RouteColours &colours)
{
    if (route.IsEmpty())
        return;
    painter.save();
    painter.setWorldTransform(QTransform());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double unit = painter.device()->logicalDpiX() / double(LayoutDpi);
    const auto at = [&](QPointF picture) { return pictureToDevice.map(picture); };

    painter.setBrush(Qt::NoBrush);
    painter.setPen(RoundPen(colours.Casing, CasingWidth * unit));
    for (const RouteDrawing::Leg &leg : route.Legs)
        painter.drawLine(at(leg.From), at(leg.To));
    for (const RouteDrawing::Leg &leg : route.Legs) {
        switch (leg.Kind) {
        case RouteDrawing::Stretch::Sailed:
            painter.setPen(RoundPen(colours.Track, TrackWidth * unit));
            break;
        case RouteDrawing::Stretch::Unsailed:
            painter.setPen(RoundPen(colours.Track, UnsailedWidth * unit, Qt::DashLine));
            break;
        case RouteDrawing::Stretch::Failed:
            painter.setPen(RoundPen(colours.Failure, TrackWidth * unit));
            break;
        }
        painter.drawLine(at(leg.From), at(leg.To));
    }

    // Each tick lies across the track, its time on the side of it that faces up the screen.
    painter.setFont(House::Font(int(std::lround(HourLabelPixels * unit)), true));
    const QFontMetricsF hourMetrics(painter.font());
    for (const RouteDrawing::HourMark &mark : route.Hours) {
        const QPointF centre = at(mark.At);
        const QPointF along = Unit(at(mark.At + mark.Along) - centre);
        QPointF across(along.y(), -along.x());
        if (across.y() > 0)
            across = -across;
        painter.setPen(RoundPen(colours.Track, TickWidth * unit));
        painter.drawLine(centre - across * TickHalfLength * unit,
                         centre + across * TickHalfLength * unit);
        const double halfWidth = hourMetrics.horizontalAdvance(mark.Time) / 2 + LabelPadding * unit;
        const double halfHeight = hourMetrics.height() / 2 + LabelPadding * unit / 2;
        const double reach = std::fabs(across.x()) * halfWidth + std::fabs(across.y()) * halfHeight;
        DrawLabel(painter, centre + across * (TickHalfLength * unit + reach), mark.Time,
                  colours.Track, colours.LabelGround, unit);
    }

    painter.setFont(House::Font(int(std::lround(PointLabelPixels * unit)), true));
    const QFontMetricsF pointMetrics(painter.font());
    for (const RouteDrawing::Point &point : route.Points) {
        const QPointF centre = at(point.At);
        const QColor &ring = point.Failed ? colours.Failure : colours.Track;
        painter.setPen(RoundPen(ring, PointRing * unit));
        painter.setBrush(point.Failed         ? colours.FailedPointFill
                             : point.Selected ? colours.Track
                                              : colours.PointFill);
        painter.drawEllipse(centre, PointRadius * unit, PointRadius * unit);
        const QSizeF text(pointMetrics.horizontalAdvance(point.Label) + 2 * LabelPadding * unit,
                          pointMetrics.height());
        const QPointF labelCentre = centre
            + QPointF(LabelGap * unit + text.width() / 2, -LabelGap * unit - text.height() / 2);
        DrawLabel(painter, labelCentre, point.Label, ring, colours.LabelGround, unit);
    }

    if (route.FailureAt) {
        const QPointF centre = at(*route.FailureAt);
        const double half = FailureCrossHalf * unit;
        QColor casing = colours.Casing;
        casing.setAlpha(255);
        painter.setPen(RoundPen(casing, (TrackWidth + 2) * unit));
        painter.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
        painter.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
        painter.setPen(RoundPen(colours.Failure, TrackWidth * unit));
        painter.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
        painter.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
    }
    painter.restore();
}

} // namespace brenlow
