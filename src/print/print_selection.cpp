#include "print/print_selection.h"

namespace brenlow {
namespace {

constexpr std::int32_t FirstStep = 1;
constexpr std::int32_t LastStep = 25;
constexpr std::int32_t HighWaterStep = 13;

bool AnyFixedHour(const PrintBoxes &boxes)
{
    for (int box = FirstFixedBox; box <= LastFixedBox; ++box)
        if (boxes[box])
            return true;
    return false;
}

// Option 1: the three hours before, the step shown, the three hours after, hourly or
// half-hourly; past either end of the 25 steps the count carries on from the other end,
// shifted by 25 half-hourly and by 24 hourly.
void AppendRelative(const PrintBoxes &boxes, std::int32_t saved, std::vector<std::int32_t> &steps)
{
    if (boxes[3]) {
        const std::int32_t p = boxes[4] ? 1 : 2;
        for (std::int32_t i = saved - 6; i <= saved - p; i += p)
            steps.push_back(i >= FirstStep ? i : i + 26 - p);
    }
    if (boxes[1])
        steps.push_back(saved);
    if (boxes[2]) {
        const std::int32_t u = boxes[4] ? 1 : 2;
        for (std::int32_t i = saved + u; i <= saved + 6; i += u)
            steps.push_back(i <= LastStep ? i : i - 26 + u);
    }
}

// Option 2: each whole hour ticked, then with box 18 the half hour next to it on the side
// towards high water (after the hour before high water, before it after high water).
void AppendFixed(const PrintBoxes &boxes, std::vector<std::int32_t> &steps)
{
    for (int box = FirstFixedBox; box <= LastFixedBox; ++box) {
        if (!boxes[box])
            continue;
        const std::int32_t step = 2 * (box - FirstFixedBox) + FirstStep;
        steps.push_back(step);
        if (boxes[HalfHoursBox] && box != HighWaterBox)
            steps.push_back(step < HighWaterStep ? step + 1 : step - 1);
    }
}

} // namespace

std::vector<std::int32_t> SelectedSteps(const PrintBoxes &boxes, std::int32_t saved)
{
    std::vector<std::int32_t> steps;
    if (AnyFixedHour(boxes))
        AppendFixed(boxes, steps);
    else if (boxes[1] || boxes[2] || boxes[3])
        AppendRelative(boxes, saved, steps);
    return steps;
}

} // namespace brenlow
