#include "tide/clock_tick.h"

#include "platform/clock.h"
#include "tide/step_conventions.h"

#include <utility>

namespace brenlow {

ClockTick::ClockTick(const Clock &clock, std::function<void(const QString &)> showTime)
    : clock_(clock), showTime_(std::move(showTime))
{ }

void ClockTick::SetPanCountdown(std::function<void()> countdown)
{
    panCountdown_ = std::move(countdown);
}

void ClockTick::Tick()
{
    showTime_(ClockText(clock_.TimeOfDay()));
    if (panCountdown_)
        panCountdown_();
}

} // namespace brenlow
