#pragma once

#include "core/installation_files.h"
#include "core/picture_spot.h"
#include "core/rate_table.h"

#include <QByteArray>
#include <QString>

namespace brenlow {

// The most of either file the program reads: the installed ones are a few kB, and a rate table
// holds at most 50 lines of 50 values.
inline constexpr qint64 PictureSpotFileLimit = qint64(4) << 20;
inline constexpr qint64 RateTableFileLimit = qint64(4) << 20;

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
// the number of heights on its first line. Values are comma-separated numbers with the decimal
// point (ReadRateValue); empty lines after the first do not count as rows. Throws AppError,
// naming the file and the 1-based line: subscript out of range for content without a first
// line, a 51st value on a line or a 51st row; type mismatch for a value that is empty, not a
// number or too large for a double.
int ParseRateTable(const QByteArray &content, const QString &fileName, RateTable &table);

// Reads "temp3.bmp" of the program folder; returns the number of columns. A missing file reads
// as empty (and is not created), so it fails as an empty one.
int LoadRateTable(const ProgramInfo &program, RateTable &table);

} // namespace brenlow
