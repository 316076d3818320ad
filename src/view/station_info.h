#pragma once

#include <QByteArray>

namespace brenlow {

struct StationRecord;

// The station panel's rich text: the title bold on one line, then each line of the
// description a plain paragraph. Title and description go in as stored, unescaped.
QByteArray StationInfoRtf(const StationRecord &station);

} // namespace brenlow
