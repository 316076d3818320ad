#pragma once

#include <optional>

namespace brenlow {

// The program's uses without a display: when the first argument begins with two dashes (or is
// -h), runs the one the arguments ask for on a QCoreApplication of its own (a
// QGuiApplication on the offscreen platform for pictures) and gives the exit
// status (0 done, 2 bad input, a missing or damaged file or a passage that cannot be sailed,
// with one line on stderr saying what is wrong). Without arguments, or with Qt's own
// (-platform, -style, ...), nothing: the desktop program starts.
//   brenlow --tides [YYYY-MM-DD] [--days N]   high and low waters at Portsmouth, local time
//   brenlow --plan ... | --stream ...         the passage planner (app/plan_command.h)
//   brenlow --pictures DIR ...                pictures of the steps (app/picture_command.h)
//   brenlow --help | -h | --version
std::optional<int> RunCommandLine(int argc, char **argv);

} // namespace brenlow
