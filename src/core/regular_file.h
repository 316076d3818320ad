#pragma once

#include <QFile>
#include <QString>

#include <memory>

namespace brenlow {

// Why OpenRegularFile opened nothing.
enum class FileOpenProblem {
    Missing,    // nothing by that name, or a link to nothing
    NotAFile,   // a FIFO, device, socket or folder
    Unreadable, // a regular file the system would not open
};

// A regular file open for reading, or why there is none.
struct OpenedFile
{
    std::unique_ptr<QFile> File;                        // set, and open, when the file was opened
    FileOpenProblem Problem = FileOpenProblem::Missing; // why File is not set
};

// Opens path for reading (mode adds to QIODevice::ReadOnly) when it is a regular file, itself
// or through links. Anything else is refused at once and never waited on: a FIFO would block
// the opening thread until some writer came, and a device (/dev/zero) never ends. The check is
// made on what was actually opened, so a FIFO put in the file's place meanwhile is refused too.
OpenedFile OpenRegularFile(const QString &path, QIODevice::OpenMode mode = QIODevice::ReadOnly);

// "<path> is not a file", as the messages about a refused file say it.
QString NotAFileText(const QString &path);

} // namespace brenlow
