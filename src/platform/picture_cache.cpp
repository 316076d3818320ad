#include "platform/picture_cache.h"

#include "platform/picture_file.h"

#include <QFileInfo>

#include <algorithm>

namespace brenlow {

QImage PictureCache::Load(const QString &path)
{
    // Opened even when the cache may answer: the size and time then are those of the very
    // file that is decoded, and a file that is not one is refused the same way every time.
    const std::unique_ptr<QFile> file = OpenPictureFile(path);
    const QString absolutePath = QFileInfo(path).absoluteFilePath();
    const qint64 size = file->size();
    const QDateTime modified = file->fileTime(QFileDevice::FileModificationTime);
    const auto hit = std::find_if(entries_.begin(), entries_.end(), [&](const Entry &entry) {
        return entry.AbsolutePath == absolutePath;
    });
    if (hit != entries_.end()) {
        if (hit->Size == size && hit->Modified == modified) {
            Entry entry = std::move(*hit);
            entries_.erase(hit);
            entries_.push_front(std::move(entry));
            return entries_.front().Picture;
        }
        entries_.erase(hit); // the file changed: its old picture is of no further use
    }

    ++decodes_;
    QImage picture = DecodeOpenPicture(*file, path);
    entries_.push_front(Entry{absolutePath, size, modified, picture});
    if (entries_.size() > Capacity)
        entries_.pop_back();
    return picture;
}

} // namespace brenlow
