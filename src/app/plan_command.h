#pragma once

#include <QStringList>

namespace brenlow {

// The passage planner on the command line, on the program folder's tidal stations, rate table
// and chart picture and the high waters at Portsmouth predicted from its constants file.
// arguments are those after the command's own word; each gives the exit status (ExitDone, or
// ExitBadInput with one line on stderr saying what is wrong).

// --plan ROUTE.gpx --speed KN --depart "YYYY-MM-DD HH:MM" [--variation DEG] [--csv] [--sweep H]
// A passage that fails part-way prints the pieces sailed before the failure, then refuses.
int RunPlanCommand(const QStringList &arguments);

// --stream LAT LON "YYYY-MM-DD HH:MM": prints "set DDD rate R.RR".
int RunStreamCommand(const QStringList &arguments);

// The lines of the usage text that describe them.
extern const char PlanUsage[];

} // namespace brenlow
