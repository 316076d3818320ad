#include "app/command_line.h"

#include "core/program_info.h"
#include "tides/tide_constants.h"
#include "tides/tide_prediction.h"

#include <QCoreApplication>
#include <QDate>
#include <QRegularExpression>
#include <QStringList>
#include <QTimeZone>

#include <cstdio>

namespace brenlow {

namespace {

constexpr int ExitDone = 0;
constexpr int ExitBadInput = 2;
constexpr int DefaultDays = 1;
constexpr int MaxDays = 366;

constexpr char Usage[] = "Usage: brenlow [OPTION]\n"
                         "Without an option, starts the Brenlow desktop program.\n"
                         "\n"
                         "  --tides [YYYY-MM-DD] [--days N]\n"
                         "                 print the high and low waters at Portsmouth from that "
                         "date\n"
                         "                 (default today) for N days (1 to 366, default 1), "
                         "one a line:\n"
                         "                 date, local time, HW or LW, height in metres above "
                         "chart datum\n"
                         "  --help         print this help and exit\n"
                         "  --version      print the version and exit\n";

void Print(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

int Fail(const QString &reason)
{
    std::fputs(QStringLiteral("brenlow: %1\n").arg(reason).toUtf8().constData(), stderr);
    return ExitBadInput;
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
            return Fail(
                QStringLiteral("%1 is not a date of the form YYYY-MM-DD").arg(arguments.at(index)));
        from = *date;
        ++index;
    }
    while (index < arguments.size()) {
        const QString &argument = arguments.at(index);
        if (argument != QLatin1String("--days"))
            return Fail(argument.startsWith(QLatin1Char('-'))
                            ? QStringLiteral("unknown option %1 (see --help)").arg(argument)
                            : QStringLiteral("unexpected argument %1 (see --help)").arg(argument));
        bool ok = false;
        const int count = index + 1 < arguments.size() ? arguments.at(index + 1).toInt(&ok) : 0;
        if (!ok || count < 1 || count > MaxDays)
            return Fail(
                QStringLiteral("--days needs a whole number of days from 1 to %1").arg(MaxDays));
        days = count;
        index += 2;
    }

    const QString path = RunningProgramInfo().FilePath(QString::fromLatin1(TideConstantsFileName));
    const TideConstantsResult loaded = LoadTideConstants(path);
    if (!loaded.Constants)
        return Fail(loaded.Error);
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
    Print(text);
    return ExitDone;
}

} // namespace

std::optional<int> RunCommandLine(int argc, char **argv)
{
    if (argc <= 1)
        return std::nullopt;
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) // all of them were Qt's own
        return Fail(QStringLiteral("no option given (see --help)"));
    const QString &command = arguments.front();
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("--tides"))
        return PrintTides(rest);
    if (command == QLatin1String("--help") || command == QLatin1String("--version")) {
        if (!rest.isEmpty())
            return Fail(QStringLiteral("unexpected argument %1 (see --help)").arg(rest.front()));
        Print(command == QLatin1String("--help")
                  ? QString::fromLatin1(Usage)
                  : QStringLiteral("%1 %2\n").arg(QLatin1String(ProgramTitle), VersionText()));
        return ExitDone;
    }
    return Fail(QStringLiteral("unknown option %1 (see --help)").arg(command));
}

} // namespace brenlow
