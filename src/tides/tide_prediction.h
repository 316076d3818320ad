#pragma once

#include "tides/tide_constants.h"

#include <QDate>
#include <QDateTime>

#include <optional>
#include <vector>

namespace brenlow {

// A high or low water: its time (UTC, to the second) and height above chart datum.
struct TideExtreme
{
    QDateTime Utc;
    double HeightM = 0;
    bool High = false;
};

// The height of the tide above chart datum at an instant, in metres:
//   h(t) = Z0 + Σ f H cos(V(t) + u - g).
double PredictHeight(const TideConstants &constants, const QDateTime &utc);

// The high and low waters from fromUtc (included) to toUtc (excluded), in time order. Every
// turn of the tide is found that lies more than a few minutes from the next one.
std::vector<TideExtreme> PredictExtremes(const TideConstants &constants, const QDateTime &fromUtc,
                                         const QDateTime &toUtc);

// The high waters whose time falls on a date of the machine's local time zone, in order. A day
// holds one or two (the tide turns about every 12 h 25 min), so Second is often empty; First
// is empty only for constants without a semi-diurnal tide. Turns of the tide below mean sea
// level are not high waters.
struct LocalHighWaters
{
    std::optional<TideExtreme> First;
    std::optional<TideExtreme> Second;
};

LocalHighWaters HighWatersOfLocalDay(const TideConstants &constants, QDate localDate);

// A time rounded to the nearest whole minute (half a minute rounds up), as tide tables give it.
QDateTime NearestMinute(const QDateTime &time);

} // namespace brenlow
