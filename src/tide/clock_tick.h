#pragma once

#include <QLocale>
#include <QString>

#include <functional>

namespace brenlow {

class Clock;

// The main window's one-second clock: each tick shows the present time of day in its label,
// then runs the idle countdown of pan mode, then lets the program follow a new day, once per
// tick.
class ClockTick
{
public:
    // The time is shown in the locale's time format: the user's, unless told otherwise.
    ClockTick(const Clock &clock, std::function<void(const QString &)> showTime,
              QLocale locale = QLocale());

    // The second step of every tick: the pointer modes' countdown.
    void SetPanCountdown(std::function<void()> countdown);
    // The third step of every tick: the high waters of the day follow the date.
    void SetDayWatch(std::function<void()> watch);

    void Tick();

private:
    const Clock &clock_;
    std::function<void(const QString &)> showTime_;
    std::function<void()> panCountdown_;
    std::function<void()> dayWatch_;
    QLocale locale_;
};

} // namespace brenlow
