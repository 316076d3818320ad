#pragma once

#include <cstdint>
#include <functional>

namespace brenlow {

struct AppState;
class MessageBoxes;
class StepView;

// The step a redraw shows and the tide it is counted from.
struct ShownStep
{
    std::int32_t Step = 0; // StepIndex 1..25
    bool SecondTide = false;
};

// How a caller redraws. KeepView sets the surface's KeepViewOnLoad before the load, as every
// caller does but start-up and the present step; PleaseWait shows the please-wait window
// around the redraw while the main window is on the screen.
struct RedrawWay
{
    bool KeepView = true;
    bool PleaseWait = true;
};

// The one redraw of the chart: FitOnLoad off (KeepViewOnLoad on when asked), the clean chart
// picture loaded from BackdropPath, the step and its tide made current, then Draw_flows.
// Throws AppError when the picture cannot be loaded or the step drawn; a picture that fails
// leaves the surface, the step and the tide as they were. For start-up, whose fatal report
// handles the error.
void RedrawStep(AppState &state, StepView &view, ShownStep shown, RedrawWay way);

// Every redraw after start-up: a failure is told in a plain message naming the file, the
// please-wait window closes, and the program goes on with the chart and the step as they
// were. Returns whether the step is shown.
bool RedrawStepOrReport(AppState &state, StepView &view, MessageBoxes &messages, ShownStep shown,
                        RedrawWay way);

// A redraw whose step is worked out from the state only once the please-wait window has let
// pending events run: a click or frame handled meanwhile is stepped from, not undone.
using StepChoice = std::function<ShownStep(const AppState &state)>;
void RedrawStep(AppState &state, StepView &view, const StepChoice &choose, RedrawWay way);
bool RedrawStepOrReport(AppState &state, StepView &view, MessageBoxes &messages,
                        const StepChoice &choose, RedrawWay way);

// The shown step of the state, for a redraw that changes no step.
ShownStep CurrentShownStep(const AppState &state);

} // namespace brenlow
