#pragma once

#include "app/app_error.h"

#include <QString>

namespace brenlow {

// The short standard meaning of an error number, as the fatal report shows it first
// ("Type mismatch" for 13).
QString ErrorMeaning(ErrorNumber number);

// Source of every error the program raises itself.
QString ErrorSource();

// An error raised for a line of a data file, so that a data supplier can mend it:
// "<meaning>: <fileName> line <lineNumber> <detail>", e.g. "Invalid procedure call or argument:
// temp.bmp line 3 has fewer than 123 quoted fields". Line numbers are 1-based and count every
// line of the file.
AppError DataLineError(ErrorNumber number, const QString &fileName, int lineNumber,
                       const QString &detail);

} // namespace brenlow
