#include "tide/step_navigation.h"

#include "core/app_state.h"
#include "render/redraw.h"
#include "render/test_step_view.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace brenlow {
namespace {

TEST(StepNavigation, WrapsIntoTheOtherTideByTheHighWatersGiven)
{
    struct Row
    {
        const char *name;
        QString highWater1, highWater2;
        bool secondBefore;
        std::int32_t stepBefore;
        bool forward;
        ShownStep after;
    };
    const Row rows[] = {
        {"both, first tide, forward at 25", "10:00", "22:20", false, 25, true, {1, true}},
        {"both, first tide, back at 1", "10:00", "22:20", false, 1, false, {25, true}},
        {"both, second tide, forward at 25", "10:00", "22:20", true, 25, true, {1, false}},
        {"both, second tide, back at 1", "10:00", "22:20", true, 1, false, {25, false}},
        {"first only, first tide", "10:00", "", false, 25, true, {1, false}},
        {"first only, second flag", "10:00", "", true, 1, false, {25, false}},
        {"second only, first flag", "", "22:20", false, 25, true, {1, true}},
        {"second only, second tide", "", "22:20", true, 1, false, {25, true}},
        {"none, first flag", "", "", false, 25, true, {1, false}},
        {"none, second flag", "", "", true, 1, false, {25, true}},
        {"second only, no wrap still counts from it", "", "22:20", false, 7, true, {8, true}},
        {"both, no wrap keeps the tide", "10:00", "22:20", true, 7, false, {6, true}},
        {"first only, no wrap counts from it", "10:00", "", true, 7, true, {8, false}},
    };
    for (const Row &row : rows) {
        AppState state;
        state.HighWater1Text = row.highWater1;
        state.HighWater2Text = row.highWater2;
        state.SecondTideActive = row.secondBefore;
        state.CurrentStep = row.stepBefore;
        const ShownStep after = row.forward ? NextStep(state) : PreviousStep(state);
        EXPECT_EQ(after.Step, row.after.Step) << row.name;
        EXPECT_EQ(after.SecondTide, row.after.SecondTide) << row.name;
    }
}

TEST(StepNavigation, JumpListEntriesLeadToTheirSteps)
{
    const QStringList entries = JumpListEntries();
    ASSERT_EQ(entries.size(), 25);
    EXPECT_EQ(entries.first(), "-6.0");
    EXPECT_EQ(entries[12], "HW");
    EXPECT_EQ(entries.last(), "+6.0");
    for (int i = 0; i < entries.size(); ++i)
        EXPECT_EQ(JumpListStep(entries[i]), i + 1) << entries[i].toStdString();
    EXPECT_EQ(JumpListStep("+0.5"), 14);
    EXPECT_EQ(JumpListStep("-0.5"), 12);
    EXPECT_EQ(JumpListStep("+6.5"), std::nullopt);
}

// A please-wait window during which one more event is handled, as pending events are.
class PumpingStepView : public test::TestStepView
{
public:
    void ShowPleaseWait() override
    {
        TestStepView::ShowPleaseWait();
        if (std::function<void()> pending = std::exchange(Pending, nullptr))
            pending();
    }
    std::function<void()> Pending;
};

class NotPlaying : public AnimationStatus
{
public:
    bool Playing() const override { return false; }
};

// Guards: the step was worked out before the please-wait window let events run, so a click
// handled meanwhile was undone.
TEST(StepNavigation, AClickHandledWhileThePleaseWaitWindowPaintsIsSteppedFrom)
{
    struct Row
    {
        const char *name;
        void (StepNavigator::*first)();
        void (StepNavigator::*queued)();
        std::int32_t after; // from step 9
    };
    const Row rows[] = {
        {"two forward", &StepNavigator::SkipRight, &StepNavigator::SkipRight, 11},
        {"two back", &StepNavigator::SkipLeft, &StepNavigator::SkipLeft, 7},
        {"back then forward", &StepNavigator::SkipLeft, &StepNavigator::SkipRight, 9},
    };
    for (const Row &row : rows) {
        test::TempProgramFolder folder;
        AppState state;
        state.BackdropPath = folder.FilePath(QStringLiteral("backdrop.bmp"));
        test::WriteBlankPicture(state.BackdropPath, 300, 200);
        test::SetOneStationChart(state, 100, 100, 1.0, 90, 1.0);
        state.CurrentStep = 9;
        PumpingStepView view;
        test::RecordingMessageBoxes messages;
        NotPlaying animation;
        StepRedraw redraw(state, view, messages);
        StepNavigator navigator(state, redraw, animation);
        view.Pending = [&] { (navigator.*row.queued)(); };
        (navigator.*row.first)();
        EXPECT_EQ(state.CurrentStep, row.after) << row.name;
        EXPECT_TRUE(messages.Shown.empty()) << row.name;
    }
}

} // namespace
} // namespace brenlow
