#pragma once

#include <QString>

namespace brenlow {

struct AppState;
struct ProgramInfo;

// The exit statuses of the program's uses without a display.
inline constexpr int ExitDone = 0;
// Bad input, a missing or damaged file, or a passage that cannot be sailed.
inline constexpr int ExitBadInput = 2;

// Writes text, UTF-8, to standard output.
void PrintOut(const QString &text);

// Writes "brenlow: reason" to standard error as one line (any line break in reason becomes a
// space) and gives ExitBadInput.
int Refuse(const QString &reason);

// The chart geometry, tidal stations and rate table of the program folder into state, as the
// desktop program loads them; what could not be loaded, or nothing.
QString LoadChartTables(AppState &state, const ProgramInfo &program);

} // namespace brenlow
