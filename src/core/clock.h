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

} // namespace brenlow
