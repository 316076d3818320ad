#pragma once

#include "plan/tide_timeline.h"

#include <QDate>

#include <vector>

namespace brenlow {

struct AppState;
struct TideConstants;

// A typed high water stands for the predicted high water of its day that is nearest to it when
// it is this close; one further from all of them was left in the options from another day.
inline constexpr int TypedHighWaterReachMinutes = 120;

// The high waters at Portsmouth predicted from constants from the day before first to the day
// after last (local dates), in time order, to the minute as tide tables give them.
std::vector<HighWaterEvent> PredictedHighWaters(const TideConstants &constants, QDate first,
                                                QDate last);

// The high waters a passage counts its streams from: the predicted ones, except that on today
// the high waters typed in the options (HighWater1Text and HighWater2Text, times of day without
// a date, with Height1Text and Height2Text when given, else the predicted height) take the place
// of the predicted ones they stand for. With nothing predicted on today (no constants), today's
// typed high waters are put among the predicted ones as they are.
std::vector<HighWaterEvent> WithTypedHighWaters(std::vector<HighWaterEvent> predicted,
                                                const AppState &state, QDate today);

// The two above in one: the high waters of a passage between the local dates first and last,
// predicted when there are constants (constants may be null), the typed ones in their place on
// today.
std::vector<HighWaterEvent> PassageHighWaters(const AppState &state, const TideConstants *constants,
                                              QDate today, QDate first, QDate last);

} // namespace brenlow
