#include "platform/picture_file.h"

#include "core/app_error.h"
#include "core/regular_file.h"

#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace brenlow {
namespace {

// Bigger than the decoder's default limit (128 MB), which the chart nearly fills, yet bounded
// so that a file claiming absurd dimensions fails instead of exhausting memory.
constexpr int DecodeLimitMegabytes = 1024;

// The parts of a BMP file's headers that say how many bytes its pixel data needs.
constexpr qint64 FileHeaderSize = 14;
constexpr qint64 LargestInfoHeaderSize = 124;
constexpr std::uint32_t CoreHeaderSize = 12; // 16-bit dimensions, 3-byte palette entries
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t UncompressedRgb = 0;
constexpr std::uint32_t RunLength8 = 1;
constexpr std::uint32_t RunLength4 = 2;
constexpr std::uint32_t BitFields = 3;

std::uint32_t LittleEndian(const QByteArray &bytes, qsizetype at, int width)
{
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Walks run-length pixel data (8 or 4 bits a pixel) of a picture width × height: true when it
// reaches its end-of-picture mark (or the last row) with every run inside the picture, false
// when the data runs out first or a run or jump leaves the picture, which the decoder would
// silently cut short or clamp.
bool RunLengthDataIsWhole(const QByteArray &data, qint64 width, qint64 height, bool fourBit)
{
    qsizetype at = 0;
    qint64 x = 0;
    qint64 y = 0;
    // A 4-bit run fills whole bytes, so it may reach one pixel past an odd width.
    const qint64 lastX = fourBit ? width + (width & 1) : width;
    while (y < height) {
        if (data.size() - at < 2)
            return false;
        const int count = static_cast<unsigned char>(data[at]);
        const int code = static_cast<unsigned char>(data[at + 1]);
        at += 2;
        if (count > 0) {
            x += count;
            if (x > lastX)
                return false;
            continue;
        }
        switch (code) {
        case 0: // end of row
            x = 0;
            ++y;
            break;
        case 1: // end of picture
            return true;
        case 2: // jump right and up by the next two bytes
            if (data.size() - at < 2)
                return false;
            x += static_cast<unsigned char>(data[at]);
            y += static_cast<unsigned char>(data[at + 1]);
            at += 2;
            if (x > width || y >= height)
                return false;
            break;
        default: { // "code" literal pixels, padded to a 16-bit boundary
            const qint64 bytes = fourBit ? (code + 1) / 2 : code;
            x += code;
            at += bytes + (bytes & 1);
            if (x > lastX || at > data.size())
                return false;
        }
        }
    }
    return true;
}

// False when the file is a BMP that ends before what its headers declare: the file's own
// size, the header, the palette, or the pixel rows (for run-length data, its end mark). The
// decoder would show such a file with the missing part black. Other formats, and BMP layouts
// not checked here, are left to the decoder.
bool HoldsItsDeclaredData(QFile &file)
{
    const qint64 fileSize = file.size();
    const QByteArray head = file.read(FileHeaderSize + LargestInfoHeaderSize);
    if (!head.startsWith("BM"))
        return true;
    if (head.size() < FileHeaderSize + 4)
        return false;
    if (LittleEndian(head, 2, 4) > fileSize)
        return false;
    const std::uint32_t headerSize = LittleEndian(head, FileHeaderSize, 4);
    if (headerSize != CoreHeaderSize && headerSize < InfoHeaderSize)
        return true;
    if (head.size() < FileHeaderSize + std::min<qint64>(headerSize, LargestInfoHeaderSize))
        return false;

    const bool core = headerSize == CoreHeaderSize;
    qint64 width = 0;
    qint64 height = 0;
    int bits = 0;
    std::uint32_t compression = UncompressedRgb;
    qint64 colors = 0;
    qint64 declaredDataSize = 0;
    if (core) {
        width = static_cast<std::int16_t>(LittleEndian(head, 18, 2));
        height = static_cast<std::int16_t>(LittleEndian(head, 20, 2));
        bits = static_cast<int>(LittleEndian(head, 24, 2));
    } else {
        width = static_cast<std::int32_t>(LittleEndian(head, 18, 4));
        height = std::llabs(static_cast<std::int32_t>(LittleEndian(head, 22, 4)));
        bits = static_cast<int>(LittleEndian(head, 28, 2));
        compression = LittleEndian(head, 30, 4);
        declaredDataSize = LittleEndian(head, 34, 4);
        colors = LittleEndian(head, 46, 4);
    }
    if (width <= 0 || height <= 0)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return true;

    // The pixel data starts after the headers, the colour masks and the palette, or further
    // on where the file header says so.
    qint64 dataStart = FileHeaderSize + headerSize;
    if (compression == BitFields && headerSize == InfoHeaderSize)
        dataStart += 3 * 4;
    if (bits <= 8)
        dataStart += (colors > 0 ? colors : qint64(1) << bits) * (core ? 3 : 4);
    dataStart = std::max<qint64>(dataStart, LittleEndian(head, 10, 4));
    if (dataStart + declaredDataSize > fileSize)
        return false;

    if (compression == UncompressedRgb || compression == BitFields) {
        const qint64 rowBytes = (width * bits + 31) / 32 * 4;
        return height <= (fileSize - dataStart) / rowBytes;
    }
    if ((compression == RunLength8 && bits == 8) || (compression == RunLength4 && bits == 4)) {
        file.seek(dataStart);
        return RunLengthDataIsWhole(file.readAll(), width, height, bits == 4);
    }
    return true;
}

// The picture of the open file; a null image when the file cannot be read, is short of what it
// declares, or the decoder reports it damaged (it may then still hand back a partial picture).
QImage Decode(QFile &file)
{
    if (!HoldsItsDeclaredData(file) || !file.seek(0))
        return {};
    QImageReader reader(&file, QFileInfo(file.fileName()).suffix().toLatin1());
    reader.setAllocationLimit(DecodeLimitMegabytes);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    // One pixel layout for every picture keeps painting a plain copy of rows.
    const QImage::Format format =
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (image.format() != format)
        image.convertTo(format);
    return image;
}

QString AccessError(const QString &what)
{
    return QStringLiteral("Path/File access error: %1").arg(what);
}

} // namespace

std::unique_ptr<QFile> OpenPictureFile(const QString &path)
{
    OpenedFile opened = OpenRegularFile(path);
    if (opened.File)
        return std::move(opened.File);
    if (opened.Problem == FileOpenProblem::Missing)
        throw AppError(ErrorNumber::FileNotFound, QStringLiteral("File not found: %1").arg(path),
                       ErrorSource());
    throw AppError(
        ErrorNumber::PathFileAccess,
        AccessError(opened.Problem == FileOpenProblem::NotAFile ? NotAFileText(path) : path),
        ErrorSource());
}

QImage DecodeOpenPicture(QFile &file, const QString &path)
{
    QImage picture = Decode(file);
    if (picture.isNull())
        throw AppError(ErrorNumber::PathFileAccess, AccessError(path), ErrorSource());
    return picture;
}

QImage DecodePictureFile(const QString &path)
{
    const std::unique_ptr<QFile> file = OpenPictureFile(path);
    return DecodeOpenPicture(*file, path);
}

} // namespace brenlow
