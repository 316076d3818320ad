#pragma once

#include "core/shown_step.h"

namespace brenlow {

struct AppState;
class MessageBoxes;
class StepView;

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

// The same, with the step chosen once pending events have run.
void RedrawStep(AppState &state, StepView &view, const StepChoice &choose, RedrawWay way);
bool RedrawStepOrReport(AppState &state, StepView &view, MessageBoxes &messages,
                        const StepChoice &choose, RedrawWay way);

// The shown step of the state, for a redraw that changes no step.
ShownStep CurrentShownStep(const AppState &state);

// The redraw above as the operations of the tide layer ask for it, on one main window.
class StepRedraw final : public ChartRedraw
{
public:
    StepRedraw(AppState &state, StepView &view, MessageBoxes &messages)
        : state_(state), view_(view), messages_(messages)
    { }
    using ChartRedraw::Redraw;
    using ChartRedraw::RedrawOrReport;
    void Redraw(const StepChoice &choose, RedrawWay way) override
    {
        RedrawStep(state_, view_, choose, way);
    }
    bool RedrawOrReport(const StepChoice &choose, RedrawWay way) override
    {
        return RedrawStepOrReport(state_, view_, messages_, choose, way);
    }

private:
    AppState &state_;
    StepView &view_;
    MessageBoxes &messages_;
};

} // namespace brenlow
