#include "app/tide_label_sweep.h"

#include "core/app_state.h"
#include "core/step_view.h"
#include "platform/recording_surface.h"
#include "render/flow_renderer.h"
#include "tide/step_conventions.h"

#include <exception>

namespace brenlow {
namespace {

class UnshownLabels : public TimeLabels
{
public:
    void SetShowingHw(const QString &) override { }
    void SetShowingTime(const QString &) override { }
    void SetHighWater(const QString &) override { }
};

// What a step's labels depend on besides the loaded tables, which never change after start-up
// but for their size.
QString SweepKey(const AppState &state)
{
    return QStringList{state.Height1Text,
                       state.Height2Text,
                       QString::number(int(state.SecondTideActive)),
                       QString::number(state.StationTable.size()),
                       QString::number(state.RateTableColumns),
                       QString::number(state.ChartScaleX, 'g', 17),
                       QString::number(state.ChartScaleY, 'g', 17)}
        .join(QLatin1Char('|'));
}

} // namespace

std::shared_ptr<const LabelSweep> TideLabelSweep::Current()
{
    const QString key = SweepKey(state_);
    if (sweep_ != nullptr && key == madeFor_)
        return sweep_;
    auto sweep = std::make_shared<LabelSweep>();
    // A copy, so that the program's label queue and glyph cursor stay as the last draw left
    // them.
    AppState scratch = state_;
    UnshownLabels labels;
    try {
        for (std::int32_t step = FirstStep; step <= LastStep; ++step) {
            RecordingSurface recording;
            Draw_flows(scratch, recording, labels, step);
            AddSweptLabels(*sweep, recording, step);
        }
    } catch (const std::exception &) {
        // Data that cannot be drawn give no labels to choose from; the chart says why itself.
        sweep->Labels.clear();
    }
    madeFor_ = key;
    sweep_ = std::move(sweep);
    return sweep_;
}

} // namespace brenlow
