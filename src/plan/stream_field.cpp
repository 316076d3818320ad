#include "plan/stream_field.h"

#include "core/app_state.h"
#include "plan/water_mask.h"
#include "render/station_stream.h"
#include "tide/step_conventions.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace brenlow {

namespace {

constexpr double DegreesToRadians = std::numbers::pi / 180;
constexpr double NoValue = std::numeric_limits<double>::quiet_NaN();

// A point nearer a station than this (nautical miles, about 2 mm) is at the station.
constexpr double AtStationNm = 1e-6;

bool HasValue(StreamVector stream)
{
    return !std::isnan(stream.EastKn);
}

} // namespace

StreamVector StreamFromSetAndRate(double setDegrees, double rateKn)
{
    return {rateKn * std::sin(setDegrees * DegreesToRadians),
            rateKn * std::cos(setDegrees * DegreesToRadians)};
}

double SetDegrees(StreamVector stream)
{
    if (stream.EastKn == 0 && stream.NorthKn == 0)
        return 0;
    return NormalDegrees(std::atan2(stream.EastKn, stream.NorthKn) / DegreesToRadians);
}

double RateKn(StreamVector stream)
{
    return std::hypot(stream.EastKn, stream.NorthKn);
}

StreamField::StreamField(const AppState &state, const WaterMask &mask,
                         const std::vector<HighWaterEvent> &highWaters)
    : state_(state), mask_(mask), timeline_(highWaters)
{
    const std::size_t count = state.StationTable.empty() ? 0 : state.StationTable.size() - 1;
    stations_.reserve(count);
    for (std::size_t i = 1; i <= count; ++i) {
        const StationRecord &record = state.StationTable[i];
        const GeoPosition position = FromChartUnits({record.ChartX, record.ChartY});
        stations_.push_back({position, ToPicture(state, position)});
    }

    const RateLookup rates(state);
    steps_.reserve(timeline_.Count() * count * StepCount);
    for (std::size_t k = 0; k < timeline_.Count(); ++k) {
        for (std::size_t i = 1; i <= count; ++i) {
            for (std::int32_t step = FirstStep; step <= LastStep; ++step) {
                const StationStream stream =
                    StreamAtStep(rates, state.StationTable[i], step, timeline_.Height(k));
                // What the chart draws nothing for has no stream: no direction, or no rate.
                const bool drawn = stream.Direction >= 0 && stream.Rate >= 0;
                steps_.push_back(drawn ? StreamFromSetAndRate(stream.Direction, stream.Rate)
                                       : StreamVector{NoValue, NoValue});
            }
        }
    }
}

std::optional<StreamVector> StreamField::StationAt(std::size_t station,
                                                   const TideMoment &moment) const
{
    const auto index = [&](std::size_t highWater, std::int32_t step) {
        return (highWater * stations_.size() + station - 1) * StepCount
            + static_cast<std::size_t>(step - FirstStep);
    };
    const StreamVector before = steps_[index(moment.HighWater, moment.Step)];
    // Between two tides the stream runs from step 25 of the one to step 1 of the next, each
    // carried to its own high water's height.
    const StreamVector after = moment.Step == LastStep
        ? steps_[index(moment.HighWater + 1, FirstStep)]
        : steps_[index(moment.HighWater, moment.Step + 1)];
    // At a step time only that step's stream counts.
    if (moment.Weight == 0)
        return HasValue(before) ? std::optional(before) : std::nullopt;
    if (moment.Weight == 1)
        return HasValue(after) ? std::optional(after) : std::nullopt;
    if (!HasValue(before) || !HasValue(after))
        return std::nullopt;
    const double w = moment.Weight;
    return StreamVector{before.EastKn + (after.EastKn - before.EastKn) * w,
                        before.NorthKn + (after.NorthKn - before.NorthKn) * w};
}

bool StreamField::InSameWater(QPointF picture, const Station &station) const
{
    return !FirstObstacle(mask_, picture, station.Picture).has_value();
}

StreamAnswer StreamField::At(GeoPosition where, double t) const
{
    const std::optional<TideMoment> moment = timeline_.MomentAt(t);
    if (!moment)
        return {StreamStatus::NoHighWaterNear, {}};
    const QPointF picture = ToPicture(state_, where);

    std::vector<double> distances(stations_.size());
    for (std::size_t i = 0; i < stations_.size(); ++i)
        distances[i] = DistanceNm(where, stations_[i].Position);

    double weights = 0;
    StreamVector sum;
    for (std::size_t i = 0; i < stations_.size(); ++i) {
        if (distances[i] > NeighbourRadiusNm)
            continue;
        const std::optional<StreamVector> stream = StationAt(i + 1, *moment);
        if (!stream)
            continue;
        if (distances[i] < AtStationNm)
            return {StreamStatus::Known, *stream};
        if (!InSameWater(picture, stations_[i]))
            continue;
        const double w = 1 / (distances[i] * distances[i]);
        weights += w;
        sum.EastKn += w * stream->EastKn;
        sum.NorthKn += w * stream->NorthKn;
    }
    if (weights > 0)
        return {StreamStatus::Known, {sum.EastKn / weights, sum.NorthKn / weights}};

    // None near: the nearest in the same water, however far.
    std::vector<std::size_t> order(stations_.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return distances[a] < distances[b]; });
    for (const std::size_t i : order) {
        const std::optional<StreamVector> stream = StationAt(i + 1, *moment);
        if (stream && InSameWater(picture, stations_[i]))
            return {StreamStatus::Known, *stream};
    }
    return {StreamStatus::NoStationInSameWater, {}};
}

} // namespace brenlow
