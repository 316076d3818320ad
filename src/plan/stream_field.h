#pragma once

#include "plan/geo_position.h"
#include "plan/tide_timeline.h"

#include <QPointF>

#include <cstddef>
#include <optional>
#include <vector>

namespace brenlow {

struct AppState;
class WaterMask;

// A tidal stream as east and north components in knots: the direction is the way the water
// flows to, degrees true, as the chart's arrows point.
struct StreamVector
{
    double EastKn = 0;
    double NorthKn = 0;
};

StreamVector StreamFromSetAndRate(double setDegrees, double rateKn);
double SetDegrees(StreamVector stream); // 0 <= set < 360; 0 for no stream
double RateKn(StreamVector stream);

// Stations this far away (nautical miles) or nearer, in the same water, make the stream at a
// point.
inline constexpr double NeighbourRadiusNm = 3;

enum class StreamStatus {
    Known,
    NoHighWaterNear,      // more than six hours before the first high water or after the last
    NoStationInSameWater, // no station with a stream then is reachable without crossing land
};

struct StreamAnswer
{
    StreamStatus Status = StreamStatus::Known;
    StreamVector Stream; // when Known
};

// The tidal stream at any point and time of the chart, from the stations of the flow database
// as the chart shows them (each station's stored rate carried through the rate table to the
// height of the high water the moment is counted from).
//
// In time: between the two steps around the moment, linearly in the east and north
// components; in the gap between two tides more than twelve hours apart, between step 25 of
// the one and step 1 of the next. In space: the inverse-distance-squared mean of the stations
// within NeighbourRadiusNm that are in the same water (the straight line to them on the chart
// picture stays on water); with none that near, the nearest station in the same water. A station
// without a stream at the moment (no direction, or no rate, at either step used) is passed
// over. At a station's own point the stream is that station's.
class StreamField
{
public:
    // Keeps references to state (stations, rate table, chart geometry) and mask.
    StreamField(const AppState &state, const WaterMask &mask,
                const std::vector<HighWaterEvent> &highWaters);

    // where in WGS84 degrees, t in epoch seconds.
    StreamAnswer At(GeoPosition where, double t) const;

    // Station number station (1 .. N of the flow database) at a moment; nothing when it has no
    // stream then.
    std::optional<StreamVector> StationAt(std::size_t station, const TideMoment &moment) const;

    const TideTimeline &Timeline() const { return timeline_; }

private:
    struct Station
    {
        GeoPosition Position;
        QPointF Picture; // picture pixels
    };

    bool InSameWater(QPointF picture, const Station &station) const;

    const AppState &state_;
    const WaterMask &mask_;
    TideTimeline timeline_;
    std::vector<Station> stations_; // station n at n - 1
    // The stream of each station at each step of each high water, [highWater][station][step]
    // with step 1..25 at 0..24; a component that is not a number marks no stream.
    std::vector<StreamVector> steps_;
};

} // namespace brenlow
