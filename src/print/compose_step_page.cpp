#include "print/compose_step_page.h"

#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/chart_surface.h"
#include "core/event_pump.h"
#include "core/program_info.h"
#include "core/rounding.h"
#include "core/step_view.h"
#include "core/surface_printing.h"
#include "render/redraw.h"
#include "tide/high_water_in_use.h"
#include "tide/step_conventions.h"

#include <array>

namespace brenlow {
namespace {

// Caption font sizes in points at the zoom levels 1 to 4.
constexpr std::array<double, 5> CaptionPoints = {0, 40, 20, 12, 10};

// Drawing attributes of the captions: black outline, pen mode 14 (copy pen), black text on a
// white box.
constexpr std::int32_t CaptionPenMode = 14;

} // namespace

QString SignedHourOffset(std::int32_t step)
{
    QString offset = HourOffsetText(step);
    if (!offset.startsWith(QLatin1Char('-')))
        offset.prepend(QLatin1Char('+'));
    return offset;
}

QString PageName(std::int32_t step)
{
    return QStringLiteral("Highwater: ") + SignedHourOffset(step);
}

QString CaptionLine1(std::int32_t step)
{
    return PageName(step) + QStringLiteral("  Illustrative tidal data - not for navigation");
}

QString CaptionLine2()
{
    return ProgramTitleText();
}

QString CaptionLine3(const AppState &state, std::int32_t step)
{
    return StreamDayText(state, step);
}

std::optional<double> CaptionFontSize(const AppState &state, double zoom)
{
    for (int level = FirstZoomLevel; level <= LastZoomLevel; ++level) {
        if (zoom == ZoomLevelPercent(state, level))
            return CaptionPoints[static_cast<std::size_t>(level)];
    }
    return std::nullopt;
}

namespace {

// The page of step on the surface; offerDialog: as the page of a print run, the first of
// which offers the printer dialog.
void DrawPage(AppState &state, StepView &view, SurfacePrinting &printing, std::int32_t step,
              const PageChoices &choices, bool offerDialog)
{
    PumpEventsOnce();
    RedrawStep(state, view, ShownStep{step, state.SecondTideActive},
               RedrawWay{.KeepView = true, .PleaseWait = false});

    ImageSurface &surface = view.Surface();
    // The whole chart is what the view shows at level 1 where the program opens it.
    const double zoom =
        choices.WholeChart ? ZoomLevelPercent(state, FirstZoomLevel) : surface.Zoom();
    const double viewWidth = choices.WholeChart ? OpeningViewWidth : printing.ViewWidth();
    const double viewHeight = choices.WholeChart ? OpeningViewHeight : printing.ViewHeight();
    const std::int32_t viewScrollX =
        choices.WholeChart ? NearestInt32(StartScrollX) : surface.ScrollX();
    const std::int32_t viewScrollY =
        choices.WholeChart ? NearestInt32(StartScrollY) : surface.ScrollY();
    printing.SetPrintOffsetX(0.0);
    printing.SetPrintOffsetY(0.0);
    printing.SetPrintZoom(zoom);
    printing.SetPrintCopies(1);
    printing.SetPrintUseZoom(true);

    // The part of the picture the view shows, in picture pixels, each edge rounded from the
    // unrounded sum.
    const double f = 100.0 / zoom; // picture pixels per view pixel
    const double scrollX = viewScrollX * f;
    const double scrollY = viewScrollY * f;
    printing.SetPrintArea(NearestInt32(scrollX), NearestInt32(scrollY),
                          NearestInt32(viewWidth * f + scrollX),
                          NearestInt32(viewHeight * f + scrollY));
    printing.SetPrintAreaOnly(true);
    printing.SetPrintStretch(choices.FitToPage);

    if (offerDialog) {
        if (!state.PrintRunStarted) {
            printing.SetShowPrintDialog(true);
            state.PrintRunStarted = true;
        } else {
            printing.SetShowPrintDialog(false);
        }
    }

    // The font's bold face stays as the renderer left it for its labels.
    surface.SetPenColor(SurfaceBlack);
    surface.SetPenMode(CaptionPenMode);
    surface.SetTextAngle(0.0F);
    surface.SetFontName(QStringLiteral("Arial"));
    if (const std::optional<double> points = CaptionFontSize(state, zoom))
        surface.SetFontSize(*points);
    surface.SetTextTransparent(false);
    surface.SetBrushColor(SurfaceWhite);

    const std::int32_t x0 = NearestInt32(scrollX);
    surface.DrawText(x0, NearestInt32(scrollY), CaptionLine1(step));
    const std::int32_t h = surface.TextHeight(QStringLiteral("A"));
    surface.DrawText(x0, NearestInt32(scrollY + h), CaptionLine2());
    if (const QString line3 = CaptionLine3(state, step); !line3.isEmpty())
        surface.DrawText(x0, NearestInt32(scrollY + 2 * h), line3);
}

} // namespace

bool ComposeStepPage(AppState &state, StepView &view, SurfacePrinting &printing, std::int32_t step,
                     bool print, const PageChoices &choices)
{
    if (!print) {
        PumpEventsOnce();
        RedrawStep(state, view, ShownStep{step, state.SecondTideActive},
                   RedrawWay{.KeepView = true, .PleaseWait = false});
        return true;
    }
    DrawPage(state, view, printing, step, choices, true);
    return printing.PrintImage();
}

void DrawStepPage(AppState &state, StepView &view, SurfacePrinting &printing, std::int32_t step,
                  const PageChoices &choices)
{
    DrawPage(state, view, printing, step, choices, false);
}

} // namespace brenlow
