#include "cursor_file_writer.h"

#include <algorithm>

namespace brenlow {
namespace {

// The layout of a ".cur" file: a directory, one entry, then the picture as a
// device-independent bitmap of twice its height (colour rows, then the AND mask).
constexpr quint32 DirectorySize = 6;      // reserved, type, count
constexpr quint32 EntrySize = 16;         // one directory entry
constexpr quint32 InfoHeaderSize = 40;    // BITMAPINFOHEADER
constexpr quint16 CursorResourceType = 2; // 1 would be an icon
constexpr int EncodedSide = 32;

void PutU16(QByteArray &out, quint16 value)
{
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

void PutU32(QByteArray &out, quint32 value)
{
    PutU16(out, quint16(value & 0xFFFF));
    PutU16(out, quint16(value >> 16));
}

} // namespace

QByteArray EncodeCursorFile(const QImage &image, QPoint hotspot)
{
    QImage picture = image.convertToFormat(QImage::Format_ARGB32);
    if (picture.isNull()) {
        picture = QImage(EncodedSide, EncodedSide, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
    } else if (picture.size() != QSize(EncodedSide, EncodedSide)) {
        picture = picture.scaled(EncodedSide, EncodedSide, Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
    }
    constexpr qsizetype andStride = (EncodedSide + 31) / 32 * 4;
    constexpr quint32 imageBytes = EncodedSide * EncodedSide * 4 + andStride * EncodedSide;
    constexpr quint32 imageOffset = DirectorySize + EntrySize;

    QByteArray out;
    out.reserve(imageOffset + InfoHeaderSize + imageBytes);
    PutU16(out, 0);
    PutU16(out, CursorResourceType);
    PutU16(out, 1);
    out.append(char(EncodedSide));
    out.append(char(EncodedSide));
    out.append(char(0)); // no palette
    out.append(char(0));
    PutU16(out, quint16(std::clamp(hotspot.x(), 0, EncodedSide - 1)));
    PutU16(out, quint16(std::clamp(hotspot.y(), 0, EncodedSide - 1)));
    PutU32(out, InfoHeaderSize + imageBytes);
    PutU32(out, imageOffset);

    PutU32(out, InfoHeaderSize);
    PutU32(out, EncodedSide);
    PutU32(out, 2 * EncodedSide);
    PutU16(out, 1);  // planes
    PutU16(out, 32); // bits per pixel
    PutU32(out, 0);  // uncompressed
    PutU32(out, imageBytes);
    for (int i = 0; i < 4; ++i)
        PutU32(out, 0); // resolution and palette: unused
    for (int y = EncodedSide - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < EncodedSide; ++x) {
            out.append(char(qBlue(row[x])));
            out.append(char(qGreen(row[x])));
            out.append(char(qRed(row[x])));
            out.append(char(qAlpha(row[x])));
        }
    }
    for (int y = EncodedSide - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        QByteArray mask(andStride, '\0');
        for (int x = 0; x < EncodedSide; ++x)
            if (qAlpha(row[x]) == 0)
                mask[x / 8] = char(mask[x / 8] | (0x80 >> (x % 8)));
        out.append(mask);
    }
    return out;
}

} // namespace brenlow
