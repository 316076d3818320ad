#pragma once

#include <QString>

namespace brenlow {

// Where the user chooses a file to read or to write. The person answering is the outside world:
// tests put a double here.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // The file chosen to read, or the empty text when the user cancelled. filter names the
    // files offered as Qt writes name filters: "GPX routes (*.gpx)".
    virtual QString ChooseFileToOpen(const QString &caption, const QString &filter) = 0;
    // The file chosen to write (suggested is offered first), or the empty text when the user
    // cancelled. A file of that name is there to be replaced only when the user agreed to it.
    virtual QString ChooseFileToSave(const QString &caption, const QString &filter,
                                     const QString &suggested) = 0;
    // An existing folder chosen to write files into, or the empty text when the user
    // cancelled.
    virtual QString ChooseFolder(const QString &caption) = 0;
};

} // namespace brenlow
