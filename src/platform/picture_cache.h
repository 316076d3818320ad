#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>

#include <cstddef>
#include <deque>

namespace brenlow {

// The decoded pictures a surface loads, kept while their files stay as they were: a file is
// decoded again only when its absolute path, size or modification time differs from what was
// decoded before; otherwise the answer is the same shared image, without reading the file's
// content. Load throws AppError as DecodePictureFile does.
class PictureCache
{
public:
    QImage Load(const QString &path);
    // How many times a file was decoded, successfully or not (an answer from the cache does
    // not count).
    int Decodes() const { return decodes_; }

private:
    // A handful of pictures: the chart and the odd other one. The chart alone is about 80 MB
    // decoded, so the cache stays small.
    static constexpr std::size_t Capacity = 3;

    struct Entry
    {
        QString AbsolutePath;
        qint64 Size = 0;
        QDateTime Modified;
        QImage Picture;
    };
    std::deque<Entry> entries_; // most recently used first
    int decodes_ = 0;
};

} // namespace brenlow
