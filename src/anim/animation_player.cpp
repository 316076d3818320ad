#include "anim/animation_player.h"

#include "core/app_state.h"
#include "core/installation_files.h"
#include "core/program_info.h"
#include "core/rounding.h"
#include "core/step_view.h"
#include "data/field_conversions.h"
#include "render/redraw.h"

#include <QTimer>

#include <algorithm>
#include <utility>

namespace brenlow {
namespace {

QString BackdropFile(const ProgramInfo &program)
{
    return program.FilePath(QString::fromLatin1(BackdropFileName));
}

} // namespace

std::int32_t AnimationInterval(const QString &speedText)
{
    const double v = ReadAnimationSpeed(speedText).value_or(DefaultAnimationSpeed);
    return NearestInt32((5 - v) * 200 * (5 - v));
}

AnimationPlayer::AnimationPlayer(AppState &state, const ProgramInfo &program, StepView &view,
                                 MessageBoxes &messages, QTimer &Timer2,
                                 std::function<void(bool)> showPlaying)
    : state_(state),
      program_(program),
      view_(view),
      messages_(messages),
      timer_(Timer2),
      showPlaying_(std::move(showPlaying))
{ }

void AnimationPlayer::StartAnimation()
{
    if (Playing())
        return;
    view_.ShowPleaseWait();
    state_.BackdropPath = BackdropFile(program_);
    const bool drawn = RedrawStepOrReport(state_, view_, messages_, CurrentShownStep(state_),
                                          RedrawWay{.KeepView = true, .PleaseWait = false});
    if (!drawn) {
        view_.ClosePleaseWait();
        return;
    }
    playing = -1;
    showPlaying_(true);
    timer_.setInterval(AnimationInterval(state_.AnimSpeedText));
    view_.ClosePleaseWait();
    timer_.start();
}

void AnimationPlayer::AnimationTick()
{
    // No tick may arrive while this frame's redraw, or its failure message, is on the screen;
    // setting the interval afterwards starts the next wait, as it always does.
    timer_.stop();
    if (!RedrawStepOrReport(state_, view_, messages_, NextStep(state_),
                            RedrawWay{.KeepView = true, .PleaseWait = false})) {
        EndPlaying();
        return;
    }
    timer_.setInterval(AnimationInterval(state_.AnimSpeedText));
    timer_.start();
}

void AnimationPlayer::StopAnimation()
{
    if (!Playing())
        return;
    timer_.stop();
    view_.ShowPleaseWait();
    state_.BackdropPath = BackdropFile(program_);
    RedrawStepOrReport(state_, view_, messages_, CurrentShownStep(state_),
                       RedrawWay{.KeepView = false, .PleaseWait = false});
    EndPlaying();
    view_.ClosePleaseWait();
}

void AnimationPlayer::EndPlaying()
{
    timer_.stop();
    playing = 0;
    showPlaying_(false);
}

} // namespace brenlow
