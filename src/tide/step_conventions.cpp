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

const QString &ActiveHighWaterText(const AppState &state)
{
    return state.SecondTideActive ? state.HighWater2Text : state.HighWater1Text;
}

std::optional<HighWaterTime> ActiveHighWater(const AppState &state)
{
    return ReadHighWaterTime(ActiveHighWaterText(state));
}

bool HighWaterGiven(const QString &text)
{
    return ReadHighWaterTime(text).has_value();
}

} // namespace brenlow
