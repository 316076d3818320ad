#include "render/redraw.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "render/test_step_view.h"
#include "support/test_platform.h"
#include "tide/present_step.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace brenlow {
namespace {

class RedrawTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        state.BackdropPath = folder.FilePath(QStringLiteral("backdrop.bmp"));
        test::WriteBlankPicture(state.BackdropPath, 200, 200);
        test::SetOneStationChart(state, 100, 100, 1, 90, 2.5);
        state.HighWater1Text = QStringLiteral("14:30");
    }

    test::TempProgramFolder folder;
    AppState state;
    test::TestStepView view;
    test::RecordingMessageBoxes messages;
};

TEST_F(RedrawTest, WaysSetTheViewFlagAndThePleaseWaitWindow)
{
    struct Row
    {
        const char *name;
        RedrawWay way;
        bool mainWindowShown;
        bool keepViewAfter;
        QStringList log;
    };
    const Row rows[] = {
        {"step change",
         {true, true},
         true,
         true,
         {"show please-wait", "load", "close please-wait"}},
        {"present step",
         {false, true},
         true,
         false,
         {"show please-wait", "load", "close please-wait"}},
        {"before the window shows", {true, true}, false, true, {"load"}},
        {"animation frame", {true, false}, true, true, {"load"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        view.log.clear();
        view.shown = row.mainWindowShown;
        view.surface.SetFitOnLoad(true);
        view.surface.SetKeepViewOnLoad(false);
        RedrawStep(state, view, ShownStep{14, true}, row.way);
        EXPECT_EQ(view.log, row.log);
        EXPECT_FALSE(view.surface.FitOnLoad());
        EXPECT_EQ(view.surface.KeepViewOnLoad(), row.keepViewAfter);
        EXPECT_EQ(state.CurrentStep, 14);
        EXPECT_TRUE(state.SecondTideActive);
        EXPECT_EQ(view.labels.ShowingHw, "0.5");
        EXPECT_EQ(view.surface.DisplayList().size(), 2u) << "one arrow and its label";
    }
}

// Regression: a chart picture gone bad after start-up threw out of the event loop.
TEST_F(RedrawTest, FailedPictureIsToldAndLeavesTheChartAndTheStep)
{
    const std::function<void(const QString &)> breakings[] = {
        [](const QString &path) { QFile::remove(path); },
        [](const QString &path) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("not a picture");
        },
    };
    for (const auto &breakPicture : breakings) {
        RedrawStep(state, view, ShownStep{5, false}, RedrawWay{});
        test::WriteBlankPicture(state.BackdropPath, 200, 200);
        const std::size_t drawn = view.surface.DisplayList().size();
        breakPicture(state.BackdropPath);
        messages.Shown.clear();
        view.log.clear();

        EXPECT_FALSE(RedrawStepOrReport(state, view, messages, ShownStep{9, true}, RedrawWay{}));

        ASSERT_EQ(messages.Shown.size(), 1u);
        EXPECT_TRUE(messages.Shown[0].Text.startsWith("The chart could not be redrawn: "));
        EXPECT_TRUE(messages.Shown[0].Text.contains(state.BackdropPath)) << "names the file";
        EXPECT_EQ(messages.Shown[0].Title, "Brenlow");
        EXPECT_EQ(view.log.back(), "close please-wait");
        EXPECT_EQ(state.CurrentStep, 5);
        EXPECT_FALSE(state.SecondTideActive);
        EXPECT_EQ(view.labels.ShowingHw, "-4.0");
        EXPECT_EQ(view.surface.DisplayList().size(), drawn);

        test::WriteBlankPicture(state.BackdropPath, 200, 200);
    }
}

// Regression: the same fault through the shownow button ended the program.
TEST_F(RedrawTest, ShowNowWithTheChartPictureGoneIsToldNotThrown)
{
    QFile::remove(state.BackdropPath);
    const test::FixedClock clock{QTime(15, 0)};
    StepRedraw redraw(state, view, messages);
    EXPECT_NO_THROW(ShowNowClicked(state, clock, redraw, messages));
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_TRUE(messages.Shown[0].Text.contains(state.BackdropPath));
}

} // namespace
} // namespace brenlow
