#pragma once

#include "core/app_error.h"

#include <QString>

namespace brenlow {

// An error raised for a line of a data file, so that a data supplier can mend it:
// "<meaning>: <fileName> line <lineNumber> <detail>", e.g. "Invalid procedure call or argument:
// temp.bmp line 3 has fewer than 123 quoted fields". Line numbers are 1-based and count every
// line of the file.
AppError DataLineError(ErrorNumber number, const QString &fileName, int lineNumber,
                       const QString &detail);

} // namespace brenlow
