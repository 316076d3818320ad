#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace brenlow {

struct AppState;
class StepView;
class SurfacePrinting;

// The hours from high water with one decimal, signed: "-6.0", "+0.0", "+3.5".
QString SignedHourOffset(std::int32_t step);
// What names a step's page: "Highwater: " and the hours from high water with one decimal,
// signed ("Highwater: +0.0", "Highwater: -0.5", "Highwater: +6.0").
QString PageName(std::int32_t step);
// The first caption line of a step's page: its name, two spaces and the notice.
QString CaptionLine1(std::int32_t step);
// The second caption line: the program's name.
QString CaptionLine2();
// The third caption line: the day and clock time of the step's stream and the high water it
// is counted from ("Wed 9 Dec 2026, stream at 09:48 (HW 11:48, 4.0 m)"); the day alone when no
// high water is given, nothing when the day is not known either.
QString CaptionLine3(const AppState &state, std::int32_t step);

// The caption's font size in points at the surface's zoom (percent): 40, 20, 12 or 10 at the
// zoom levels 1 to 4, nothing at a zoom equal to none of them (the font keeps its size).
// Compared for exact equality, as the view reads back the level it was given.
std::optional<double> CaptionFontSize(const AppState &state, double zoom);

// How a page shows the chart; both off, as it always did.
struct PageChoices
{
    // The print area scaled to fill the printable area of the page (PrintStretch).
    bool FitToPage = false;
    // The area the view shows at zoom level 1 as the program opens, whatever the view shows
    // now, at that level's zoom and caption size: run over the steps, a tidal-stream atlas.
    bool WholeChart = false;
};

// Shows step on the main window's chart surface (backdrop reloaded, Draw_flows, zoom and
// scroll kept) and makes it CurrentStep; with print, also draws the caption lines at the
// top-left of the visible part and prints that part as one page at the view's zoom. The first
// page of a run (PrintRunStarted false) offers the printer dialog and sets PrintRunStarted.
// Returns false when the user cancelled the printer dialog (nothing printed). Throws AppError
// when the step cannot be shown or the page cannot be printed.
bool ComposeStepPage(AppState &state, StepView &view, SurfacePrinting &printing, std::int32_t step,
                     bool print, const PageChoices &choices = {});

// The page of step made ready on the surface as ComposeStepPage makes it, without printing:
// shown, its print settings and area set, its captions drawn.
void DrawStepPage(AppState &state, StepView &view, SurfacePrinting &printing, std::int32_t step,
                  const PageChoices &choices);

} // namespace brenlow
