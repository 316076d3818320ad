#pragma once

#include <cstdint>
#include <functional>

namespace brenlow {

struct AppState;

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

// The step of a redraw, worked out from the state only once the please-wait window has let
// pending events run: a click or frame handled meanwhile is stepped from, not undone.
using StepChoice = std::function<ShownStep(const AppState &state)>;

// The one redraw of the chart, as the operations that change the step ask for it; the
// renderer carries it out. Redraw throws AppError when the chart picture cannot be loaded or
// the step drawn (for start-up, whose fatal report handles it); RedrawOrReport tells such a
// failure in a plain message and returns whether the step is shown. Either way a failure
// leaves the chart, the step and the tide as they were.
class ChartRedraw
{
public:
    virtual ~ChartRedraw() = default;
    virtual void Redraw(const StepChoice &choose, RedrawWay way) = 0;
    virtual bool RedrawOrReport(const StepChoice &choose, RedrawWay way) = 0;

    void Redraw(ShownStep shown, RedrawWay way)
    {
        Redraw([shown](const AppState &) { return shown; }, way);
    }
    bool RedrawOrReport(ShownStep shown, RedrawWay way)
    {
        return RedrawOrReport([shown](const AppState &) { return shown; }, way);
    }
};

} // namespace brenlow
