#pragma once

#include <QFile>
#include <QImage>
#include <QString>

#include <memory>

namespace brenlow {

// Opens a picture file for reading. Throws AppError: 53 when the file does not exist; 75 when
// it is no regular file ("<path> is not a file") or cannot be read.
std::unique_ptr<QFile> OpenPictureFile(const QString &path);

// The decoded picture of an open file (path names it in errors). Throws AppError 75 when it
// cannot be decoded, when its data ends before the size its headers declare (a BMP cut short,
// which the decoder would show with the missing part black), or when the decoder reports it
// damaged.
QImage DecodeOpenPicture(QFile &file, const QString &path);

// Both: the picture of a file, checked whole.
QImage DecodePictureFile(const QString &path);

} // namespace brenlow
