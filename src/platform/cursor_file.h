#pragma once

#include <QByteArray>
#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>

namespace brenlow {

// The picture of a Windows ".cur" file and its hotspot (picture pixels from the top left).
struct CursorImage
{
    QImage Image; // ARGB32
    QPoint Hotspot;
};

// Decodes the first image of a ".cur" file: a device-independent bitmap (1, 4, 8, 24 or 32 bits
// per pixel, with its AND mask) or an embedded PNG picture. Nothing when the bytes are not a
// cursor file; every offset and size is checked against the bytes given.
std::optional<CursorImage> DecodeCursorFile(const QByteArray &bytes);

// A cursor read from a Windows ".cur" file, with its hotspot. Nothing when the file is
// missing, is no regular file or is not a cursor file.
std::optional<QCursor> LoadCursorFile(const QString &path);

} // namespace brenlow
