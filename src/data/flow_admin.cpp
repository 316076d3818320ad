#include "data/flow_admin.h"

#include "core/message_boxes.h"
#include "core/program_info.h"
#include "core/regular_file.h"
#include "data/line_codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace brenlow {
namespace {

// Bytes read at a time. The conversion holds this and its converted form (at most twice as
// long, when every byte is an LF) whatever the size of the file or of one line in it.
constexpr qint64 PieceBytes = qint64(1) << 20;

constexpr QByteArrayView LineEnd = "\r\n";

using Direction = FlowLineTranscoder::Direction;

// What went wrong, in the words shown to the administrator.
using Problem = QString;

enum class Outcome { Converted, AlreadyInForm, Failed };

struct Result
{
    Outcome Kind = Outcome::Failed;
    Problem Failure;
};

Result Failed(const Problem &problem)
{
    return {Outcome::Failed, problem};
}

QString ErrorText(int error)
{
    return qt_error_string(error);
}

// Why the scratch file could not be written, with a lack of space or of quota in the words
// an administrator would use.
QString WriteErrorText(int error)
{
    if (error == ENOSPC || error == EDQUOT)
        return QStringLiteral("the disk is full");
    return ErrorText(error);
}

// The first line of an encoded file with its line end.
QByteArray MarkerLine()
{
    return QByteArray(EncodedMarker).append(LineEnd);
}

Problem NotRead()
{
    return QStringLiteral("flow file temp.bmp could not be read, nothing was converted");
}

// The first piece of the file or the next: up to buffer's size, fewer only at the end of the
// file; nothing when the file cannot be read.
std::optional<QByteArrayView> ReadPiece(QFile &file, QByteArray &buffer)
{
    qint64 filled = 0;
    while (filled < buffer.size()) {
        const qint64 read = file.read(buffer.data() + filled, buffer.size() - filled);
        if (read < 0)
            return std::nullopt;
        if (read == 0)
            break;
        filled += read;
    }
    return QByteArrayView(buffer.constData(), filled);
}

// The folder's entry for the renamed file reaches the disk too.
void SyncFolder(const QString &folder)
{
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

// The file a conversion replaces, and the folder that takes its scratch file: the flow
// database itself or, when that is a symbolic link, the file the link names, so that the link
// stays a link and the file it names is the one converted.
struct Target
{
    QString Path;
    QString Folder;
    QString Where; // the folder as messages name it
};

Target ConversionTarget(const ProgramInfo &program, const QString &flowPath)
{
    const QFileInfo info(flowPath);
    if (!info.isSymLink())
        return {
            flowPath, program.Folder,
            QStringLiteral("the program folder %1").arg(QDir::toNativeSeparators(program.Folder))};
    // Through every link of a chain; empty for a link to nothing, which is then not found.
    const QString linked = info.canonicalFilePath();
    const QString folder = QFileInfo(linked).absolutePath();
    return {linked, folder,
            QStringLiteral("the folder %1 that temp.bmp links to")
                .arg(QDir::toNativeSeparators(folder))};
}

// The scratch file "tempt.XXXXXX" in the folder of the file it is to replace, the X's unique
// to it: two conversions at once never share one, and one a crash left behind is in nobody's
// way. Readable by its owner only until it is complete, and removed again unless it took the
// flow database's place.
class ScratchFile
{
public:
    explicit ScratchFile(const Target &target) : target_(target) { }
    ~ScratchFile()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
        if (!path_.isEmpty() && !replaced_)
            ::unlink(path_.constData());
    }
    ScratchFile(const ScratchFile &) = delete;
    ScratchFile &operator=(const ScratchFile &) = delete;

    std::optional<Problem> Create()
    {
        QByteArray path = QFile::encodeName(target_.Folder + QLatin1Char('/')
                                            + QLatin1String(FlowScratchFilePattern));
        // Created new with mode 0600, never through a link or over another file.
        descriptor_ = ::mkostemp(path.data(), O_CLOEXEC);
        if (descriptor_ < 0)
            return NotWritten(errno);
        path_ = path;
        return std::nullopt;
    }

    std::optional<Problem> Write(QByteArrayView bytes)
    {
        while (!bytes.isEmpty()) {
            const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
            if (written < 0 && errno != EINTR)
                return NotWritten(errno);
            if (written > 0)
                bytes = bytes.sliced(written);
        }
        return std::nullopt;
    }

    // Gives the file the owner and mode of original, then puts it on the disk.
    std::optional<Problem> Complete(const struct stat &original)
    {
        // Only a privileged user may give a file away (EPERM, or EINVAL for an owner this
        // system cannot name); then the group is kept where the user belongs to it.
        if (::fchown(descriptor_, original.st_uid, original.st_gid) != 0) {
            if (errno != EPERM && errno != EINVAL)
                return NotWritten(errno);
            if (::fchown(descriptor_, static_cast<uid_t>(-1), original.st_gid) != 0) {
                // The converting user's group it is.
            }
        }
        // After the owner: a change of owner clears the set-user and set-group bits.
        if (::fchmod(descriptor_, original.st_mode & 07777) != 0)
            return NotWritten(errno);
        if (::fsync(descriptor_) != 0)
            return NotWritten(errno);
        // Some file systems report a failed write only here. Linux closes the descriptor
        // even when it reports EINTR, so it is never closed twice.
        if (::close(std::exchange(descriptor_, -1)) != 0 && errno != EINTR)
            return NotWritten(errno);
        return std::nullopt;
    }

    // Renames the file over the target: one step, so there is no moment without a whole file.
    std::optional<Problem> Replace()
    {
        if (std::rename(path_.constData(), QFile::encodeName(target_.Path).constData()) != 0) {
            const QString reason = ErrorText(errno);
            return QStringLiteral("tempt.bmp could not replace temp.bmp in %1 (%2), flow file "
                                  "temp.bmp was left unchanged")
                .arg(target_.Where, reason);
        }
        replaced_ = true;
        SyncFolder(target_.Folder);
        return std::nullopt;
    }

private:
    Problem NotWritten(int error) const
    {
        return QStringLiteral("tempt.bmp could not be written in %1 (%2), flow file temp.bmp was "
                              "left unchanged")
            .arg(target_.Where, WriteErrorText(error));
    }

    const Target &target_;
    QByteArray path_; // once created
    int descriptor_ = -1;
    bool replaced_ = false;
};

// Writes the conversion of the rest of input to scratch, beginning with piece, which was read
// into buffer (and is the last one when atEnd); the buffer takes each further piece.
std::optional<Problem> WriteConverted(QFile &input, QByteArray &buffer, QByteArrayView piece,
                                      bool atEnd, Direction direction, ScratchFile &scratch)
{
    FlowLineTranscoder transcoder(direction);
    if (direction == Direction::Encode) {
        if (std::optional<Problem> problem = scratch.Write(MarkerLine()))
            return problem;
    }
    for (;;) {
        QByteArray out = transcoder.Feed(piece);
        if (atEnd)
            out += transcoder.Finish();
        if (std::optional<Problem> problem = scratch.Write(out))
            return problem;
        if (atEnd)
            return std::nullopt;
        const std::optional<QByteArrayView> next = ReadPiece(input, buffer);
        if (!next)
            return NotRead();
        piece = *next;
        atEnd = piece.size() < buffer.size();
    }
}

Result Convert(const ProgramInfo &program, Direction direction)
{
    const Target target =
        ConversionTarget(program, program.FilePath(QString::fromLatin1(FlowDatabaseFileName)));
    const OpenedFile opened = OpenRegularFile(target.Path, QIODevice::Unbuffered);
    if (!opened.File) {
        switch (opened.Problem) {
        case FileOpenProblem::Missing:
            return Failed(
                QStringLiteral("flow file temp.bmp was not found, nothing was converted"));
        case FileOpenProblem::NotAFile:
            return Failed(
                QStringLiteral("flow file temp.bmp is not a file, nothing was converted"));
        case FileOpenProblem::Unreadable:
            break;
        }
        return Failed(NotRead());
    }
    QFile &input = *opened.File;

    QByteArray buffer(PieceBytes, Qt::Uninitialized);
    std::optional<QByteArrayView> piece = ReadPiece(input, buffer);
    if (!piece)
        return Failed(NotRead());
    if (piece->isEmpty())
        return Failed(QStringLiteral("flow file temp.bmp is empty, nothing was converted"));

    // The marker line as the loader sees it: a first line ended by CR LF, or the whole file.
    const bool atEnd = piece->size() < buffer.size();
    const bool encoded = piece->startsWith(MarkerLine()) || (atEnd && *piece == EncodedMarker);
    if (encoded == (direction == Direction::Encode))
        return {Outcome::AlreadyInForm, {}};
    if (direction == Direction::Decode) {
        *piece = piece->sliced(std::min(piece->size(), MarkerLine().size()));
        if (piece->isEmpty() && atEnd)
            return Failed(QStringLiteral("flow file temp.bmp holds only its encryption marker "
                                         "and no data, nothing was converted"));
    }

    // The rename would replace a write-protected file; its protection says not to.
    struct stat original = {};
    if (::access(QFile::encodeName(target.Path).constData(), W_OK) != 0) {
        const QString reason = ErrorText(errno);
        return Failed(
            QStringLiteral("flow file temp.bmp in %1 cannot be written (%2), it was left unchanged")
                .arg(target.Where, reason));
    }
    if (::fstat(input.handle(), &original) != 0)
        return Failed(NotRead());

    ScratchFile scratch(target);
    std::optional<Problem> problem = scratch.Create();
    if (!problem)
        problem = WriteConverted(input, buffer, *piece, atEnd, direction, scratch);
    if (!problem)
        problem = scratch.Complete(original);
    if (!problem)
        problem = scratch.Replace();
    return problem ? Failed(*problem) : Result{Outcome::Converted, {}};
}

void RunConversion(const ProgramInfo &program, MessageBoxes &messages, Direction direction)
{
    const Problem noMemory = QStringLiteral(
        "there is not enough memory to convert flow file temp.bmp, it was left unchanged");
    Result result;
    // The scratch file is gone again by the time an allocation failure arrives here.
    try {
        result = Convert(program, direction);
    } catch (const std::bad_alloc &) {
        result = Failed(noMemory);
    }
    const bool encode = direction == Direction::Encode;
    switch (result.Kind) {
    case Outcome::Failed:
        messages.Inform(result.Failure);
        return;
    case Outcome::AlreadyInForm:
        messages.Inform(encode ? QStringLiteral("flow file temp.bmp is already encrypted")
                               : QStringLiteral("flow file temp.bmp is already not encrypted"));
        break;
    case Outcome::Converted:
        break;
    }
    messages.Inform(encode ? QStringLiteral("Encryption Completed")
                           : QStringLiteral("Decryption Completed"));
}

// Where the next CR or LF stands from pos on; -1 when there is none.
qsizetype PlainLineBreak(QByteArrayView piece, qsizetype pos)
{
    const auto at = std::find_if(piece.begin() + pos, piece.end(),
                                 [](char c) { return c == '\r' || c == '\n'; });
    return at == piece.end() ? -1 : at - piece.begin();
}

} // namespace

void FlowLineTranscoder::EndLine(QByteArray &out)
{
    out += LineEnd;
    lineOpen_ = false;
}

QByteArray FlowLineTranscoder::Feed(QByteArrayView piece)
{
    QByteArray out;
    out.reserve(piece.size() + LineEnd.size());
    const bool encode = direction_ == Direction::Encode;
    qsizetype pos = 0;
    if (pendingCr_ && !piece.isEmpty()) {
        pendingCr_ = false;
        if (piece.front() == '\n') {
            // Encoding, the CR has ended the line already.
            if (!encode)
                EndLine(out);
            pos = 1;
        }
    }
    while (pos < piece.size()) {
        const qsizetype end = encode ? PlainLineBreak(piece, pos) : piece.indexOf(LineEnd, pos);
        const QByteArrayView line = end < 0 ? piece.sliced(pos) : piece.sliced(pos, end - pos);
        out += encode ? EncodeLine(line) : DecodeLine(line);
        if (end < 0) {
            lineOpen_ = true;
            pendingCr_ = !encode && line.endsWith('\r');
            return out;
        }
        EndLine(out);
        pos = end + (encode ? 1 : LineEnd.size());
        if (encode && piece[end] == '\r') {
            if (pos == piece.size())
                pendingCr_ = true;
            else if (piece[pos] == '\n')
                ++pos;
        }
    }
    return out;
}

QByteArray FlowLineTranscoder::Finish()
{
    QByteArray out;
    if (lineOpen_)
        EndLine(out);
    pendingCr_ = false;
    return out;
}

void EncryptFlowDatabase(const ProgramInfo &program, MessageBoxes &messages)
{
    RunConversion(program, messages, Direction::Encode);
}

void DecryptFlowDatabase(const ProgramInfo &program, MessageBoxes &messages)
{
    RunConversion(program, messages, Direction::Decode);
}

} // namespace brenlow
