#include "plan/sweep_plot.h"

#include "plan/plan_table.h"
#include "platform/house_style.h"
#include "platform/route_painter.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace brenlow {
namespace {

// Widget pixels around the plotting area: room for the time labels left and below, and for
// the caption above.
constexpr int MarginLeft = 44;
constexpr int MarginRight = 10;
constexpr int MarginTop = 20;
constexpr int MarginBottom = 18;
constexpr int LabelPixels = 10;
constexpr double FadedOpacity = 0.35;

QString HoursMinutes(double hours)
{
    const long minutes = std::lround(hours * 60);
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

SweepPlot::SweepPlot(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SweepPlot::SetSweep(DepartureSweep sweep, QDateTime chosen)
{
    sweep_ = std::move(sweep);
    chosen_ = std::move(chosen);
    stale_ = false;
    update();
}

void SweepPlot::SetStale()
{
    stale_ = true;
    update();
}

QString SweepPlot::Caption() const
{
    if (sweep_.Entries.empty())
        return QStringLiteral("Departures are compared once the route has two points");
    if (!sweep_.Best)
        return QStringLiteral("No departure in these hours finishes the passage");
    const SweepEntry &best = sweep_.Entries[*sweep_.Best];
    return QStringLiteral("Quickest: leave %1, %2")
        .arg(best.Departure.toString(QStringLiteral("HH:mm")), DurationText(best.DurationHours));
}

void SweepPlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), House::Now().BoxFace);
    painter.setPen(House::Now().Rule);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setFont(House::Font(LabelPixels, true));
    painter.setPen(House::Now().Ink);
    painter.drawText(QRect(6, 2, width() - 12, MarginTop - 2), Qt::AlignLeft | Qt::AlignVCenter,
                     Caption());
    if (sweep_.Entries.size() < 2)
        return;
    if (stale_)
        painter.setOpacity(FadedOpacity);

    const QRectF area(MarginLeft, MarginTop, width() - MarginLeft - MarginRight,
                      height() - MarginTop - MarginBottom);
    const QDateTime &first = sweep_.Entries.front().Departure;
    const double span = double(first.secsTo(sweep_.Entries.back().Departure));
    double shortest = std::numeric_limits<double>::infinity();
    double longest = 0;
    for (const SweepEntry &entry : sweep_.Entries)
        if (!entry.Failure) {
            shortest = std::min(shortest, entry.DurationHours);
            longest = std::max(longest, entry.DurationHours);
        }
    // Some room above and below the curve; a flat curve gets a quarter of an hour each way.
    const double pad = std::max((longest - shortest) * 0.1, 0.25);
    const double low = std::max(0.0, shortest - pad);
    const double high = longest + pad;
    const auto x = [&](const QDateTime &when) {
        return area.left() + area.width() * double(first.secsTo(when)) / span;
    };
    const auto y = [&](double hours) {
        return area.bottom() - area.height() * (hours - low) / (high - low);
    };

    painter.setFont(House::Font(LabelPixels));
    painter.setPen(House::Now().Rule);
    painter.drawRect(area);
    painter.setPen(House::Now().Ink);
    const bool anyFinishes = sweep_.Best.has_value();
    if (anyFinishes) {
        for (const double hours : {shortest, longest}) {
            painter.drawText(QRectF(0, y(hours) - 7, MarginLeft - 4, 14),
                             Qt::AlignRight | Qt::AlignVCenter, HoursMinutes(hours));
        }
    }
    const auto timeLabel = [&](const QDateTime &when, Qt::Alignment alignment) {
        QRectF box(0, area.bottom() + 2, 60, MarginBottom - 2);
        if (alignment & Qt::AlignLeft)
            box.moveLeft(x(when));
        else if (alignment & Qt::AlignRight)
            box.moveRight(x(when));
        else
            box.moveCenter(QPointF(x(when), box.center().y()));
        painter.drawText(box, alignment | Qt::AlignVCenter, when.toString(QStringLiteral("HH:mm")));
    };
    timeLabel(first, Qt::AlignLeft);
    timeLabel(sweep_.Entries.back().Departure, Qt::AlignRight);

    // The curve, broken where departures cannot finish; those ticked red along the foot. In the
    // track's colours on the chart.
    const RouteColours &colours = House::IsNight() ? NightRouteColours : DayRouteColours;
    QPainterPath curve;
    bool drawing = false;
    for (const SweepEntry &entry : sweep_.Entries) {
        if (entry.Failure) {
            drawing = false;
            painter.setPen(QPen(colours.Failure, 2));
            painter.drawLine(QPointF(x(entry.Departure), area.bottom() - 5),
                             QPointF(x(entry.Departure), area.bottom()));
            continue;
        }
        const QPointF point(x(entry.Departure), y(entry.DurationHours));
        if (drawing)
            curve.lineTo(point);
        else
            curve.moveTo(point);
        drawing = true;
    }
    painter.setPen(QPen(colours.Track, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(curve);

    if (chosen_.isValid()) {
        painter.setPen(QPen(House::Now().Ink, 1, Qt::DashLine));
        const double at = x(chosen_);
        painter.drawLine(QPointF(at, area.top()), QPointF(at, area.bottom()));
    }
    if (anyFinishes) {
        const SweepEntry &best = sweep_.Entries[*sweep_.Best];
        painter.setPen(QPen(House::Now().Ink, 1.5));
        painter.setBrush(colours.Track);
        painter.drawEllipse(QPointF(x(best.Departure), y(best.DurationHours)), 4, 4);
    }
}

} // namespace brenlow
