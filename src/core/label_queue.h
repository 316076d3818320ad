#pragma once

#include "core/chart_surface.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace brenlow {

// The arrow glyph's moving point, in picture pixels (y grows downwards).
struct GlyphCursor
{
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Bearing = 0;  // whole degrees clockwise from the top of the chart
    std::int32_t Distance = 0; // pixels of the next move
};

// A rate label waiting for the renderer's label pass.
struct PendingLabel
{
    std::int32_t X = 0; // picture pixels: top-left of the text before rotation
    std::int32_t Y = 0;
    std::int32_t Angle = 0;    // degrees counter-clockwise, 0..360
    QString Text;              // the rate with one decimal, or "SLACK"
    std::int32_t FontSize = 0; // points
    SymbolMark Mark;           // the station's symbol the label belongs to
};

// Entries 1..LabelCount are live; element 0 is never filled and stale entries beyond
// LabelCount are never read.
using LabelQueue = std::vector<PendingLabel>;

} // namespace brenlow
