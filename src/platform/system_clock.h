#pragma once

#include "core/clock.h"

#include <QDate>
#include <QTime>

namespace brenlow {

// The system clock.
class SystemClock : public Clock
{
public:
    QTime TimeOfDay() const override { return QTime::currentTime(); }
    QDate Today() const override { return QDate::currentDate(); }
};

} // namespace brenlow
