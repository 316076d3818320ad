#include "print/compose_step_page.h"

#include "core/chart_geometry.h"
#include "core/rounding.h"
#include "platform/surface_printer.h"
#include "render/test_step_view.h"
#include "support/test_platform.h"
#include "support/test_printer.h"

#include <gtest/gtest.h>

#include <optional>

namespace brenlow {
namespace {

// The main window's step view on a plain chart with one station, its surface printing to a
// PDF file through a view of the main window's size.
class ComposeStepPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetChartGeometry(state);
        state.BackdropPath = folder.FilePath(QStringLiteral("backdrop.bmp"));
        test::WriteBlankPicture(state.BackdropPath, 3000, 2400);
        test::SetOneStationChart(state, 400, 300, 2.0, 90, 2.0);
    }

    // The captions: the last two texts drawn.
    std::pair<DrawnText, DrawnText> Captions() const
    {
        const auto &items = view.surface.DisplayList();
        return {std::get<DrawnText>(items[items.size() - 2]), std::get<DrawnText>(items.back())};
    }

    test::TempProgramFolder folder{QStringLiteral("compose-test")};
    test::PdfPrinterDialog dialog{folder.FilePath(QStringLiteral("page.pdf"))};
    AppState state;
    test::TestStepView view;
    SurfacePrinter printer{view.surface, dialog, [] { return QSize(780, 497); }};
};

TEST_F(ComposeStepPageTest, CaptionsAndPrintAreaAtTheViewsTopLeft)
{
    struct Row
    {
        const char *name;
        double zoom;
        QPoint scroll; // view pixels
        std::int32_t step;
        std::optional<double> points; // none: the size the renderer's labels left
        const char *offset;
        QRect area; // picture pixels
    };
    const double level[] = {0, 14 * ChartScale, 36 * ChartScale, 54 * ChartScale, 72 * ChartScale};
    const Row rows[] = {
        {"level 1 at the corner", level[1], {0, 0}, 13, 40, "+0.0", {0, 0, 4011, 2556}},
        {"level 2", level[2], {300, 200}, 12, 20, "-0.5", {600, 400, 1560, 994}},
        {"level 3", level[3], {90, 30}, 14, 12, "+0.5", {120, 40, 1040, 663}},
        {"level 4", level[4], {10, 20}, 1, 10, "-6.0", {10, 20, 780, 497}},
        {"just above level 2",
         level[2] + 1e-9,
         {0, 0},
         25,
         std::nullopt,
         "+6.0",
         {0, 0, 1560, 994}},
        // 497 * 2.5 + 1 * 2.5 = 1245 exactly, where rounding each term would give 1244.
        {"edges from the unrounded sums", 40, {1, 1}, 13, std::nullopt, "+0.0", {2, 2, 1950, 1243}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        view.surface.SetZoom(row.zoom);
        view.surface.SetScrollX(row.scroll.x());
        view.surface.SetScrollY(row.scroll.y());
        state.PrintRunStarted = false;

        ASSERT_TRUE(ComposeStepPage(state, view, printer, row.step, true));
        printer.EndPrintJob();

        EXPECT_EQ(state.CurrentStep, row.step);
        EXPECT_TRUE(state.PrintRunStarted);
        EXPECT_EQ(printer.PrintArea(), row.area);
        EXPECT_EQ(printer.PrintZoom(), row.zoom);
        const auto &items = view.surface.DisplayList();
        const double labelPoints = std::get<DrawnText>(items[items.size() - 3]).FontSize;
        const auto [line1, line2] = Captions();
        EXPECT_EQ(line1.Text,
                  QStringLiteral("Highwater: ") + QLatin1String(row.offset)
                      + QStringLiteral("  Illustrative tidal data - not for navigation"));
        EXPECT_EQ(line2.Text, QStringLiteral("Brenlow"));
        EXPECT_EQ(line1.FontSize, row.points.value_or(labelPoints));
        EXPECT_EQ(line1.FontName, QStringLiteral("Arial"));
        EXPECT_TRUE(line1.Bold) << "the bold face of the labels stays";
        EXPECT_FALSE(line1.Transparent);
        EXPECT_EQ(line1.Box, SurfaceWhite);
        EXPECT_EQ(line1.At, row.area.topLeft());
        // One "A" below, rounded from the unrounded sum (2.5 + 17 gives 20 in the last row).
        const int h = view.surface.TextHeight(QStringLiteral("A"));
        EXPECT_EQ(line2.At,
                  QPoint(row.area.left(), NearestInt32(row.scroll.y() * 100 / row.zoom + h)));
        EXPECT_EQ(view.surface.PenMode(), 14);
    }
    EXPECT_EQ(dialog.Asked, 6);
}

// The third line, one text height of "A" below the second, names the day and the time of the
// step's stream: here the evening before a high water just after midnight.
TEST_F(ComposeStepPageTest, ThirdCaptionLineUnderTheSecond)
{
    state.HighWater1Text = QStringLiteral("01:00");
    state.Height1Text = QStringLiteral("4.0");
    state.HighWaterDay = HighWaterDay{QDate(2026, 12, 9), HighWaterOrigin::Predicted, {}};
    view.surface.SetZoom(36 * ChartScale); // level 2
    view.surface.SetScrollY(30);
    ASSERT_TRUE(ComposeStepPage(state, view, printer, 1, true));
    printer.EndPrintJob();

    const auto [line2, line3] = Captions();
    const int h = view.surface.TextHeight(QStringLiteral("A"));
    EXPECT_EQ(line2.Text, QStringLiteral("Brenlow"));
    EXPECT_EQ(line3.Text,
              QStringLiteral("Tue 8 Dec 2026, stream at 19:00 (HW 01:00, 4.0 m, predicted)"));
    EXPECT_EQ(line3.At, QPoint(line2.At.x(), NearestInt32(30 * 100 / view.surface.Zoom() + 2 * h)));
    EXPECT_EQ(line3.FontSize, 20);
}

TEST_F(ComposeStepPageTest, ShowingOnlyTouchesNoPrintSetting)
{
    state.PrintRunStarted = true;
    printer.SetPrintZoom(333);
    printer.SetShowPrintDialog(false);
    printer.SetPrintArea(1, 2, 3, 4);

    ASSERT_TRUE(ComposeStepPage(state, view, printer, 20, false));

    EXPECT_EQ(state.CurrentStep, 20);
    EXPECT_EQ(view.labels.ShowingHw, QStringLiteral("3.5"));
    EXPECT_TRUE(state.PrintRunStarted);
    EXPECT_EQ(printer.PrintZoom(), 333);
    EXPECT_FALSE(printer.ShowPrintDialog());
    EXPECT_EQ(printer.PrintArea(), QRect(1, 2, 2, 2));
    EXPECT_EQ(std::get<DrawnText>(view.surface.DisplayList().back()).Text, QStringLiteral("2.0"))
        << "the last label, no caption";
    EXPECT_EQ(dialog.Asked, 0);
}

} // namespace
} // namespace brenlow
