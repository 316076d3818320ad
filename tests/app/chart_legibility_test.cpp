#include "app/main_screen.h"

#include "app/tide_label_sweep.h"
#include "core/app_state.h"
#include "core/arrow_colours.h"
#include "core/chart_geometry.h"
#include "core/display_list.h"
#include "data/auxiliary_files.h"
#include "data/station_table.h"
#include "platform/chart_surface_widget.h"
#include "platform/legibility.h"
#include "platform/recording_surface.h"
#include "support/program_files.h"
#include "support/program_run.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace brenlow {
namespace {

struct LegibilityRun : test::ProgramRun
{
    LegibilityRun() : test::ProgramRun(QStringLiteral("brenlow-legible"))
    {
        // One small arrow (0.5 knots) setting east, at picture pixel (2250, 1694).
        test::WriteInstallation(folder, {test::StationLine(test::SteadyStation("0.5", "90"))});
    }
};

// The bounding box of the pixels of the view that match.
template<typename Match>
QRect PixelsWhere(const QImage &image, Match match)
{
    QRect found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(QColor(image.pixel(x, y))))
                found |= QRect(x, y, 1, 1);
    return found;
}

bool IsArrowFill(const QColor &c, SurfaceColor fill)
{
    return std::abs(c.red() - int(fill & 0xFF)) < 30
        && std::abs(c.green() - int((fill >> 8) & 0xFF)) < 30
        && std::abs(c.blue() - int((fill >> 16) & 0xFF)) < 30;
}

// The view at level k with the station in its middle.
QImage ViewAtLevel(MainScreen &screen, const AppState &state, int level)
{
    ChartSurfaceWidget &chart = *screen.IB1;
    chart.SetZoom(ZoomLevelPercent(state, level));
    const double scale = chart.Zoom() / 100;
    chart.SetScrollX(int(std::lround(2250 * scale)) - chart.width() / 2);
    chart.SetScrollY(int(std::lround(1694 * scale)) - chart.height() / 2);
    return chart.grab().toImage();
}

TEST(ChartLegibility, SymbolsNoSmallerThanReadableAndUnchangedWhereTheyAre)
{
    LegibilityRun run;
    MainScreen screen(run.state, run.services);
    ASSERT_TRUE(screen.Load());
    screen.show();
    const RecordingSurface &recording = screen.IB1->Recording();
    const auto label = std::find_if(recording.Layouts().begin(), recording.Layouts().end(),
                                    [](const ItemLayout &layout) { return layout.Box.Height > 0; });
    ASSERT_NE(label, recording.Layouts().end());
    const int boxHeight = label->Box.Height; // picture pixels

    struct Row
    {
        int level;
        bool enlarged; // else as the picture's scale has it
    };
    const Row rows[] = {{1, true}, {2, true}, {3, false}, {4, false}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.level);
        const QImage view = ViewAtLevel(screen, run.state, row.level);
        const double scale = screen.IB1->Zoom() / 100;
        // The arrow points east: its fill spans its length; the label reads across.
        const QRect arrow =
            PixelsWhere(view, [](const QColor &c) { return IsArrowFill(c, ArrowColorBelow180); });
        const QRect box = PixelsWhere(view, [](const QColor &c) { return c == Qt::white; });
        ASSERT_FALSE(arrow.isEmpty());
        ASSERT_FALSE(box.isEmpty());
        if (row.enlarged) {
            EXPECT_GE(arrow.width() + 2, ArrowFloorPixels); // the outline adds a pixel each end
            EXPECT_GE(box.height(), LabelFloorPixels);
        } else {
            EXPECT_NEAR(arrow.width() + 2, SmallestArrowLength * scale, 2);
            EXPECT_NEAR(box.height(), boxHeight * scale, 1.5);
        }
        // The drawing itself stays in picture pixels.
        const auto *polygon = std::get_if<DrawnPolygon>(&recording.DisplayList().front());
        ASSERT_NE(polygon, nullptr);
        EXPECT_EQ(polygon->Points.front(), QPoint(2250, 1694));
        EXPECT_EQ(polygon->Brush, ArrowColorBelow180);
    }
}

TEST(ChartLegibility, ColourBlindPaletteAndKeyAreTheViewsOnly)
{
    LegibilityRun run;
    run.settings.SaveSetting(run.folder.Info().AppName, "config", "palette", "colourblind");
    MainScreen screen(run.state, run.services);
    ASSERT_TRUE(screen.Load());
    screen.show();
    const QImage view = ViewAtLevel(screen, run.state, 3);
    EXPECT_FALSE(PixelsWhere(view, [](const QColor &c) {
                     return IsArrowFill(c, SafeColorBelow180);
                 }).isEmpty());
    EXPECT_TRUE(PixelsWhere(view, [](const QColor &c) {
                    return IsArrowFill(c, ArrowColorBelow180);
                }).isEmpty());
    EXPECT_EQ(std::get<DrawnPolygon>(screen.IB1->DisplayList().front()).Brush, ArrowColorBelow180);

    for (const bool shown : {true, false}) {
        QApplication::setActiveWindow(&screen);
        QTest::keyClick(&screen, Qt::Key_L);
        EXPECT_EQ(screen.IB1->LegendShown(), shown);
        const QRect key = screen.IB1->LegendRect();
        EXPECT_EQ(key.isEmpty(), !shown);
        if (shown) {
            const QImage keyView = screen.IB1->grab(key).toImage();
            EXPECT_FALSE(
                PixelsWhere(keyView,
                            [](const QColor &c) { return IsArrowFill(c, SafeColorFrom180); })
                    .isEmpty())
                << "the key shows the palette in use";
        }
    }
}

// The real chart: the labels the view keeps at the enlarging levels, chosen from every step.
TEST(ChartLegibility, LabelsChosenOncePerZoomNeverOverlapAndKeepTheStronger)
{
    const ProgramInfo program{test::BuiltProgramFolder(), QStringLiteral("brenlow")};
    AppState state;
    SetChartGeometry(state);
    test::RecordingMessageBoxes messages;
    LoadStationTable(program, messages, state.StationTable);
    state.RateTableColumns = LoadRateTable(program, state.RateTable);
    TideLabelSweep tide(state);
    const std::shared_ptr<const LabelSweep> sweep = tide.Current();
    ASSERT_FALSE(sweep->Labels.empty());
    EXPECT_EQ(tide.Current(), sweep) << "made once for the tide, not per step";

    for (const int level : {1, 2}) {
        SCOPED_TRACE(level);
        const double scale = ZoomLevelPercent(state, level) / 100;
        const SymbolScale grown = SymbolScaleAt(scale);
        const QSet<std::int32_t> kept = LabelledStations(*sweep, scale);
        ASSERT_FALSE(kept.isEmpty());
        std::map<std::int32_t, double> peak;
        for (const SweptLabel &label : sweep->Labels)
            peak[label.Mark.Station] = std::max(peak[label.Mark.Station], label.Rate);
        // Boxes a view pixel apart still read as two, as the view has it.
        const double gap = 1 / (scale * grown.Label);
        const auto quad = [&](const SweptLabel &label) {
            const QTransform toView =
                QTransform().translate(label.At.x(), label.At.y()).rotate(-double(label.Angle))
                * LabelTransform(label.Mark, grown) * QTransform::fromScale(scale, scale);
            const QRectF box(-gap, -gap, label.Box.Width + 2 * gap, label.Box.Height + 2 * gap);
            return std::array<QPointF, 4>{toView.map(box.topLeft()), toView.map(box.topRight()),
                                          toView.map(box.bottomRight()),
                                          toView.map(box.bottomLeft())};
        };
        std::set<std::int32_t> clashedWithStronger;
        for (const SweptLabel &a : sweep->Labels) {
            for (const SweptLabel &b : sweep->Labels) {
                if (a.Step != b.Step || a.Mark.Station == b.Mark.Station
                    || !QuadsOverlap(quad(a), quad(b)))
                    continue;
                EXPECT_FALSE(kept.contains(a.Mark.Station) && kept.contains(b.Mark.Station))
                    << "stations " << a.Mark.Station << " and " << b.Mark.Station << " at step "
                    << a.Step;
                if (kept.contains(b.Mark.Station) && peak[b.Mark.Station] >= peak[a.Mark.Station])
                    clashedWithStronger.insert(a.Mark.Station);
            }
        }
        // Every label left off gave way to a kept one at least as strong.
        for (const auto &[station, rate] : peak) {
            if (!kept.contains(station)) {
                EXPECT_TRUE(clashedWithStronger.count(station)) << "station " << station;
            }
        }

        if (level == 1) {
            // The opening view (56, 83 at 780 x 497) shows at least 25 rates on boxes that are
            // at least 9 pixels tall.
            const QRectF opening(56, 83, 780, 497);
            int readable = 0;
            for (const SweptLabel &label : sweep->Labels)
                if (label.Step == 13 && kept.contains(label.Mark.Station)
                    && opening.contains(quad(label)[0])
                    && label.Box.Height * scale * grown.Label >= 9)
                    ++readable;
            EXPECT_GE(readable, 25);
        }
    }
}

} // namespace
} // namespace brenlow
