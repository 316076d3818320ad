// High and low waters against an independent predictor's tables, and the high waters of a
// local day in the machine's time zone.
#include "support/test_platform.h"
#include "tides/reference_table.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

// The constituents the reference predictor reads differently (tests/tides/README.md).
const std::vector<QString> Disputed{"3N2", "3L2", "T3", "R3"};

TEST(TidePrediction, AgreesWithReferenceToTwoMinutesAndTwoCentimetres)
{
    const TideConstants constants = test::ContentTideConstants(Disputed);
    std::vector<TideExtreme> predicted;
    for (const QDate month : {QDate(2026, 6, 1), QDate(2027, 9, 1), QDate(2028, 12, 1),
                              QDate(2029, 3, 1), QDate(2030, 7, 1)}) {
        const QDateTime from(month, QTime(0, 0), Qt::UTC);
        const QDateTime to(month.addMonths(1), QTime(0, 0), Qt::UTC);
        // The tables keep what falls in the month at the minute.
        for (const TideExtreme &extreme : PredictExtremes(constants, from.addSecs(-60), to))
            if (NearestMinute(extreme.Utc) >= from && NearestMinute(extreme.Utc) < to)
                predicted.push_back(extreme);
    }
    const auto faults =
        test::Disagreements(test::ReadReferenceTable("reference_extremes_common.txt"), predicted);
    for (const std::string &fault : faults)
        ADD_FAILURE() << fault;
}

// Guards against turns lost or found twice where the stretches of the search meet.
TEST(TidePrediction, FindsTheSameTurnsWhereverTheSpanIsCut)
{
    const TideConstants constants = test::ContentTideConstants();
    const QDateTime from(QDate(2027, 3, 1), QTime(0, 0), Qt::UTC);
    const QDateTime to = from.addDays(10);
    const auto whole = PredictExtremes(constants, from, to);
    for (const qint64 cutSeconds : {1, 361, 86400, 3 * 86400 + 7}) {
        auto pieces = PredictExtremes(constants, from, from.addSecs(cutSeconds));
        const auto rest = PredictExtremes(constants, from.addSecs(cutSeconds), to);
        pieces.insert(pieces.end(), rest.begin(), rest.end());
        ASSERT_EQ(pieces.size(), whole.size()) << cutSeconds;
        for (std::size_t k = 0; k < whole.size(); ++k)
            EXPECT_LE(std::abs(pieces[k].Utc.secsTo(whole[k].Utc)), 1) << cutSeconds;
    }
}

// From the reference table: 2 June 2026 holds one high water (the others fall at 23:54 on the
// 1st and 00:33 on the 3rd), 1 June two.
TEST(HighWatersOfLocalDay, GivesOneOrTwoAsTheDayHolds)
{
    const test::ScopedTimeZone utc("UTC");
    const TideConstants constants = test::ContentTideConstants(Disputed);
    const auto localTime = [](const std::optional<TideExtreme> &extreme) {
        return extreme ? NearestMinute(extreme->Utc).toLocalTime().toString("HH:mm") : QString();
    };
    const LocalHighWaters one = HighWatersOfLocalDay(constants, QDate(2026, 6, 2));
    EXPECT_EQ(localTime(one.First), "12:26");
    EXPECT_NEAR(one.First->HeightM, 3.99, 0.02);
    EXPECT_FALSE(one.Second.has_value());
    const LocalHighWaters two = HighWatersOfLocalDay(constants, QDate(2026, 6, 1));
    EXPECT_EQ(localTime(two.First), "11:49");
    EXPECT_EQ(localTime(two.Second), "23:54");
}

// Guards: a slight rise in the low-water stand (11:14, 1.99 m) was taken for the second high
// water of 24 November 2028, and the real one at 17:16 was lost.
TEST(HighWatersOfLocalDay, PassesOverTheWobblesOfTheLowWaterStand)
{
    const test::ScopedTimeZone utc("UTC");
    const TideConstants constants = test::ContentTideConstants();
    const LocalHighWaters day = HighWatersOfLocalDay(constants, QDate(2028, 11, 24));
    ASSERT_TRUE(day.First && day.Second);
    EXPECT_EQ(NearestMinute(day.First->Utc).toString("HH:mm"), "05:08");
    EXPECT_EQ(NearestMinute(day.Second->Utc).toString("HH:mm"), "17:16");
}

// A clock-change day is 23 or 25 hours long, and each high water takes the offset in force at
// its own instant.
TEST(HighWatersOfLocalDay, FollowsTheClockChangesOfEuropeLondon)
{
    const test::ScopedTimeZone london("Europe/London");
    const QTimeZone zone("Europe/London");
    const TideConstants constants = test::ContentTideConstants();
    for (const QDate date : {QDate(2026, 3, 29), QDate(2026, 10, 25), QDate(2027, 10, 31)}) {
        std::vector<QDateTime> expected;
        const QDateTime noon(date, QTime(12, 0), Qt::UTC);
        for (const TideExtreme &extreme :
             PredictExtremes(constants, noon.addDays(-1), noon.addDays(1)))
            if (extreme.High && extreme.Utc.toTimeZone(zone).date() == date)
                expected.push_back(extreme.Utc);
        const LocalHighWaters highWaters = HighWatersOfLocalDay(constants, date);
        ASSERT_TRUE(expected.size() == 2 && highWaters.First && highWaters.Second) << date.day();
        EXPECT_LE(std::abs(highWaters.First->Utc.secsTo(expected[0])), 1);
        EXPECT_LE(std::abs(highWaters.Second->Utc.secsTo(expected[1])), 1);
    }
    // 31 October 2027: 00:05 UTC falls before the change (01:05 BST), 12:11 UTC after it.
    const LocalHighWaters autumn = HighWatersOfLocalDay(constants, QDate(2027, 10, 31));
    EXPECT_EQ(NearestMinute(autumn.First->Utc).toLocalTime().toString("HH:mm"), "01:05");
    EXPECT_EQ(NearestMinute(autumn.Second->Utc).toLocalTime().toString("HH:mm"), "12:11");
}

} // namespace
} // namespace brenlow
