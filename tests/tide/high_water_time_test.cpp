#include "tide/high_water_time.h"

#include <gtest/gtest.h>

namespace brenlow {
namespace {

TEST(HighWaterTimeTest, ReadsTheWaysUsersTypeATime)
{
    struct Case
    {
        QString text;
        QTime time;
        bool hasDate;
    };
    const Case cases[] = {
        {"14:30", QTime(14, 30), false},
        {"14:30:00", QTime(14, 30), false},
        {"14:30:45", QTime(14, 30, 45), false},
        {"9:05", QTime(9, 5), false},
        {"2:30 PM", QTime(14, 30), false},
        {"2:30 am", QTime(2, 30), false},
        {"12:15 AM", QTime(0, 15), false},
        {"12:15 PM", QTime(12, 15), false},
        {"2 PM", QTime(14, 0), false},
        {"14.30", QTime(14, 30), false}, // the "xx.xx" the options messages ask for
        {"2.30 PM", QTime(14, 30), false},
        {"  14:30  ", QTime(14, 30), false},
        {"00:00", QTime(0, 0), false},
        {"23:59:59", QTime(23, 59, 59), false},
        {"08/12/2026 14:30", QTime(14, 30), true},
        {"8-12-26 2:30 PM", QTime(14, 30), true},
        {"2026-12-08 14:30:10", QTime(14, 30, 10), true},
        {"08.12.2026 14.30", QTime(14, 30), true},
        {"08/12/2026", QTime(0, 0), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const std::optional<HighWaterTime> read = ReadHighWaterTime(c.text);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->TimeOfDay, c.time);
        EXPECT_EQ(read->HasDate, c.hasDate);
    }
}

TEST(HighWaterTimeTest, RefusesWhatIsNotATime)
{
    const QString cases[] = {
        "",      "   ",       "14",           "24:00",      "14:60", "13:30 PM",
        "soon",  "14:30 xyz", "31/02/2026",   "14,30",      "1430",  "14:30:00:00",
        "-1:30", "14::30",    "08/12/2026 x", "08/13/2026", "PM",
    };
    for (const QString &text : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_FALSE(ReadHighWaterTime(text).has_value());
    }
}

} // namespace
} // namespace brenlow
