#pragma once

#include "core/station_record.h"
#include "data/flow_database_files.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace brenlow {

struct ProgramInfo;
class MessageBoxes;

// Number of quoted fields a flow database line must hold; further fields are ignored.
inline constexpr int StationFieldCount = 123;

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
