#include "tide/high_water_in_use.h"

#include "core/app_state.h"
#include "tide/high_water_time.h"
#include "tide/step_conventions.h"

#include <QDateTime>
#include <QLocale>

namespace brenlow {
namespace {

QString ShortTime(QTime time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

QString OriginText(HighWaterOrigin origin)
{
    switch (origin) {
    case HighWaterOrigin::Predicted:
        return QStringLiteral("predicted");
    case HighWaterOrigin::Typed:
        return QStringLiteral("typed");
    case HighWaterOrigin::None:
        break;
    }
    return {};
}

} // namespace

QString DayText(QDate date)
{
    return QLocale::c().toString(date, QStringLiteral("ddd d MMM yyyy"));
}

std::optional<HighWaterInUse> FindHighWaterInUse(const AppState &state)
{
    const bool second = OneSidedTide(state, state.SecondTideActive);
    const std::optional<HighWaterTime> time =
        ReadHighWaterTime(second ? state.HighWater2Text : state.HighWater1Text);
    if (!time)
        return std::nullopt;
    return HighWaterInUse{time->TimeOfDay,
                          (second ? state.Height2Text : state.Height1Text).trimmed()};
}

QString DayTideText(const AppState &state)
{
    const QDate date = state.HighWaterDay.Date;
    const QString day = date.isValid() ? DayText(date) + QStringLiteral(" · ") : QString();
    const std::optional<HighWaterInUse> inUse = FindHighWaterInUse(state);
    if (!inUse)
        return day + QStringLiteral("no high water given");
    QString text = day + QStringLiteral("HW ") + ShortTime(inUse->Time);
    if (!inUse->HeightText.isEmpty())
        text += QLatin1Char(' ') + inUse->HeightText + QStringLiteral(" m");
    const QString origin = OriginText(state.HighWaterDay.Origin);
    if (!origin.isEmpty())
        text += QStringLiteral(" (") + origin + QLatin1Char(')');
    return text;
}

QString StreamDayText(const AppState &state, std::int32_t step)
{
    const QDate date = state.HighWaterDay.Date;
    const std::optional<HighWaterInUse> inUse = FindHighWaterInUse(state);
    if (!inUse)
        return date.isValid() ? DayText(date) : QString();

    // Clock arithmetic, as the time labels do it: a change of summer time does not move it.
    const QDateTime highWater(date.isValid() ? date : QDate(2000, 1, 1), inUse->Time, Qt::UTC);
    const QDateTime stream = highWater.addSecs(MinuteOffset(step) * 60);
    QString text = date.isValid() ? DayText(stream.date()) + QStringLiteral(", ") : QString();
    text += QStringLiteral("stream at ") + ShortTime(stream.time()) + QStringLiteral(" (HW ")
        + ShortTime(inUse->Time);
    if (!inUse->HeightText.isEmpty())
        text += QStringLiteral(", ") + inUse->HeightText + QStringLiteral(" m");
    if (state.HighWaterDay.Origin == HighWaterOrigin::Predicted)
        text += QStringLiteral(", predicted");
    return text + QLatin1Char(')');
}

} // namespace brenlow
