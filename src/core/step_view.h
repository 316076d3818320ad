#pragma once

#include <QString>

namespace brenlow {

class ImageSurface;

// The main window's three time labels, as the renderer sets them.
class TimeLabels
{
public:
    virtual ~TimeLabels() = default;
    virtual void SetShowingHw(const QString &caption) = 0;   // offset from high water
    virtual void SetShowingTime(const QString &caption) = 0; // clock time of the step
    virtual void SetHighWater(const QString &caption) = 0;   // time of the active high water
};

// What the operations that show a step need of the main window: its chart surface and time
// labels, and the please-wait window shown while a step is redrawn.
class StepView
{
public:
    virtual ~StepView() = default;
    virtual ImageSurface &Surface() = 0;
    virtual TimeLabels &Labels() = 0;
    virtual bool IsShown() const = 0;
    // Shows the please-wait window 2950 twips right of and 600 twips below the main window's
    // top-left corner and lets pending events run once so that it paints.
    virtual void ShowPleaseWait() = 0;
    virtual void ClosePleaseWait() = 0;
    // Told at the end of every redraw, once the step and its tide are current and drawn: what
    // the window shows of the high water in use follows the tide.
    virtual void StepDrawn() = 0;
};

} // namespace brenlow
