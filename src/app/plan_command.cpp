#include "app/plan_command.h"

#include "app/command_output.h"
#include "core/app_error.h"
#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/message_boxes.h"
#include "core/program_info.h"
#include "core/text_file.h"
#include "data/auxiliary_files.h"
#include "data/flow_database_files.h"
#include "data/station_table.h"
#include "plan/gpx_route.h"
#include "plan/passage_plan.h"
#include "plan/picture_water_mask.h"
#include "plan/plan_table.h"
#include "tides/tide_constants.h"
#include "tides/tide_prediction.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <vector>

namespace brenlow {

const char PlanUsage[] =
    "  --plan ROUTE.gpx --speed KN --depart \"YYYY-MM-DD HH:MM\" [--variation DEG] [--csv]\n"
    "                 plan a passage along the route of a GPX file (its first rte, else its\n"
    "                 first trk; WGS84 decimal degrees) at KN knots through the water (more\n"
    "                 than 0, at most 30), leaving at that local time, in the tidal streams of\n"
    "                 the high waters at Portsmouth predicted for those days. Prints a table of\n"
    "                 the pieces of each leg sailed with one stream and the totals; with\n"
    "                 --variation (degrees, east positive: -1.5 is 1.5 W) the courses to steer\n"
    "                 magnetic too. With --csv, a header and a line a piece instead:\n"
    "                   "
    "leg,from,to,start,end,track_deg,distance_nm,set_deg,rate_kn,cts_deg,sog_kn\n"
    "                 times YYYY-MM-DD HH:MM local, to the minute; degrees true to 0.1, from\n"
    "                 000.0 to 359.9; nautical miles and knots to 0.01; names as the file\n"
    "                 gives them, in double quotes when they hold a comma, a quote (doubled)\n"
    "                 or a line break. A passage that cannot be finished prints the pieces\n"
    "                 before the one that fails, then says why on stderr (status 2)\n"
    "  --plan ... --sweep H\n"
    "                 the same passage leaving every 10 minutes from H hours (more than 0, at\n"
    "                 most 24) before the departure to H hours after it, the quickest marked;\n"
    "                 with --csv, a header and a line a departure:\n"
    "                   depart,arrive,duration_min\n"
    "                 duration in whole minutes; arrive and duration_min are empty for a\n"
    "                 departure whose passage cannot be finished. Status 2 when none can\n"
    "  --stream LAT LON \"YYYY-MM-DD HH:MM\"\n"
    "                 print the tidal stream at that position (WGS84 decimal degrees, south\n"
    "                 and west negative) and local time as one line \"set DDD rate R.RR\": the\n"
    "                 way the stream flows to in whole degrees true (000 to 359), and its rate\n"
    "                 in knots\n";

namespace {

constexpr double FastestBoatKn = 30;
constexpr double LongestSweepEachWayHours = 24;
constexpr double LargestVariationDegrees = 180;
// A Solent route's GPX is a few kB; nothing larger than this is read.
constexpr qint64 RouteFileLimit = qint64(16) << 20;
constexpr char ChartPictureFileName[] = "backdrop.bmp";
constexpr char CsvPieceHeader[] =
    "leg,from,to,start,end,track_deg,distance_nm,set_deg,rate_kn,cts_deg,sog_kn\n";
constexpr char CsvSweepHeader[] = "depart,arrive,duration_min\n";

std::optional<double> ReadNumber(const QString &text)
{
    bool ok = false;
    const double number = text.toDouble(&ok);
    return ok && std::isfinite(number) ? std::optional(number) : std::nullopt;
}

// A "YYYY-MM-DD HH:MM" of the local clock; not valid when the text is not one, or when the
// clocks go forward past it.
QDateTime ReadLocalTime(const QString &text)
{
    static const QRegularExpression form(QStringLiteral(R"(^(\d{4}-\d{2}-\d{2}) (\d{2}:\d{2})$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return {};
    const QDate date = QDate::fromString(match.captured(1), Qt::ISODate);
    const QTime time = QTime::fromString(match.captured(2), QStringLiteral("HH:mm"));
    if (!date.isValid() || !time.isValid())
        return {};
    const QDateTime local(date, time, Qt::LocalTime);
    return local.isValid() && local.date() == date && local.time() == time ? local : QDateTime();
}

QString NotALocalTime(const QString &text)
{
    return QStringLiteral("\"%1\" is not a date and time of the local clock of the form "
                          "\"YYYY-MM-DD HH:MM\"")
        .arg(text);
}

// What the planner needs of the program folder.
struct PlannerData
{
    AppState State;
    std::optional<PictureWaterMask> Mask;
    std::vector<HighWaterEvent> HighWaters;
    QString Error; // what could not be loaded; empty when all was
};

// The program folder's chart geometry, tidal stations, rate table and chart picture's water,
// as the desktop program loads them, and the high waters at Portsmouth predicted from the day
// before firstDay to the day after lastDay (local dates), to the minute as tide tables give
// them.
PlannerData LoadPlannerData(QDate firstDay, QDate lastDay)
{
    PlannerData data;
    const ProgramInfo program = RunningProgramInfo();
    const TideConstantsResult constants =
        LoadTideConstants(program.FilePath(QString::fromLatin1(TideConstantsFileName)));
    if (!constants.Constants) {
        data.Error = constants.Error;
        return data;
    }
    const QDateTime from(firstDay.addDays(-1), QTime(0, 0), Qt::LocalTime);
    const QDateTime to(lastDay.addDays(2), QTime(0, 0), Qt::LocalTime);
    for (const TideExtreme &extreme :
         PredictExtremes(*constants.Constants, from.toUTC(), to.toUTC()))
        if (extreme.High)
            data.HighWaters.push_back({NearestMinute(extreme.Utc).toLocalTime(), extreme.HeightM});

    data.Error = LoadChartTables(data.State, program);
    if (!data.Error.isEmpty())
        return data;
    const QString picture = program.FilePath(QString::fromLatin1(ChartPictureFileName));
    data.Mask = PictureWaterMask::Load(picture);
    if (!data.Mask)
        data.Error = QStringLiteral("the chart picture %1 cannot be read").arg(picture);
    return data;
}

struct PlanOptions
{
    QString RoutePath;
    double SpeedKn = 0;
    QDateTime Departure; // local
    std::optional<double> VariationDegrees;
    bool Csv = false;
    std::optional<double> SweepHours;
};

struct PlanOptionsResult
{
    PlanOptions Options;
    QString Error; // empty when the options are good
};

PlanOptionsResult ReadPlanOptions(const QStringList &arguments)
{
    PlanOptionsResult result;
    PlanOptions &options = result.Options;
    const auto fail = [&](const QString &error) {
        result.Error = error;
        return result;
    };
    if (arguments.isEmpty() || arguments.front().startsWith(QLatin1String("--")))
        return fail(QStringLiteral("--plan needs a GPX route file (see --help)"));
    options.RoutePath = arguments.front();

    std::optional<double> speed;
    QStringList seen;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &option = arguments.at(i);
        const bool known = option == u"--speed" || option == u"--depart" || option == u"--variation"
            || option == u"--sweep" || option == u"--csv";
        if (!known)
            return fail(option.startsWith(QLatin1Char('-'))
                            ? QStringLiteral("unknown option %1 (see --help)").arg(option)
                            : QStringLiteral("unexpected argument %1 (see --help)").arg(option));
        if (seen.contains(option))
            return fail(QStringLiteral("%1 is given twice").arg(option));
        seen.push_back(option);
        if (option == u"--csv") {
            options.Csv = true;
            continue;
        }
        // Values may begin with a single dash (a variation west), never with two.
        if (i + 1 == arguments.size() || arguments.at(i + 1).startsWith(QLatin1String("--")))
            return fail(QStringLiteral("%1 needs a value (see --help)").arg(option));
        const QString value = arguments.at(++i);
        const std::optional<double> number = ReadNumber(value);
        const auto wrong = [&](const QString &why) {
            return fail(QStringLiteral("%1 %2: %3").arg(option, value, why));
        };
        if (option == u"--speed") {
            if (!number || !(*number > 0 && *number <= FastestBoatKn))
                return wrong(QStringLiteral("the boat's speed through the water must be more "
                                            "than 0 and at most %1 knots")
                                 .arg(FastestBoatKn));
            speed = number;
        } else if (option == u"--depart") {
            options.Departure = ReadLocalTime(value);
            if (!options.Departure.isValid())
                return fail(QStringLiteral("--depart %1").arg(NotALocalTime(value)));
        } else if (option == u"--variation") {
            if (!number || std::fabs(*number) > LargestVariationDegrees)
                return wrong(QStringLiteral("the variation must be degrees from -%1 to %1, east "
                                            "positive")
                                 .arg(LargestVariationDegrees));
            options.VariationDegrees = number;
        } else {
            if (!number || !(*number > 0 && *number <= LongestSweepEachWayHours))
                return wrong(QStringLiteral("the sweep must reach more than 0 and at most %1 "
                                            "hours each way")
                                 .arg(LongestSweepEachWayHours));
            options.SweepHours = number;
        }
    }
    if (!speed)
        return fail(QStringLiteral("--plan needs --speed KN (see --help)"));
    if (!options.Departure.isValid())
        return fail(QStringLiteral("--plan needs --depart \"YYYY-MM-DD HH:MM\" (see --help)"));
    options.SpeedKn = *speed;
    return result;
}

struct RouteFileResult
{
    GpxRoute Route;
    QString Error; // empty when the route was read
};

RouteFileResult ReadRouteFile(const QString &path)
{
    std::optional<QByteArray> content;
    try {
        content = ReadWholeFile(path, RouteFileLimit);
    } catch (const AppError &error) {
        return {{}, error.Description()};
    }
    if (!content)
        return {{}, QStringLiteral("the route file %1 is missing").arg(path)};
    const GpxReadResult gpx = ReadGpxRoute(*content);
    if (gpx.Error)
        return {{}, QStringLiteral("%1, %2").arg(path, gpx.Error->Text())};
    return {gpx.Route, {}};
}

// The forms of the output.

QString MinuteText(const QDateTime &when)
{
    return NearestMinute(when).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString Hundredths(double value)
{
    return QString::number(value, 'f', 2);
}

// "066.4": degrees to 0.1, three digits before the point, 359.96 coming out as "000.0".
QString DegreesToTenths(double degrees)
{
    double tenths = std::round(NormalDegrees(degrees) * 10);
    if (tenths >= 3600)
        tenths -= 3600;
    return QStringLiteral("%1").arg(tenths / 10, 5, 'f', 1, QLatin1Char('0'));
}

// "066": whole degrees, 359.6 coming out as "000".
QString WholeDegrees(double degrees)
{
    return QStringLiteral("%1").arg(std::lround(NormalDegrees(degrees)) % 360, 3, 10,
                                    QLatin1Char('0'));
}

// A CSV field: in double quotes, its quotes doubled, when it holds a comma, a quote or a line
// break.
QString CsvField(const QString &text)
{
    const bool quoted = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))
        || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!quoted)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

// Whole minutes from one time to the other, each taken to the nearest minute.
qint64 MinutesBetween(const QDateTime &from, const QDateTime &to)
{
    return NearestMinute(from).secsTo(NearestMinute(to)) / 60;
}

// "2 h 05 min" of whole minutes.
QString MinutesText(qint64 minutes)
{
    return DurationText(minutes / 60.0);
}

QString PointName(const std::vector<RoutePoint> &route, std::size_t index)
{
    return route[index].Name.isEmpty() ? QStringLiteral("point %1").arg(index + 1)
                                       : route[index].Name;
}

// Columns as wide as their widest cell, two spaces apart; numbers right-aligned.
QString TableText(const std::vector<QStringList> &rows, const std::vector<bool> &rightAligned)
{
    std::vector<qsizetype> widths(rightAligned.size(), 0);
    for (const QStringList &row : rows)
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    QString text;
    for (const QStringList &row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                line += QLatin1String("  ");
            line += rightAligned[c] ? row[c].rightJustified(widths[c])
                                    : row[c].leftJustified(widths[c]);
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        text += line + QLatin1Char('\n');
    }
    return text;
}

// "Passage from Off Hurst to Cowes Roads at 5.5 kn through the water".
QString PassageTitle(const PassageRequest &request)
{
    return QStringLiteral("Passage from %1 to %2 at %3 kn through the water")
        .arg(PointName(request.Route, 0), PointName(request.Route, request.Route.size() - 1),
             QString::number(request.BoatSpeedKn));
}

QString PlanCsv(const PassagePlan &plan)
{
    QString text = QString::fromLatin1(CsvPieceHeader);
    for (const PlanPiece &piece : plan.Pieces) {
        text += QStringList{QString::number(piece.Leg),
                            CsvField(piece.From),
                            CsvField(piece.To),
                            MinuteText(piece.Start),
                            MinuteText(piece.End),
                            DegreesToTenths(piece.TrackDegrees),
                            Hundredths(piece.DistanceNm),
                            DegreesToTenths(piece.SetDegrees),
                            Hundredths(piece.RateKn),
                            DegreesToTenths(piece.CourseTrueDegrees),
                            Hundredths(piece.SpeedOverGroundKn)}
                    .join(QLatin1Char(','))
            + QLatin1Char('\n');
    }
    return text;
}

QString PlanTable(const PassagePlan &plan, const PassageRequest &request,
                  const std::vector<HighWaterEvent> &highWaters)
{
    const QDateTime &departure = request.Departure;
    QString text =
        QStringLiteral("%1, leaving %2 %3\n")
            .arg(PassageTitle(request), MinuteText(departure), departure.timeZoneAbbreviation());

    // The high waters the pieces' streams count from: those within six hours and a half of
    // the passage (the half for a gap between two tides).
    const QDateTime last = plan.Pieces.back().End;
    QStringList used;
    for (const HighWaterEvent &event : highWaters)
        if (event.Local.secsTo(departure) <= 6.5 * 3600 && last.secsTo(event.Local) <= 6.5 * 3600)
            used.push_back(
                QStringLiteral("%1 (%2 m)")
                    .arg(MinuteText(event.Local), QString::number(event.HeightM, 'f', 2)));
    text += QStringLiteral("High water at Portsmouth %1\n").arg(used.join(QLatin1String(", ")));

    const std::optional<double> &variation = request.VariationDegrees;
    text += QStringLiteral("Degrees true (T)");
    if (variation)
        text += QStringLiteral(" and magnetic (M, variation %1\u00b0 %2)")
                    .arg(QString::number(std::fabs(*variation), 'f', 1),
                         *variation < 0 ? QStringLiteral("W") : QStringLiteral("E"));
    text += QStringLiteral("; distances in nautical miles, rates and speeds in knots\n\n");

    std::vector<QStringList> rows;
    QStringList header{"Leg",     "From", "To",    "Start", "End",
                       "Track T", "Dist", "Set T", "Rate",  "Steer T"};
    if (variation)
        header.push_back(QStringLiteral("Steer M"));
    header.push_back(QStringLiteral("SOG"));
    rows.push_back(header);
    for (const PlanPiece &piece : plan.Pieces) {
        const auto leg = static_cast<std::size_t>(piece.Leg);
        QStringList row{QString::number(piece.Leg),
                        PointName(request.Route, leg - 1),
                        PointName(request.Route, leg),
                        ClockTextFrom(piece.Start, departure),
                        ClockTextFrom(piece.End, departure),
                        WholeDegrees(piece.TrackDegrees),
                        Hundredths(piece.DistanceNm),
                        WholeDegrees(piece.SetDegrees),
                        Hundredths(piece.RateKn),
                        WholeDegrees(piece.CourseTrueDegrees)};
        if (variation)
            row.push_back(WholeDegrees(piece.CourseMagneticDegrees.value_or(0)));
        row.push_back(Hundredths(piece.SpeedOverGroundKn));
        rows.push_back(row);
    }
    std::vector<bool> right(static_cast<std::size_t>(header.size()), true);
    right[1] = right[2] = false;
    text += TableText(rows, right);

    if (plan.Succeeded())
        text += QStringLiteral("\nDistance %1 nm, duration %2, arrival %3 %4\n")
                    .arg(Hundredths(plan.DistanceNm),
                         MinutesText(MinutesBetween(departure, plan.Arrival)),
                         MinuteText(plan.Arrival), plan.Arrival.timeZoneAbbreviation());
    return text;
}

QString SweepCsv(const DepartureSweep &sweep)
{
    QString text = QString::fromLatin1(CsvSweepHeader);
    for (const SweepEntry &entry : sweep.Entries) {
        text += MinuteText(entry.Departure) + QLatin1Char(',');
        if (!entry.Failure)
            text += MinuteText(entry.Arrival) + QLatin1Char(',')
                + QString::number(MinutesBetween(entry.Departure, entry.Arrival));
        else
            text += QLatin1Char(',');
        text += QLatin1Char('\n');
    }
    return text;
}

QString SweepTable(const DepartureSweep &sweep, const PassageRequest &request)
{
    const QDateTime &first = sweep.Entries.front().Departure;
    const QDateTime &last = sweep.Entries.back().Departure;
    QString text = QStringLiteral("%1, leaving every %2 minutes from %3 to %4 %5\n\n")
                       .arg(PassageTitle(request))
                       .arg(SweepIntervalMinutes)
                       .arg(MinuteText(first), MinuteText(last), first.timeZoneAbbreviation());
    std::vector<QStringList> rows{{"Depart", "Arrive", "Duration", ""}};
    for (std::size_t k = 0; k < sweep.Entries.size(); ++k) {
        const SweepEntry &entry = sweep.Entries[k];
        if (entry.Failure) {
            rows.push_back({MinuteText(entry.Departure), QStringLiteral("-"), QStringLiteral("-"),
                            entry.Failure->Text});
            continue;
        }
        rows.push_back({MinuteText(entry.Departure), MinuteText(entry.Arrival),
                        MinutesText(MinutesBetween(entry.Departure, entry.Arrival)),
                        sweep.Best == k ? QStringLiteral("<- quickest") : QString()});
    }
    text += TableText(rows, {false, false, true, false});
    if (sweep.Best) {
        const SweepEntry &best = sweep.Entries[*sweep.Best];
        text += QStringLiteral("\nQuickest: leave %1, arrive %2, %3\n")
                    .arg(MinuteText(best.Departure), MinuteText(best.Arrival),
                         MinutesText(MinutesBetween(best.Departure, best.Arrival)));
    }
    return text;
}

int PrintPlan(const PassagePlan &plan, const PassageRequest &request, bool csv,
              const std::vector<HighWaterEvent> &highWaters)
{
    if (!plan.Pieces.empty())
        PrintOut(csv ? PlanCsv(plan) : PlanTable(plan, request, highWaters));
    return plan.Failure ? Refuse(plan.Failure->Text) : ExitDone;
}

int PrintSweep(const DepartureSweep &sweep, const PassageRequest &request, bool csv)
{
    // A route that cannot be sailed at any time fails every departure alike, before a piece.
    const std::optional<PlanFailure> &first = sweep.Entries.front().Failure;
    if (!sweep.Best && first && first->Piece == 0)
        return Refuse(first->Text);
    PrintOut(csv ? SweepCsv(sweep) : SweepTable(sweep, request));
    if (!sweep.Best)
        return Refuse(QStringLiteral("no departure from %1 to %2 finishes the passage")
                          .arg(MinuteText(sweep.Entries.front().Departure),
                               MinuteText(sweep.Entries.back().Departure)));
    return ExitDone;
}

} // namespace

int RunPlanCommand(const QStringList &arguments)
{
    const PlanOptionsResult read = ReadPlanOptions(arguments);
    if (!read.Error.isEmpty())
        return Refuse(read.Error);
    const PlanOptions &options = read.Options;
    const RouteFileResult route = ReadRouteFile(options.RoutePath);
    if (!route.Error.isEmpty())
        return Refuse(route.Error);

    const PassageRequest request{route.Route.Points, options.Departure, options.SpeedKn,
                                 options.VariationDegrees};
    const qint64 sweepSeconds = std::llround(options.SweepHours.value_or(0) * 3600);
    const PlannerData data = LoadPlannerData(options.Departure.addSecs(-sweepSeconds).date(),
                                             options.Departure.addSecs(sweepSeconds).date());
    if (!data.Error.isEmpty())
        return Refuse(data.Error);
    const PassagePlanner planner(data.State, *data.Mask, data.HighWaters);
    if (options.SweepHours)
        return PrintSweep(planner.Sweep(request, *options.SweepHours), request, options.Csv);
    return PrintPlan(planner.Plan(request), request, options.Csv, data.HighWaters);
}

int RunStreamCommand(const QStringList &arguments)
{
    if (arguments.size() > 3)
        return Refuse(QStringLiteral("unexpected argument %1 (see --help)").arg(arguments.at(3)));
    if (arguments.size() < 3)
        return Refuse(QStringLiteral("--stream needs LAT LON \"YYYY-MM-DD HH:MM\" (see --help)"));
    const std::optional<double> latitude = ReadNumber(arguments.at(0));
    if (!latitude || std::fabs(*latitude) > 90)
        return Refuse(QStringLiteral("--stream %1: the latitude must be decimal degrees from -90 "
                                     "to 90")
                          .arg(arguments.at(0)));
    const std::optional<double> longitude = ReadNumber(arguments.at(1));
    if (!longitude || std::fabs(*longitude) > 180)
        return Refuse(QStringLiteral("--stream %1: the longitude must be decimal degrees from "
                                     "-180 to 180")
                          .arg(arguments.at(1)));
    const QDateTime when = ReadLocalTime(arguments.at(2));
    if (!when.isValid())
        return Refuse(QStringLiteral("--stream %1").arg(NotALocalTime(arguments.at(2))));

    const PlannerData data = LoadPlannerData(when.date(), when.date());
    if (!data.Error.isEmpty())
        return Refuse(data.Error);
    const GeoPosition where{*latitude, *longitude};
    const QString place = QStringLiteral("%1 %2").arg(arguments.at(0), arguments.at(1));
    const QPointF picture = ToPicture(data.State, where);
    const Ground ground = data.Mask->GroundAt(picture.x(), picture.y());
    if (ground != Ground::Water)
        return Refuse(QStringLiteral("%1 is %2")
                          .arg(place,
                               ground == Ground::Land ? QStringLiteral("on land")
                                                      : QStringLiteral("outside the chart")));

    const StreamField streams(data.State, *data.Mask, data.HighWaters);
    const StreamAnswer answer = streams.At(where, EpochSeconds(when));
    if (answer.Status == StreamStatus::NoHighWaterNear)
        return Refuse(QStringLiteral("the stream at %1 is unknown: no high water is within 6 hours")
                          .arg(place));
    if (answer.Status == StreamStatus::NoStationInSameWater)
        return Refuse(
            QStringLiteral("the stream at %1 is unknown: no tidal station is in the same water")
                .arg(place));
    PrintOut(QStringLiteral("set %1 rate %2\n")
                 .arg(WholeDegrees(SetDegrees(answer.Stream)), Hundredths(RateKn(answer.Stream))));
    return ExitDone;
}

} // namespace brenlow
