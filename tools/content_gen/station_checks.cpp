#include "station_checks.h"

#include <QPolygonF>
#include <QStringList>

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace brenlow::content {

namespace {

// Picture pixels kept clear of the chart's border and its labels.
constexpr double FrameMargin = 70;

// The outline an arrow and its rate label take at most, in picture pixels: the largest arrow
// (30 px head, 45 px shaft, tip on the station) and a label box of a three-character rate
// behind its tail.
QPolygonF Footprint(QPointF tip, int direction)
{
    constexpr double size = 30;
    constexpr double labelLength = 28;
    constexpr double labelHalfWidth = 10;
    const double radians = direction * std::numbers::pi / 180.0;
    const QPointF forward(std::sin(radians), -std::cos(radians));
    const QPointF right(std::cos(radians), std::sin(radians));
    const double head = size * std::sqrt(3.0) / 2;
    const double tail = head + 1.5 * size;
    const double labelEnd = tail + labelLength;
    const auto at = [&](double back, double across) {
        return tip - back * forward + across * right;
    };
    return QPolygonF({at(0, 0), at(head, size / 2), at(head, size / 4), at(tail, size / 4),
                      at(tail, labelHalfWidth), at(labelEnd, labelHalfWidth),
                      at(labelEnd, -labelHalfWidth), at(tail, -labelHalfWidth), at(tail, -size / 4),
                      at(head, -size / 4), at(head, -size / 2)});
}

} // namespace

void CheckStations(const std::vector<Station> &stations, const Coastline &coast,
                   const std::vector<QRectF> &spotPictureRects)
{
    QStringList faults;
    const QRectF frame(FrameMargin, FrameMargin, ChartGeometry::PictureWidth - 2 * FrameMargin,
                       ChartGeometry::PictureHeight - 2 * FrameMargin);
    for (const Station &s : stations) {
        const QPointF at = ChartGeometry::ToPicture(s.Position);
        if (!frame.contains(at))
            faults << s.Title + QStringLiteral(": outside the chart's frame");
        if (coast.IsOnLand(s.Position))
            faults << s.Title + QStringLiteral(": on land");
        const double shore = coast.DistanceToShoreMetres(s.Position);
        if (shore < MinimumShoreDistanceMetres)
            faults << s.Title + QStringLiteral(": %1 m from the shore").arg(shore, 0, 'f', 0);
        for (const QRectF &spot : spotPictureRects)
            // The station's pointer box reaches 10 pixels round it.
            if (spot.adjusted(-10, -10, 10, 10).contains(at))
                faults << s.Title + QStringLiteral(": under a picture spot");
    }
    for (int step = 1; step <= StepCount; ++step) {
        std::vector<QPolygonF> shapes;
        for (const Station &s : stations)
            shapes.push_back(
                Footprint(ChartGeometry::ToPicture(s.Position), StreamAtStep(s, step).Direction));
        for (std::size_t i = 0; i < shapes.size(); ++i)
            for (std::size_t j = i + 1; j < shapes.size(); ++j)
                if (shapes[i].boundingRect().intersects(shapes[j].boundingRect())
                    && shapes[i].intersects(shapes[j]))
                    faults << QStringLiteral("%1 and %2: arrows overlap at step %3")
                                  .arg(stations[i].Title, stations[j].Title)
                                  .arg(step);
    }
    if (!faults.isEmpty())
        throw std::runtime_error(faults.join(QLatin1Char('\n')).toStdString());
}

void CheckStoredRates(const std::vector<Station> &stations, const RateTableModel &table)
{
    for (const Station &s : stations) {
        const int column = RateTableModel::ColumnOf(s.SpringReferenced ? 47 : 43);
        for (int step = 1; step <= StepCount; ++step) {
            const double springRate = StreamAtStep(s, step).SpringRate;
            const int stored = table.StoredTenths(springRate, s.SpringReferenced);
            const double atDefault =
                springRate * RateTableModel::Range(4.3) / RateTableModel::Range(4.7);
            const int meant = 1 + static_cast<int>(std::lround(atDefault * 10.0));
            if (meant > RateTableModel::Rows || table.RowFor(stored, column) != meant)
                throw std::runtime_error(QStringLiteral("%1, step %2: rate %3 is not covered by "
                                                        "the rate table")
                                             .arg(s.Title)
                                             .arg(step)
                                             .arg(springRate)
                                             .toStdString());
        }
    }
}

} // namespace brenlow::content
