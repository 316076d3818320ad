#include "app/command_line.h"

#include "app/command_output.h"
#include "app/picture_command.h"
#include "app/plan_command.h"
#include "core/program_info.h"
#include "tides/tide_constants.h"
#include "tides/tide_prediction.h"

#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStringList>
#include <QTimeZone>

#include <cstdio>
#include <cstring>
#include <memory>

namespace brenlow {

namespace {

constexpr int DefaultDays = 1;
constexpr int MaxDays = 366;

constexpr char UsageHead[] =
    "Usage: brenlow [OPTION]\n"
    "Without an option (or with Qt's own, such as -platform or -style), starts the Brenlow\n"
    "desktop program. An option answers without a display; exit status 0 when done, 2 with\n"
    "one line on stderr saying what is wrong (bad input, a missing or damaged file, a\n"
    "passage that cannot be sailed). Times are local, as the TZ variable sets them.\n"
    "\n"
    "  --tides [YYYY-MM-DD] [--days N]\n"
    "                 print the high and low waters at Portsmouth from that date\n"
    "                 (default today) for N days (1 to 366, default 1), one a line:\n"
    "                 date, local time, HW or LW, height in metres above chart datum\n";
constexpr char UsageTail[] = "  -h, --help     print this help and exit\n"
                             "  --version      print the version and exit\n";

// The program's own arguments begin with two dashes (or are -h); Qt's begin with one and
// belong to the desktop program.
bool IsCommandLineUse(const char *argument)
{
    return std::strncmp(argument, "--", 2) == 0 || std::strcmp(argument, "-h") == 0;
}

std::optional<QDate> ReadDate(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^\d{4}-\d{2}-\d{2}$)"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    const QDate date = QDate::fromString(text, Qt::ISODate);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

int PrintTides(const QStringList &arguments)
{
    QDate from = QDate::currentDate();
    int days = DefaultDays;
    qsizetype index = 0;
    if (index < arguments.size() && !arguments.at(index).startsWith(QLatin1Char('-'))) {
        const auto date = ReadDate(arguments.at(index));
        if (!date)
            return Refuse(
                QStringLiteral("%1 is not a date of the form YYYY-MM-DD").arg(arguments.at(index)));
        from = *date;
        ++index;
    }
    while (index < arguments.size()) {
        const QString &argument = arguments.at(index);
        if (argument != QLatin1String("--days"))
            return Refuse(
                argument.startsWith(QLatin1Char('-'))
                    ? QStringLiteral("unknown option %1 (see --help)").arg(argument)
                    : QStringLiteral("unexpected argument %1 (see --help)").arg(argument));
        bool ok = false;
        const int count = index + 1 < arguments.size() ? arguments.at(index + 1).toInt(&ok) : 0;
        if (!ok || count < 1 || count > MaxDays)
            return Refuse(
                QStringLiteral("--days needs a whole number of days from 1 to %1").arg(MaxDays));
        days = count;
        index += 2;
    }

    const QString path = RunningProgramInfo().FilePath(QString::fromLatin1(TideConstantsFileName));
    const TideConstantsResult loaded = LoadTideConstants(path);
    if (!loaded.Constants)
        return Refuse(loaded.Error);
    const TideConstants &constants = *loaded.Constants;

    const QDateTime start(from, QTime(0, 0), Qt::LocalTime);
    const QDateTime end(from.addDays(days), QTime(0, 0), Qt::LocalTime);
    QString text = QStringLiteral("# High and low waters at %1, %2 to %3, local time (%4); heights "
                                  "in metres above chart datum (%5)\n")
                       .arg(constants.Station, from.toString(Qt::ISODate),
                            from.addDays(days - 1).toString(Qt::ISODate),
                            QString::fromUtf8(QTimeZone::systemTimeZoneId()), constants.ChartDatum);
    for (const TideExtreme &extreme : PredictExtremes(constants, start.toUTC(), end.toUTC())) {
        const QDateTime local = NearestMinute(extreme.Utc).toLocalTime();
        text += QStringLiteral("%1 %2 %3\n")
                    .arg(local.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                         extreme.High ? QStringLiteral("HW") : QStringLiteral("LW"),
                         QString::number(extreme.HeightM, 'f', 2));
    }
    PrintOut(text);
    return ExitDone;
}

} // namespace

std::optional<int> RunCommandLine(int argc, char **argv)
{
    if (argc <= 1 || !IsCommandLineUse(argv[1]))
        return std::nullopt;
    // Pictures are drawn with fonts, which need the GUI side of Qt; no window is shown, so no
    // display either.
    std::unique_ptr<QCoreApplication> app;
    if (std::strcmp(argv[1], "--pictures") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // stderr holds only the line of what stops the command, not the platform's notes.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
        });
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) // all of them were Qt's own
        return Refuse(QStringLiteral("no option given (see --help)"));
    const QString &command = arguments.front();
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("--tides"))
        return PrintTides(rest);
    if (command == QLatin1String("--plan"))
        return RunPlanCommand(rest);
    if (command == QLatin1String("--stream"))
        return RunStreamCommand(rest);
    if (command == QLatin1String("--pictures"))
        return RunPicturesCommand(rest);
    const bool help = command == QLatin1String("--help") || command == QLatin1String("-h");
    if (help || command == QLatin1String("--version")) {
        if (!rest.isEmpty())
            return Refuse(QStringLiteral("unexpected argument %1 (see --help)").arg(rest.front()));
        PrintOut(help ? QString::fromLatin1(UsageHead) + QString::fromLatin1(PlanUsage)
                         + QString::fromLatin1(PicturesUsage) + QString::fromLatin1(UsageTail)
                      : QStringLiteral("%1 %2\n").arg(QLatin1String(ProgramTitle), VersionText()));
        return ExitDone;
    }
    return Refuse(QStringLiteral("unknown option %1 (see --help)").arg(command));
}

} // namespace brenlow
