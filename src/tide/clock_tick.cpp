#include "tide/clock_tick.h"

#include "core/clock.h"
#include "tide/step_conventions.h"

#include <utility>

namespace brenlow {

ClockTick::ClockTick(const Clock &clock, std::function<void(const QString &)> showTime,
                     QLocale locale)
    : clock_(clock), showTime_(std::move(showTime)), locale_(std::move(locale))
{ }

void ClockTick::SetPanCountdown(std::function<void()> countdown)
{
    panCountdown_ = std::move(countdown);
}

void ClockTick::SetDayWatch(std::function<void()> watch)
{
    dayWatch_ = std::move(watch);
}

void ClockTick::Tick()
{
    showTime_(ClockNowText(clock_.TimeOfDay(), locale_));
    if (panCountdown_)
        panCountdown_();
    if (dayWatch_)
        dayWatch_();
}

} // namespace brenlow
