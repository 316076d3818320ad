#pragma once

#include "plan/plan_table.h"
#include "print/print_run.h"

#include <QSizeF>
#include <QString>
#include <QStringList>

#include <cstddef>

class QPainter;

namespace brenlow {

struct AppState;
class MessageBoxes;
class StepView;
class SurfacePrinter;

// What the printed plan says beside the chart: a title, a few lines (the departure, the high
// waters, the route's points) and the plan's table with its summary.
struct PlanPrintout
{
    QString Title;
    QStringList Lines;
    PlanTable Table;
};

// Paints the printout onto a page of pageSize (pixels of a 96 dots-per-inch layout) from row
// firstRow of its table: the title and lines on the first page only, the table's header on
// every page, the summary after the last row. Returns the first row left for the next page
// (the row count when all are painted).
std::size_t PaintPlanPage(QPainter &painter, QSizeF pageSize, const PlanPrintout &printout,
                          std::size_t firstRow);

// Prints the passage plan as one print job through the chart surface's printer: a page of the
// step shown as the print window prints it (the part of the chart in view, its captions, and
// the track, with the printer dialog first), then the table on pages of its own; then shows
// the step again. A page that cannot be printed is told in a plain message and ends the job.
PrintRunEnd PrintPassagePlan(AppState &state, StepView &view, SurfacePrinter &printer,
                             MessageBoxes &messages, const PlanPrintout &printout);

} // namespace brenlow
