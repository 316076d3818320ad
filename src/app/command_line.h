#pragma once

#include <optional>

namespace brenlow {

// The program's uses without a display: with arguments, runs the one they ask for on a
// QCoreApplication of its own and gives the exit status (0 done, 2 bad input or a missing or
// damaged file, with one line on stderr saying what is wrong). Without arguments, nothing: the
// desktop program starts.
//   brenlow --tides [YYYY-MM-DD] [--days N]   high and low waters at Portsmouth, local time
//   brenlow --help | --version
std::optional<int> RunCommandLine(int argc, char **argv);

} // namespace brenlow
