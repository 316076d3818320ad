#pragma once

#include "tides/tide_constants.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <vector>

namespace brenlow {

struct ProgramInfo;

// One predicted high water at Portsmouth: local time to the minute, height in metres above
// chart datum.
struct PredictedHighWater
{
    QTime Time;
    double HeightM = 0;
};

// The predicted high waters of a local day, in time order (one or two); none, with the reason,
// when there is no prediction.
struct DayPrediction
{
    QDate Date;
    std::vector<PredictedHighWater> HighWaters;
    QString Unavailable;

    bool Available() const { return !HighWaters.empty(); }
};

// The four texts of the options window's high-water inputs, as AppState holds them.
struct HighWaterTexts
{
    QString HighWater1;
    QString Height1;
    QString HighWater2;
    QString Height2;

    bool operator==(const HighWaterTexts &) const = default;
};

// Portsmouth's high waters from the tidal constants in the program folder, read once. A
// missing or damaged constants file leaves the prediction unavailable, saying why.
class HighWaterPredictor
{
public:
    explicit HighWaterPredictor(TideConstantsResult constants);
    static HighWaterPredictor FromProgramFolder(const ProgramInfo &program);

    // The reason there is no prediction on any day; empty when the constants were read.
    const QString &Unavailable() const { return constants_.Error; }
    DayPrediction Predict(QDate localDate) const;

private:
    TideConstantsResult constants_;
};

// The prediction as the user reads it: "Predicted: 11:07 4.1 m, 23:40 4.1 m", "Predicted: one
// high water, 11:07 4.1 m", "no prediction: <reason>"; a height outside the rate table's range
// says which the streams are shown for: "17:16 3.2 m (streams for 3.4 m)".
QString PredictionText(const DayPrediction &prediction);

// The prediction as the options window's inputs hold high waters: times "hh:mm", heights with
// one decimal; the second pair empty on a day of one high water, all four empty without a
// prediction. A height outside the range the stream rates are worked out for (3.4 to 5.0 m)
// is given as the nearest end of it, so that the chart and the options' checks take it.
HighWaterTexts PredictedTexts(const DayPrediction &prediction);

} // namespace brenlow
