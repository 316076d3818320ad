#include "render/arrow_glyph.h"

#include "core/app_state.h"
#include "render/test_step_view.h"
#include "support/test_platform.h"

#include <QPoint>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace brenlow {
namespace {

// A real surface whose text always measures the same, so that label offsets are exact.
class FixedTextSurface : public RecordingSurface
{
public:
    FixedTextSurface(std::int32_t width, std::int32_t height) : width_(width), height_(height) { }
    std::int32_t TextWidth(const QString &) const override { return width_; }
    std::int32_t TextHeight(const QString &) const override { return height_; }

private:
    std::int32_t width_;
    std::int32_t height_;
};

class ArrowGlyphTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::WriteBlankPicture(folder.FilePath(QStringLiteral("backdrop.bmp")), 300, 300);
    }
    void Load(RecordingSurface &surface)
    {
        surface.LoadImageFile(folder.FilePath(QStringLiteral("backdrop.bmp")));
    }
    std::vector<DrawnPolygon> Polygons(const RecordingSurface &surface) const
    {
        std::vector<DrawnPolygon> polygons;
        for (const DisplayItem &item : surface.DisplayList()) {
            if (const auto *polygon = std::get_if<DrawnPolygon>(&item))
                polygons.push_back(*polygon);
        }
        return polygons;
    }

    test::TempProgramFolder folder;
    AppState state;
};

struct PolygonCase
{
    const char *name;
    std::int32_t direction;
    double rate;
    std::vector<QPoint> outline;
    SurfaceColor color;
};

TEST_F(ArrowGlyphTest, TracesTheSevenPointOutlineFromTheTip)
{
    const PolygonCase cases[] = {
        {"up, size 30",
         0,
         2.5,
         {{100, 100}, {85, 126}, {93, 126}, {93, 171}, {108, 171}, {108, 126}, {116, 126}},
         0x00FF10},
        {"up, size 24",
         0,
         1.5,
         {{100, 100}, {88, 121}, {94, 121}, {94, 157}, {106, 157}, {106, 121}, {112, 121}},
         0x00FF10},
        {"up, size 18",
         0,
         0.5,
         {{100, 100}, {91, 116}, {95, 116}, {95, 143}, {104, 143}, {104, 116}, {108, 116}},
         0x00FF10},
        {"right, size 30",
         90,
         2.5,
         {{100, 100}, {74, 85}, {74, 93}, {29, 93}, {29, 108}, {74, 108}, {74, 116}},
         0x00FF10},
    };
    for (const PolygonCase &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSurface surface;
        Load(surface);
        DrawArrowGlyph(state, surface, 100, 100, c.direction, c.rate);
        const std::vector<DrawnPolygon> polygons = Polygons(surface);
        ASSERT_EQ(polygons.size(), 1u);
        EXPECT_EQ(polygons[0].Points, c.outline);
        EXPECT_EQ(polygons[0].Brush, c.color);
        EXPECT_EQ(polygons[0].Pen, SurfaceBlack);
        EXPECT_EQ(polygons[0].PenWidth, 1);
        EXPECT_EQ(polygons[0].PenMode, 4);
    }
}

TEST_F(ArrowGlyphTest, ColoursByDirectionAndTurnsTheLabelAlongTheAxis)
{
    struct Case
    {
        std::int32_t direction;
        SurfaceColor color;
        std::int32_t angle;
    };
    const Case cases[] = {
        {0, 0x00FF10, 90},   {45, 0x00FF10, 45}, {90, 0x00FF10, 0},    {179, 0x00FF10, 271},
        {180, 0x0000FF, 90}, {270, 0x0000FF, 0}, {359, 0x0000FF, 271},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.direction);
        RecordingSurface surface;
        Load(surface);
        state.LabelCount = 0;
        DrawArrowGlyph(state, surface, 100, 100, c.direction, 2.5);
        ASSERT_EQ(Polygons(surface).size(), 1u);
        EXPECT_EQ(Polygons(surface)[0].Brush, c.color);
        ASSERT_EQ(state.LabelCount, 1);
        EXPECT_EQ(state.LabelQueue[1].Angle, c.angle);
        EXPECT_EQ(surface.TextAngle(), static_cast<float>(c.angle));
    }
}

TEST_F(ArrowGlyphTest, PlacesTheLabelBehindTheTail)
{
    struct Case
    {
        const char *name;
        std::int32_t direction;
        double rate;
        std::int32_t width, height;
        QPoint at;
        std::int32_t angle;
        QString text;
        std::int32_t fontSize;
    };
    const Case cases[] = {
        {"right", 90, 2.5, 20, 18, {9, 92}, 0, "2.5", 11},
        {"left", 270, 2.5, 20, 18, {171, 90}, 0, "2.5", 11},
        {"up", 0, 2.5, 20, 18, {92, 191}, 90, "2.5", 11},
        {"down", 180, 2.5, 20, 18, {90, 29}, 90, "2.5", 11},
        {"slack, up", 0, 0, 45, 16, {91, 143}, 90, "SLACK", 10},
        {"odd height: half of 17 rounds to 8", 90, 2.5, 20, 17, {9, 92}, 0, "2.5", 11},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FixedTextSurface surface(c.width, c.height);
        Load(surface);
        state.LabelCount = 0;
        DrawArrowGlyph(state, surface, 100, 100, c.direction, c.rate);
        ASSERT_EQ(state.LabelCount, 1);
        const PendingLabel &label = state.LabelQueue[1];
        EXPECT_EQ(QPoint(label.X, label.Y), c.at);
        EXPECT_EQ(label.Angle, c.angle);
        EXPECT_EQ(label.Text, c.text);
        EXPECT_EQ(label.FontSize, c.fontSize);
    }
}

TEST_F(ArrowGlyphTest, SizesTheArrowByRate)
{
    struct Case
    {
        double rate;
        std::int32_t size;
    };
    // 2.05 lies between the classes: it takes 24, never a collapsed arrow.
    const Case cases[] = {{1.09, 18}, {1.1, 24}, {2.0, 24}, {2.05, 24}, {2.1, 30}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rate);
        EXPECT_EQ(ArrowSize(c.rate), c.size);
        RecordingSurface surface;
        Load(surface);
        DrawArrowGlyph(state, surface, 100, 100, 0, c.rate);
        ASSERT_EQ(Polygons(surface).size(), 1u);
        // Pointing up, the tail end is S / 2 wide.
        const std::vector<QPoint> points = Polygons(surface)[0].Points;
        EXPECT_EQ(points[4].x() - points[3].x(), c.size / 2);
    }
}

TEST_F(ArrowGlyphTest, FormatsTheRateWithOneDecimal)
{
    struct Case
    {
        double rate;
        QString text;
    };
    const Case cases[] = {{2.25, "2.3"}, {0.04, "0.0"}, {1.15, "1.2"}, {10.0, "10.0"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rate);
        RecordingSurface surface;
        Load(surface);
        state.LabelCount = 0;
        DrawArrowGlyph(state, surface, 100, 100, 30, c.rate);
        EXPECT_EQ(Polygons(surface).size(), 1u) << "an arrow for every rate above 0";
        ASSERT_EQ(state.LabelCount, 1);
        EXPECT_EQ(state.LabelQueue[1].Text, c.text);
    }
}

TEST_F(ArrowGlyphTest, SlackWaterQueuesALabelAndDrawsNoArrow)
{
    RecordingSurface surface;
    Load(surface);
    DrawArrowGlyph(state, surface, 100, 100, 200, 0);
    EXPECT_TRUE(surface.DisplayList().empty());
    ASSERT_EQ(state.LabelCount, 1);
    EXPECT_EQ(state.LabelQueue[1].Text, "SLACK");
    EXPECT_EQ(state.LabelQueue[1].FontSize, 10);
    EXPECT_EQ(surface.FontSize(), SlackLabelFontSize);
}

TEST_F(ArrowGlyphTest, MissingRateOrDirectionDrawsAndQueuesNothing)
{
    struct Case
    {
        std::int32_t direction;
        double rate;
    };
    const Case cases[] = {{-1, 2.5}, {90, -1}, {-1, -1}, {90, std::nan("")}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.direction);
        RecordingSurface surface;
        Load(surface);
        state.LabelCount = 0;
        DrawArrowGlyph(state, surface, 100, 100, c.direction, c.rate);
        EXPECT_TRUE(surface.DisplayList().empty());
        EXPECT_EQ(state.LabelCount, 0);
    }
}

TEST_F(ArrowGlyphTest, KeepsQueuedLabelsAndAppendsInOrder)
{
    RecordingSurface surface;
    Load(surface);
    DrawArrowGlyph(state, surface, 100, 100, 0, 2.5);
    DrawArrowGlyph(state, surface, 150, 150, 0, 0);
    DrawArrowGlyph(state, surface, 200, 200, 0, 1.5);
    ASSERT_EQ(state.LabelCount, 3);
    ASSERT_GE(state.LabelQueue.size(), 4u);
    EXPECT_EQ(state.LabelQueue[1].Text, "2.5");
    EXPECT_EQ(state.LabelQueue[2].Text, "SLACK");
    EXPECT_EQ(state.LabelQueue[3].Text, "1.5");
}

TEST_F(ArrowGlyphTest, LeavesTheSurfaceReadyForTheLabels)
{
    RecordingSurface surface;
    Load(surface);
    DrawArrowGlyph(state, surface, 100, 100, 270, 2.5);
    EXPECT_EQ(surface.PenColor(), SurfaceBlack);
    EXPECT_EQ(surface.BrushColor(), SurfaceWhite);
    EXPECT_FALSE(surface.TextTransparent());
    EXPECT_EQ(surface.FontName(), "arial");
    EXPECT_EQ(surface.FontSize(), RateLabelFontSize);
    EXPECT_EQ(surface.PenMode(), 4);
}

TEST_F(ArrowGlyphTest, FillsTheArrowInItsColourOnThePicture)
{
    struct Case
    {
        std::int32_t direction;
        QPoint inside; // on the shaft, halfway down
        QColor color;
    };
    const Case cases[] = {
        {0, {100, 150}, QColor(16, 255, 0)},
        {180, {100, 50}, QColor(255, 0, 0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.direction);
        RecordingSurface surface;
        Load(surface);
        DrawArrowGlyph(state, surface, 100, 100, c.direction, 2.5);
        const QImage picture = RenderPicture(surface);
        EXPECT_EQ(picture.pixelColor(c.inside), c.color);
        EXPECT_EQ(picture.pixelColor(250, 250), QColor(Qt::white));
    }
}

TEST(PolarTest, MovesClockwiseFromTheTopWithYDown)
{
    EXPECT_NEAR(PolarDX(0, 10), 0, 1e-9);
    EXPECT_NEAR(PolarDY(0, 10), -10, 1e-9);
    EXPECT_NEAR(PolarDX(90, 10), 10, 1e-9);
    EXPECT_NEAR(PolarDY(90, 10), 0, 1e-9);
    EXPECT_NEAR(PolarDY(180, 10), 10, 1e-9);
    EXPECT_NEAR(PolarDX(270, 10), -10, 1e-9);
}

TEST(AdvanceCursorTest, NormalisesTheBearingOnceAndRoundsToThePixel)
{
    RecordingSurface surface;
    struct Case
    {
        std::int32_t bearing, storedBearing;
        std::int32_t distance;
        QPoint to;
    };
    const Case cases[] = {
        {-90, 270, 10, {-10, 0}}, {450, 90, 10, {10, 0}}, {360, 360, 10, {0, -10}}, // 360 stays 360
        {-400, -40, 0, {0, 0}}, // one correction only
        {30, 30, 5, {2, -4}},   // dx just under 2.5 with the program's pi, dy -4.33
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bearing);
        GlyphCursor cursor{0, 0, c.bearing, c.distance};
        AdvanceCursor(cursor, surface, false);
        EXPECT_EQ(cursor.Bearing, c.storedBearing);
        EXPECT_EQ(QPoint(cursor.X, cursor.Y), c.to);
    }
}

} // namespace
} // namespace brenlow
