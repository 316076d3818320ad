// The generator's parts on small inputs: closing the shoreline, cutting its corners, the
// tidal model's turns and the rate table's look-up.
#include "coastline.h"
#include "rate_table.h"
#include "tidal_model.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>

namespace brenlow::content {
namespace {

// A 1° x 1° region: a mainland chain entering at the west edge and leaving at the east edge
// (land north of it, as GMT writes it: land on the left), and a closed island south of it.
constexpr Region Square{0, 1, 0, 1};
constexpr char Shore[] = "# test\n"
                         "> mainland, first piece\n0 0.5\n0.5 0.6\n"
                         "> mainland, second piece\n0.5 0.6\n1 0.5\n"
                         "> island\n0.4 0.2\n0.6 0.2\n0.6 0.3\n0.4 0.3\n0.4 0.2\n";

Coastline ReadTestShore()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shore.txt"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Shore);
    file.close();
    return ReadCoastline(path, Square);
}

TEST(Coastline, JoinsPiecesAndClosesTheMainlandAlongTheBorderOnTheLandSide)
{
    const Coastline coast = ReadTestShore();
    ASSERT_EQ(coast.Land.size(), 2u);
    const struct
    {
        double Lon;
        double Lat;
        bool Land;
    } rows[] = {
        {0.5, 0.9, true},   // north of the mainland shore
        {0.05, 0.95, true}, // the north-west corner, filled along the border
        {0.5, 0.4, false},  // the sea between
        {0.5, 0.25, true},  // the island
        {0.9, 0.1, false},  // the sea south
    };
    for (const auto &row : rows)
        EXPECT_EQ(coast.IsOnLand({row.Lon, row.Lat}), row.Land) << row.Lon << ", " << row.Lat;
}

TEST(Coastline, MeasuresDistanceToTheShoreOnlyNotToTheBorder)
{
    const Coastline coast = ReadTestShore();
    // Next to the north border, far from any shore: the border edge does not count.
    const GeoPoint nearBorder{0.5, 0.99};
    EXPECT_GT(coast.DistanceToShoreMetres(nearBorder), 20000.0);
    // 0.01° of latitude south of the island's north edge is 1111 m.
    EXPECT_NEAR(coast.DistanceToShoreMetres({0.5, 0.31}), 1111.2, 1.0);
}

TEST(Coastline, CutsShoreCornersButKeepsBorderCorners)
{
    const Coastline smoothed = Smoothed(ReadTestShore(), 2);
    // The corners of the region stay land (a cut across them would flood them).
    for (const GeoPoint corner : {GeoPoint{0.001, 0.999}, GeoPoint{0.999, 0.999}})
        EXPECT_TRUE(smoothed.IsOnLand(corner)) << corner.Lon << ", " << corner.Lat;
    // The island's corner is cut: its very tip is now sea, its middle still land.
    EXPECT_FALSE(smoothed.IsOnLand({0.4005, 0.2005}));
    EXPECT_TRUE(smoothed.IsOnLand({0.5, 0.25}));
}

TEST(TidalModel, TurnsAtTheRegimeTimesWithSlackAndTheNewDirection)
{
    Station station;
    station.Timing = {-5.0, 5.0}; // first stream HW-5 .. HW, second after
    station.First = {70, 2.0};
    station.Second = {250, 3.0};
    const struct
    {
        int Step;
        int Direction;
        double Rate;
    } rows[] = {
        {1, 250, 3.0 * std::sin(3.14159265358979 * (-6.0 - (0.0 - 12.42)) / 7.42)},
        {3, 70, 0.0},   // HW-5: the first stream begins
        {8, 70, 2.0},   // HW-2.5: its middle
        {13, 250, 0.0}, // HW: the second stream begins
        {20, 250, 3.0 * std::sin(3.14159265358979 * 3.5 / 7.42)},
    };
    for (const auto &row : rows) {
        const StreamAt at = StreamAtStep(station, row.Step);
        EXPECT_EQ(at.Direction, row.Direction) << "step " << row.Step;
        EXPECT_NEAR(at.SpringRate, row.Rate, 1e-9) << "step " << row.Step;
    }
}

TEST(RateTable, StoredRatesFindTheirOwnRowInTheReferenceColumn)
{
    const RateTableModel table;
    for (const bool springs : {false, true})
        for (int hundredths = 0; hundredths <= 600; ++hundredths) {
            const double springRate = hundredths / 100.0;
            const int stored = table.StoredTenths(springRate, springs);
            const int column = RateTableModel::ColumnOf(springs ? 47 : 43);
            const int meant = 1
                + static_cast<int>(std::lround(springRate * RateTableModel::Range(4.3)
                                               / RateTableModel::Range(4.7) * 10));
            EXPECT_EQ(table.RowFor(stored, column), meant)
                << springRate << (springs ? " at springs" : " at 4.3 m");
        }
}

TEST(RateTable, FollowsPortsmouthsRanges)
{
    EXPECT_DOUBLE_EQ(RateTableModel::Range(4.7), 3.9);
    EXPECT_DOUBLE_EQ(RateTableModel::Range(3.8), 1.9);
}

} // namespace
} // namespace brenlow::content
