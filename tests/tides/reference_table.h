#pragma once

#include "tides/tide_constants.h"
#include "tides/tide_prediction.h"

#include <QByteArray>

#include <string>
#include <vector>

namespace brenlow::test {

// Lines "YYYY-MM-DD HH:MM HW 4.02" (UTC; '#' lines skipped), as the reference tables and the
// command line under TZ=UTC write them.
std::vector<TideExtreme> ReadExtremeTable(const QByteArray &text);
std::vector<TideExtreme> ReadReferenceTable(const char *fileName); // of tests/tides/

// content/tides/portsmouth.txt less the constituents named.
TideConstants ContentTideConstants(const std::vector<QString> &leftOut = {});

// The faults of predictions against a reference over the same span, pair by pair: a count, a
// kind, a height off by more than 2 cm (after rounding to the cm), a time off by more than
// 2 minutes (after rounding to the minute) unless flatTop is given and the reference's time
// lies on the predicted flat turn (flatTop's height there within 5 mm of the extreme).
std::vector<std::string> Disagreements(const std::vector<TideExtreme> &reference,
                                       const std::vector<TideExtreme> &predicted,
                                       const TideConstants *flatTop = nullptr);

} // namespace brenlow::test
