#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace brenlow::test {

inline constexpr double Level1 = 19.444432; // the zoom ladder's levels: 14 and 36 × 1.388888
inline constexpr double Level2 = 49.999968;

// Pictures of known colours in a temporary folder.
class PictureFolder
{
public:
    QString Write(const QString &name, const QImage &image) const
    {
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }
    QString Path(const QString &name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

inline QImage Plain(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Blocks of 250 × 250 picture pixels, each with its own colour.
inline constexpr int Block = 250;
inline QColor BlockColor(int x, int y)
{
    return QColor(40 * (x / Block) % 256, 40 * (y / Block) % 256, 128);
}
inline QImage Blocks(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int y = 0; y < size.height(); y += Block)
        for (int x = 0; x < size.width(); x += Block)
            painter.fillRect(x, y, Block, Block, BlockColor(x, y));
    return image;
}

inline QColor Pixel(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

} // namespace brenlow::test
