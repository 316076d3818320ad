#include "platform/cursor_file.h"
#include "platform/qt_pointer_shapes.h"

#include "support/test_platform.h"

#include "cursor_file_writer.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <functional>

namespace brenlow {
namespace {

void PutU16(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void PutU32(QByteArray &out, qint64 value)
{
    PutU16(out, int(value & 0xFFFF));
    PutU16(out, int((value >> 16) & 0xFFFF));
}

QByteArray Directory(QPoint hotspot, qint64 length, qint64 offset = 22, int type = 2, int count = 1)
{
    QByteArray out;
    PutU16(out, 0);
    PutU16(out, type);
    PutU16(out, count);
    out.append(4, '\0'); // width, height, colours, reserved: not read
    PutU16(out, hotspot.x());
    PutU16(out, hotspot.y());
    PutU32(out, length);
    PutU32(out, offset);
    return out;
}

struct Dib
{
    int bitsPerPixel = 1;
    int width = 8;
    int height = 8;
    std::vector<QRgb> palette;
    std::function<quint32(int, int)> pixel; // palette index, or 0xAARRGGBB for 24 and 32 bits
    std::function<bool(int, int)> masked;   // AND mask bit: transparent
    qint64 headerHeight = 0;                // 0 = twice the height
    int compression = 0;
    qint64 paletteCount = -1; // -1 = the palette's size
};

// A cursor file holding one bitmap picture, rows bottom-up as the format has them.
QByteArray DibCursor(const Dib &dib, QPoint hotspot)
{
    QByteArray image;
    PutU32(image, 40);
    PutU32(image, dib.width);
    PutU32(image, dib.headerHeight ? dib.headerHeight : 2 * dib.height);
    PutU16(image, 1);
    PutU16(image, dib.bitsPerPixel);
    PutU32(image, dib.compression);
    for (int i = 0; i < 3; ++i)
        PutU32(image, 0); // picture size and resolution: not read
    PutU32(image, dib.paletteCount >= 0 ? dib.paletteCount : qint64(dib.palette.size()));
    PutU32(image, 0);
    for (const QRgb colour : dib.palette) {
        image.append(char(qBlue(colour)));
        image.append(char(qGreen(colour)));
        image.append(char(qRed(colour)));
        image.append('\0');
    }
    const int xorStride = (dib.width * dib.bitsPerPixel + 31) / 32 * 4;
    const int andStride = (dib.width + 31) / 32 * 4;
    for (int y = dib.height - 1; y >= 0; --y) {
        QByteArray row(xorStride, '\0');
        for (int x = 0; x < dib.width; ++x) {
            const quint32 value = dib.pixel(x, y);
            switch (dib.bitsPerPixel) {
            case 1:
                row[x / 8] = char(row[x / 8] | (value << (7 - x % 8)));
                break;
            case 4:
                row[x / 2] = char(row[x / 2] | (value << (x % 2 ? 0 : 4)));
                break;
            case 8:
                row[x] = char(value);
                break;
            default:
                for (int byte = 0; byte < dib.bitsPerPixel / 8; ++byte)
                    row[x * dib.bitsPerPixel / 8 + byte] = char(value >> (8 * byte));
                break;
            }
        }
        image.append(row);
    }
    for (int y = dib.height - 1; y >= 0; --y) {
        QByteArray row(andStride, '\0');
        for (int x = 0; x < dib.width; ++x)
            if (dib.masked(x, y))
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        image.append(row);
    }
    return Directory(hotspot, image.size()) + image;
}

const std::vector<QRgb> Palette16 = {
    qRgb(0, 0, 0),    qRgb(255, 255, 255), qRgb(255, 0, 0),  qRgb(0, 255, 0),
    qRgb(0, 0, 255),  qRgb(9, 9, 9),       qRgb(10, 10, 10), qRgb(11, 11, 11),
    qRgb(12, 12, 12), qRgb(13, 13, 13),    qRgb(14, 14, 14), qRgb(15, 15, 15),
    qRgb(16, 16, 16), qRgb(17, 17, 17),    qRgb(18, 18, 18), qRgb(19, 19, 19),
};

TEST(CursorFile, DecodesEveryBitmapDepth)
{
    const auto leftColumnMasked = [](int x, int) { return x == 0; };
    struct Row
    {
        const char *name;
        Dib dib;
        QRgb expected; // at (3, 2)
    };
    const Row rows[] = {
        {"1 bit",
         {1,
          9,
          5,
          {qRgb(0, 0, 0), qRgb(255, 255, 255)},
          [](int x, int y) { return quint32(x + y) % 2; },
          leftColumnMasked},
         qRgb(255, 255, 255)},
        {"4 bits",
         {4, 7, 6, Palette16, [](int x, int y) { return quint32(x + y) % 16; }, leftColumnMasked},
         Palette16[5]},
        {"8 bits, short palette",
         {8,
          5,
          4,
          {qRgb(1, 2, 3), qRgb(4, 5, 6), qRgb(7, 8, 9)},
          [](int x, int y) { return quint32(x * y) % 3; },
          leftColumnMasked},
         qRgb(1, 2, 3)},
        {"24 bits",
         {24,
          5,
          3,
          {},
          [](int x, int y) { return quint32(qRgb(x * 40, y * 50, 7)); },
          leftColumnMasked},
         qRgb(120, 100, 7)},
        {"32 bits with alpha",
         {32,
          6,
          6,
          {},
          [](int x, int y) { return x == 0 ? 0u : quint32(qRgba(x, y, 200, 128)); },
          [](int, int) { return false; }},
         qRgba(3, 2, 200, 128)},
        {"32 bits without alpha uses the mask",
         {32,
          6,
          6,
          {},
          [](int x, int y) { return quint32(qRgb(x, y, 1)) & 0xFFFFFF; },
          leftColumnMasked},
         qRgb(3, 2, 1)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto cursor = DecodeCursorFile(DibCursor(row.dib, QPoint(2, 1)));
        ASSERT_TRUE(cursor.has_value());
        EXPECT_EQ(cursor->Image.size(), QSize(row.dib.width, row.dib.height));
        EXPECT_EQ(cursor->Hotspot, QPoint(2, 1));
        EXPECT_EQ(cursor->Image.pixel(3, 2), row.expected);
        EXPECT_EQ(qAlpha(cursor->Image.pixel(0, 1)), 0) << "masked or transparent";
    }
}

TEST(CursorFile, DecodesEmbeddedPng)
{
    QImage picture(20, 24, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(5, 6, qRgba(10, 20, 30, 255));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(picture.save(&buffer, "PNG"));
    const auto cursor = DecodeCursorFile(Directory(QPoint(7, 9), png.size()) + png);
    ASSERT_TRUE(cursor.has_value());
    EXPECT_EQ(cursor->Image.size(), QSize(20, 24));
    EXPECT_EQ(cursor->Hotspot, QPoint(7, 9));
    EXPECT_EQ(cursor->Image.pixel(5, 6), qRgba(10, 20, 30, 255));
    EXPECT_EQ(qAlpha(cursor->Image.pixel(0, 0)), 0);
}

TEST(CursorFile, EncodedFileRoundTrips)
{
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 4; y < 12; ++y)
        for (int x = 6; x < 20; ++x)
            picture.setPixel(x, y, qRgba(200, 30, 40, 255));
    picture.setPixel(25, 30, qRgba(1, 2, 3, 255));

    const QByteArray file = EncodeCursorFile(picture, QPoint(6, 4));
    EXPECT_EQ(file.size(), 6 + 16 + 40 + 32 * 32 * 4 + 32 * 4);
    const auto decoded = DecodeCursorFile(file);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->Hotspot, QPoint(6, 4));
    EXPECT_EQ(decoded->Image, picture);

    // The AND mask alone (as an alpha-blind reader sees it) gives the same shape.
    QByteArray noAlpha = file;
    for (qsizetype at = 22 + 40 + 3; at < 22 + 40 + 32 * 32 * 4; at += 4)
        noAlpha[at] = 0;
    const auto masked = DecodeCursorFile(noAlpha);
    ASSERT_TRUE(masked.has_value());
    EXPECT_EQ(masked->Image, picture);

    test::TempProgramFolder folder;
    folder.WriteFile("handopen.cur", file);
    const auto cursor = LoadCursorFile(folder.FilePath("handopen.cur"));
    ASSERT_TRUE(cursor.has_value());
    EXPECT_EQ(cursor->hotSpot(), QPoint(6, 4));
    const QImage shown = cursor->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
    EXPECT_EQ(shown.pixel(10, 8), qRgba(200, 30, 40, 255));
}

TEST(CursorFile, EncodingScalesAndKeepsTheHotspotInside)
{
    QImage big(64, 64, QImage::Format_ARGB32);
    big.fill(qRgba(0, 0, 255, 255));
    const auto decoded = DecodeCursorFile(EncodeCursorFile(big, QPoint(100, -3)));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->Image.size(), QSize(32, 32));
    EXPECT_EQ(decoded->Hotspot, QPoint(31, 0));
    EXPECT_EQ(decoded->Image.pixel(16, 16), qRgba(0, 0, 255, 255));
}

TEST(CursorFile, MalformedFilesAreNothing)
{
    const Dib good{1,
                   8,
                   8,
                   {qRgb(0, 0, 0), qRgb(255, 255, 255)},
                   [](int x, int) { return quint32(x % 2); },
                   [](int, int) { return false; }};
    const QByteArray valid = DibCursor(good, QPoint(1, 1));
    ASSERT_TRUE(DecodeCursorFile(valid).has_value());
    const auto with = [&](auto change) {
        Dib dib = good;
        change(dib);
        return DibCursor(dib, QPoint(1, 1));
    };
    // The first bytes of the file, with the directory's picture length cut to match.
    const auto cut = [&](qsizetype size) {
        QByteArray bytes = valid.left(size);
        QByteArray length;
        PutU32(length, size - 22);
        return bytes.replace(14, 4, length);
    };
    QByteArray wrongType = valid;
    wrongType[2] = 1; // an icon file
    QByteArray noEntries = valid;
    noEntries[4] = 0;
    QByteArray offsetBeyondEnd = valid;
    offsetBeyondEnd.replace(18, 4, QByteArray("\xff\xff\xff\x7f", 4));
    QByteArray lengthBeyondEnd = valid;
    lengthBeyondEnd.replace(14, 4, QByteArray("\x00\x00\x01\x00", 4));
    QByteArray offsetPlusLengthWraps = valid;
    offsetPlusLengthWraps.replace(14, 8, QByteArray("\xff\xff\xff\xff\x16\x00\x00\x00", 8));
    QByteArray hugeHeaderSize = valid;
    hugeHeaderSize.replace(22, 4, QByteArray("\xff\xff\xff\xff", 4));
    QByteArray badPng =
        Directory(QPoint(0, 0), 20) + QByteArray("\x89PNG\r\n\x1a\ngarbage!!!!!", 20);

    struct Row
    {
        const char *name;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"empty", {}},
        {"truncated directory", valid.left(10)},
        {"file cut inside the picture", valid.left(40)},
        {"truncated bitmap header", cut(40)},
        {"mask cut off", cut(valid.size() - 1)},
        {"colour rows cut off", cut(22 + 40 + 8 + 4)},
        {"wrong type", wrongType},
        {"no entries", noEntries},
        {"offset beyond the end", offsetBeyondEnd},
        {"length beyond the end", lengthBeyondEnd},
        {"offset plus length wraps", offsetPlusLengthWraps},
        {"header size beyond the picture", hugeHeaderSize},
        {"zero width", with([](Dib &d) { d.width = 0; })},
        {"absurd width", with([](Dib &d) {
             d.width = 100000;
             d.height = 1;
         })},
        {"negative height", with([](Dib &d) { d.headerHeight = -16; })},
        {"absurd height", with([](Dib &d) { d.headerHeight = 0x7fffffff; })},
        {"16 bits per pixel", with([](Dib &d) {
             d.bitsPerPixel = 16;
             d.palette.clear();
         })},
        {"compressed", with([](Dib &d) { d.compression = 1; })},
        {"palette larger than the depth allows", with([](Dib &d) { d.paletteCount = 3; })},
        {"absurd palette", with([](Dib &d) { d.paletteCount = 0xffffffffLL; })},
        {"broken png", badPng},
        {"text", "not a cursor at all, just some words"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(DecodeCursorFile(row.bytes).has_value());
    }

    test::TempProgramFolder folder;
    EXPECT_FALSE(LoadCursorFile(folder.FilePath("missing.cur")).has_value());
    folder.WriteFile("bad.cur", wrongType);
    EXPECT_FALSE(LoadCursorFile(folder.FilePath("bad.cur")).has_value());
    // Regression: a FIFO in the place of a cursor file held the pointer until a writer came.
    const test::FifoGuard fifo(folder.FilePath("fifo.cur"));
    EXPECT_FALSE(LoadCursorFile(folder.FilePath("fifo.cur")).has_value());
    EXPECT_FALSE(fifo.Released());
}

// The application's pointer shape, or nothing when no override is set.
std::optional<QCursor> Shown()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor ? std::optional<QCursor>(*cursor) : std::nullopt;
}

TEST(QtPointerShapes, StandardShapes)
{
    struct Row
    {
        PointerShape shape;
        Qt::CursorShape expected;
    };
    const Row rows[] = {
        {PointerShape::Arrow, Qt::ArrowCursor},
        {PointerShape::ArrowQuestion, Qt::WhatsThisCursor},
        {PointerShape::Icon, Qt::BitmapCursor},
        {PointerShape::OpenHand, Qt::OpenHandCursor},
        {PointerShape::ClosedHand, Qt::ClosedHandCursor},
        {PointerShape::PointingHand, Qt::PointingHandCursor},
        {PointerShape::Cross, Qt::CrossCursor},
    };
    QtPointerShapes shapes;
    for (const Row &row : rows) {
        shapes.SetShape(row.shape);
        ASSERT_TRUE(Shown().has_value());
        EXPECT_EQ(Shown()->shape(), row.expected) << int(row.shape);
        shapes.SetShape(PointerShape::Default);
        EXPECT_FALSE(Shown().has_value()) << "default restores the system's own shape";
    }
    shapes.SetShape(PointerShape::Icon);
    const QImage icon = Shown()->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(Shown()->hotSpot(), QPoint(16, 16));
    EXPECT_EQ(icon.pixel(16, 16), qRgb(0, 0, 0)) << "inner square";
    EXPECT_EQ(icon.pixel(11, 11), qRgb(255, 255, 255)) << "between the squares";
    EXPECT_EQ(qAlpha(icon.pixel(2, 2)), 0) << "outside";
    shapes.SetShape(PointerShape::Default);
}

TEST(QtPointerShapes, CustomShapeFromFile)
{
    test::TempProgramFolder folder;
    QImage hand(32, 32, QImage::Format_ARGB32);
    hand.fill(qRgba(90, 60, 30, 255));
    folder.WriteFile("handshut.cur", EncodeCursorFile(hand, QPoint(12, 13)));
    folder.WriteFile("broken.cur", "{\\rtf1 not a cursor}");

    QtPointerShapes shapes;
    shapes.SetCustomShape(folder.FilePath("handshut.cur"), PointerShape::ClosedHand);
    ASSERT_TRUE(Shown().has_value());
    EXPECT_EQ(Shown()->shape(), Qt::BitmapCursor);
    EXPECT_EQ(Shown()->hotSpot(), QPoint(12, 13));

    // A file that cannot be read gives the matching standard shape.
    for (const char *bad : {"missing.cur", "broken.cur"}) {
        shapes.SetCustomShape(folder.FilePath(bad), PointerShape::OpenHand);
        ASSERT_TRUE(Shown().has_value());
        EXPECT_EQ(Shown()->shape(), Qt::OpenHandCursor) << bad;
    }
}

TEST(QtPointerShapes, EndingRestoresTheSystemShape)
{
    {
        QtPointerShapes shapes;
        // However often the shape changes, one override is in force.
        shapes.SetShape(PointerShape::Arrow);
        shapes.SetShape(PointerShape::Icon);
        shapes.SetShape(PointerShape::Icon);
        shapes.SetShape(PointerShape::ArrowQuestion);
        EXPECT_EQ(Shown()->shape(), Qt::WhatsThisCursor);
    }
    EXPECT_FALSE(Shown().has_value());
}

} // namespace
} // namespace brenlow
