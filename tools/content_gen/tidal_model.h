#pragma once

#include "geo.h"

#include <QString>

#include <array>
#include <map>
#include <vector>

namespace brenlow::content {

inline constexpr int StepCount = 25;             // half-hour steps, HW-6 .. HW+6
inline constexpr double TidePeriodHours = 12.42; // semi-diurnal (M2) period
inline constexpr double SpringHeight = 4.7;      // metres, Portsmouth MHWS
inline constexpr double DefaultHeight = 4.3;     // metres, the program's default height

// Hour offset of a step from high water at Portsmouth: step 1 = -6, 13 = 0, 25 = +6.
constexpr double StepHour(int step)
{
    return (step - 1) * 0.5 - 6.0;
}

// The timing of a station's two streams, in hours from high water at Portsmouth.
struct Regime
{
    double Start = 0;    // the first stream begins (a whole or half hour)
    double Duration = 0; // and runs this long; the second runs for the rest of the period
};

struct Stream
{
    int Direction = 0;     // degrees true, the way the water goes
    double SpringRate = 0; // knots at its strongest, at springs
};

struct Station
{
    QString Title;
    GeoPoint Position;
    QString RegimeName;
    Regime Timing;
    Stream First;
    Stream Second;
    bool SpringReferenced = false; // rates stored for a 4.7 m high water, else for 4.3 m
    QString Description;
};

// The stream at a station for one step, at springs.
struct StreamAt
{
    int Direction = 0;
    double SpringRate = 0; // 0 at the step where a stream begins (slack water)
};

// Each stream follows half a sine wave over its duration: within the first stream,
// rate = First.SpringRate * sin(pi * (h - Start) / Duration); within the second, likewise with
// its own start (Start + Duration) and duration (TidePeriodHours - Duration). Before Start the
// second stream of the previous tide runs. The direction is that of the stream running; at the
// very turn it is the new stream's.
StreamAt StreamAtStep(const Station &station, int step);

// Reads "content/stations.txt": regime lines, then station lines (see the file's header).
// Throws std::runtime_error naming the line of a malformed entry.
std::vector<Station> ReadStations(const QString &path);

} // namespace brenlow::content
