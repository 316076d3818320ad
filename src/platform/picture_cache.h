#pragma once

#include <QImage>
#include <QString>

namespace brenlow {

// The decoded picture of a file, shared by every surface of the process. A file is decoded
// again only when its absolute path, size or modification time differs from what was decoded
// before; otherwise the answer is the same shared image, without touching the file's content.
// Throws AppError: 53 when the file does not exist; 75 when it is no regular file ("<path> is
// not a file"), cannot be read or decoded, when its data ends before the size its headers
// declare, or when the decoder reports it damaged.
QImage LoadCachedPicture(const QString &path);

// How many times this process has decoded a file, successfully or not (a reload served from
// the cache does not count).
int PictureDecodeCount();

} // namespace brenlow
