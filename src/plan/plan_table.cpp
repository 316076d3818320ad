#include "plan/plan_table.h"

#include "plan/passage_plan.h"
#include "tides/tide_prediction.h"

#include <cmath>

namespace brenlow {
namespace {

// Whole degrees of three digits, 359.6 coming out as "000".
QString WholeDegrees(double degrees)
{
    return QStringLiteral("%1").arg(std::lround(NormalDegrees(degrees)) % 360, 3, 10,
                                    QLatin1Char('0'));
}

QString Hundredths(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace

QString DurationText(double hours)
{
    const long minutes = std::lround(hours * 60);
    return QStringLiteral("%1 h %2 min")
        .arg(minutes / 60)
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString ClockTextFrom(const QDateTime &when, const QDateTime &departure)
{
    const QDateTime minute = NearestMinute(when);
    const qint64 days = departure.date().daysTo(minute.date());
    const QString clock = minute.toString(QStringLiteral("HH:mm"));
    return days == 0 ? clock : QStringLiteral("%1 +%2").arg(clock).arg(days);
}

PlanTable TabulatePlan(const PassagePlan &plan, const PassageRequest &request)
{
    PlanTable table;
    const bool magnetic = request.VariationDegrees.has_value();
    table.Header = QStringList{QStringLiteral("Leg"), QStringLiteral("Start"),
                               QStringLiteral("End"), QStringLiteral("CTS \u00b0T")};
    if (magnetic)
        table.Header.push_back(QStringLiteral("CTS \u00b0M"));
    table.Header << QStringLiteral("SOG kn") << QStringLiteral("Set \u00b0T")
                 << QStringLiteral("Rate kn") << QStringLiteral("Dist nm");
    for (const PlanPiece &piece : plan.Pieces) {
        QStringList row{QString::number(piece.Leg), ClockTextFrom(piece.Start, request.Departure),
                        ClockTextFrom(piece.End, request.Departure),
                        WholeDegrees(piece.CourseTrueDegrees)};
        if (magnetic)
            row.push_back(WholeDegrees(piece.CourseMagneticDegrees.value_or(0)));
        row << Hundredths(piece.SpeedOverGroundKn) << WholeDegrees(piece.SetDegrees)
            << Hundredths(piece.RateKn) << Hundredths(piece.DistanceNm);
        table.Rows.push_back(row);
    }
    table.Failed = !plan.Succeeded();
    if (table.Failed)
        table.Summary = plan.Failure->Text;
    else
        table.Summary =
            QStringLiteral("Arrive %1 after %2, %3 nm")
                .arg(ClockTextFrom(plan.Arrival, request.Departure),
                     DurationText(
                         NearestMinute(request.Departure).secsTo(NearestMinute(plan.Arrival))
                         / 3600.0),
                     Hundredths(plan.DistanceNm));
    return table;
}

} // namespace brenlow
