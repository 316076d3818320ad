#pragma once

#include "core/shown_step.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace brenlow {

struct AppState;

// The step after the shown one, passing from step 25 to step 1 of the other tide when both
// high waters are given: the forward button and every animation frame.
ShownStep NextStep(const AppState &state);
// The step before it, passing from step 1 to step 25 of the other tide.
ShownStep PreviousStep(const AppState &state);

// The jump list's 25 entries, one per step of the active tide: "-6.0" .. "-0.5", "HW",
// "+0.5" .. "+6.0".
QStringList JumpListEntries();
// The step of a jump-list entry: "HW" is 13, otherwise the hours read from its last four
// characters, two steps an hour ("+0.5" -> 14, "-6.0" -> 1). Nothing for an entry that is not
// one of the list's.
std::optional<std::int32_t> JumpListStep(const QString &entry);

// Whether the animation plays: the skip buttons do nothing meanwhile.
class AnimationStatus
{
public:
    virtual ~AnimationStatus() = default;
    virtual bool Playing() const = 0;
};

// The back and forward buttons and the jump list's choice: each changes the step and redraws
// it behind the please-wait window, keeping zoom and scroll.
class StepNavigator
{
public:
    StepNavigator(AppState &state, ChartRedraw &redraw, const AnimationStatus &animation);

    void SkipLeft();
    void SkipRight();
    // The step of the active tide (the tide does not change); the caller shows the
    // please-wait window around it.
    void JumpTo(std::int32_t step);

private:
    void Skip(ShownStep (*to)(const AppState &));

    AppState &state_;
    ChartRedraw &redraw_;
    const AnimationStatus &animation_;
};

} // namespace brenlow
