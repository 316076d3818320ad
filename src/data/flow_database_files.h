#pragma once

#include <QtGlobal>

namespace brenlow {

// The flow database beside the executable, and the scratch file the administrator's
// conversion writes in full before it takes the database's place (mkstemp makes the X's unique;
// messages call it "tempt.bmp", as it has always been known).
inline constexpr char FlowDatabaseFileName[] = "temp.bmp";
inline constexpr char FlowScratchFilePattern[] = "tempt.XXXXXX";

// The most of the flow database the program loads: the installed one is under 100 kB, and a
// database a thousand times larger would still load. (The administrator's conversion streams
// and takes files of any size.)
inline constexpr qint64 FlowDatabaseLoadLimit = qint64(64) << 20;

// The first line of an encoded flow database, exactly (case-sensitive, nothing else on it).
inline constexpr char EncodedMarker[] = "encrypted";

} // namespace brenlow
