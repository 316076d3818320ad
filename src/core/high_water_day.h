#pragma once

#include <QDate>
#include <QString>

namespace brenlow {

// Where the high-water texts in use came from: typed in the options window, or predicted from
// Portsmouth's tidal constants; None when no high water is given at all.
enum class HighWaterOrigin { None, Typed, Predicted };

// The local day the high-water texts in use belong to, and where they came from.
struct HighWaterDay
{
    QDate Date; // not valid until start-up has chosen the high waters
    HighWaterOrigin Origin = HighWaterOrigin::None;
    // Why the prediction is unavailable ("portsmouth_tides.txt: ..."); empty when it is
    // available or switched off.
    QString PredictionNotice;
};

} // namespace brenlow
