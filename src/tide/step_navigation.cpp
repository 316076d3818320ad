#include "tide/step_navigation.h"

#include "core/app_state.h"
#include "core/rounding.h"
#include "data/field_conversions.h"
#include "tide/decimal_rules.h"
#include "tide/step_conventions.h"

#include <cmath>

namespace brenlow {
namespace {

// At a wrap the steps go on in the other tide when its high water is given; and whenever only
// one high water is given, the steps count from it.
//   both given, first tide, 25 -> 1 of the second; second tide, 25 -> 1 of the first
bool TideAfter(const AppState &state, bool wrapped)
{
    bool second = state.SecondTideActive;
    if (wrapped) {
        bool switched = false;
        if (!state.HighWater1Text.isEmpty() && second) {
            second = false;
            switched = true;
        }
        if (!state.HighWater2Text.isEmpty() && !second && !switched)
            second = true;
    }
    return OneSidedTide(state, second);
}

} // namespace

ShownStep NextStep(const AppState &state)
{
    std::int32_t step = state.CurrentStep + 1;
    const bool wrapped = step > LastStep;
    if (wrapped)
        step = FirstStep;
    return ShownStep{step, TideAfter(state, wrapped)};
}

ShownStep PreviousStep(const AppState &state)
{
    std::int32_t step = state.CurrentStep - 1;
    const bool wrapped = step < FirstStep;
    if (wrapped)
        step = LastStep;
    return ShownStep{step, TideAfter(state, wrapped)};
}

QStringList JumpListEntries()
{
    QStringList entries;
    for (std::int32_t step = FirstStep; step <= LastStep; ++step) {
        if (step == HighWaterStep) {
            entries << QStringLiteral("HW");
            continue;
        }
        const QString hours = FormatOneDecimal(HourOffset(step));
        entries << (step > HighWaterStep ? QLatin1Char('+') + hours : hours);
    }
    return entries;
}

std::optional<std::int32_t> JumpListStep(const QString &entry)
{
    if (entry == QLatin1String("HW"))
        return HighWaterStep;
    if (!JumpListEntries().contains(entry))
        return std::nullopt;
    const double v = ReadLeadingNumber(entry.right(4).toLatin1());
    const double step = v >= 0 ? 2 * v + HighWaterStep : HighWaterStep - 2 * std::fabs(v);
    return RoundToInt32(step);
}

StepNavigator::StepNavigator(AppState &state, ChartRedraw &redraw, const AnimationStatus &animation)
    : state_(state), redraw_(redraw), animation_(animation)
{ }

void StepNavigator::SkipLeft()
{
    if (!animation_.Playing())
        Skip(&PreviousStep);
}

void StepNavigator::SkipRight()
{
    if (!animation_.Playing())
        Skip(&NextStep);
}

void StepNavigator::Skip(ShownStep (*to)(const AppState &))
{
    // The step is worked out after the please-wait window has let events run, so that two
    // clicks queued close together move two steps.
    redraw_.RedrawOrReport(StepChoice(to), RedrawWay{});
}

void StepNavigator::JumpTo(std::int32_t step)
{
    redraw_.RedrawOrReport(ShownStep{step, state_.SecondTideActive},
                           RedrawWay{.KeepView = true, .PleaseWait = false});
}

} // namespace brenlow
