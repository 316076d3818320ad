#include "plan/picture_water_mask.h"

#include "chart_drawing.h"
#include "coastline.h"
#include "plan_fixtures.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace brenlow {
namespace {

// The chart's colours, as the content generator paints them.
const QColor Sea(214, 236, 246);
const QColor Shallow(178, 216, 236);
const QColor Buff(243, 226, 172);
const QColor Shore(58, 46, 32);
const QColor LandInk(40, 32, 24);
const QColor SeaInk(24, 72, 132);
const QColor TitleBlock(255, 253, 244);

TEST(PictureWaterMaskTest, TellsWaterFromLandByColourAndByWhatSurroundsIt)
{
    // 120 x 80: a black and white border 4 wide; sea with a shallow band; an island of buff
    // at x 60 .. 99, y 20 .. 59 outlined in shore colour, with a title block; a graticule line
    // at y 45 over sea and land; dark names at sea and on land, a blue name at sea.
    QImage picture(120, 80, QImage::Format_RGB888);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.fillRect(2, 2, 116, 76, Qt::black);
    painter.fillRect(4, 4, 112, 72, Sea);
    painter.fillRect(54, 14, 52, 52, Shallow);
    painter.fillRect(58, 18, 44, 44, Shore);
    painter.fillRect(60, 20, 40, 40, Buff);
    painter.fillRect(85, 25, 11, 6, TitleBlock);
    painter.fillRect(4, 45, 112, 1, QColor(160, 178, 196)); // graticule over sea
    painter.fillRect(60, 45, 40, 1, QColor(177, 168, 154)); // ... over land
    painter.fillRect(58, 45, 2, 1, QColor(72, 74, 74));     // ... over the shore
    painter.fillRect(15, 40, 4, 4, LandInk);
    painter.fillRect(74, 34, 4, 4, LandInk);
    painter.fillRect(40, 60, 6, 3, SeaInk);
    painter.end();
    const PictureWaterMask mask(picture);

    struct Case
    {
        const char *name;
        double x, y;
        Ground ground;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"sea", 10, 20, Ground::Water},
        {"shallow band", 55.5, 30, Ground::Water},
        {"land", 70, 50, Ground::Land},
        {"shoreline", 58.9, 30, Ground::Land},
        {"graticule over sea", 20, 45.5, Ground::Water},
        {"graticule over land", 70, 45.5, Ground::Land},
        {"graticule over the shoreline", 58, 45, Ground::Land},
        {"a dark name at sea", 16, 41, Ground::Water},
        {"a dark name on land", 75, 35, Ground::Land},
        {"a blue name at sea", 42, 61, Ground::Water},
        {"the title block", 86, 26, Ground::Land},
        {"the border's white", 1, 40, Ground::OffChart},
        {"left of the picture", -0.1, 40, Ground::OffChart},
        {"not a number", nan, 40, Ground::OffChart},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(mask.GroundAt(c.x, c.y), c.ground);
    }

    // Segments: along the sea, into the island, across the border.
    EXPECT_FALSE(FirstObstacle(mask, {10, 10}, {110, 10}));
    EXPECT_EQ(FirstObstacle(mask, {10, 30}, {110, 30}), Ground::Land);
    EXPECT_EQ(FirstObstacle(mask, {10, 10}, {10, -5}), Ground::OffChart);
    // A wall of land one pixel thin, crossed at a slant, is not stepped over.
    QImage walled(100, 100, QImage::Format_RGB888);
    walled.fill(Sea);
    QPainter wall(&walled);
    wall.fillRect(50, 0, 1, 100, Buff);
    wall.end();
    EXPECT_EQ(FirstObstacle(PictureWaterMask(walled), {20, 10}, {80, 90}), Ground::Land);
}

TEST(PictureWaterMaskTest, TheRealChartsLandIsTheCoastlinesLand)
{
    // The land of the coastline the generator paints the chart from, filled the way it fills
    // it, against the mask of the built chart picture, leaving out the shoreline's own stroke.
    using namespace content;
    const QImage picture(test::BuiltProgramFolder() + QStringLiteral("/backdrop.bmp"));
    ASSERT_FALSE(picture.isNull());
    const PictureWaterMask mask(picture);
    const Coastline coast =
        Smoothed(ReadCoastline(QStringLiteral(BRENLOW_CONTENT_DIR "/coastline_gshhg_f.txt"),
                               Region{-1.65, -0.98, 50.50, 50.91}),
                 2);
    const auto project = [](GeoPoint p) { return ChartGeometry::ToPicture(p); };
    QImage land(picture.size(), QImage::Format_Grayscale8);
    land.fill(0);
    QImage shore(picture.size(), QImage::Format_Grayscale8);
    shore.fill(0);
    QPainter(&land).fillPath(LandPath(coast, project), Qt::white);
    QPainter(&shore).strokePath(ShorePath(coast, project), QPen(Qt::white, 8));

    // The border is 34 pixels wide; the frame line along its inner edge, 2 wide, takes one
    // more. Its latitude and longitude labels reach some 90 pixels in, printed over what is
    // there (one across an islet at the east edge).
    constexpr int Frame = 35;
    constexpr int Labels = 90;
    int disagreements = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const uchar *landLine = land.constScanLine(y);
        const uchar *shoreLine = shore.constScanLine(y);
        for (int x = 0; x < picture.width(); ++x) {
            const Ground ground = mask.GroundAt(x + 0.5, y + 0.5);
            const bool border = x < Frame || y < Frame || x >= picture.width() - Frame
                || y >= picture.height() - Frame;
            // The border, with its frame line, is off the chart, and nothing else.
            ASSERT_EQ(ground == Ground::OffChart, border) << x << ", " << y;
            if (border)
                continue;
            const bool labels = x < Labels || y < Labels || x >= picture.width() - Labels
                || y >= picture.height() - Labels;
            if (!labels && shoreLine[x] == 0 && (landLine[x] > 127) != (ground == Ground::Land))
                ++disagreements;
        }
    }
    // The one place they differ: the name of Yarmouth, printed across the River Yar.
    EXPECT_LT(disagreements, 400);
}

} // namespace
} // namespace brenlow
