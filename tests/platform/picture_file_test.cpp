#include "platform/picture_file.h"

#include "core/app_error.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace brenlow {
namespace {

constexpr int Width = 40;
constexpr int Height = 30;

// Four colour bands down the picture, its left and right halves in different colours.
QImage Sample(QImage::Format format = QImage::Format_RGB32)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            image.setPixel(x, y, qRgb(60 * (y / 8), x < Width / 2 ? 200 : 20, 90));
    return image.convertToFormat(format);
}

QByteArray Encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes;
}

QByteArray Patched(QByteArray bytes, qsizetype at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
    return bytes;
}

// The sample as a run-length BMP (8 or 4 bits a pixel): Qt's 8-bit file with its pixel rows
// replaced by the given data.
QByteArray RunLengthFile(const QByteArray &pixelData, int bits = 8)
{
    const QByteArray bmp = Encoded(Sample(QImage::Format_Indexed8), "BMP");
    QByteArray bytes = bmp.left(qFromLittleEndian<quint32>(bmp.constData() + 10)) + pixelData;
    bytes = Patched(bytes, 2, bytes.size());
    bytes = Patched(bytes, 28, bits); // then the compression over the upper half
    bytes = Patched(bytes, 30, bits == 8 ? 1 : 2);
    return Patched(bytes, 34, pixelData.size());
}

// The sample's rows, bottom row first, as its two runs of 20 pixels, each row ended by its mark.
QByteArray SampleRuns(int bits = 8)
{
    const QImage image = Sample(QImage::Format_Indexed8);
    QByteArray runs;
    for (int y = Height - 1; y >= 0; --y) {
        for (const int x : {0, Width / 2}) {
            const int index = image.pixelIndex(x, y);
            runs += char(Width / 2);
            runs += char(bits == 8 ? index : index << 4 | index);
        }
        runs += QByteArray("\0\0", 2);
    }
    return runs;
}

// A damaged picture used to load with its missing part black.
TEST(DecodePictureFile, WholePicturesLoadAndDamagedOnesFailNamingTheFile)
{
    struct Row
    {
        const char *file;
        QByteArray content;
        bool whole;
    };
    const QByteArray end("\0\1", 2); // of the run-length data
    const QByteArray bmp = Encoded(Sample(), "BMP");
    const QByteArray png = Encoded(Sample(), "PNG");
    const QByteArray runs = SampleRuns();
    QByteArray jump = runs; // the bottom row's first run jumps 10 pixels right
    jump.replace(0, 2, QByteArray("\x0A") + runs[1] + QByteArray("\0\2\x0A\0", 4));
    QByteArray runPastRowEnd = runs;
    runPastRowEnd[0] = char(Width + 1);
    const Row rows[] = {
        {"24-bit.bmp", bmp, true},
        {"8-bit.bmp", Encoded(Sample(QImage::Format_Indexed8), "BMP"), true},
        {"rle8.bmp", RunLengthFile(runs + end), true},
        {"rle4.bmp", RunLengthFile(SampleRuns(4) + end, 4), true},
        {"rle8-ended-by-its-last-row.bmp", RunLengthFile(runs), true},
        {"rle8-jump.bmp", RunLengthFile(jump + end), true},
        {"picture.png", png, true},
        {"pixel-rows-cut.bmp", bmp.left(bmp.size() / 2), false},
        {"last-byte-cut.bmp", bmp.left(bmp.size() - 1), false},
        {"header-cut.bmp", bmp.left(30), false},
        {"height-beyond-file.bmp", Patched(bmp, 22, 2 * Height), false},
        {"file-size-beyond-file.bmp", Patched(bmp, 2, bmp.size() + 1), false},
        {"rle8-cut.bmp", RunLengthFile(runs.left(runs.size() / 2)), false},
        {"rle4-cut.bmp", RunLengthFile(SampleRuns(4).left(runs.size() - 3), 4), false},
        {"rle8-size-beyond-file.bmp", Patched(RunLengthFile(runs + end), 34, runs.size() + 99),
         false},
        {"rle8-run-past-row-end.bmp", RunLengthFile(runPastRowEnd + end), false},
        {"rle8-literal-past-row-end.bmp",
         RunLengthFile(QByteArray(1, 0) + char(Width + 2) + QByteArray(Width + 2, 1) + end), false},
        {"rle8-jump-out.bmp", RunLengthFile(QByteArray("\0\2\0", 3) + char(Height) + end), false},
        {"pixel-data-cut.png", png.left(png.size() - 20), false},
    };
    const QImage expected = Sample();
    QTemporaryDir folder;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.file);
        const QString path = folder.filePath(row.file);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(row.content);
        file.close();
        try {
            const QImage picture = DecodePictureFile(path);
            EXPECT_TRUE(row.whole) << "loaded";
            if (!row.whole || picture.size() != expected.size())
                continue;
            for (const QPoint spot : {QPoint(30, 0), QPoint(5, 12), QPoint(39, 29), QPoint(25, 29)})
                EXPECT_EQ(picture.pixel(spot), expected.pixel(spot));
        } catch (const AppError &error) {
            EXPECT_FALSE(row.whole) << error.Description().toStdString();
            EXPECT_EQ(error.Kind(), ErrorNumber::PathFileAccess);
            EXPECT_EQ(error.Description(), QStringLiteral("Path/File access error: ") + path);
        }
    }
}

} // namespace
} // namespace brenlow
