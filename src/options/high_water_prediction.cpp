#include "options/high_water_prediction.h"

#include "core/heights.h"
#include "core/installation_files.h"
#include "core/program_info.h"
#include "tide/decimal_rules.h"
#include "tide/high_water_in_use.h"
#include "tides/tide_prediction.h"

#include <QStringList>

#include <algorithm>
#include <utility>

namespace brenlow {
namespace {

QString HeightText(double heightM)
{
    return FormatOneDecimal(heightM);
}

// The height the streams are worked out for: the nearest within the range of the rate table.
QString ChartedHeightText(double heightM)
{
    return HeightText(std::clamp(heightM, LowestHeight, HighestHeight));
}

QString TimeText(QTime time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

// A high water as the tide tables give it: local time to the nearest minute, kept on its own
// day (a turn at 23:59:40 is 23:59, not 00:00 of the day after).
PredictedHighWater OnLocalDay(const TideExtreme &extreme, QDate localDate)
{
    const QDateTime local = NearestMinute(extreme.Utc).toLocalTime();
    const QTime time = local.date() == localDate ? local.time() : QTime(23, 59);
    return PredictedHighWater{time, extreme.HeightM};
}

} // namespace

HighWaterPredictor::HighWaterPredictor(TideConstantsResult constants)
    : constants_(std::move(constants))
{ }

HighWaterPredictor HighWaterPredictor::FromProgramFolder(const ProgramInfo &program)
{
    return HighWaterPredictor(
        LoadTideConstants(program.FilePath(QString::fromLatin1(TideConstantsFileName))));
}

DayPrediction HighWaterPredictor::Predict(QDate localDate) const
{
    DayPrediction prediction{localDate, {}, {}};
    if (!constants_.Constants) {
        prediction.Unavailable = constants_.Error;
        return prediction;
    }
    const LocalHighWaters found = HighWatersOfLocalDay(*constants_.Constants, localDate);
    for (const std::optional<TideExtreme> &extreme : {found.First, found.Second}) {
        if (extreme)
            prediction.HighWaters.push_back(OnLocalDay(*extreme, localDate));
    }
    if (prediction.HighWaters.empty())
        prediction.Unavailable = QStringLiteral("no high water on ") + DayText(localDate);
    return prediction;
}

QString PredictionText(const DayPrediction &prediction)
{
    if (!prediction.Available())
        return QStringLiteral("no prediction: ") + prediction.Unavailable;
    QStringList highWaters;
    for (const PredictedHighWater &highWater : prediction.HighWaters) {
        QString text = TimeText(highWater.Time) + QLatin1Char(' ') + HeightText(highWater.HeightM)
            + QStringLiteral(" m");
        const QString charted = ChartedHeightText(highWater.HeightM);
        if (charted != HeightText(highWater.HeightM))
            text += QStringLiteral(" (streams for ") + charted + QStringLiteral(" m)");
        highWaters << text;
    }
    const QString one =
        prediction.HighWaters.size() == 1 ? QStringLiteral("one high water, ") : QString();
    return QStringLiteral("Predicted: ") + one + highWaters.join(QStringLiteral(", "));
}

HighWaterTexts PredictedTexts(const DayPrediction &prediction)
{
    HighWaterTexts texts;
    const auto fill = [&prediction](std::size_t i, QString &time, QString &height) {
        if (i >= prediction.HighWaters.size())
            return;
        const PredictedHighWater &highWater = prediction.HighWaters[i];
        time = TimeText(highWater.Time);
        height = ChartedHeightText(highWater.HeightM);
    };
    fill(0, texts.HighWater1, texts.Height1);
    fill(1, texts.HighWater2, texts.Height2);
    return texts;
}

} // namespace brenlow
