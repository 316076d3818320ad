#pragma once

#include "plan/geo_position.h"
#include "plan/route_point.h"
#include "plan/stream_field.h"
#include "plan/tide_timeline.h"

#include <QDateTime>
#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

namespace brenlow {

struct AppState;
class WaterMask;

struct PassageRequest
{
    std::vector<RoutePoint> Route;          // legs run between consecutive points, on rhumb lines
    QDateTime Departure;                    // local
    double BoatSpeedKn = 0;                 // through the water
    std::optional<double> VariationDegrees; // magnetic variation, east positive
};

// A stretch of a leg sailed with one stream: a leg is cut wherever the pair of half-hour steps
// the stream is interpolated between changes (at each step time of the nearest high water,
// where the next high water becomes the nearest, and at the ends of a gap between two tides),
// and each piece takes the stream at its middle in place and time. Piece k starts when piece
// k - 1 ends.
struct PlanPiece
{
    int Leg = 0;  // 1-based: leg n runs from route point n to n + 1
    QString From; // the leg's route point names
    QString To;
    GeoPosition StartPosition;
    GeoPosition EndPosition;
    QDateTime Start; // local
    QDateTime End;
    double TrackDegrees = 0; // true
    double DistanceNm = 0;
    double SetDegrees = 0; // true, the way the stream flows to
    double RateKn = 0;
    double CourseTrueDegrees = 0; // course to steer
    std::optional<double> CourseMagneticDegrees;
    double SpeedOverGroundKn = 0;
};

enum class PlanProblem {
    RouteTooShort,   // fewer than two route points
    NoBoatSpeed,     // a boat speed that is not more than 0
    NoDeparture,     // a departure time that is not valid
    PointOnLand,     // a route point on land
    PointOffChart,   // a route point outside the chart
    LegCrossesLand,  // the rhumb line between two route points crosses land
    LegLeavesChart,  // ... or leaves the chart
    NoHighWaterNear, // a piece's moment is over six hours before the first or after the last HW
    NoStreamStation, // a piece's middle has no station in the same water
    CannotHoldTrack, // the stream across the track is stronger than the boat
    NoProgress,      // the boat would make no way over the ground
};

struct PlanFailure
{
    PlanProblem Problem = PlanProblem::RouteTooShort;
    int RoutePoint = 0; // 1-based, for a route point's problem; else 0
    int Leg = 0;        // 1-based, for a leg's or a piece's problem; else 0
    int Piece = 0;      // 1-based over the passage, for a piece's problem; else 0
    QDateTime At;       // when the failing piece starts (a piece's problem)
    GeoPosition Where;  // where the failing point or piece starts
    QString Text;       // one line saying what is wrong, e.g. "Route point 2 (Newport) is on land"
};

struct PassagePlan
{
    std::vector<PlanPiece> Pieces; // those sailed, up to a failure
    std::optional<PlanFailure> Failure;
    double DistanceNm = 0;    // of the pieces
    double DurationHours = 0; // from the departure to the end of the last piece
    QDateTime Arrival;        // the end of the last piece; not valid after a failure

    bool Succeeded() const { return !Failure.has_value(); }
};

// Departures of a sweep are this far apart; a sweep reaches at most a week each way.
inline constexpr int SweepIntervalMinutes = 10;
inline constexpr double LongestSweepHours = 7 * 24;

struct SweepEntry
{
    QDateTime Departure;
    QDateTime Arrival; // not valid when the passage fails
    double DurationHours = 0;
    std::optional<PlanFailure> Failure;
};

struct DepartureSweep
{
    std::vector<SweepEntry> Entries; // in departure order
    std::optional<std::size_t> Best; // the shortest passage (the earliest of equals)
};

// Plans passages over the chart: the tidal stream comes from the stations of state (with its
// rate table and chart geometry) and the high waters given, the land from mask.
class PassagePlanner
{
public:
    // Keeps references to state and mask.
    PassagePlanner(const AppState &state, const WaterMask &mask,
                   const std::vector<HighWaterEvent> &highWaters);

    // The plan of the passage, or the pieces up to the first problem and what it is. A route
    // point on land or off the chart, or a leg across land, is refused before any piece.
    PassagePlan Plan(const PassageRequest &request) const;

    // The passage for departures every SweepIntervalMinutes from hoursEachWay (at most
    // LongestSweepHours) before the request's departure to as long after it.
    DepartureSweep Sweep(const PassageRequest &request, double hoursEachWay) const;

    const StreamField &Streams() const { return streams_; }

private:
    struct Leg
    {
        int Number = 0;
        RoutePoint From;
        RoutePoint To;
        double DistanceNm = 0;
        double TrackDegrees = 0;
    };

    // The legs of a route, or the reason it cannot be sailed at any time.
    struct CheckedRoute
    {
        std::vector<Leg> Legs;
        std::optional<PlanFailure> Failure;
    };

    CheckedRoute Check(const PassageRequest &request) const;
    PassagePlan Sail(const CheckedRoute &route, const PassageRequest &request,
                     const QDateTime &departure) const;

    const AppState &state_;
    const WaterMask &mask_;
    StreamField streams_;
};

} // namespace brenlow
