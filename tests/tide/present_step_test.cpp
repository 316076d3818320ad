#include "tide/present_step.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "render/redraw.h"
#include "render/test_step_view.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

namespace brenlow {
namespace {

TEST(FindPresentStepTest, CoversSixHoursEitherSideOfHighWater)
{
    struct Case
    {
        const char *name;
        QString highWater1, highWater2;
        QTime now;
        std::optional<std::int32_t> step;
        bool second;
    };
    const Case cases[] = {
        {"+360 covered", "14:30", "", QTime(20, 30, 40), 25, false},
        {"+361 not covered", "14:30", "", QTime(20, 31), std::nullopt, false},
        {"-360 covered", "14:30", "", QTime(8, 30), 1, false},
        {"-361 not covered", "14:30", "", QTime(8, 29, 59), std::nullopt, false},
        {"seconds dropped: 14 min", "14:30", "", QTime(14, 44, 59), 13, false},
        {"15 min: 13.5 -> 14", "14:30", "", QTime(14, 45), 14, false},
        {"45 min: 14.5 -> 14", "14:30", "", QTime(15, 15), 14, false},
        {"75 min: 15.5 -> 16", "14:30", "", QTime(15, 45), 16, false},
        {"-15 min: 12.5 -> 12", "14:30", "", QTime(14, 15), 12, false},
        {"-45 min: 11.5 -> 12", "14:30", "", QTime(13, 45), 12, false},
        {"high water's seconds dropped", "14:30:59", "", QTime(20, 30), 25, false},
        {"no wrap over midnight", "23:30", "", QTime(0, 10), std::nullopt, false},
        {"first tide wins", "14:30", "16:00", QTime(15, 0), 14, false},
        {"second only", "", "14:30", QTime(15, 0), 14, true},
        {"first out of reach, second covers", "02:00", "14:30", QTime(15, 0), 14, true},
        {"a date never covers", "08/12/2026 14:30", "", QTime(14, 30), std::nullopt, false},
        {"dated first, second covers", "08/12/2026 14:30", "14:30", QTime(14, 30), 13, true},
        {"typed with a point", "14.30", "", QTime(14, 30), 13, false},
        {"afternoon marker", "2:30 PM", "", QTime(14, 30), 13, false},
        {"unreadable counts as not given", "soon", "14:30", QTime(14, 30), 13, true},
        {"none given", "", "", QTime(14, 30), std::nullopt, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<PresentStep> found = FindPresentStep(c.highWater1, c.highWater2, c.now);
        ASSERT_EQ(found.has_value(), c.step.has_value());
        if (found) {
            EXPECT_EQ(found->Step, *c.step);
            EXPECT_EQ(found->SecondTide, c.second);
        }
    }
}

class PresentStepTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        state.BackdropPath = folder.FilePath(QStringLiteral("backdrop.bmp"));
        test::WriteBlankPicture(state.BackdropPath, 200, 200);
        test::SetOneStationChart(state, 100, 100, 1, 90, 2.5);
        state.CurrentStep = 5;
        state.SecondTideActive = true;
        view.surface.SetFitOnLoad(true);
    }

    test::TempProgramFolder folder;
    AppState state;
    test::TestStepView view;
    test::FixedClock clock{QTime(15, 0)};
    test::RecordingMessageBoxes messages;
    StepRedraw redraw{state, view, messages};
};

TEST_F(PresentStepTest, ShowsTheCoveringStepBehindThePleaseWaitWindow)
{
    state.HighWater1Text = QStringLiteral("14:30");
    EXPECT_TRUE(ShowPresentStep(state, clock, redraw));
    EXPECT_EQ(state.CurrentStep, 14);
    EXPECT_FALSE(state.SecondTideActive);
    EXPECT_EQ(view.log, QStringList({"show please-wait", "load", "close please-wait"}));
    EXPECT_FALSE(view.surface.FitOnLoad());
    EXPECT_EQ(view.surface.DisplayList().size(), 2u) << "one arrow and its label";
    EXPECT_EQ(view.labels.ShowingHw, "0.5");
    EXPECT_EQ(view.labels.ShowingTime, "15:00:00");
}

TEST_F(PresentStepTest, NoPleaseWaitWindowBeforeTheMainWindowShows)
{
    view.shown = false;
    state.HighWater2Text = QStringLiteral("14:30");
    EXPECT_TRUE(ShowPresentStep(state, clock, redraw));
    EXPECT_TRUE(state.SecondTideActive);
    EXPECT_EQ(view.log, QStringList({"load"}));
}

TEST_F(PresentStepTest, ChangesNothingWhenNoHighWaterCovers)
{
    state.HighWater1Text = QStringLiteral("02:00");
    EXPECT_FALSE(ShowPresentStep(state, clock, redraw));
    EXPECT_EQ(state.CurrentStep, 5);
    EXPECT_TRUE(state.SecondTideActive);
    EXPECT_TRUE(view.log.isEmpty());
    EXPECT_TRUE(view.surface.FitOnLoad());
    EXPECT_EQ(view.labels.ShowingHw, "+3.5");
}

TEST_F(PresentStepTest, ClosesThePleaseWaitWindowWhenTheRedrawFails)
{
    state.HighWater1Text = QStringLiteral("14:30");
    state.StationTable.clear();
    EXPECT_THROW(ShowPresentStep(state, clock, redraw), AppError);
    EXPECT_EQ(view.log.back(), "close please-wait");
}

TEST_F(PresentStepTest, OpensAtThePresentStepOrElseAtHighWater)
{
    struct Case
    {
        const char *name;
        QString highWater1;
        std::int32_t step;
        QString showingHw;
    };
    const Case cases[] = {
        {"no high water stored", "", 13, "0.0"},
        {"none covers", "02:00", 13, "0.0"},
        {"covered", "14:30", 14, "0.5"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        view.shown = false;
        view.log.clear();
        view.surface.SetFitOnLoad(true);
        state.SecondTideActive = false;
        state.HighWater1Text = c.highWater1;
        ShowOpeningStep(state, clock, redraw);
        EXPECT_EQ(state.CurrentStep, c.step);
        EXPECT_EQ(view.log, QStringList({"load"}));
        EXPECT_FALSE(view.surface.FitOnLoad());
        EXPECT_EQ(view.labels.ShowingHw, c.showingHw);
        EXPECT_EQ(view.surface.DisplayList().size(), 2u);
    }
}

TEST_F(PresentStepTest, ShowNowSaysWhyThereIsNoStep)
{
    struct Case
    {
        const char *name;
        QString highWater1, highWater2;
        QString message; // empty: the step is shown
    };
    const Case cases[] = {
        {"none given", "", "", "please enter HW times in the options windows"},
        {"none readable", "soon", "", "please enter HW times in the options windows"},
        {"none covers", "02:00", "",
         "No valid Highwater coverage, Please check Highwater times in options"},
        {"covered", "02:00", "14:30", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        messages.Shown.clear();
        view.log.clear();
        state.HighWater1Text = c.highWater1;
        state.HighWater2Text = c.highWater2;
        ShowNowClicked(state, clock, redraw, messages);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(messages.Shown.empty());
            EXPECT_TRUE(view.log.contains("load"));
        } else {
            ASSERT_EQ(messages.Shown.size(), 1u);
            EXPECT_EQ(messages.Shown[0].Text, c.message);
            EXPECT_EQ(messages.Shown[0].Title, "Brenlow");
            EXPECT_TRUE(view.log.isEmpty());
        }
    }
}

} // namespace
} // namespace brenlow
