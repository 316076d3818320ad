#pragma once

namespace brenlow {

struct AppState;
class Clock;
class StepView;

// Finds the step that covers the present time from the high-water texts, makes it current,
// redraws the chart and returns true; returns false and changes nothing when none covers it.
bool ShowPresentStep(AppState &state, const Clock &clock, StepView &view);

} // namespace brenlow
