#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <cstdint>
#include <optional>

namespace brenlow {

struct AppState;

// "Wed 9 Dec 2026": day, date, month and year in English, like every other text of the
// program, whatever the user's language.
QString DayText(QDate date);

// The high water the steps are counted from: the active one, or the only one given (so that it
// agrees with the tide the chart's steps follow), with its height text as given (empty when
// none is).
struct HighWaterInUse
{
    QTime Time;
    QString HeightText;
};
std::optional<HighWaterInUse> FindHighWaterInUse(const AppState &state);

// The title band's line: the day, the high water in use and where it came from, e.g.
// "Wed 9 Dec 2026 · HW 11:07 4.1 m (predicted)" or "Wed 9 Dec 2026 · no high water given".
QString DayTideText(const AppState &state);

// A printed page's third caption line: the date and clock time of the step's stream with the
// high water it is counted from, e.g. "Wed 9 Dec 2026, stream at 09:48 (HW 11:48, 4.0 m)";
// the date moves with the clock past midnight (HW 01:00, step 1 -> the evening before). The
// date alone when no high water is given, and empty when neither is known.
QString StreamDayText(const AppState &state, std::int32_t step);

} // namespace brenlow
