#include "platform/cursor_file.h"

#include "core/regular_file.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <cstring>

namespace brenlow {
namespace {

// Cursor pictures are at most 256 × 256 pixels; anything larger is not a cursor.
constexpr int MaxCursorSide = 256;
// The largest file worth reading: a 256 × 256 picture of 32 bits per pixel with its mask is
// about 270 kB.
constexpr qint64 MaxCursorFileSize = 4 * 1024 * 1024;
constexpr qsizetype DirectorySize = 6;    // reserved, type, count
constexpr qsizetype EntrySize = 16;       // one directory entry
constexpr qsizetype InfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr quint16 CursorResourceType = 2; // 1 would be an icon

quint16 U16(const uchar *p)
{
    return quint16(p[0] | (p[1] << 8));
}

quint32 U32(const uchar *p)
{
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

qint32 I32(const uchar *p)
{
    return qint32(U32(p));
}

std::optional<QImage> DecodePng(const uchar *data, qsizetype length)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), length);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || size.width() > MaxCursorSide
        || size.height() > MaxCursorSide)
        return std::nullopt;
    QImage image = reader.read();
    if (image.isNull() || image.width() > MaxCursorSide || image.height() > MaxCursorSide)
        return std::nullopt;
    return image.convertToFormat(QImage::Format_ARGB32);
}

// A device-independent bitmap as cursor files hold it: the header gives twice the picture's
// height, for the colour (XOR) rows followed by the 1-bit AND mask rows, both bottom-up.
std::optional<QImage> DecodeDib(const uchar *data, qsizetype length)
{
    if (length < InfoHeaderSize)
        return std::nullopt;
    const quint32 headerSize = U32(data);
    const qint32 width = I32(data + 4);
    const qint32 doubledHeight = I32(data + 8);
    const quint16 bitsPerPixel = U16(data + 14);
    const quint32 compression = U32(data + 16);
    const quint32 coloursUsed = U32(data + 32);
    if (headerSize < InfoHeaderSize || headerSize > quint64(length) || compression != 0)
        return std::nullopt;
    if (width < 1 || width > MaxCursorSide || doubledHeight < 2
        || doubledHeight > 2 * MaxCursorSide)
        return std::nullopt;
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24
        && bitsPerPixel != 32)
        return std::nullopt;
    const int height = doubledHeight / 2;
    const quint32 paletteMax = bitsPerPixel <= 8 ? 1u << bitsPerPixel : 0;
    const quint32 paletteSize = bitsPerPixel <= 8 && coloursUsed == 0 ? paletteMax : coloursUsed;
    if (paletteSize > paletteMax)
        return std::nullopt;

    // All sizes below are small (the limits above keep them under 300 000).
    const qint64 xorStride = (qint64(width) * bitsPerPixel + 31) / 32 * 4;
    const qint64 andStride = (qint64(width) + 31) / 32 * 4;
    const qint64 xorAt = qint64(headerSize) + qint64(paletteSize) * 4;
    const qint64 andAt = xorAt + xorStride * height;
    const qint64 end = andAt + andStride * height;
    if (andAt > length)
        return std::nullopt;
    // The mask may be left out only where the colour carries its own alpha.
    const bool hasMask = end <= length;
    if (!hasMask && bitsPerPixel != 32)
        return std::nullopt;

    std::array<QRgb, 256> palette{};
    for (quint32 i = 0; i < paletteSize; ++i) {
        const uchar *entry = data + headerSize + 4 * i;
        palette[i] = qRgb(entry[2], entry[1], entry[0]);
    }

    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        return std::nullopt;
    bool anyAlpha = false;
    for (int row = 0; row < height; ++row) {
        const uchar *colours = data + xorAt + xorStride * row;
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(height - 1 - row));
        for (int x = 0; x < width; ++x) {
            switch (bitsPerPixel) {
            case 1:
                out[x] = palette[(colours[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                out[x] = palette[(colours[x / 2] >> (x % 2 ? 0 : 4)) & 0xF];
                break;
            case 8:
                out[x] = palette[colours[x]];
                break;
            case 24:
                out[x] = qRgb(colours[3 * x + 2], colours[3 * x + 1], colours[3 * x]);
                break;
            default:
                out[x] = qRgba(colours[4 * x + 2], colours[4 * x + 1], colours[4 * x],
                               colours[4 * x + 3]);
                anyAlpha = anyAlpha || colours[4 * x + 3] != 0;
                break;
            }
        }
    }
    // With no alpha of its own, the AND mask says which pixels are transparent (bit 1). A
    // masked pixel with colour would invert the screen under it; it is shown transparent.
    if (bitsPerPixel == 32 && !anyAlpha && !hasMask) {
        // Neither alpha nor mask: every pixel is shown.
        for (int y = 0; y < height; ++y) {
            auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < width; ++x)
                out[x] |= 0xFF000000u;
        }
    } else if (hasMask && !(bitsPerPixel == 32 && anyAlpha)) {
        for (int row = 0; row < height; ++row) {
            const uchar *mask = data + andAt + andStride * row;
            auto *out = reinterpret_cast<QRgb *>(image.scanLine(height - 1 - row));
            for (int x = 0; x < width; ++x) {
                const bool transparent = (mask[x / 8] >> (7 - x % 8)) & 1;
                out[x] = transparent ? qRgba(0, 0, 0, 0) : (out[x] | 0xFF000000u);
            }
        }
    }
    return image;
}

} // namespace

std::optional<CursorImage> DecodeCursorFile(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    if (size < DirectorySize + EntrySize)
        return std::nullopt;
    if (U16(data) != 0 || U16(data + 2) != CursorResourceType || U16(data + 4) == 0)
        return std::nullopt;
    // Of several pictures the first is taken. In a cursor file the entry's "planes" and "bit
    // count" fields hold the hotspot.
    const uchar *entry = data + DirectorySize;
    const QPoint hotspot(U16(entry + 4), U16(entry + 6));
    const quint32 length = U32(entry + 8);
    const quint32 offset = U32(entry + 12);
    if (offset > quint64(size) || length > quint64(size) - offset)
        return std::nullopt;
    const uchar *picture = data + offset;
    static constexpr uchar PngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const bool isPng = length >= sizeof PngSignature
        && std::memcmp(picture, PngSignature, sizeof PngSignature) == 0;
    std::optional<QImage> image = isPng ? DecodePng(picture, length) : DecodeDib(picture, length);
    if (!image)
        return std::nullopt;
    return CursorImage{*image,
                       QPoint(std::min(hotspot.x(), image->width() - 1),
                              std::min(hotspot.y(), image->height() - 1))};
}

std::optional<QCursor> LoadCursorFile(const QString &path)
{
    const OpenedFile opened = OpenRegularFile(path);
    if (!opened.File || opened.File->size() > MaxCursorFileSize)
        return std::nullopt;
    const std::optional<CursorImage> cursor =
        DecodeCursorFile(opened.File->read(MaxCursorFileSize));
    if (!cursor)
        return std::nullopt;
    return QCursor(QPixmap::fromImage(cursor->Image), cursor->Hotspot.x(), cursor->Hotspot.y());
}

} // namespace brenlow
