#include "render/redraw.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "core/chart_surface.h"
#include "core/message_boxes.h"
#include "core/step_view.h"
#include "render/flow_renderer.h"

#include <exception>

namespace brenlow {
namespace {

// Closes the please-wait window however the redraw ends.
class PleaseWaitShown
{
public:
    PleaseWaitShown(StepView &view, bool wanted) : view_(view), shown_(wanted && view.IsShown())
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

void RedrawStep(AppState &state, StepView &view, const StepChoice &choose, RedrawWay way)
{
    const PleaseWaitShown pleaseWait(view, way.PleaseWait);
    const ShownStep shown = choose(state);
    ImageSurface &surface = view.Surface();
    surface.SetFitOnLoad(false);
    if (way.KeepView)
        surface.SetKeepViewOnLoad(true);
    surface.LoadImageFile(state.BackdropPath);
    state.CurrentStep = shown.Step;
    state.SecondTideActive = shown.SecondTide;
    Draw_flows(state, surface, view.Labels(), state.CurrentStep);
    view.StepDrawn();
}

void RedrawStep(AppState &state, StepView &view, ShownStep shown, RedrawWay way)
{
    RedrawStep(
        state, view, [shown](const AppState &) { return shown; }, way);
}

bool RedrawStepOrReport(AppState &state, StepView &view, MessageBoxes &messages,
                        const StepChoice &choose, RedrawWay way)
{
    try {
        RedrawStep(state, view, choose, way);
        return true;
    } catch (const AppError &error) {
        // Above all a chart picture damaged or removed since start-up.
        messages.Inform(QStringLiteral("The chart could not be redrawn: ") + error.Description());
    } catch (const std::exception &error) {
        messages.Inform(QStringLiteral("The chart could not be redrawn: ")
                        + QString::fromLocal8Bit(error.what()));
    }
    return false;
}

bool RedrawStepOrReport(AppState &state, StepView &view, MessageBoxes &messages, ShownStep shown,
                        RedrawWay way)
{
    return RedrawStepOrReport(
        state, view, messages, [shown](const AppState &) { return shown; }, way);
}

ShownStep CurrentShownStep(const AppState &state)
{
    return ShownStep{state.CurrentStep, state.SecondTideActive};
}

} // namespace brenlow
