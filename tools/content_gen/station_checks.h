#pragma once

#include "coastline.h"
#include "rate_table.h"
#include "tidal_model.h"

#include <QRectF>

#include <vector>

namespace brenlow::content {

inline constexpr double MinimumShoreDistanceMetres = 300;

// Throws std::runtime_error listing every station that lies on land, nearer than
// MinimumShoreDistanceMetres to the shore, outside the chart's frame, or whose arrow and label
// would overlap another station's at any step, and every spot rectangle that would hide a
// station from the pointer.
void CheckStations(const std::vector<Station> &stations, const Coastline &coast,
                   const std::vector<QRectF> &spotPictureRects);

// Throws std::runtime_error when a stored rate of a station is not covered by its reference
// column of the rate table, or would be found on another row than the one meant.
void CheckStoredRates(const std::vector<Station> &stations, const RateTableModel &table);

} // namespace brenlow::content
