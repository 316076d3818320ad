#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace brenlow {

// The whole file as single-byte text, or nothing when it does not exist. Throws AppError
// (path/file access) when it exists but cannot be read, is no regular file ("<path> is not a
// file"; see OpenRegularFile), or holds more than maxBytes ("<path> is too large"): memory is
// never spent on more than maxBytes + 1 bytes of it, whatever the file says of its size.
std::optional<QByteArray> ReadWholeFile(const QString &path, qint64 maxBytes);

// Single-byte Windows-1252 text as Unicode, for display. Codes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same number.
QString Windows1252ToUnicode(const QByteArray &text);

} // namespace brenlow
