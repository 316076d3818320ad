#include "platform/picture_cache.h"

#include "core/app_error.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <deque>

namespace brenlow {
namespace {

// A handful of pictures: the chart and the odd spot picture. The chart alone is about 80 MB
// decoded, so the cache stays small.
constexpr std::size_t CachedPictures = 3;

// Bigger than the decoder's default limit (128 MB), which the chart nearly fills, yet bounded
// so that a file claiming absurd dimensions fails instead of exhausting memory.
constexpr int DecodeLimitMegabytes = 1024;

struct CachedPicture
{
    QString AbsolutePath;
    qint64 Size = 0;
    QDateTime Modified;
    QImage Picture;
};

// Everything runs on the user-interface thread, so the cache needs no lock.
struct PictureCache
{
    std::deque<CachedPicture> Entries; // most recently used first
    int Decodes = 0;
};

PictureCache &Cache()
{
    static PictureCache cache;
    return cache;
}

QImage Decode(const QString &path)
{
    QImageReader reader(path);
    reader.setAllocationLimit(DecodeLimitMegabytes);
    QImage image = reader.read();
    if (image.isNull())
        return image;
    // One pixel layout for every picture keeps painting a plain copy of rows.
    const QImage::Format format =
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (image.format() != format)
        image.convertTo(format);
    return image;
}

} // namespace

QImage LoadCachedPicture(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        throw AppError(ErrorNumber::FileNotFound, QStringLiteral("File not found: %1").arg(path),
                       ErrorSource());
    if (!info.isFile() || !info.isReadable())
        throw AppError(ErrorNumber::PathFileAccess,
                       QStringLiteral("Path/File access error: %1").arg(path), ErrorSource());

    PictureCache &cache = Cache();
    const QString absolutePath = info.absoluteFilePath();
    const qint64 size = info.size();
    const QDateTime modified = info.lastModified();
    const auto hit =
        std::find_if(cache.Entries.begin(), cache.Entries.end(), [&](const CachedPicture &entry) {
            return entry.AbsolutePath == absolutePath;
        });
    if (hit != cache.Entries.end()) {
        if (hit->Size == size && hit->Modified == modified) {
            CachedPicture entry = std::move(*hit);
            cache.Entries.erase(hit);
            cache.Entries.push_front(std::move(entry));
            return cache.Entries.front().Picture;
        }
        cache.Entries.erase(hit); // the file changed: its old picture is of no further use
    }

    QImage picture = Decode(absolutePath);
    ++cache.Decodes;
    if (picture.isNull())
        throw AppError(ErrorNumber::PathFileAccess,
                       QStringLiteral("Path/File access error: %1").arg(path), ErrorSource());
    cache.Entries.push_front(CachedPicture{absolutePath, size, modified, picture});
    if (cache.Entries.size() > CachedPictures)
        cache.Entries.pop_back();
    return picture;
}

int PictureDecodeCount()
{
    return Cache().Decodes;
}

} // namespace brenlow
