#pragma once

#include <QByteArray>

#include <vector>

namespace brenlow {

// A rectangle of the chart, in chart units, that leads to a picture file.
struct PictureSpot
{
    double Top = 0;
    double Bottom = 0;
    double Left = 0;
    double Right = 0;
    QByteArray PictureFile; // relative to the program folder
};

// Spots 1..N in file order; empty (no element 0 either) when the file holds no spot.
using PictureSpotTable = std::vector<PictureSpot>;

} // namespace brenlow
