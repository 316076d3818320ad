#pragma once

#include "core/clock.h"

#include <QTime>

namespace brenlow {

// The system clock.
class SystemClock : public Clock
{
public:
    QTime TimeOfDay() const override { return QTime::currentTime(); }
};

} // namespace brenlow
