#include "plan/gpx_route.h"

#include <gtest/gtest.h>

#include <vector>

namespace brenlow {
namespace {

struct Point
{
    QString name;
    double latitude, longitude;
};

void ExpectPoints(const GpxRoute &route, const std::vector<Point> &expected)
{
    ASSERT_EQ(route.Points.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(route.Points[i].Name, expected[i].name);
        EXPECT_EQ(route.Points[i].Position.Latitude, expected[i].latitude);
        EXPECT_EQ(route.Points[i].Position.Longitude, expected[i].longitude);
    }
}

TEST(GpxRouteTest, ReadsTheFirstRouteElseTheFirstTrack)
{
    struct Case
    {
        const char *name;
        QByteArray gpx;
        QString routeName;
        std::vector<Point> points;
    };
    const Case cases[] = {
        {"a route with names, other elements passed over",
         R"(<?xml version="1.0"?><gpx version="1.1" xmlns="http://www.topografix.com/GPX/1/1">
 <wpt lat="1" lon="1"><name>Not a route point</name></wpt>
 <rte><name>Solent</name><rtept lat="50.7" lon="-1.55"><ele>0</ele><name>Hurst</name>
   <extensions><name>not its name</name></extensions></rtept>
  <rtept lat=" 50.76 " lon="-1.3"/></rte>
 <rte><rtept lat="2" lon="2"/></rte></gpx>)",
         "Solent",
         {{"Hurst", 50.7, -1.55}, {"", 50.76, -1.3}}},
        {"a track's points from all its segments, without a namespace",
         R"(<gpx><trk><name>Sailed</name>
  <trkseg><trkpt lat="50.1" lon="-1.1"><name>One</name></trkpt></trkseg>
  <trkseg><trkpt lat="50.2" lon="-1.2"/></trkseg></trk>
 <trk><trkseg><trkpt lat="3" lon="3"/></trkseg></trk></gpx>)",
         "Sailed",
         {{"One", 50.1, -1.1}, {"", 50.2, -1.2}}},
        {"a route before a track",
         R"(<gpx><trk><trkseg><trkpt lat="3" lon="3"/></trkseg></trk>
  <rte><rtept lat="50.5" lon="-1.5"/></rte></gpx>)",
         "",
         {{"", 50.5, -1.5}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const GpxReadResult read = ReadGpxRoute(c.gpx);
        ASSERT_FALSE(read.Error) << read.Error->Text().toStdString();
        EXPECT_EQ(read.Route.Name, c.routeName);
        ExpectPoints(read.Route, c.points);
    }
}

TEST(GpxRouteTest, SaysWhereADocumentCannotBeRead)
{
    struct Case
    {
        const char *name;
        QByteArray gpx;
        qint64 line, column;
        QString message;
    };
    const Case cases[] = {
        {"a tag left open", "<gpx>\n<rte>\n<rtept lat=\"50\" lon=\"-1\">\n</rte>", 4, 6,
         "Opening and ending tag mismatch."},
        {"not GPX", "<?xml version=\"1.0\"?>\n<kml/>", 2, 6,
         "not a GPX document: it begins with <kml>, not <gpx>"},
        {"no lat", "<gpx><rte>\n  <rtept lon=\"-1\"/>", 2, 19, "rtept has no lat"},
        {"lat out of range", "<gpx>\n<trk><trkseg><trkpt lat=\"90.5\" lon=\"-1\"/>", 2, 41,
         "trkpt lat=\"90.5\" is not a number of degrees from -90 to 90"},
        {"lon not a number", "<gpx><rte><rtept lat=\"50\" lon=\"1W\"/>", 1, 36,
         "rtept lon=\"1W\" is not a number of degrees from -180 to 180"},
        {"no points", "<gpx>\n<rte/>\n</gpx>\n", 3, 6,
         "no route point (rte/rtept) or track point (trk/trkseg/trkpt) in the document"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const GpxReadResult read = ReadGpxRoute(c.gpx);
        ASSERT_TRUE(read.Error);
        EXPECT_EQ(read.Error->Line, c.line);
        EXPECT_EQ(read.Error->Column, c.column);
        EXPECT_EQ(read.Error->Message, c.message);
        EXPECT_TRUE(read.Route.Points.empty());
    }
}

TEST(GpxRouteTest, WritesARouteThatReadsBackTheSame)
{
    GpxRoute route;
    route.Name = QStringLiteral("Round the Island");
    route.Points = {{QStringLiteral("Hurst & <Keyhaven>"), {50.7071666666666667, -1.5516666666}},
                    {QString(), {50.1 + 1e-13, -1.0000000000000002}},
                    {QStringLiteral("St Catherine\u2019s \"Point\""), {50.574166, -1.2975}},
                    {QStringLiteral("Equator"), {0, -0.0}}};
    const QByteArray written = WriteGpxRoute(route);
    EXPECT_TRUE(written.contains("<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" "
                                 "version=\"1.1\" creator=\"Brenlow\">"));
    const GpxReadResult read = ReadGpxRoute(written);
    ASSERT_FALSE(read.Error) << read.Error->Text().toStdString();
    EXPECT_EQ(read.Route.Name, route.Name);
    std::vector<Point> expected;
    for (const RoutePoint &point : route.Points)
        expected.push_back({point.Name, point.Position.Latitude, point.Position.Longitude});
    ExpectPoints(read.Route, expected);
    EXPECT_EQ(WriteGpxRoute(read.Route), written);
}

} // namespace
} // namespace brenlow
