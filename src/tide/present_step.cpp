#include "tide/present_step.h"

#include "core/app_state.h"
#include "core/clock.h"
#include "core/message_boxes.h"
#include "core/rounding.h"
#include "core/shown_step.h"
#include "tide/high_water_time.h"
#include "tide/step_conventions.h"

namespace brenlow {

namespace {

constexpr std::int32_t CoverMinutes = 6 * 60;

std::optional<std::int32_t> StepCovering(const QString &highWaterText, QTime now)
{
    const std::optional<HighWaterTime> highWater = ReadHighWaterTime(highWaterText);
    if (!highWater || highWater->HasDate)
        return std::nullopt;
    const std::int32_t minutes = (now.hour() * 60 + now.minute())
        - (highWater->TimeOfDay.hour() * 60 + highWater->TimeOfDay.minute());
    if (minutes < -CoverMinutes || minutes > CoverMinutes)
        return std::nullopt;
    return RoundToInt32(static_cast<double>(minutes) / MinutesPerStep + HighWaterStep);
}

// Makes the step found current and redraws; see ShowPresentStep.
bool ShowFoundStep(ChartRedraw &redraw, PresentStep present, bool reportFailure)
{
    const ShownStep shown{present.Step, present.SecondTide};
    const RedrawWay way{.KeepView = false, .PleaseWait = true};
    if (reportFailure)
        return redraw.RedrawOrReport(shown, way);
    redraw.Redraw(shown, way);
    return true;
}

} // namespace

std::optional<PresentStep> FindPresentStep(const QString &highWater1, const QString &highWater2,
                                           QTime now)
{
    if (const std::optional<std::int32_t> step = StepCovering(highWater1, now))
        return PresentStep{*step, false};
    if (const std::optional<std::int32_t> step = StepCovering(highWater2, now))
        return PresentStep{*step, true};
    return std::nullopt;
}

bool ShowPresentStep(AppState &state, const Clock &clock, ChartRedraw &redraw, bool reportFailure)
{
    const std::optional<PresentStep> present =
        FindPresentStep(state.HighWater1Text, state.HighWater2Text, clock.TimeOfDay());
    return present && ShowFoundStep(redraw, *present, reportFailure);
}

void ShowOpeningStep(AppState &state, const Clock &clock, ChartRedraw &redraw)
{
    if (ShowPresentStep(state, clock, redraw))
        return;
    redraw.Redraw(ShownStep{HighWaterStep, state.SecondTideActive},
                  RedrawWay{.KeepView = false, .PleaseWait = false});
}

void ShowNowClicked(AppState &state, const Clock &clock, ChartRedraw &redraw,
                    MessageBoxes &messages)
{
    if (!HighWaterGiven(state.HighWater1Text) && !HighWaterGiven(state.HighWater2Text)) {
        messages.Inform(QStringLiteral("please enter HW times in the options windows"));
        return;
    }
    const std::optional<PresentStep> present =
        FindPresentStep(state.HighWater1Text, state.HighWater2Text, clock.TimeOfDay());
    if (!present) {
        messages.Inform(
            QStringLiteral("No valid Highwater coverage, Please check Highwater times in options"));
        return;
    }
    ShowFoundStep(redraw, *present, true);
}

} // namespace brenlow
