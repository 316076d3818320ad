#pragma once

#include "rate_table.h"
#include "tidal_model.h"

#include <QByteArray>

#include <vector>

namespace brenlow::content {

// One plain data line of the flow database, 123 quoted fields: longitude, latitude, 25 rates,
// 25 directions, title, 8 unused, 25 reference heights ("4.7" for spring-referenced stations,
// empty for 4.3), 27 unused, description, 9 unused. Titles and descriptions are written in
// Windows-1252.
QByteArray FlowDatabaseLine(const Station &station, const RateTableModel &table);

// The file "temp.bmp" as shipped: the line "encrypted", then every data line encoded.
QByteArray EncodedFlowDatabase(const std::vector<Station> &stations, const RateTableModel &table);

} // namespace brenlow::content
