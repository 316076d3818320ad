#pragma once

#include "tide/step_navigation.h"

#include <QString>

#include <cstdint>
#include <functional>

class QTimer;

namespace brenlow {

struct AppState;
struct ProgramInfo;
class MessageBoxes;
class StepView;

// Milliseconds between two frames for a speed text: (5 - v) * 200 * (5 - v), to the nearest
// integer (1 -> 3200, 2 -> 1800, 3 -> 800, 4 -> 200). A text that is no number plays at speed
// 2, and a speed outside 1..4 (only a hand-edited settings file holds one) is taken to the
// nearer end, so that the interval is never 0, which would fire without pause.
std::int32_t AnimationInterval(const QString &speedText);

// Plays the chart through the half-hour steps on the main window's Timer2, passing from one
// tide to the other when both high waters are given, until it is stopped at the step reached.
class AnimationPlayer : public AnimationStatus
{
public:
    // showPlaying swaps the play and stop buttons and disables or enables printing.
    AnimationPlayer(AppState &state, const ProgramInfo &program, StepView &view,
                    MessageBoxes &messages, QTimer &Timer2,
                    std::function<void(bool playing)> showPlaying);

    void StartAnimation();
    void AnimationTick();
    void StopAnimation();

    bool Playing() const override { return playing != 0; }

    std::int16_t playing = 0; // -1 while the animation runs

private:
    // The chart's picture has gone: the animation ends as a stop would leave it.
    void EndPlaying();

    AppState &state_;
    const ProgramInfo &program_;
    StepView &view_;
    MessageBoxes &messages_;
    QTimer &timer_;
    std::function<void(bool)> showPlaying_;
};

} // namespace brenlow
