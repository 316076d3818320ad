#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace brenlow::content {

// One line of a committed source file: trimmed, with its 1-based number in the file and its
// fields (split at '|', each trimmed).
struct SourceLine
{
    int Number = 0;
    QString Text;
    QStringList Fields;
};

// The lines of a UTF-8 source file that carry content: blank lines and lines starting with
// '#' are passed over. Throws when the file cannot be read.
std::vector<SourceLine> ReadSourceLines(const QString &path);

// The error for a malformed line, naming the file and the line.
std::runtime_error LineError(const QString &path, int line, const QString &what = QString());

} // namespace brenlow::content
