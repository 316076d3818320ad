#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace brenlow {

inline constexpr int StepCount = 25; // half-hour steps of a tide, StepIndex 1..25

// One tidal station of the flow database. Arrays are indexed by StepIndex; element 0 is unused.
struct StationRecord
{
    double ChartY = 0;                                   // chart units, growing southwards
    double ChartX = 0;                                   // chart units, growing eastwards
    std::array<double, StepCount + 1> Rate{};            // knots at RateHeight; -1 = no value
    std::array<std::int32_t, StepCount + 1> Direction{}; // whole degrees from north; -1 = none
    std::array<double, StepCount + 1> RateHeight{};      // metres of high water the rate refers to
    QByteArray Title;                                    // single-byte text as stored
    QByteArray Description; // single-byte text; CR LF marks a line break
};

// Records 1..N in file order. Empty until the first record is appended, which also creates
// the unused element 0; an empty table has no upper bound (see LastIndex).
using StationTable = std::vector<StationRecord>;

struct ProgramInfo;
class MessageBoxes;

inline constexpr char FlowDatabaseFileName[] = "temp.bmp";

// The first line of an encoded flow database, exactly (case-sensitive, nothing else on it).
inline constexpr char EncodedMarker[] = "encrypted";

// Number of quoted fields a flow database line must hold; further fields are ignored.
inline constexpr int StationFieldCount = 123;

// Reference height (metres) of a step whose height field is empty.
inline constexpr double DefaultRateHeight = 4.3;

enum class FlowDatabaseForm { Plain, Encoded };

// Parses the whole content of a flow database and appends one record per non-empty data line
// to table (creating the unused element 0 with the first). fileName only names the file in
// errors. Returns whether the content was marked encoded. Throws AppError, naming the file and
// the 1-based line, for a line of fewer than StationFieldCount quoted fields (invalid argument)
// or a number out of range (overflow); records of the lines before it stay in table.
FlowDatabaseForm ParseStationTable(const QByteArray &content, const QString &fileName,
                                   StationTable &table);

// The parse of one data line (already decoded); lineNumber only names it in errors.
StationRecord ParseStationLine(QByteArrayView line, const QString &fileName, int lineNumber);

// Reads "temp.bmp" of the program folder (plain or encoded) into table, which must be empty.
// A plain file is accepted after the "Warning Flow database is not Encrypted" message.
// Throws AppError for a malformed line, naming the file and the 1-based line.
// A missing file reads as empty (and is not created): no records, and the warning.
void LoadStationTable(const ProgramInfo &program, MessageBoxes &messages, StationTable &table);

// The upper bound of a loaded table, the number of the last station: every reader walks the
// stations 1..LastIndex. Throws AppError (subscript out of range) for a table without elements,
// which is how a flow database without stations ends start-up at the first draw.
int LastIndex(const StationTable &table);

} // namespace brenlow
