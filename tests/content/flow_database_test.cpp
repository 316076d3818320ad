// The shipped flow database and rate table, read through the program's own loaders.
#include "content_files.h"

#include "data/auxiliary_files.h"
#include "data/line_codec.h"
#include "data/station_table.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>

#include <cmath>

namespace brenlow::test {
namespace {

struct LoadedData
{
    StationTable Stations;
    RateTable Rates{};
    int RateColumns = 0;
    std::vector<ShownMessage> Messages;
};

LoadedData LoadShippedData()
{
    TempProgramFolder folder;
    folder.CopyFromBuiltProgram(QStringLiteral("temp.bmp"));
    folder.CopyFromBuiltProgram(QStringLiteral("temp3.bmp"));
    RecordingMessageBoxes messages;
    LoadedData data;
    LoadStationTable(folder.Info(), messages, data.Stations);
    data.RateColumns = LoadRateTable(folder.Info(), data.Rates);
    data.Messages = messages.Shown;
    return data;
}

const LoadedData &Shipped()
{
    static const LoadedData data = LoadShippedData();
    return data;
}

// The rate drawn for a stored rate referred to height g when the high water is h (metres):
// the renderer's rule (reference column: first height >= g rounded to 0.1; line: first value
// of that column >= the stored rate; the drawn rate: that line in the column of h). Nothing
// when no line reaches the stored rate.
std::optional<double> DrawnRate(const LoadedData &data, double stored, double g, double h)
{
    const auto clampHeight = [](double x) { return (x > 5.0 || x < 3.4) ? 4.3 : x; };
    g = std::round(clampHeight(g) * 10) / 10;
    h = clampHeight(h);
    const auto column = [&](double height) {
        for (int c = 1; c <= data.RateColumns; ++c)
            if (data.Rates[c][0] >= height)
                return c;
        return data.RateColumns + 1;
    };
    const int c1 = column(g);
    for (int r = 1; r <= 50; ++r)
        if (data.Rates[c1][r] >= stored)
            return data.Rates[column(h)][r];
    return std::nullopt;
}

const StationRecord *FindStation(const QByteArray &title)
{
    for (std::size_t i = 1; i < Shipped().Stations.size(); ++i)
        if (Shipped().Stations[i].Title == title)
            return &Shipped().Stations[i];
    return nullptr;
}

TEST(FlowDatabase, IsShippedEncodedAndLoadsWithoutTheWarning)
{
    const QByteArray file = BuiltFile(QStringLiteral("temp.bmp"));
    EXPECT_TRUE(file.startsWith("encrypted\r\n"));
    EXPECT_TRUE(Shipped().Messages.empty());
    const std::size_t count = Shipped().Stations.size() - 1;
    EXPECT_GE(count, 60u);
    EXPECT_LE(count, 120u);
}

TEST(FlowDatabase, KeepsTheFieldLayoutOfItsDataLines)
{
    const QByteArray file = BuiltFile(QStringLiteral("temp.bmp"));
    const std::vector<QByteArrayView> lines = SplitFileLines(file);
    ASSERT_GE(lines.size(), 2u);
    const QRegularExpression longitude(QStringLiteral(R"(^001 \d\d\.\d\dW$)"));
    const QRegularExpression latitude(QStringLiteral(R"(^50 \d\d\.\d\dN$)"));
    const QRegularExpression rate(QStringLiteral(R"(^\d\.\d$)"));
    const QRegularExpression direction(QStringLiteral(R"(^\d{1,3}$)"));
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        QByteArray line = DecodeLine(lines[i]);
        std::vector<QByteArray> fields;
        while (line.count('"') >= 2)
            fields.push_back(NextQuotedField(line));
        SCOPED_TRACE("line " + std::to_string(i + 1));
        ASSERT_EQ(fields.size(), 123u);
        const auto field = [&](int number) { return QString::fromLatin1(fields[number - 1]); };
        EXPECT_TRUE(longitude.match(field(1)).hasMatch()) << field(1).toStdString();
        EXPECT_TRUE(latitude.match(field(2)).hasMatch()) << field(2).toStdString();
        for (int f = 3; f <= 27; ++f)
            EXPECT_TRUE(rate.match(field(f)).hasMatch())
                << "field " << f << ": " << field(f).toStdString();
        for (int f = 28; f <= 52; ++f)
            EXPECT_TRUE(direction.match(field(f)).hasMatch()) << "field " << f;
        EXPECT_FALSE(field(53).isEmpty());
        const QString height = field(62);
        EXPECT_TRUE(height.isEmpty() || height == QLatin1String("4.7"));
        for (int f = 62; f <= 86; ++f)
            EXPECT_EQ(field(f), height) << "one reference height for all steps, field " << f;
        EXPECT_FALSE(field(114).isEmpty());
        for (int f : {54, 61, 87, 113, 115, 123})
            EXPECT_TRUE(field(f).isEmpty()) << "unused field " << f;
    }
}

TEST(FlowDatabase, EveryStationHasTextsDirectionsRatesAndHeights)
{
    for (std::size_t i = 1; i < Shipped().Stations.size(); ++i) {
        const StationRecord &s = Shipped().Stations[i];
        SCOPED_TRACE(s.Title.toStdString());
        EXPECT_FALSE(s.Title.isEmpty());
        EXPECT_FALSE(s.Description.isEmpty());
        // The station panel is 354 x 83 pixels: a title and a few lines.
        EXPECT_LE(s.Description.size(), 240);
        int slackSteps = 0;
        for (int step = 1; step <= StepCount; ++step) {
            const int d = s.Direction[step];
            EXPECT_TRUE(d == -1 || (d >= 0 && d <= 359)) << "step " << step << ": " << d;
            EXPECT_GE(s.Rate[step], 0.0) << "step " << step;
            EXPECT_TRUE(s.RateHeight[step] == 4.3 || s.RateHeight[step] == 4.7)
                << "step " << step << ": " << s.RateHeight[step];
            if (s.Rate[step] == 0)
                ++slackSteps;
        }
        EXPECT_GE(slackSteps, 1) << "the stream turns within six hours of high water";
    }
}

TEST(RateTable, HasTheSeventeenHeightsAndRisesDownEveryColumn)
{
    const LoadedData &data = Shipped();
    ASSERT_EQ(data.RateColumns, 17);
    for (int c = 1; c <= 17; ++c)
        EXPECT_DOUBLE_EQ(data.Rates[c][0], 3.3 + 0.1 * c) << "column " << c;
    for (int c = 1; c <= 17; ++c) {
        EXPECT_EQ(data.Rates[c][1], 0.0) << "line 1 is slack water in column " << c;
        for (int r = 2; r <= 50; ++r)
            EXPECT_GT(data.Rates[c][r], data.Rates[c][r - 1]) << "column " << c << " line " << r;
    }
}

TEST(RateTable, CarriesRatesWithTheRangeFromNeapsToSprings)
{
    // A stream of 1.0 knot at 4.3 m is about 1.3 at springs (4.7 m) and 0.6 at neaps (3.8 m).
    const struct
    {
        double Height;
        double Expected;
    } rows[] = {{4.3, 1.0}, {4.7, 1.30}, {3.8, 0.63}, {5.0, 1.52}, {3.4, 0.34}};
    for (const auto &row : rows) {
        const auto drawn = DrawnRate(Shipped(), 1.0, 4.3, row.Height);
        ASSERT_TRUE(drawn.has_value());
        EXPECT_NEAR(*drawn, row.Expected, 0.011) << "height " << row.Height;
    }
}

TEST(RateTable, CoversEveryStoredRateAndGivesItBackAtItsOwnHeight)
{
    for (std::size_t i = 1; i < Shipped().Stations.size(); ++i) {
        const StationRecord &s = Shipped().Stations[i];
        SCOPED_TRACE(s.Title.toStdString());
        for (int step = 1; step <= StepCount; ++step)
            for (const double h : {3.4, 4.3, 4.7, 5.0}) {
                const auto drawn = DrawnRate(Shipped(), s.Rate[step], s.RateHeight[step], h);
                ASSERT_TRUE(drawn.has_value()) << "step " << step << " rate " << s.Rate[step];
                if (h == s.RateHeight[step]) {
                    EXPECT_NEAR(*drawn, s.Rate[step], 0.095) << "step " << step;
                }
            }
    }
}

// Peak rate drawn for a station over the 25 steps at a given high-water height.
double PeakRate(const StationRecord &s, double height)
{
    double peak = 0;
    for (int step = 1; step <= StepCount; ++step)
        peak = std::max(peak,
                        DrawnRate(Shipped(), s.Rate[step], s.RateHeight[step], height).value_or(0));
    return peak;
}

TEST(StreamPattern, IsStrongestInTheNarrowsAndOffTheHeadlandsAndWeakInTheEast)
{
    const struct
    {
        const char *Title;
        double LeastAtSprings;
        double MostAtSprings;
    } rows[] = {
        {"Hurst Narrows", 3.0, 4.5},
        {"Needles Channel", 2.5, 4.0},
        {"Off St Catherine's Point", 3.0, 4.5},
        {"Off Dunnose", 2.0, 3.5},
        {"Spithead", 1.0, 2.0},
        {"Off Bembridge Ledge", 1.0, 2.0},
        {"Off Hythe", 0.5, 1.5},
    };
    for (const auto &row : rows) {
        const StationRecord *s = FindStation(row.Title);
        ASSERT_NE(s, nullptr) << row.Title;
        const double peak = PeakRate(*s, 4.7);
        EXPECT_GE(peak, row.LeastAtSprings) << row.Title;
        EXPECT_LE(peak, row.MostAtSprings) << row.Title;
    }
}

TEST(StreamPattern, TheSolentRunsEastBeforeHighWaterAndWestAfter)
{
    // Steps 4..11 are HW-4.5 .. HW-1; steps 15..24 are HW+1 .. HW+5.5. Green arrows (0..179)
    // before, red ones (180..359) after.
    for (const char *title : {"Hurst Narrows", "Off Yarmouth", "West Solent, mid-channel",
                              "Cowes Roads", "Eastern Solent", "Spithead"}) {
        const StationRecord *s = FindStation(title);
        ASSERT_NE(s, nullptr) << title;
        for (int step = 4; step <= 11; ++step)
            EXPECT_LT(s->Direction[step], 180) << title << " step " << step;
        for (int step = 15; step <= 24; ++step)
            EXPECT_GE(s->Direction[step], 180) << title << " step " << step;
    }
}

TEST(Stations, LieAtSeaClearOfTheShore)
{
    const QImage &chart = BuiltBackdrop();
    ASSERT_FALSE(chart.isNull());
    // 30 picture pixels are about 280 m.
    constexpr int clearance = 30;
    for (std::size_t i = 1; i < Shipped().Stations.size(); ++i) {
        const StationRecord &s = Shipped().Stations[i];
        const QPoint at(qRound(PictureX(s.ChartX)), qRound(PictureY(s.ChartY)));
        ASSERT_TRUE(
            chart.rect().adjusted(clearance, clearance, -clearance, -clearance).contains(at))
            << s.Title.toStdString();
        int landPixels = 0;
        for (int dy = -clearance; dy <= clearance; ++dy)
            for (int dx = -clearance; dx <= clearance; ++dx)
                if (dx * dx + dy * dy <= clearance * clearance
                    && IsLandColour(chart.pixel(at.x() + dx, at.y() + dy)))
                    ++landPixels;
        EXPECT_EQ(landPixels, 0) << s.Title.toStdString();
    }
}

TEST(Stations, StayReachableOutsideEveryPictureSpot)
{
    TempProgramFolder folder;
    folder.CopyFromBuiltProgram(QStringLiteral("temp2.bmp"));
    PictureSpotTable spots;
    LoadPictureSpots(folder.Info(), spots);
    for (std::size_t i = 1; i < Shipped().Stations.size(); ++i) {
        const StationRecord &s = Shipped().Stations[i];
        // The station's pointer box reaches 10 picture pixels round it.
        const QRectF box(PictureX(s.ChartX) - 10, PictureY(s.ChartY) - 10, 20, 20);
        for (std::size_t k = 1; k < spots.size(); ++k) {
            const QRectF spot(QPointF(PictureX(spots[k].Left), PictureY(spots[k].Top)),
                              QPointF(PictureX(spots[k].Right), PictureY(spots[k].Bottom)));
            EXPECT_FALSE(spot.intersects(box))
                << s.Title.toStdString() << " under " << spots[k].PictureFile.toStdString();
        }
    }
}

TEST(Stations, CoverEveryPartOfTheWaterWithoutCrowding)
{
    const QImage &chart = BuiltBackdrop();
    ASSERT_FALSE(chart.isNull());
    std::vector<QPointF> points;
    for (std::size_t i = 1; i < Shipped().Stations.size(); ++i)
        points.emplace_back(PictureX(Shipped().Stations[i].ChartX),
                            PictureY(Shipped().Stations[i].ChartY));
    for (std::size_t i = 0; i < points.size(); ++i)
        for (std::size_t j = i + 1; j < points.size(); ++j)
            EXPECT_GE(QLineF(points[i], points[j]).length(), 110.0)
                << Shipped().Stations[i + 1].Title.toStdString() << " and "
                << Shipped().Stations[j + 1].Title.toStdString();

    // Every cell of a 6 x 6 grid that is at least a fifth water holds a station.
    constexpr int cells = 6;
    const double cellWidth = chart.width() / double(cells);
    const double cellHeight = chart.height() / double(cells);
    for (int cy = 0; cy < cells; ++cy)
        for (int cx = 0; cx < cells; ++cx) {
            const QRectF cell(cx * cellWidth, cy * cellHeight, cellWidth, cellHeight);
            int sea = 0;
            int samples = 0;
            for (double y = cell.top() + 5; y < cell.bottom(); y += 20)
                for (double x = cell.left() + 5; x < cell.right(); x += 20) {
                    ++samples;
                    if (IsSeaColour(chart.pixel(int(x), int(y))))
                        ++sea;
                }
            if (sea * 5 < samples)
                continue;
            const bool hasStation = std::any_of(points.begin(), points.end(),
                                                [&](QPointF p) { return cell.contains(p); });
            EXPECT_TRUE(hasStation) << "cell " << cx << ", " << cy;
        }
}

} // namespace
} // namespace brenlow::test
