#pragma once

#include <QDateTime>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace brenlow {

// A high water at Portsmouth, predicted or typed: when (local time) and how high (metres; not
// a number when not given, which counts as 4.3 like a height out of 3.4 .. 5.0).
struct HighWaterEvent
{
    QDateTime Local;
    double HeightM = std::numeric_limits<double>::quiet_NaN();
};

// Seconds since 1970-01-01T00:00Z of a date and time: the planner's one time line, on which
// a change of the clocks is no jump.
double EpochSeconds(const QDateTime &when);

// Where a moment falls in a tide: between StepIndex Step and Step + 1 of the high water
// numbered HighWater (its index in the list), Weight being the share of Step + 1
// (0 <= Weight < 1). At six hours after high water the moment is Step 24 with Weight 1.
//
// Between two tides, when the moment is more than six hours after high water HighWater and
// more than six hours before the next, Step is LastStep: the moment lies between step 25 of
// HighWater and step 1 of HighWater + 1, Weight being the share of the latter.
struct TideMoment
{
    std::size_t HighWater = 0;
    std::int32_t Step = 1;
    double Weight = 0;
};

// The high waters of a passage and the half-hour steps counted from them.
class TideTimeline
{
public:
    // highWaters in time order; the caller supplies enough of them to cover the passage.
    explicit TideTimeline(const std::vector<HighWaterEvent> &highWaters);

    // The moment t (epoch seconds) counted from the nearest high water (a moment half-way
    // between two counts from the later); hours h = (t - HW) / 3600 fall between the steps
    // h = (step - 1) * 0.5 - 6. High waters more than twelve hours apart leave a gap (about
    // 25 minutes between two tides 12 h 25 min apart) after step 25 of the one and before
    // step 1 of the next: a moment in it lies between those two steps, in proportion to the
    // time. Nothing when the moment is more than six hours before the first high water or
    // after the last (or there is none).
    std::optional<TideMoment> MomentAt(double t) const;

    // The first time after t (epoch seconds) at which the pair of steps MomentAt gives changes:
    // the next step time of the nearest high water, the half-way time at which the next high
    // water becomes the nearest (when they are less than twelve hours apart), or the end of a
    // gap between two tides (step 1 of the next), whichever comes first. Infinity when none
    // comes.
    double NextChange(double t) const;

    // The high water's height in metres, as the rates are carried to it (3.4 .. 5.0, else 4.3).
    double Height(std::size_t highWater) const;

    std::size_t Count() const { return times_.size(); }

private:
    std::size_t Nearest(double t) const;

    std::vector<double> times_;   // epoch seconds
    std::vector<double> heights_; // metres, usable
};

} // namespace brenlow
