#pragma once

#include "print/print_selection.h"

namespace brenlow {

struct AppState;
class MessageBoxes;
class StepView;
class SurfacePrinting;

// How a press of the print button ended.
enum class PrintRunEnd {
    NoOptionChosen, // told so; nothing printed, the print window stays open
    Printed,        // every chosen step printed as one page of one job
    Cancelled,      // the user cancelled the printer dialog: nothing printed
    Failed,         // a page could not be printed: told so, the rest not printed
};

// The print window's print action: prints the steps the boxes choose (SelectedSteps), one page
// each through ComposeStepPage, as one print job; then shows the step that was shown before
// (zoom and scroll never change) and makes it CurrentStep again. A page that cannot be printed
// is told in a plain message naming the page and the reason, and ends the run.
PrintRunEnd PrintSelectedSteps(AppState &state, StepView &view, SurfacePrinting &printing,
                               MessageBoxes &messages, const PrintBoxes &boxes);

} // namespace brenlow
