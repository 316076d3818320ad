#pragma once

#include "plan/passage_plan.h"

#include <QDateTime>
#include <QWidget>

namespace brenlow {

// The departure sweep as a small plot: the passage's time (up) against the departure (across),
// departures that cannot finish marked along the foot, the quickest ringed and named over the
// plot, the chosen departure a dashed line. While the route is being dragged the last sweep
// shows faded until a new one comes.
class SweepPlot : public QWidget
{
    Q_OBJECT
public:
    explicit SweepPlot(QWidget *parent = nullptr);

    void SetSweep(DepartureSweep sweep, QDateTime chosen);
    // The sweep no longer belongs to the route shown; the next SetSweep replaces it.
    void SetStale();

    const DepartureSweep &Sweep() const { return sweep_; }
    bool Stale() const { return stale_; }
    // "Quickest: leave 07:40, 2 h 05 min", or why there is none.
    QString Caption() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DepartureSweep sweep_;
    QDateTime chosen_;
    bool stale_ = false;
};

} // namespace brenlow
