#pragma once

#include <QPointF>
#include <QString>

#include <optional>
#include <vector>

namespace brenlow {

// What the chart shows of the passage planner for people, over the arrows and never in the
// display list: the route's legs and points, the estimated positions at each whole hour, and
// where the plan fails. Positions are picture pixels; the marks keep one size on the screen at
// every zoom, and on paper the size they have on a 96 dots-per-inch screen.
struct RouteDrawing
{
    enum class Stretch {
        Sailed,   // planned: the boat sails it
        Unsailed, // not planned: after a failure, or a route that is refused as a whole
        Failed, // where the plan fails: a leg across land, or the rest of the leg a piece fails on
    };
    struct Leg
    {
        QPointF From;
        QPointF To;
        Stretch Kind = Stretch::Sailed;
    };
    struct Point
    {
        QPointF At;
        QString Label; // its number, and its name when it has one
        bool Selected = false;
        bool Failed = false; // on land or off the chart
    };
    // An estimated position at a whole hour: a tick across the track with the time beside it.
    struct HourMark
    {
        QPointF At;
        QPointF Along; // the track's direction there, picture pixels (any length but 0)
        QString Time;  // "14:00"
    };

    std::vector<Leg> Legs; // in drawing order
    std::vector<Point> Points;
    std::vector<HourMark> Hours;
    std::optional<QPointF> FailureAt; // where the failing piece starts

    bool IsEmpty() const { return Points.empty(); }
};

} // namespace brenlow
