#pragma once

namespace brenlow {

// The files the program finds in its own folder, each named once.
inline constexpr char BackdropFileName[] = "backdrop.bmp"; // the chart picture
inline constexpr char HelpFileName[] = "help.rtf";         // the help panel's document
inline constexpr char FlowDatabaseFileName[] = "temp.bmp"; // the flow database
// The scratch file the administrator's conversion writes in full before it takes the
// database's place (mkstemp makes the X's unique; messages call it "tempt.bmp", as it has
// always been known).
inline constexpr char FlowScratchFilePattern[] = "tempt.XXXXXX";
inline constexpr char PictureSpotFileName[] = "temp2.bmp";
inline constexpr char RateTableFileName[] = "temp3.bmp";
// The pointer over the chart: pan mode, a drag, a picture spot.
inline constexpr char OpenHandCursorFileName[] = "handopen.cur";
inline constexpr char ClosedHandCursorFileName[] = "handshut.cur";
inline constexpr char CameraCursorFileName[] = "camera.cur";
// Portsmouth's tidal constants, for the predicted high waters.
inline constexpr char TideConstantsFileName[] = "portsmouth_tides.txt";

} // namespace brenlow
