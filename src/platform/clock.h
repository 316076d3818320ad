#pragma once

#include <QTime>

namespace brenlow {

// The system clock's present time of day (no date).
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QTime TimeOfDay() const = 0;
};

class SystemClock : public Clock
{
public:
    QTime TimeOfDay() const override { return QTime::currentTime(); }
};

} // namespace brenlow
