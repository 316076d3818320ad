#include "core/event_pump.h"

#include <QCoreApplication>

namespace brenlow {

void PumpEventsOnce()
{
    QCoreApplication::processEvents();
}

} // namespace brenlow
