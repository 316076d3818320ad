#include "core/regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenlow {
namespace {

OpenedFile Refused(FileOpenProblem problem)
{
    return {nullptr, problem};
}

OpenedFile RefusedFor(int error)
{
    return Refused(error == ENOENT || error == ENOTDIR ? FileOpenProblem::Missing
                                                       : FileOpenProblem::Unreadable);
}

} // namespace

OpenedFile OpenRegularFile(const QString &path, QIODevice::OpenMode mode)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    // Looked at before opening, since opening some devices already makes them act.
    if (::stat(name.constData(), &status) != 0)
        return RefusedFor(errno);
    if (!S_ISREG(status.st_mode))
        return Refused(FileOpenProblem::NotAFile);
    // Without O_NONBLOCK, opening a FIFO waits for a writer.
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return RefusedFor(errno);
    const bool known = ::fstat(descriptor, &status) == 0;
    if (!known || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return Refused(known ? FileOpenProblem::NotAFile : FileOpenProblem::Unreadable);
    }
    // A regular file's reads never wait, with the flag or without; cleared all the same, so
    // that no reader downstream meets a flag it does not expect.
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);

    auto file = std::make_unique<QFile>(path);
    if (!file->open(descriptor, mode | QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor); // a failed open leaves the descriptor to its caller
        return Refused(FileOpenProblem::Unreadable);
    }
    return {std::move(file)};
}

QString NotAFileText(const QString &path)
{
    return QStringLiteral("%1 is not a file").arg(path);
}

} // namespace brenlow
