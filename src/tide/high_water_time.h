#pragma once

#include <QString>
#include <QTime>

#include <optional>

namespace brenlow {

// A high-water text read as a time of day. A text that also names a calendar date keeps its
// time of day for the time labels but never covers the present (dateless) time.
struct HighWaterTime
{
    QTime TimeOfDay;
    bool HasDate = false;
};

// Reads a high-water text as the user typed it: "14:30", "14:30:00", "2:30 PM", "14.30" (the
// options messages ask for "xx.xx"), "14" with AM or PM, and any of these after a date written
// day/month/year ("08/12/2026 14:30", "8-12-26", "08.12.2026") or year-month-day
// ("2026-12-08 14:30"); a date alone reads as its midnight. Texts the user's locale writes as
// a short or long time read too. Anything else, the empty text included, is no time.
std::optional<HighWaterTime> ReadHighWaterTime(const QString &text);

} // namespace brenlow
