#pragma once

#include <QString>

namespace brenlow {

inline constexpr char ProgramTitle[] = "Brenlow";

// The title as text, alone or to begin a window's title ("Brenlow Options").
inline QString ProgramTitleText()
{
    return QString::fromLatin1(ProgramTitle);
}
inline constexpr char SupportAddress[] = "support@brenlow.example";

// Where the running program lives: its folder holds every installation file, and the
// executable's base name is the application name of its settings.
struct ProgramInfo
{
    QString Folder;  // no trailing separator
    QString AppName; // executable file name without folder and extension

    QString FilePath(const QString &fileName) const { return Folder + QLatin1Char('/') + fileName; }
};

// The folder and base name of the running executable.
ProgramInfo RunningProgramInfo();

// "major.minor.revision" of this build.
QString VersionText();

} // namespace brenlow
