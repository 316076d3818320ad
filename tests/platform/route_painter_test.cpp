#include "platform/route_painter.h"

#include <QImage>
#include <QPainter>
#include <QTransform>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

// The brightest pixel of a track drawn on black, and whether any is not a red, amber or black.
struct Drawn
{
    int Lightest = 0;
    bool OnlyWarm = true;
};

Drawn DrawOnBlack(const RouteColours &colours)
{
    RouteDrawing route;
    route.Legs = {{{20, 60}, {180, 60}, RouteDrawing::Stretch::Sailed},
                  {{180, 60}, {180, 110}, RouteDrawing::Stretch::Failed}};
    route.Points = {{{20, 60}, QStringLiteral("1"), false, false},
                    {{180, 60}, QStringLiteral("2 Cowes"), true, false},
                    {{180, 110}, QStringLiteral("3"), false, true}};
    route.Hours = {{{100, 60}, {1, 0}, QStringLiteral("14:00")}};
    route.FailureAt = QPointF(180, 80);
    QImage image(220, 140, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        PaintRoute(painter, QTransform(), route, colours);
    }
    Drawn drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            drawn.Lightest = std::max(drawn.Lightest, c.lightness());
            drawn.OnlyWarm = drawn.OnlyWarm && c.red() >= c.green() && c.green() >= c.blue();
        }
    return drawn;
}

TEST(RoutePainter, AtNightTheTrackIsWarmAndNothingIsWhite)
{
    const Drawn night = DrawOnBlack(NightRouteColours);
    EXPECT_TRUE(night.OnlyWarm);
    EXPECT_LT(night.Lightest, 170);
    EXPECT_GT(night.Lightest, 90) << "still seen on the dark chart";
    // By day the track is magenta on white.
    const Drawn day = DrawOnBlack(DayRouteColours);
    EXPECT_FALSE(day.OnlyWarm);
    EXPECT_EQ(day.Lightest, 255);
}

} // namespace
} // namespace brenlow
