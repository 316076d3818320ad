#pragma once

#include <QStringList>

namespace brenlow {

// The usage lines of the pictures command, for --help.
extern const char PicturesUsage[];

// brenlow --pictures DIR [--date YYYY-MM-DD] [--width PX]: the 25 steps of the day's first
// tide as pictures of the whole chart, one PNG file a step, as the print window's Save
// pictures writes them for all of option 2 with the whole chart chosen. arguments: those after
// --pictures. Needs a QGuiApplication (on any platform, offscreen will do). Gives the exit
// status; a file already in DIR is never written over (exit 2, naming it, nothing written).
int RunPicturesCommand(const QStringList &arguments);

} // namespace brenlow
