#pragma once

#include <QDate>
#include <QTime>

namespace brenlow {

// The system clock: the present time of day, and the present date, both of the local time
// zone (TZ honoured).
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QTime TimeOfDay() const = 0;
    virtual QDate Today() const = 0;
};

} // namespace brenlow
