#include "plan/plan_printout.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "core/event_pump.h"
#include "core/message_boxes.h"
#include "platform/surface_printer.h"
#include "print/compose_step_page.h"
#include "render/redraw.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <exception>
#include <vector>

namespace brenlow {
namespace {

// Layout pixels (1/96 inch).
constexpr int TitlePixels = 20;
constexpr int TextPixels = 12;
constexpr double LineGap = 4;
constexpr double ColumnGap = 18;
constexpr double BlockGap = 14;

QFont PrintFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QString ReasonOf(const std::exception &error)
{
    if (const auto *appError = dynamic_cast<const AppError *>(&error))
        return appError->Description();
    return QString::fromLocal8Bit(error.what());
}

} // namespace

std::size_t PaintPlanPage(QPainter &painter, QSizeF pageSize, const PlanPrintout &printout,
                          std::size_t firstRow)
{
    const PlanTable &table = printout.Table;
    painter.setPen(Qt::black);
    double y = 0;
    const auto line = [&](const QString &text, const QFont &font) {
        painter.setFont(font);
        const double height = QFontMetricsF(font).height();
        painter.drawText(QRectF(0, y, pageSize.width(), height), Qt::AlignLeft | Qt::AlignVCenter,
                         text);
        y += height + LineGap;
    };
    if (firstRow == 0) {
        line(printout.Title, PrintFont(TitlePixels, true));
        for (const QString &text : printout.Lines)
            line(text, PrintFont(TextPixels));
        y += BlockGap;
    }

    // Columns as wide as their widest cell, numbers right-aligned.
    const QFont header = PrintFont(TextPixels, true);
    const QFont cell = PrintFont(TextPixels);
    std::vector<double> widths(static_cast<std::size_t>(table.Header.size()), 0);
    for (qsizetype c = 0; c < table.Header.size(); ++c)
        widths[c] = QFontMetricsF(header).horizontalAdvance(table.Header[c]);
    for (const QStringList &row : table.Rows)
        for (qsizetype c = 0; c < row.size() && c < table.Header.size(); ++c)
            widths[c] = std::max(widths[c], QFontMetricsF(cell).horizontalAdvance(row[c]));
    const double rowHeight = QFontMetricsF(cell).height() + LineGap;
    const auto tableLine = [&](const QStringList &cells, const QFont &font) {
        painter.setFont(font);
        double x = 0;
        for (qsizetype c = 0; c < cells.size() && c < table.Header.size(); ++c) {
            painter.drawText(QRectF(x, y, widths[c], rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                             cells[c]);
            x += widths[c] + ColumnGap;
        }
        y += rowHeight;
    };
    tableLine(table.Header, header);
    painter.drawLine(QPointF(0, y), QPointF(pageSize.width(), y));
    std::size_t row = firstRow;
    // At least one row a page, so that every page moves the printout on.
    const double summaryHeight = 2 * rowHeight + BlockGap;
    for (; row < table.Rows.size(); ++row) {
        const bool last = row + 1 == table.Rows.size();
        if (row > firstRow && y + rowHeight + (last ? summaryHeight : 0) > pageSize.height())
            break;
        tableLine(table.Rows[row], cell);
    }
    if (row == table.Rows.size()) {
        y += BlockGap;
        painter.setPen(table.Failed ? QColor(0xC0, 0, 0) : QColor(Qt::black));
        painter.setFont(PrintFont(TextPixels + 1, true));
        painter.drawText(QRectF(0, y, pageSize.width(), pageSize.height() - y),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, table.Summary);
    }
    return row;
}

PrintRunEnd PrintPassagePlan(AppState &state, StepView &view, SurfacePrinter &printer,
                             MessageBoxes &messages, const PlanPrintout &printout)
{
    const std::int32_t saved = state.CurrentStep;
    state.PrintRunStarted = false;
    PrintRunEnd end = PrintRunEnd::Printed;
    QString reason;
    try {
        if (!ComposeStepPage(state, view, printer, saved, true)) {
            end = PrintRunEnd::Cancelled;
        } else {
            printer.SetShowPrintDialog(false);
            std::size_t row = 0;
            do {
                printer.PrintDrawnPage([&](QPainter &painter, QSizeF pageSize) {
                    row = PaintPlanPage(painter, pageSize, printout, row);
                });
            } while (row < printout.Table.Rows.size());
        }
    } catch (const std::exception &error) {
        end = PrintRunEnd::Failed;
        reason = ReasonOf(error);
    }
    try {
        printer.EndPrintJob();
    } catch (const std::exception &error) {
        if (end == PrintRunEnd::Printed) {
            end = PrintRunEnd::Failed;
            reason = ReasonOf(error);
        }
    }
    if (end == PrintRunEnd::Failed)
        messages.Inform(QStringLiteral("The passage plan could not be printed.\n") + reason);

    PumpEventsOnce();
    RedrawStepOrReport(state, view, messages, ShownStep{saved, state.SecondTideActive},
                       RedrawWay{.KeepView = true, .PleaseWait = false});
    state.CurrentStep = saved;
    return end;
}

} // namespace brenlow
