#pragma once

#include <QByteArray>
#include <QString>

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

// Most values on a rate table line and most rate rows: indexes 1..50.
inline constexpr int RateTableLimit = RateTableSize - 1;

inline constexpr char PictureSpotFileName[] = "temp2.bmp";
inline constexpr char RateTableFileName[] = "temp3.bmp";

// The number of the last spot, 0 for a table without elements (a file with no spot lines).
int SpotCount(const PictureSpotTable &spots);

struct ProgramInfo;

// Parses the whole content of a picture-spot file and appends one spot per spot line to spots
// (creating the unused element 0 with the first). A line whose first quoted field begins with
// ";" is a comment; empty lines are skipped. fileName only names the file in errors. Throws
// AppError, naming the file and the 1-based line: invalid argument for a line (not empty, not a
// comment) of fewer than five quoted fields, overflow for a position out of range. Spots of the
// lines before it stay in spots.
void ParsePictureSpots(const QByteArray &content, const QString &fileName, PictureSpotTable &spots);

// Reads "temp2.bmp" of the program folder into spots (which must be empty). A missing file
// reads as empty (and is not created): no spots.
void LoadPictureSpots(const ProgramInfo &program, PictureSpotTable &spots);

// Parses the whole content of a rate table into table (all values reset to 0 first) and returns
// the number of heights on its first line. Values are comma-separated, in the user's regional
// number format; empty lines after the first do not count as rows. Throws AppError, naming the
// file and the 1-based line: subscript out of range for content without a first line, a 51st
// value on a line or a 51st row; type mismatch for a value that is empty or not a number.
int ParseRateTable(const QByteArray &content, const QString &fileName, RateTable &table);

// Reads "temp3.bmp" of the program folder; returns the number of columns. A missing file reads
// as empty (and is not created), so it fails as an empty one.
int LoadRateTable(const ProgramInfo &program, RateTable &table);

} // namespace brenlow
