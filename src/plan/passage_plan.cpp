#include "plan/passage_plan.h"

#include "core/app_state.h"
#include "plan/course_to_steer.h"
#include "plan/water_mask.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace brenlow {

namespace {

constexpr double SecondsPerHour = 3600;

// The fixed-point iteration of a piece's middle stops when the speed over the ground changes
// by less than this (knots), or after MostIterations.
constexpr double SpeedTolerance = 1e-9;
constexpr int MostIterations = 8;

// A leg is done when less than this is left of it (nautical miles, about 2 mm).
constexpr double LegEndTolerance = 1e-6;

// A change of steps sooner than this after a piece starts (a leg that ended just short of a
// step time) does not make a piece of its own.
constexpr double ShortestPieceSeconds = 0.001;

// Whole degrees of three digits, "090°".
QString Degrees(double degrees)
{
    const long whole = std::lround(degrees) % 360;
    return QStringLiteral("%1\u00b0").arg(whole, 3, 10, QLatin1Char('0'));
}

QString Knots(double knots)
{
    return QStringLiteral("%1 kn").arg(knots, 0, 'f', 1);
}

QString TimeText(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

// "Route point 2 (Newport)", or "Route point 2" for a point without a name.
QString PointText(int number, const QString &name)
{
    const QString point = QStringLiteral("Route point %1").arg(number);
    return name.isEmpty() ? point : QStringLiteral("%1 (%2)").arg(point, name);
}

QString PointName(int number, const QString &name)
{
    return name.isEmpty() ? QStringLiteral("point %1").arg(number) : name;
}

// "Leg 3 (Hurst to Yarmouth)".
QString LegText(int number, const RoutePoint &from, const RoutePoint &to)
{
    return QStringLiteral("Leg %1 (%2 to %3)")
        .arg(number)
        .arg(PointName(number, from.Name), PointName(number + 1, to.Name));
}

PlanFailure RouteFailure(PlanProblem problem, const QString &text)
{
    PlanFailure failure;
    failure.Problem = problem;
    failure.Text = text;
    return failure;
}

// The time t (epoch seconds) as a local date and time, counted from the departure so that
// equal times give equal date-times.
QDateTime LocalTime(const QDateTime &departure, double departureSeconds, double t)
{
    return departure.addMSecs(std::llround((t - departureSeconds) * 1000));
}

} // namespace

PassagePlanner::PassagePlanner(const AppState &state, const WaterMask &mask,
                               const std::vector<HighWaterEvent> &highWaters)
    : state_(state), mask_(mask), streams_(state, mask, highWaters)
{ }

PassagePlanner::CheckedRoute PassagePlanner::Check(const PassageRequest &request) const
{
    CheckedRoute route;
    const std::vector<RoutePoint> &points = request.Route;
    if (points.size() < 2) {
        route.Failure = RouteFailure(PlanProblem::RouteTooShort,
                                     QStringLiteral("A route needs at least two points"));
        return route;
    }
    if (!(request.BoatSpeedKn > 0) || !std::isfinite(request.BoatSpeedKn)) {
        route.Failure = RouteFailure(PlanProblem::NoBoatSpeed,
                                     QStringLiteral("The boat speed must be more than 0 knots"));
        return route;
    }
    if (!request.Departure.isValid()) {
        route.Failure = RouteFailure(PlanProblem::NoDeparture,
                                     QStringLiteral("The departure time is not a valid time"));
        return route;
    }

    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF picture = ToPicture(state_, points[i].Position);
        const Ground ground = mask_.GroundAt(picture.x(), picture.y());
        if (ground == Ground::Water)
            continue;
        const int number = static_cast<int>(i) + 1;
        const bool land = ground == Ground::Land;
        route.Failure = RouteFailure(
            land ? PlanProblem::PointOnLand : PlanProblem::PointOffChart,
            PointText(number, points[i].Name)
                + (land ? QStringLiteral(" is on land") : QStringLiteral(" is outside the chart")));
        route.Failure->RoutePoint = number;
        route.Failure->Where = points[i].Position;
        return route;
    }

    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        Leg leg;
        leg.Number = static_cast<int>(i) + 1;
        leg.From = points[i];
        leg.To = points[i + 1];
        leg.DistanceNm = DistanceNm(leg.From.Position, leg.To.Position);
        leg.TrackDegrees = BearingDegrees(leg.From.Position, leg.To.Position);
        const std::optional<Ground> obstacle = FirstObstacle(
            mask_, ToPicture(state_, leg.From.Position), ToPicture(state_, leg.To.Position));
        if (obstacle) {
            const bool land = *obstacle == Ground::Land;
            route.Failure =
                RouteFailure(land ? PlanProblem::LegCrossesLand : PlanProblem::LegLeavesChart,
                             LegText(leg.Number, leg.From, leg.To)
                                 + (land ? QStringLiteral(" crosses land")
                                         : QStringLiteral(" leaves the chart")));
            route.Failure->Leg = leg.Number;
            route.Failure->Where = leg.From.Position;
            return route;
        }
        route.Legs.push_back(leg);
    }
    return route;
}

PassagePlan PassagePlanner::Sail(const CheckedRoute &route, const PassageRequest &request,
                                 const QDateTime &departure) const
{
    PassagePlan plan;
    if (route.Failure) {
        plan.Failure = route.Failure;
        return plan;
    }
    const double speed = request.BoatSpeedKn;
    const double start = EpochSeconds(departure);
    double t = start;

    for (const Leg &leg : route.Legs) {
        double done = 0; // nautical miles of the leg behind
        while (leg.DistanceNm - done > LegEndTolerance) {
            const double remaining = leg.DistanceNm - done;
            const GeoPosition from =
                PointAlong(leg.From.Position, leg.To.Position, done / leg.DistanceNm);
            const auto fail = [&](PlanProblem problem, const QString &why) {
                PlanFailure failure;
                failure.Problem = problem;
                failure.Leg = leg.Number;
                failure.Piece = static_cast<int>(plan.Pieces.size()) + 1;
                failure.At = LocalTime(departure, start, t);
                failure.Where = from;
                failure.Text = QStringLiteral("%1, piece %2 from %3: %4")
                                   .arg(LegText(leg.Number, leg.From, leg.To))
                                   .arg(failure.Piece)
                                   .arg(TimeText(failure.At), why);
                plan.Failure = failure;
            };

            // The piece runs to the next change of steps or to the end of the leg, whichever
            // comes first; its length depends on the speed over the ground, which depends on
            // the stream at its middle.
            double change = streams_.Timeline().NextChange(t);
            if (change - t < ShortestPieceSeconds)
                change = streams_.Timeline().NextChange(change);
            double overGround = speed;
            double length = 0;
            StreamVector stream;
            CourseToSteer triangle;
            for (int iteration = 0; iteration < MostIterations; ++iteration) {
                length = std::min(remaining, overGround * (change - t) / SecondsPerHour);
                const double middle = done + length / 2;
                const double middleTime = t + length / 2 / overGround * SecondsPerHour;
                const StreamAnswer answer = streams_.At(
                    PointAlong(leg.From.Position, leg.To.Position, middle / leg.DistanceNm),
                    middleTime);
                if (answer.Status == StreamStatus::NoHighWaterNear) {
                    fail(PlanProblem::NoHighWaterNear,
                         QStringLiteral("the stream is unknown, no high water is within 6 hours"));
                    return plan;
                }
                if (answer.Status == StreamStatus::NoStationInSameWater) {
                    fail(PlanProblem::NoStreamStation,
                         QStringLiteral("the stream is unknown, no tidal station is in the "
                                        "same water"));
                    return plan;
                }
                stream = answer.Stream;
                triangle =
                    SolveCourseToSteer(leg.TrackDegrees, speed, SetDegrees(stream), RateKn(stream));
                if (triangle.Status != TriangleStatus::Solved) {
                    const QString streamText =
                        QStringLiteral("the stream sets %1 at %2")
                            .arg(Degrees(SetDegrees(stream)), Knots(RateKn(stream)));
                    if (triangle.Status == TriangleStatus::CannotHoldTrack)
                        fail(PlanProblem::CannotHoldTrack,
                             QStringLiteral("%1, more across the track %2 than the boat's %3: "
                                            "it cannot hold its track")
                                 .arg(streamText, Degrees(leg.TrackDegrees), Knots(speed)));
                    else
                        fail(PlanProblem::NoProgress,
                             QStringLiteral("%1 and the boat makes no progress along the track "
                                            "%2")
                                 .arg(streamText, Degrees(leg.TrackDegrees)));
                    return plan;
                }
                const bool settled =
                    std::fabs(triangle.SpeedOverGroundKn - overGround) < SpeedTolerance;
                overGround = triangle.SpeedOverGroundKn;
                if (settled)
                    break;
            }

            length = std::min(remaining, overGround * (change - t) / SecondsPerHour);
            const bool toChange = length < remaining;
            const double end = toChange ? change : t + length / overGround * SecondsPerHour;
            const double reached = toChange ? done + length : leg.DistanceNm;

            PlanPiece piece;
            piece.Leg = leg.Number;
            piece.From = leg.From.Name;
            piece.To = leg.To.Name;
            piece.StartPosition = from;
            piece.EndPosition =
                PointAlong(leg.From.Position, leg.To.Position, reached / leg.DistanceNm);
            piece.Start = LocalTime(departure, start, t);
            piece.End = LocalTime(departure, start, end);
            piece.TrackDegrees = leg.TrackDegrees;
            piece.DistanceNm = reached - done;
            piece.SetDegrees = SetDegrees(stream);
            piece.RateKn = RateKn(stream);
            piece.CourseTrueDegrees = triangle.CourseDegrees;
            if (request.VariationDegrees)
                piece.CourseMagneticDegrees =
                    NormalDegrees(triangle.CourseDegrees - *request.VariationDegrees);
            piece.SpeedOverGroundKn = overGround;
            plan.Pieces.push_back(piece);
            plan.DistanceNm += piece.DistanceNm;
            done = reached;
            t = end;
        }
    }
    plan.DurationHours = (t - start) / SecondsPerHour;
    plan.Arrival = LocalTime(departure, start, t);
    return plan;
}

PassagePlan PassagePlanner::Plan(const PassageRequest &request) const
{
    return Sail(Check(request), request, request.Departure);
}

DepartureSweep PassagePlanner::Sweep(const PassageRequest &request, double hoursEachWay) const
{
    DepartureSweep sweep;
    const CheckedRoute route = Check(request);
    const double hours =
        std::clamp(std::isnan(hoursEachWay) ? 0 : hoursEachWay, 0.0, LongestSweepHours);
    const int eachWay = static_cast<int>(std::floor(hours * 60 / SweepIntervalMinutes + 1e-9));
    for (int m = -eachWay; m <= eachWay; ++m) {
        const QDateTime departure = request.Departure.addSecs(m * SweepIntervalMinutes * 60LL);
        const PassagePlan plan = Sail(route, request, departure);
        SweepEntry entry;
        entry.Departure = departure;
        entry.Failure = plan.Failure;
        if (plan.Succeeded()) {
            entry.Arrival = plan.Arrival;
            entry.DurationHours = plan.DurationHours;
            if (!sweep.Best || plan.DurationHours < sweep.Entries[*sweep.Best].DurationHours)
                sweep.Best = sweep.Entries.size();
        }
        sweep.Entries.push_back(entry);
    }
    return sweep;
}

} // namespace brenlow
