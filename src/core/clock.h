#pragma once

#include <QDate>
#include <QTime>

namespace brenlow {

// The system clock's present time of day, and the day it is (the planner's departure).
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QTime TimeOfDay() const = 0;
    virtual QDate Today() const = 0;
};

} // namespace brenlow
