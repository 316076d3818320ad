#pragma once

namespace brenlow {

// The flow database beside the executable, and the scratch file the administrator's
// conversion writes in full before it takes the database's place.
inline constexpr char FlowDatabaseFileName[] = "temp.bmp";
inline constexpr char FlowScratchFileName[] = "tempt.bmp";

// The first line of an encoded flow database, exactly (case-sensitive, nothing else on it).
inline constexpr char EncodedMarker[] = "encrypted";

} // namespace brenlow
