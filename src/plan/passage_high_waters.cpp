#include "plan/passage_high_waters.h"

#include "core/app_state.h"
#include "render/station_stream.h"
#include "tide/high_water_time.h"
#include "tides/tide_prediction.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace brenlow {

std::vector<HighWaterEvent> PredictedHighWaters(const TideConstants &constants, QDate first,
                                                QDate last)
{
    const QDateTime from(first.addDays(-1), QTime(0, 0), Qt::LocalTime);
    const QDateTime to(last.addDays(2), QTime(0, 0), Qt::LocalTime);
    std::vector<HighWaterEvent> highWaters;
    for (const TideExtreme &extreme : PredictExtremes(constants, from.toUTC(), to.toUTC()))
        if (extreme.High)
            highWaters.push_back({NearestMinute(extreme.Utc).toLocalTime(), extreme.HeightM});
    return highWaters;
}

std::vector<HighWaterEvent> WithTypedHighWaters(std::vector<HighWaterEvent> predicted,
                                                const AppState &state, QDate today)
{
    const QString *const typed[][2] = {{&state.HighWater1Text, &state.Height1Text},
                                       {&state.HighWater2Text, &state.Height2Text}};
    std::vector<bool> replaced(predicted.size(), false);
    std::vector<HighWaterEvent> added;
    const bool predictedToday =
        std::any_of(predicted.begin(), predicted.end(),
                    [&](const HighWaterEvent &event) { return event.Local.date() == today; });
    for (const auto &[timeText, heightText] : typed) {
        const std::optional<HighWaterTime> time = ReadHighWaterTime(*timeText);
        if (!time || time->HasDate)
            continue;
        const QDateTime when(today, QTime(time->TimeOfDay.hour(), time->TimeOfDay.minute()),
                             Qt::LocalTime);
        if (!when.isValid())
            continue;
        // Not a number when no height is typed.
        const double height = heightText->trimmed().isEmpty()
            ? std::numeric_limits<double>::quiet_NaN()
            : HeightFromText(*heightText);
        if (!predictedToday) {
            added.push_back({when, height});
            continue;
        }
        std::optional<std::size_t> nearest;
        qint64 best = qint64(TypedHighWaterReachMinutes) * 60;
        for (std::size_t i = 0; i < predicted.size(); ++i) {
            const qint64 apart = std::abs(predicted[i].Local.secsTo(when));
            if (!replaced[i] && predicted[i].Local.date() == today && apart <= best) {
                best = apart;
                nearest = i;
            }
        }
        if (!nearest)
            continue;
        replaced[*nearest] = true;
        predicted[*nearest].Local = when;
        if (!std::isnan(height))
            predicted[*nearest].HeightM = height;
    }
    predicted.insert(predicted.end(), added.begin(), added.end());
    std::stable_sort(predicted.begin(), predicted.end(),
                     [](const HighWaterEvent &a, const HighWaterEvent &b) {
                         return EpochSeconds(a.Local) < EpochSeconds(b.Local);
                     });
    return predicted;
}

std::vector<HighWaterEvent> PassageHighWaters(const AppState &state, const TideConstants *constants,
                                              QDate today, QDate first, QDate last)
{
    std::vector<HighWaterEvent> predicted;
    if (constants)
        predicted = PredictedHighWaters(*constants, first, last);
    if (today < first.addDays(-1) || today > last.addDays(1))
        return predicted;
    return WithTypedHighWaters(std::move(predicted), state, today);
}

} // namespace brenlow
