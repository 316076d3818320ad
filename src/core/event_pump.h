#pragma once

namespace brenlow {

// Lets the pending window events run once (so that a window just shown paints).
void PumpEventsOnce();

} // namespace brenlow
