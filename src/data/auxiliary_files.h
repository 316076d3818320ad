#pragma once

#include <QByteArray>

#include <array>
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

inline constexpr int RateTableSize = 51; // indexes 0..50 each way

// [position][line]: line 0 holds the column heights, lines 1..50 the rates.
using RateTable = std::array<std::array<double, RateTableSize>, RateTableSize>;

struct ProgramInfo;

// Reads "temp2.bmp" of the program folder into spots (which must be empty).
void LoadPictureSpots(const ProgramInfo &program, PictureSpotTable &spots);

// Reads "temp3.bmp" of the program folder; returns the number of columns.
int LoadRateTable(const ProgramInfo &program, RateTable &table);

} // namespace brenlow
