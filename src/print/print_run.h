#pragma once

#include "print/compose_step_page.h"
#include "print/print_selection.h"

#include <QString>

#include <optional>

namespace brenlow {

struct AppState;
class MessageBoxes;
class PagePictures;
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
// choices: how each page shows the chart (by default as it always did).
PrintRunEnd PrintSelectedSteps(AppState &state, StepView &view, SurfacePrinting &printing,
                               MessageBoxes &messages, const PrintBoxes &boxes,
                               const PageChoices &choices = {});

// The width of saved pictures in pixels: the range offered, and the width until one is chosen.
inline constexpr int SmallestPictureWidth = 200;
inline constexpr int LargestPictureWidth = 8000;
inline constexpr int DefaultPictureWidth = 1600;

// The file a step's picture is saved in: the day, the high water it is counted from, the step
// (01 .. 25, so that the files sort in the tide's order) and the hours from high water, as in
// "2026-12-10_HW1141_01_-6.0.png"; the day and high water left out when not known.
QString StepPictureName(const AppState &state, std::int32_t step);

// Why files cannot be written into folder (it is not there, not a folder, or not writable),
// in a sentence; nothing when they can.
std::optional<QString> FolderProblem(const QString &folder);

// How saving pictures ended.
enum class PictureRunEnd {
    NoStepChosen,      // told so; nothing written
    Saved,             // one picture a step
    NotReplaced,       // some of the files were there and the user kept them: nothing written
    FolderNotWritable, // told so; nothing written
    Failed,            // a picture could not be written: told so, the rest not written
};

// Saves the page of each of steps (as the print run would print it with choices) as a PNG
// picture width pixels wide into folder, named by StepPictureName; then shows the step that
// was shown before, as the print run does. Files already there are replaced only when the user
// answers yes to the question that names them.
PictureRunEnd SaveStepPictures(AppState &state, StepView &view, SurfacePrinting &printing,
                               PagePictures &pictures, MessageBoxes &messages,
                               const std::vector<std::int32_t> &steps, const QString &folder,
                               int width, const PageChoices &choices);

} // namespace brenlow
