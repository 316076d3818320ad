#include "tide/present_step.h"

#include "core/app_state.h"
#include "core/rounding.h"
#include "data/field_conversions.h"
#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "render/chart_surface.h"
#include "render/flow_renderer.h"
#include "render/step_view.h"
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

// Closes the please-wait window however the redraw ends.
class PleaseWaitShown
{
public:
    explicit PleaseWaitShown(StepView &view) : view_(view), shown_(view.IsShown())
    {
        if (shown_)
            view_.ShowPleaseWait();
    }
    ~PleaseWaitShown()
    {
        if (shown_)
            view_.ClosePleaseWait();
    }
    PleaseWaitShown(const PleaseWaitShown &) = delete;
    PleaseWaitShown &operator=(const PleaseWaitShown &) = delete;

private:
    StepView &view_;
    bool shown_;
};

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

bool ShowPresentStep(AppState &state, const Clock &clock, StepView &view)
{
    const std::optional<PresentStep> present =
        FindPresentStep(state.HighWater1Text, state.HighWater2Text, clock.TimeOfDay());
    if (!present)
        return false;
    state.SecondTideActive = present->SecondTide;
    state.CurrentStep = present->Step;

    const PleaseWaitShown pleaseWait(view);
    ImageSurface &surface = view.Surface();
    surface.SetFitOnLoad(false);
    surface.LoadImageFile(state.BackdropPath);
    Draw_flows(state, surface, view.Labels(), state.CurrentStep);
    return true;
}

void ShowOpeningStep(AppState &state, const Clock &clock, StepView &view)
{
    if (ShowPresentStep(state, clock, view))
        return;
    ImageSurface &surface = view.Surface();
    surface.SetFitOnLoad(false);
    surface.LoadImageFile(state.BackdropPath);
    state.CurrentStep = HighWaterStep;
    Draw_flows(state, surface, view.Labels(), state.CurrentStep);
}

void ShowNowClicked(AppState &state, const Clock &clock, StepView &view, MessageBoxes &messages)
{
    if (!HighWaterGiven(state.HighWater1Text) && !HighWaterGiven(state.HighWater2Text)) {
        messages.Inform(QStringLiteral("please enter HW times in the options windows"));
        return;
    }
    if (!ShowPresentStep(state, clock, view))
        messages.Inform(
            QStringLiteral("No valid Highwater coverage, Please check Highwater times in options"));
}

} // namespace brenlow
