// Start-up and the main window with the high waters of the day, typed or predicted; the rule
// itself is tested in tests/options.
#include "app/main_screen.h"

#include "core/installation_files.h"
#include "render/redraw.h"
#include "support/program_files.h"
#include "support/program_run.h"
#include "tide/clock_tick.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

// Wednesday 9 December 2026 in London: high waters predicted at 11:07 (4.1 m) and 23:40
// (4.1 m), and on the Thursday only at 11:41 (4.1 m).
struct DayRun : test::ProgramRun
{
    explicit DayRun(bool constants = true) : test::ProgramRun(QStringLiteral("brenlow-day"))
    {
        test::WriteInstallation(folder, {test::StationLine(test::SteadyStation("1.5", "90"))});
        if (constants)
            folder.CopyFromBuiltProgram(QString::fromLatin1(TideConstantsFileName));
    }
    QString Setting(const char *key)
    {
        return settings.GetSetting(folder.Info().AppName, "config", key, "<unset>");
    }

    test::ScopedTimeZone london{"Europe/London"};
};

TEST(DayHighWatersStart, WithoutTypedTimesOpensAtThePresentStepOfThePrediction)
{
    DayRun run;
    run.clock.Time = QTime(10, 37);
    MainScreen screen(run.state, run.services);
    ASSERT_TRUE(screen.Load());

    EXPECT_EQ(QStringList({run.state.HighWater1Text, run.state.Height1Text,
                           run.state.HighWater2Text, run.state.Height2Text}),
              QStringList({"11:07", "4.1", "23:40", "4.1"}));
    EXPECT_EQ(run.state.CurrentStep, 12);
    EXPECT_EQ(screen.showingtime->text(), "10:37:00");
    EXPECT_EQ(screen.daytide->text(), "Wed 9 Dec 2026\nHW 11:07 4.1 m (predicted)");
    EXPECT_EQ(run.Setting("highwater1"), "<unset>") << "a prediction is not stored";

    // The title band follows the tide the steps are counted from.
    RedrawStep(run.state, screen.View(), ShownStep{1, true}, RedrawWay{});
    EXPECT_EQ(screen.daytide->text(), "Wed 9 Dec 2026\nHW 23:40 4.1 m (predicted)");
}

TEST(DayHighWatersStart, TimesAnOlderVersionStoredWithoutADayCountAsTypedToday)
{
    DayRun run;
    run.settings.SaveSetting(run.folder.Info().AppName, "config", "highwater1", "14:30");
    run.clock.Time = QTime(14, 45);
    MainScreen screen(run.state, run.services);
    ASSERT_TRUE(screen.Load());
    EXPECT_EQ(run.state.CurrentStep, 14);
    EXPECT_EQ(screen.daytide->text(), "Wed 9 Dec 2026 · HW 14:30 (typed)");
    EXPECT_EQ(run.Setting("typeddate"), "2026-12-09");
}

TEST(DayHighWatersStart, WithoutTheConstantsFileStartsAndSaysWhyInTheTitleBandOnly)
{
    DayRun run(false);
    MainScreen screen(run.state, run.services);
    ASSERT_TRUE(screen.Load());
    EXPECT_EQ(run.state.CurrentStep, 13);
    ASSERT_EQ(run.messages.Shown.size(), 1u);
    EXPECT_EQ(run.messages.Shown[0].Text, "Warning Flow database is not Encrypted");
    const QStringList lines = screen.daytide->toolTip().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "Wed 9 Dec 2026 · no high water given");
    EXPECT_TRUE(lines[1].startsWith("no prediction: ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains(QLatin1String(TideConstantsFileName)));
}

TEST(DayHighWatersStart, ANewDayBringsItsHighWatersAndKeepsTheStep)
{
    DayRun run;
    run.clock.Time = QTime(23, 59, 59);
    MainScreen screen(run.state, run.services);
    ASSERT_TRUE(screen.Load());
    ASSERT_EQ(run.state.CurrentStep, 14); // 19 minutes after 23:40
    ASSERT_TRUE(run.state.SecondTideActive);

    run.clock.Time = QTime(0, 0, 1);
    run.clock.Date = QDate(2026, 12, 10);
    screen.Clock().Tick();

    EXPECT_EQ(run.state.HighWater1Text, "11:41");
    EXPECT_EQ(run.state.HighWater2Text, "");
    EXPECT_EQ(run.state.CurrentStep, 14);
    EXPECT_FALSE(run.state.SecondTideActive) << "the one high water left is counted from";
    EXPECT_EQ(screen.highwater->text(), "11:41:00");
    EXPECT_EQ(screen.daytide->text(), "Thu 10 Dec 2026\nHW 11:41 4.1 m (predicted)");
}

} // namespace
} // namespace brenlow
