#pragma once

#include "data/flow_database_files.h"

#include <QByteArray>
#include <QByteArrayList>

namespace brenlow {

struct ProgramInfo;
class MessageBoxes;

// Converts "temp.bmp" of the program folder to its encoded form in place: the marker line,
// then every line through EncodeLine. The converted file is written in full as "tempt.bmp"
// beside it, flushed to disk and renamed over "temp.bmp" in one step, so the flow database is
// whole at every moment. A file that is already encoded is left as it is. A missing or empty
// file, or a failure to write, is reported and leaves "temp.bmp" untouched.
void EncryptFlowDatabase(const ProgramInfo &program, MessageBoxes &messages);

// The reverse: the marker line dropped, every later line through DecodeLine. An encoded file
// that holds only its marker line is reported and left untouched.
void DecryptFlowDatabase(const ProgramInfo &program, MessageBoxes &messages);

// The lines of the flow database as its loader reads them, without their CR LF; a last line
// needs no terminator, and a lone CR or LF belongs to its line.
QByteArrayList SplitFlowLines(const QByteArray &content);

} // namespace brenlow
