#include "plan/plan_drawing.h"

#include "plan/passage_plan.h"

namespace brenlow {
namespace {

// The first whole hour of local time after when.
QDateTime NextWholeHour(const QDateTime &when)
{
    QDateTime hour = when; // in the same zone
    hour.setTime(QTime(when.time().hour(), 0));
    return hour.addSecs(3600);
}

void AddHourMarks(const AppState &state, const PlanPiece &piece, RouteDrawing &drawing)
{
    const qint64 pieceMs = piece.Start.msecsTo(piece.End);
    if (pieceMs <= 0)
        return;
    const QPointF from = ToPicture(state, piece.StartPosition);
    const QPointF along = ToPicture(state, piece.EndPosition) - from;
    for (QDateTime hour = NextWholeHour(piece.Start); hour <= piece.End;
         hour = hour.addSecs(3600)) {
        const double fraction = double(piece.Start.msecsTo(hour)) / double(pieceMs);
        drawing.Hours.push_back(
            {ToPicture(state, PointAlong(piece.StartPosition, piece.EndPosition, fraction)), along,
             hour.toString(QStringLiteral("HH:mm"))});
    }
}

} // namespace

RouteDrawing DrawPlan(const AppState &state, const std::vector<RoutePoint> &route,
                      const PassagePlan *plan, std::optional<std::size_t> selected)
{
    RouteDrawing drawing;
    const PlanFailure *failure = plan && plan->Failure ? &*plan->Failure : nullptr;
    for (std::size_t i = 0; i < route.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        QString label = QString::number(number);
        if (!route[i].Name.isEmpty())
            label += QLatin1Char(' ') + route[i].Name;
        drawing.Points.push_back({ToPicture(state, route[i].Position), label, selected == i,
                                  failure && failure->RoutePoint == number});
    }

    // A failing piece: its leg is sailed up to where the piece starts.
    const bool pieceFailed = failure && failure->Piece > 0;
    for (std::size_t i = 0; i + 1 < route.size(); ++i) {
        const int leg = static_cast<int>(i) + 1;
        const QPointF from = drawing.Points[i].At;
        const QPointF to = drawing.Points[i + 1].At;
        using Stretch = RouteDrawing::Stretch;
        if (!plan) {
            drawing.Legs.push_back({from, to, Stretch::Unsailed});
        } else if (!failure || (pieceFailed && leg < failure->Leg)) {
            drawing.Legs.push_back({from, to, Stretch::Sailed});
        } else if (leg == failure->Leg && pieceFailed) {
            const QPointF where = ToPicture(state, failure->Where);
            drawing.Legs.push_back({from, where, Stretch::Sailed});
            drawing.Legs.push_back({where, to, Stretch::Failed});
            drawing.FailureAt = where;
        } else {
            drawing.Legs.push_back(
                {from, to, leg == failure->Leg ? Stretch::Failed : Stretch::Unsailed});
        }
    }

    if (plan)
        for (const PlanPiece &piece : plan->Pieces)
            AddHourMarks(state, piece, drawing);
    return drawing;
}

} // namespace brenlow
