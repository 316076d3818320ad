// The passage planner's command line, run as a user runs the built program, on British time.
#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "data/auxiliary_files.h"
#include "data/flow_database_files.h"
#include "data/line_codec.h"
#include "data/station_table.h"
#include "plan/geo_position.h"
#include "plan/gpx_route.h"
#include "render/station_stream.h"
#include "support/program_process.h"
#include "support/test_platform.h"
#include "tides/tide_constants.h"
#include "tides/tide_prediction.h"

#include <QFile>
#include <QRegularExpression>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace brenlow {
namespace {

using test::ProgramOutput;

const QString Zone = QStringLiteral("Europe/London");
const QString Departure = QStringLiteral("2026-06-12 08:20");
const QString CowesName = QStringLiteral("Cowes Roads, \"the Green\"");
constexpr double Radians = std::numbers::pi / 180;

ProgramOutput RunBrenlow(const QStringList &arguments, const QString &program = QString())
{
    return test::RunProgram(arguments, program, Zone);
}

// 50°u'N 1°v'W.
GeoPosition Position(double minutesNorth, double minutesWest)
{
    return {50 + minutesNorth / 60, -1 - minutesWest / 60};
}

// Off Hurst Castle, in the narrows, to Cowes Roads: one leg in open water.
const std::vector<RoutePoint> HurstToCowes{{"Off Hurst", Position(42.45, 32.3)},
                                           {CowesName, Position(46.4, 18.6)}};

QString WriteRoute(const test::TempProgramFolder &folder, const QString &name,
                   const std::vector<RoutePoint> &points)
{
    folder.WriteFile(name, WriteGpxRoute({QString(), points}));
    return folder.FilePath(name);
}

QStringList PlanArguments(const QString &route, const QString &speed)
{
    return {"--plan", route, "--speed", speed, "--depart", Departure};
}

// The records of CSV text: fields split at commas outside double quotes, a doubled quote
// inside them one quote.
std::vector<QStringList> CsvRecords(const QString &text)
{
    std::vector<QStringList> records;
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted && c == '"' && i + 1 < text.size() && text.at(i + 1) == '"') {
            field += c;
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == ',' || c == '\n')) {
            fields.push_back(field);
            field.clear();
            if (c == '\n')
                records.push_back(std::exchange(fields, {}));
        } else {
            field += c;
        }
    }
    return records;
}

qint64 MinutesBetween(const QString &from, const QString &to)
{
    const QString form = QStringLiteral("yyyy-MM-dd HH:mm");
    return QDateTime::fromString(from, form).secsTo(QDateTime::fromString(to, form)) / 60;
}

TEST(PlanCommandTest, RefusesWithOneLineNamingTheFault)
{
    const test::TempProgramFolder folder;
    const QString land =
        WriteRoute(folder, "land.gpx", {HurstToCowes[0], {"Newport", Position(42, 17.5)}});
    const QString offChart =
        WriteRoute(folder, "far.gpx", {HurstToCowes[0], {"Far out", Position(80, 20)}});
    folder.WriteFile("bad.gpx",
                     "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\">\n <rte>\n"
                     "  <rtept lat=\"50.7\" lon=\"-1.5\"/>\n  <rtept lon=\"-1.4\"/>\n"
                     " </rte>\n</gpx>\n");
    const QString bad = folder.FilePath("bad.gpx");
    const QString good = WriteRoute(folder, "good.gpx", HurstToCowes);
    const QStringList plan = PlanArguments(good, "5");

    const struct
    {
        const char *Name;
        QStringList Arguments;
        QString Reason;
    } rows[] = {
        {"a point on land, named", PlanArguments(land, "5"), "Route point 2 (Newport) is on land"},
        {"a point off the chart", PlanArguments(offChart, "5"),
         "Route point 2 (Far out) is outside the chart"},
        {"a GPX that is not: where it fails", PlanArguments(bad, "5"),
         bad + ", line 5, column 21: rtept has no lat"},
        {"no route file", PlanArguments(folder.FilePath("none.gpx"), "5"),
         "the route file " + folder.FilePath("none.gpx") + " is missing"},
        {"speed 0", PlanArguments(good, "0"),
         "--speed 0: the boat's speed through the water "
         "must be more than 0 and at most 30 knots"},
        {"speed just over 30", PlanArguments(good, "30.01"), "--speed 30.01: the boat's speed"},
        {"no departure", {"--plan", good, "--speed", "5"}, "--plan needs --depart"},
        {"a departure on no date",
         {"--plan", good, "--speed", "5", "--depart", "2026-02-30 10:00"},
         "--depart \"2026-02-30 10:00\" is not a date and time of the local clock"},
        {"a departure the clocks skip",
         {"--plan", good, "--speed", "5", "--depart", "2026-03-29 01:30"},
         "--depart \"2026-03-29 01:30\" is not"},
        {"a sweep over a day each way", plan + QStringList{"--sweep", "24.5"},
         "--sweep 24.5: the sweep must reach more than 0 and at most 24 hours each way"},
        {"an unknown option", plan + QStringList{"--fast"}, "unknown option --fast"},
        {"the stream on land",
         {"--stream", "50.7", "-1.2917", Departure},
         "50.7 -1.2917 is on land"},
        {"the stream without a time", {"--stream", "50.7", "-1.4"}, "--stream needs LAT LON"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Name);
        const ProgramOutput run = RunBrenlow(row.Arguments);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_TRUE(run.Out.isEmpty()) << run.Out.toStdString();
        EXPECT_EQ(run.Err.count('\n'), 1) << run.Err.toStdString();
        EXPECT_TRUE(run.Err.startsWith("brenlow: " + row.Reason)) << run.Err.toStdString();
    }
}

TEST(PlanCommandTest, PiecesCloseTheirTrianglesAndFollowOneAnother)
{
    const test::TempProgramFolder folder;
    const QString route = WriteRoute(folder, "route.gpx", HurstToCowes);
    const ProgramOutput csv = RunBrenlow(PlanArguments(route, "5") + QStringList{"--csv"});
    ASSERT_EQ(csv.ExitCode, 0) << csv.Err.toStdString();
    EXPECT_TRUE(csv.Err.isEmpty());
    EXPECT_TRUE(csv.Out.contains(",\"Cowes Roads, \"\"the Green\"\"\","));
    const std::vector<QStringList> records = CsvRecords(csv.Out);
    ASSERT_GT(records.size(), 3u);
    EXPECT_EQ(records[0].join(','),
              "leg,from,to,start,end,track_deg,distance_nm,set_deg,rate_kn,cts_deg,sog_kn");

    static const QRegularExpression time(R"(^\d{4}-\d\d-\d\d \d\d:\d\d$)");
    static const QRegularExpression degrees(R"(^[0-3]\d\d\.\d$)");
    static const QRegularExpression hundredths(R"(^\d+\.\d\d$)");
    double distance = 0;
    for (std::size_t k = 1; k < records.size(); ++k) {
        SCOPED_TRACE(k);
        const QStringList &piece = records[k];
        ASSERT_EQ(piece.size(), 11);
        EXPECT_EQ(piece[0], "1");
        EXPECT_EQ(piece[1], "Off Hurst");
        EXPECT_EQ(piece[2], CowesName);
        EXPECT_EQ(piece[3], k == 1 ? Departure : records[k - 1][4]);
        EXPECT_TRUE(time.match(piece[4]).hasMatch()) << piece[4].toStdString();
        for (const int c : {5, 7, 9})
            EXPECT_TRUE(degrees.match(piece[c]).hasMatch()) << piece[c].toStdString();
        for (const int c : {6, 8, 10})
            EXPECT_TRUE(hundredths.match(piece[c]).hasMatch()) << piece[c].toStdString();
        // The boat's 5 kn on the course to steer plus the stream make the speed over the ground
        // along the track, to what the printed figures hold.
        const double track = piece[5].toDouble() * Radians;
        const double set = piece[7].toDouble() * Radians;
        const double rate = piece[8].toDouble();
        const double course = piece[9].toDouble() * Radians;
        const double overGround = piece[10].toDouble();
        EXPECT_NEAR(5 * std::sin(course) + rate * std::sin(set), overGround * std::sin(track),
                    0.03);
        EXPECT_NEAR(5 * std::cos(course) + rate * std::cos(set), overGround * std::cos(track),
                    0.03);
        distance += piece[6].toDouble();
    }
    EXPECT_NEAR(distance, DistanceNm(HurstToCowes[0].Position, HurstToCowes[1].Position),
                0.005 * static_cast<double>(records.size()));

    // The table gives the same arrival, and with a variation west the magnetic course is the
    // true one plus it.
    const ProgramOutput table =
        RunBrenlow(PlanArguments(route, "5") + QStringList{"--variation", "-1.5"});
    ASSERT_EQ(table.ExitCode, 0) << table.Err.toStdString();
    EXPECT_TRUE(table.Out.contains("arrival " + records.back()[4])) << table.Out.toStdString();
    EXPECT_TRUE(table.Out.contains("variation 1.5\u00b0 W"));
    std::vector<QStringList> pieceRows;
    static const QRegularExpression pieceRow(R"(^\s*1\s)");
    for (const QString &line : table.Out.split('\n'))
        if (pieceRow.match(line).hasMatch())
            pieceRows.push_back(line.split(' ', Qt::SkipEmptyParts));
    ASSERT_EQ(pieceRows.size(), records.size() - 1);
    for (std::size_t k = 0; k < pieceRows.size(); ++k) {
        const double magnetic = pieceRows[k][pieceRows[k].size() - 2].toDouble();
        EXPECT_NEAR(magnetic, records[k + 1][9].toDouble() + 1.5, 0.55) << k;
    }
}

TEST(PlanCommandTest, APassageThatFailsPrintsThePiecesBeforeTheFailure)
{
    // At 1.5 kn the boat meets the west-going stream off Yarmouth in the late morning.
    const test::TempProgramFolder folder;
    const QString route = WriteRoute(folder, "route.gpx", HurstToCowes);
    const ProgramOutput run = RunBrenlow(PlanArguments(route, "1.5") + QStringList{"--csv"});
    EXPECT_EQ(run.ExitCode, 2);
    const std::vector<QStringList> records = CsvRecords(run.Out);
    ASSERT_GT(records.size(), 1u) << run.Err.toStdString();
    EXPECT_EQ(run.Err.count('\n'), 1);
    EXPECT_TRUE(run.Err.startsWith(QStringLiteral("brenlow: Leg 1 (Off Hurst to %1), piece %2 "
                                                  "from %3: the stream sets ")
                                       .arg(CowesName)
                                       .arg(records.size())
                                       .arg(records.back()[4])))
        << run.Err.toStdString();
}

TEST(PlanCommandTest, TheSweepAgreesWithThePlanAtItsDeparture)
{
    const test::TempProgramFolder folder;
    const QString route = WriteRoute(folder, "route.gpx", HurstToCowes);
    const ProgramOutput plan = RunBrenlow(PlanArguments(route, "5") + QStringList{"--csv"});
    ASSERT_EQ(plan.ExitCode, 0) << plan.Err.toStdString();
    const QString arrival = CsvRecords(plan.Out).back()[4];

    const ProgramOutput sweep =
        RunBrenlow(PlanArguments(route, "5") + QStringList{"--sweep", "1", "--csv"});
    ASSERT_EQ(sweep.ExitCode, 0) << sweep.Err.toStdString();
    const std::vector<QStringList> entries = CsvRecords(sweep.Out);
    ASSERT_EQ(entries.size(), 14u);
    EXPECT_EQ(entries[0].join(','), "depart,arrive,duration_min");
    for (std::size_t k = 1; k < entries.size(); ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(entries[k].size(), 3);
        EXPECT_EQ(MinutesBetween(Departure, entries[k][0]), (static_cast<int>(k) - 7) * 10);
        EXPECT_EQ(entries[k][2].toLongLong(), MinutesBetween(entries[k][0], entries[k][1]));
    }
    EXPECT_EQ(entries[7][1], arrival);

    // At 2 kn some departures meet a head stream that stops the boat: their arrival and
    // duration are empty, and the table says why; the quickest of the rest is marked.
    const QStringList slow = PlanArguments(route, "2") + QStringList{"--sweep", "3"};
    const ProgramOutput slowCsv = RunBrenlow(slow + QStringList{"--csv"});
    const ProgramOutput slowTable = RunBrenlow(slow);
    ASSERT_EQ(slowCsv.ExitCode, 0) << slowCsv.Err.toStdString();
    std::vector<std::pair<qint64, QString>> durations;
    qsizetype failed = 0;
    const std::vector<QStringList> slowEntries = CsvRecords(slowCsv.Out);
    for (std::size_t k = 1; k < slowEntries.size(); ++k) {
        const QStringList &entry = slowEntries[k];
        EXPECT_EQ(entry[1].isEmpty(), entry[2].isEmpty()) << entry.join(',').toStdString();
        if (entry[1].isEmpty())
            ++failed;
        else
            durations.push_back({entry[2].toLongLong(), entry[0]});
    }
    EXPECT_GT(failed, 0);
    EXPECT_EQ(slowTable.Out.count("  Leg 1 (Off Hurst to "), failed);
    ASSERT_FALSE(durations.empty());
    const QString quickest = std::min_element(durations.begin(), durations.end())->second;
    EXPECT_EQ(slowTable.Out.count("<- quickest"), 1);
    EXPECT_TRUE(slowTable.Out.contains(
        QRegularExpression("\n" + QRegularExpression::escape(quickest) + ".*<- quickest\n")));
}

TEST(PlanCommandTest, TheStreamAtAStationIsThatStationsArrow)
{
    const ProgramInfo program{test::BuiltProgramFolder(), "brenlow"};
    AppState state;
    SetChartGeometry(state);
    test::RecordingMessageBoxes messages;
    LoadStationTable(program, messages, state.StationTable);
    state.RateTableColumns = LoadRateTable(program, state.RateTable);
    const RateLookup rates(state);

    // The morning's high water as the program predicts it for a passage on the 12th: the
    // days before and after, to the minute.
    const auto constants = LoadTideConstants(program.FilePath(TideConstantsFileName));
    ASSERT_TRUE(constants.Constants) << constants.Error.toStdString();
    const QTimeZone london(Zone.toUtf8());
    const QDateTime from(QDate(2026, 6, 11), QTime(0, 0), london);
    const QDateTime to(QDate(2026, 6, 14), QTime(0, 0), london);
    std::optional<TideExtreme> highWater;
    for (const TideExtreme &extreme :
         PredictExtremes(*constants.Constants, from.toUTC(), to.toUTC()))
        if (extreme.High && !highWater && extreme.Utc.toTimeZone(london).date().day() == 12)
            highWater = extreme;
    ASSERT_TRUE(highWater);

    // Two hours after high water is step 17.
    const QString when = NearestMinute(highWater->Utc)
                             .addSecs(2 * 3600)
                             .toTimeZone(london)
                             .toString("yyyy-MM-dd HH:mm");
    const std::size_t last = state.StationTable.size() - 1;
    int checked = 0;
    for (const std::size_t i : {std::size_t(1), last / 3, last / 2, last}) {
        const StationRecord &station = state.StationTable[i];
        const StationStream arrow =
            StreamAtStep(rates, station, 17, UsableHeight(highWater->HeightM));
        if (arrow.Direction < 0 || arrow.Rate < 0)
            continue;
        const GeoPosition at = FromChartUnits({station.ChartX, station.ChartY});
        const ProgramOutput run = RunBrenlow({"--stream", QString::number(at.Latitude, 'g', 17),
                                              QString::number(at.Longitude, 'g', 17), when});
        SCOPED_TRACE(i);
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        static const QRegularExpression form(R"(^set (\d{3}) rate (\d+\.\d\d)\n$)");
        const QRegularExpressionMatch match = form.match(run.Out);
        ASSERT_TRUE(match.hasMatch()) << run.Out.toStdString();
        EXPECT_EQ(match.captured(1).toInt(), arrow.Direction % 360);
        EXPECT_NEAR(match.captured(2).toDouble(), arrow.Rate, 0.005 + 1e-9);
        ++checked;
    }
    EXPECT_GE(checked, 2);
}

TEST(PlanCommandTest, NeedsTheConstantsButNoDisplayForAPlainFlowDatabase)
{
    const test::TempProgramFolder folder;
    folder.CopyFromBuiltProgram("brenlow");
    const QStringList stream{"--stream", "50.733", "-1.433", Departure}; // 50°44'N 1°26'W
    const ProgramOutput bare = RunBrenlow(stream, folder.FilePath("brenlow"));
    EXPECT_EQ(bare.ExitCode, 2);
    EXPECT_EQ(bare.Err,
              "brenlow: The tidal constants file " + folder.FilePath(TideConstantsFileName)
                  + " is missing.\n");

    // A flow database stored plain gets a warning in a message box on the desktop; here it
    // shows nothing and stops nothing.
    QFile shipped(test::BuiltProgramFolder() + "/" + FlowDatabaseFileName);
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray encoded = shipped.readAll();
    QByteArray plain;
    for (const QByteArrayView line : SplitFileLines(encoded))
        if (line != QByteArrayView(EncodedMarker))
            plain += DecodeLine(line) + "\r\n";
    folder.WriteFile(FlowDatabaseFileName, plain);
    for (const char *file : {TideConstantsFileName, RateTableFileName, "backdrop.bmp"})
        folder.CopyFromBuiltProgram(file);
    const ProgramOutput run = RunBrenlow(stream, folder.FilePath("brenlow"));
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.startsWith("set ")) << run.Out.toStdString();
}

} // namespace
} // namespace brenlow
