#pragma once

#include "platform/legibility.h"

#include <QString>

#include <memory>

namespace brenlow {

struct AppState;

// Every step's rate labels of the tide in use, for the chart view's choice of the labels it
// shows at a zoom where they are enlarged: made by drawing the 25 steps off the screen, and made
// again only when what the labels depend on has changed (the heights, the tide in use, the
// data).
class TideLabelSweep
{
public:
    explicit TideLabelSweep(const AppState &state) : state_(state) { }

    std::shared_ptr<const LabelSweep> Current();

private:
    const AppState &state_;
    QString madeFor_;
    std::shared_ptr<const LabelSweep> sweep_;
};

} // namespace brenlow
