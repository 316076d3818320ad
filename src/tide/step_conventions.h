#pragma once

#include "tide/high_water_time.h"

#include <QLocale>
#include <QString>
#include <QTime>

#include <cstdint>
#include <optional>

namespace brenlow {

struct AppState;

// StepIndex: the half-hour steps of a tide, 1 = six hours before high water, 13 = high water,
// 25 = six hours after.
inline constexpr std::int32_t FirstStep = 1;
inline constexpr std::int32_t HighWaterStep = 13;
inline constexpr std::int32_t LastStep = 25;
inline constexpr std::int32_t MinutesPerStep = 30;

// Hours from high water: (step - 1) * 0.5 - 6, so step 1 is -6.0 and step 25 is +6.0.
constexpr double HourOffset(std::int32_t step)
{
    return (step - 1) * 0.5 - 6;
}

// Whole minutes from high water: HourOffset * 60.
constexpr std::int32_t MinuteOffset(std::int32_t step)
{
    return (step - HighWaterStep) * MinutesPerStep;
}

// The hour offset as the step label shows it: "-6.0", "-0.5", "0.0", "0.5", "6.0".
QString HourOffsetText(std::int32_t step);

// The clock time of a step: the high-water time plus its minute offset, wrapping past
// midnight (high water 03:00, step 1 -> 21:00:00).
QTime StepClockTime(QTime highWater, std::int32_t step);

// "hh:mm:ss" on the 24-hour clock, as the time labels show a time.
QString ClockText(QTime time);

// The present time as the clock label shows it: hours, minutes and seconds in the locale's own
// time format, without a date or a time zone ("21:48:05", "9:48:05 PM").
QString ClockNowText(QTime time, const QLocale &locale);

// The text of the active high water: the second when SecondTideActive, else the first.
const QString &ActiveHighWaterText(const AppState &state);

// The active high water read as a time; nothing when its text is empty or not a time.
std::optional<HighWaterTime> ActiveHighWater(const AppState &state);

// The tide the steps count from when only one high water is given: that one's (true for the
// second); with both or neither given, second as it is.
bool OneSidedTide(const AppState &state, bool second);

// Whether a high-water text gives a high water at all: a text that does not read as a time
// counts as not given.
bool HighWaterGiven(const QString &text);

} // namespace brenlow
