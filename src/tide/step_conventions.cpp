#include "tide/step_conventions.h"

#include "core/app_state.h"
#include "tide/decimal_rules.h"

namespace brenlow {

QString HourOffsetText(std::int32_t step)
{
    return FormatOneDecimal(HourOffset(step));
}

QTime StepClockTime(QTime highWater, std::int32_t step)
{
    return highWater.addSecs(MinuteOffset(step) * 60);
}

QString ClockText(QTime time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString ClockNowText(QTime time, const QLocale &locale)
{
    // The long format is the one with seconds; its time-zone fields ("t", "tttt") and the
    // spaces before them go, quoted literals stay as they are.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t')) {
            while (kept.endsWith(QLatin1Char(' ')))
                kept.chop(1);
            continue;
        }
        kept.append(c);
    }
    kept = kept.trimmed();
    if (!kept.contains(QLatin1Char('s')))
        kept = QStringLiteral("HH:mm:ss");
    return locale.toString(time, kept);
}

const QString &ActiveHighWaterText(const AppState &state)
{
    return state.SecondTideActive ? state.HighWater2Text : state.HighWater1Text;
}

std::optional<HighWaterTime> ActiveHighWater(const AppState &state)
{
    return ReadHighWaterTime(ActiveHighWaterText(state));
}

bool OneSidedTide(const AppState &state, bool second)
{
    const bool first = !state.HighWater1Text.isEmpty();
    const bool other = !state.HighWater2Text.isEmpty();
    if (other && !first)
        return true;
    // Without it a cleared second high water would leave the steps counted from nothing: "From
    // HW" would change while "Stream time" stayed on the high water that is gone.
    if (first && !other)
        return false;
    return second;
}

bool HighWaterGiven(const QString &text)
{
    return ReadHighWaterTime(text).has_value();
}

} // namespace brenlow
