#pragma once

#include <QString>
#include <QTime>

#include <cstdint>
#include <optional>

namespace brenlow {

struct AppState;
class ChartRedraw;
class Clock;
class MessageBoxes;

// The step that covers a time of day, and the tide it is counted from.
struct PresentStep
{
    std::int32_t Step = 0; // StepIndex 1..25
    bool SecondTide = false;
};

// The step of the first high water within six hours (-360..360 whole minutes, seconds of both
// times dropped) of now, else that of the second; nothing when neither covers now. The step is
// minutes / 30 + 13 rounded with halves to even (15 min -> 13.5 -> 14, 45 min -> 14.5 -> 14).
// There is no wrap over midnight, a text with a date never covers now, and a text that is not
// a time counts as not given.
std::optional<PresentStep> FindPresentStep(const QString &highWater1, const QString &highWater2,
                                           QTime now);

// Finds the step that covers the present time from the high-water texts, makes it current,
// redraws the chart and returns true; returns false and changes nothing when none covers it.
// A redraw that fails throws AppError, unless reportFailure: then it is told, the chart and
// the step stay as they were, and the result is false.
bool ShowPresentStep(AppState &state, const Clock &clock, ChartRedraw &redraw,
                     bool reportFailure = false);

// Start-up's first drawing: the present step, or else high water (step 13) of the tide the
// state already names, on a freshly loaded chart picture.
void ShowOpeningStep(AppState &state, const Clock &clock, ChartRedraw &redraw);

// The shownow button: the present step, or a message saying why there is none.
void ShowNowClicked(AppState &state, const Clock &clock, ChartRedraw &redraw,
                    MessageBoxes &messages);

} // namespace brenlow
