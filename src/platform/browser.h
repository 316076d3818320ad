#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace brenlow {

// The program the desktop would open a file with: its executable and the arguments of its
// command line, the file's place among them marked by a field code ("%u", "%U", "%f", "%F").
struct AssociatedProgram
{
    QString Program;
    QStringList Arguments;
};

// Finds the program associated with a file and starts it on an address.
class Browser
{
public:
    virtual ~Browser() = default;
    // Nothing when the desktop associates no program with the file (or cannot tell).
    virtual std::optional<AssociatedProgram> FindAssociatedProgram(const QString &filePath) = 0;
    // Starts the program, detached, with the address in the place of the file; false when it
    // could not be started.
    virtual bool StartProgram(const AssociatedProgram &program, const QString &address) = 0;
};

// The freedesktop associations: the file's type from "xdg-mime query filetype" (or the MIME
// database when xdg-mime cannot tell), its default application from "xdg-mime query default",
// that application's desktop entry from the "applications" folders of $XDG_DATA_HOME and
// $XDG_DATA_DIRS, and the entry's Exec line. The lookup waits 3 s in all for xdg-mime (then it
// has found nothing); meanwhile events run, except the user's clicks and keys, which are dropped.
class XdgBrowser : public Browser
{
public:
    std::optional<AssociatedProgram> FindAssociatedProgram(const QString &filePath) override;
    bool StartProgram(const AssociatedProgram &program, const QString &address) override;
};

// The Exec line of a desktop entry split into program and arguments: quoting and escapes
// undone, field codes kept for StartProgram. Nothing for an empty or malformed line.
std::optional<AssociatedProgram> ParseExecLine(const QString &exec);

// The arguments with the address put in place of the file field codes (or appended when the
// line has none), "%%" made "%" and the other field codes dropped.
QStringList ArgumentsForAddress(const QStringList &arguments, const QString &address);

// The path of a desktop entry by its id ("vendor-app.desktop" may live at
// "applications/vendor/app.desktop"), searched in $XDG_DATA_HOME then $XDG_DATA_DIRS.
std::optional<QString> FindDesktopEntry(const QString &desktopId);

} // namespace brenlow
