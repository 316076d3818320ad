#pragma once

#include <QString>

namespace brenlow {

// The system's default, the arrow, the standard icon pointer, the arrow with a question mark,
// the standard hands that stand in for a cursor file that cannot be read, and the cross of
// the planner's plan mode.
enum class PointerShape {
    Default,
    Arrow,
    Icon,
    ArrowQuestion,
    OpenHand,
    ClosedHand,
    PointingHand,
    Cross
};

// The application-wide pointer shape: applies over every window of the program until set
// again.
class PointerShapes
{
public:
    virtual ~PointerShapes() = default;
    virtual void SetShape(PointerShape shape) = 0;
    // Loads the cursor file and selects it; a file that is missing or is not a cursor selects
    // the standard shape given instead.
    virtual void SetCustomShape(const QString &cursorFile, PointerShape fallback) = 0;
};

} // namespace brenlow
