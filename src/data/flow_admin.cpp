#include "data/flow_admin.h"

#include "core/program_info.h"
#include "data/line_codec.h"
#include "platform/message_boxes.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace brenlow {
namespace {

// What went wrong, in the words shown to the administrator; empty when all went well.
using Problem = QString;

struct FlowFile
{
    QByteArrayList Lines;
    Problem Failure;
};

FlowFile ReadFlowFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return {{}, QStringLiteral("flow file temp.bmp was not found, nothing was converted")};
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("flow file temp.bmp could not be read, nothing was converted")};
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, QStringLiteral("flow file temp.bmp could not be read, nothing was converted")};
    QByteArrayList lines = SplitFlowLines(content);
    if (lines.isEmpty())
        return {{}, QStringLiteral("flow file temp.bmp is empty, nothing was converted")};
    return {lines, {}};
}

bool SyncToDisk(int descriptor)
{
    return ::fsync(descriptor) == 0;
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

// Writes the lines, each ended by CR LF, as the scratch file (replacing any left from an
// earlier run), then renames it over the flow file. The rename replaces the old file in one
// step: there is no moment without a whole flow database.
Problem ReplaceFlowFile(const ProgramInfo &program, const QByteArrayList &lines)
{
    const QString scratchPath = program.FilePath(QString::fromLatin1(FlowScratchFileName));
    const QString flowPath = program.FilePath(QString::fromLatin1(FlowDatabaseFileName));
    const Problem notWritten =
        QStringLiteral("tempt.bmp could not be written, flow file temp.bmp was left unchanged");

    if (QFileInfo::exists(scratchPath) && !QFile::remove(scratchPath))
        return notWritten;
    QFile scratch(scratchPath);
    if (!scratch.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return notWritten;
    bool written = true;
    for (const QByteArray &line : lines) {
        written = written && scratch.write(line) == line.size() && scratch.write("\r\n", 2) == 2;
    }
    written = written && scratch.flush() && SyncToDisk(scratch.handle());
    scratch.close();
    if (!written || scratch.error() != QFileDevice::NoError) {
        QFile::remove(scratchPath);
        return notWritten;
    }

    if (std::rename(QFile::encodeName(scratchPath).constData(),
                    QFile::encodeName(flowPath).constData())
        != 0) {
        QFile::remove(scratchPath);
        return QStringLiteral(
            "tempt.bmp could not replace temp.bmp, flow file temp.bmp was left unchanged");
    }
    SyncFolder(program.Folder);
    return {};
}

} // namespace

QByteArrayList SplitFlowLines(const QByteArray &content)
{
    const std::vector<QByteArrayView> views = SplitFileLines(content);
    QByteArrayList lines;
    lines.reserve(static_cast<qsizetype>(views.size()));
    for (const QByteArrayView view : views)
        lines << view.toByteArray();
    // The terminator of the last line ends the file; it does not start an empty line.
    if (content.endsWith("\r\n") && !lines.isEmpty())
        lines.removeLast();
    return lines;
}

void EncryptFlowDatabase(const ProgramInfo &program, MessageBoxes &messages)
{
    const FlowFile flow = ReadFlowFile(program.FilePath(QString::fromLatin1(FlowDatabaseFileName)));
    if (!flow.Failure.isEmpty()) {
        messages.Inform(flow.Failure);
        return;
    }
    if (flow.Lines.first() == EncodedMarker) {
        messages.Inform(QStringLiteral("flow file temp.bmp is already encrypted"));
    } else {
        QByteArrayList encoded;
        encoded.reserve(flow.Lines.size() + 1);
        encoded << QByteArray(EncodedMarker);
        for (const QByteArray &line : flow.Lines)
            encoded << EncodeLine(line);
        const Problem problem = ReplaceFlowFile(program, encoded);
        if (!problem.isEmpty()) {
            messages.Inform(problem);
            return;
        }
    }
    messages.Inform(QStringLiteral("Encryption Completed"));
}

void DecryptFlowDatabase(const ProgramInfo &program, MessageBoxes &messages)
{
    const FlowFile flow = ReadFlowFile(program.FilePath(QString::fromLatin1(FlowDatabaseFileName)));
    if (!flow.Failure.isEmpty()) {
        messages.Inform(flow.Failure);
        return;
    }
    if (flow.Lines.first() != EncodedMarker) {
        messages.Inform(QStringLiteral("flow file temp.bmp is already not encrypted"));
    } else if (flow.Lines.size() < 2) {
        messages.Inform(QStringLiteral(
            "flow file temp.bmp holds only its encryption marker and no data, nothing was "
            "converted"));
        return;
    } else {
        QByteArrayList decoded;
        decoded.reserve(flow.Lines.size() - 1);
        for (qsizetype i = 1; i < flow.Lines.size(); ++i)
            decoded << DecodeLine(flow.Lines.at(i));
        const Problem problem = ReplaceFlowFile(program, decoded);
        if (!problem.isEmpty()) {
            messages.Inform(problem);
            return;
        }
    }
    messages.Inform(QStringLiteral("Decryption Completed"));
}

} // namespace brenlow
