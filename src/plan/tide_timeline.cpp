#include "plan/tide_timeline.h"

#include "render/station_stream.h"
#include "tide/step_conventions.h"

#include <algorithm>
#include <cmath>

namespace brenlow {

namespace {

constexpr double SecondsPerStep = MinutesPerStep * 60.0;
constexpr double StepIntervals = LastStep - FirstStep;              // 24 half hours
constexpr double FirstStepSeconds = HourOffset(FirstStep) * 3600.0; // -6 hours
constexpr double LastStepSeconds = HourOffset(LastStep) * 3600.0;   // +6 hours

// Moments this close (in steps, about two microseconds) below a step time count as at it, so
// that a time made by adding a piece's duration to its start still finds its step.
constexpr double StepTolerance = 1e-9;

} // namespace

double EpochSeconds(const QDateTime &when)
{
    return static_cast<double>(when.toMSecsSinceEpoch()) / 1000.0;
}

TideTimeline::TideTimeline(const std::vector<HighWaterEvent> &highWaters)
{
    times_.reserve(highWaters.size());
    heights_.reserve(highWaters.size());
    for (const HighWaterEvent &event : highWaters) {
        times_.push_back(EpochSeconds(event.Local));
        heights_.push_back(UsableHeight(event.HeightM));
    }
}

std::size_t TideTimeline::Nearest(double t) const
{
    const auto after = std::upper_bound(times_.begin(), times_.end(), t);
    if (after == times_.begin())
        return 0;
    const auto before = std::prev(after);
    if (after == times_.end())
        return static_cast<std::size_t>(before - times_.begin());
    // Half-way counts from the later high water.
    const bool laterNearer = *after - t <= t - *before;
    return static_cast<std::size_t>((laterNearer ? after : before) - times_.begin());
}

std::optional<TideMoment> TideTimeline::MomentAt(double t) const
{
    if (times_.empty())
        return std::nullopt;
    const std::size_t k = Nearest(t);
    // Steps of half an hour since six hours before high water: 0 at step 1, 24 at step 25.
    const double steps = (t - times_[k] - FirstStepSeconds) / SecondsPerStep;
    if (steps >= -StepTolerance && steps <= StepIntervals + StepTolerance) {
        const double clamped = std::clamp(steps, 0.0, StepIntervals);
        const double whole = std::min(std::floor(clamped + StepTolerance), StepIntervals - 1);
        return TideMoment{k, FirstStep + static_cast<std::int32_t>(whole),
                          std::clamp(clamped - whole, 0.0, 1.0)};
    }

    // More than six hours from the nearest high water, yet between two: the gap after step 25
    // of the one before and before step 1 of the one after.
    const auto after = std::upper_bound(times_.begin(), times_.end(), t);
    if (after == times_.begin() || after == times_.end())
        return std::nullopt;
    const auto before = static_cast<std::size_t>(after - times_.begin()) - 1;
    const double gapStart = times_[before] + LastStepSeconds;
    const double gapEnd = *after + FirstStepSeconds;
    return TideMoment{before, LastStep, std::clamp((t - gapStart) / (gapEnd - gapStart), 0.0, 1.0)};
}

double TideTimeline::NextChange(double t) const
{
    double next = std::numeric_limits<double>::infinity();
    if (times_.empty())
        return next;
    const std::size_t k = Nearest(t);
    const double steps = (t - times_[k] - FirstStepSeconds) / SecondsPerStep;
    const double nextStep = std::max(std::floor(steps + StepTolerance) + 1, 0.0);
    if (nextStep <= StepIntervals)
        next = times_[k] + FirstStepSeconds + nextStep * SecondsPerStep;
    if (k + 1 < times_.size()) {
        // Past step 25 of high water k the next tide's steps begin at its step 1 when the two
        // leave a gap, else where the next becomes the nearest.
        const double nextTideStart = times_[k + 1] + FirstStepSeconds;
        const bool gap = nextTideStart > times_[k] + LastStepSeconds;
        next = std::min(next, gap ? nextTideStart : (times_[k] + times_[k + 1]) / 2);
    }
    return next;
}

double TideTimeline::Height(std::size_t highWater) const
{
    return heights_[highWater];
}

} // namespace brenlow
