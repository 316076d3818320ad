#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace brenlow {

struct PassagePlan;
struct PassageRequest;

// A passage plan as the planner's panel and its printout show it: a line a piece, and a line
// that sums it up.
struct PlanTable
{
    QStringList Header;
    std::vector<QStringList> Rows; // a piece each, in the order sailed
    QString Summary;               // arrival, time and distance; or what stops the plan
    bool Failed = false;
};

// The columns: the leg, the piece's start and end (clock time "HH:mm", with "+1" on the next
// day after the departure's), the course to steer true and (with a variation) magnetic in
// whole degrees, the speed over the ground, the stream's set and rate, and the distance.
// Example row: "1", "08:20", "08:41", "066", "068", "5.21", "090", "1.32", "1.82".
PlanTable TabulatePlan(const PassagePlan &plan, const PassageRequest &request);

// "2 h 05 min".
QString DurationText(double hours);
// "HH:mm", "+N" added for a day N days after the departure's.
QString ClockTextFrom(const QDateTime &when, const QDateTime &departure);

} // namespace brenlow
