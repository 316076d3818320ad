#pragma once

#include "core/installation_files.h"

#include <QtGlobal>

namespace brenlow {

// The most of the flow database the program loads: the installed one is under 100 kB, and a
// database a thousand times larger would still load. (The administrator's conversion streams
// and takes files of any size.)
inline constexpr qint64 FlowDatabaseLoadLimit = qint64(64) << 20;

// The first line of an encoded flow database, exactly (case-sensitive, nothing else on it).
inline constexpr char EncodedMarker[] = "encrypted";

} // namespace brenlow
