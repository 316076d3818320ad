#include "options/day_high_waters.h"

#include "core/installation_files.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

namespace brenlow {
namespace {

const QDate Wednesday(2026, 12, 9); // predicted in London: 11:07 4.14 m, 23:40 4.06 m
const HighWaterTexts WednesdayPredicted{"11:07", "4.1", "23:40", "4.1"};
const HighWaterTexts Typed{"10:00", "4.5", "22:20", ""};

// The predictor on the constants file the build puts in the program folder.
HighWaterPredictor ContentPredictor()
{
    const test::TempProgramFolder folder;
    folder.CopyFromBuiltProgram(QString::fromLatin1(TideConstantsFileName));
    return HighWaterPredictor::FromProgramFolder(folder.Info());
}

TEST(DayHighWaters, TypedForTheDayWinElsePredictedElseTyped)
{
    const test::ScopedTimeZone london("Europe/London");
    const HighWaterPredictor content = ContentPredictor();
    const HighWaterPredictor missing(TideConstantsResult{std::nullopt, "tides.txt: gone"});
    const auto P = HighWaterOrigin::Predicted;
    const auto T = HighWaterOrigin::Typed;
    const auto None = HighWaterOrigin::None;
    struct Row
    {
        const char *name;
        HighWaterTexts typed;
        QDate typedFor;
        bool predict;
        const HighWaterPredictor &predictor;
        HighWaterTexts used;
        HighWaterOrigin origin;
        const char *notice;
    } const rows[] = {
        {"nothing typed", {}, {}, true, content, WednesdayPredicted, P, ""},
        {"typed for today", Typed, Wednesday, true, content, Typed, T, ""},
        {"typed for yesterday", Typed, Wednesday.addDays(-1), true, content, WednesdayPredicted, P,
         ""},
        {"heights alone are no high water",
         {"", "4.5", "", ""},
         Wednesday,
         true,
         content,
         WednesdayPredicted,
         P,
         ""},
        {"prediction off", Typed, Wednesday.addDays(-1), false, content, Typed, T, ""},
        {"prediction off, nothing typed", {}, {}, false, content, {}, None, ""},
        {"no constants", Typed, Wednesday.addDays(-1), true, missing, Typed, T, "tides.txt: gone"},
        {"no constants, nothing typed", {}, {}, true, missing, {}, None, "tides.txt: gone"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const HighWaterChoice choice = ChooseHighWaters(
            TypedHighWaters{row.typed, row.typedFor, row.predict}, Wednesday, row.predictor);
        EXPECT_EQ(choice.Texts, row.used);
        EXPECT_EQ(choice.Day.Date, Wednesday);
        EXPECT_EQ(choice.Day.Origin, row.origin);
        EXPECT_EQ(choice.Day.PredictionNotice, QString::fromLatin1(row.notice));
    }
}

TEST(DayHighWaters, PredictionsAreLocalTimesWithHeightsTheChartCanUse)
{
    const HighWaterPredictor content = ContentPredictor();
    struct Row
    {
        const char *zone;
        QDate date;
        const char *said;
        HighWaterTexts texts;
    } const rows[] = {
        {"Europe/London", Wednesday, "Predicted: 11:07 4.1 m, 23:40 4.1 m", WednesdayPredicted},
        {"America/New_York",
         Wednesday,
         "Predicted: 06:07 4.1 m, 18:40 4.1 m",
         {"06:07", "4.1", "18:40", "4.1"}},
        // The next high water falls at 00:12 on the 11th.
        {"Europe/London",
         Wednesday.addDays(1),
         "Predicted: one high water, 11:41 4.1 m",
         {"11:41", "4.1", "", ""}},
        // A neap below the rate table's lowest column is charted at its end.
        {"Europe/London",
         QDate(2026, 2, 10),
         "Predicted: 04:39 3.6 m, 17:15 3.3 m (streams for 3.4 m)",
         {"04:39", "3.6", "17:15", "3.4"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.date.toString(Qt::ISODate).toStdString() + " " + row.zone);
        const test::ScopedTimeZone zone(row.zone);
        const DayPrediction prediction = content.Predict(row.date);
        EXPECT_EQ(PredictionText(prediction), QString::fromLatin1(row.said));
        EXPECT_EQ(PredictedTexts(prediction), row.texts);
    }
}

// What an options save stores as the day of its high waters.
TEST(DayHighWaters, TypedDateToSave)
{
    const TypedHighWaters stored{Typed, Wednesday.addDays(-2), true};
    const TypedHighWaters undated{Typed, QDate(), true};
    struct Row
    {
        const char *name;
        HighWaterTexts saved;
        const TypedHighWaters &loaded;
        std::optional<QDate> predictionUsed;
        const char *date;
    } const rows[] = {
        {"no time saved", {"", "4.5", "", ""}, stored, Wednesday, ""},
        {"unchanged keeps its day", {"10:00", "4,5", "22:20", ""}, stored, {}, "2026-12-07"},
        {"changed: today", {"10:05", "4.5", "22:20", ""}, stored, {}, "2026-12-09"},
        {"unchanged without a day: today", Typed, undated, {}, "2026-12-09"},
        {"a prediction used: its day", Typed, stored, Wednesday.addDays(3), "2026-12-12"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TypedDateToSave(row.saved, row.loaded, row.predictionUsed, Wednesday),
                  QString::fromLatin1(row.date));
    }
}

} // namespace
} // namespace brenlow
