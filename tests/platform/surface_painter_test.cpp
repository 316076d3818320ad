#include "platform/surface_painter.h"

#include "platform/recording_surface.h"
#include "platform/test_pictures.h"

#include <QPainter>
#include <QTransform>

#include <gtest/gtest.h>

#include <cmath>

namespace brenlow {
namespace {

using test::Block;
using test::BlockColor;
using test::Blocks;
using test::Level1;
using test::PictureFolder;
using test::Pixel;
using test::Plain;

// A device of logical size at the given resolution and pixel ratio, painted through toDevice
// with or without a view's cache; what the painter leaves unpainted is magenta.
QImage PaintOn(const RecordingSurface &surface, QSize logical, int dpi, qreal pixelRatio,
               const QTransform &toDevice, bool cached)
{
    QImage image(logical * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::magenta);
    SurfacePaintCache cache;
    QPainter painter(&image);
    SurfacePainter(surface, cached ? &cache : nullptr)
        .Paint(painter, toDevice, QRect(QPoint(), logical));
    return image;
}

TEST(SurfacePainter, PolygonIsFilledWithTheBrushAndOutlinedWithThePen)
{
    struct Row
    {
        const char *name;
        int brushStyle;
        QColor inside;
    };
    const Row rows[] = {
        {"solid", 0, QColor(0, 255, 16)},
        {"hollow", 1, QColor(Qt::blue)},
    };
    PictureFolder folder;
    const QString path = folder.Write("chart.bmp", Plain({100, 100}, Qt::blue));
    for (const Row &row : rows) {
        RecordingSurface surface;
        surface.LoadImageFile(path);
        surface.SetPenColor(0x0000FF);   // &HBBGGRR: red
        surface.SetBrushColor(0x10FF00); // RGB(0, 255, 16)
        surface.SetBrushStyle(row.brushStyle);
        for (const QPoint point : {QPoint(10, 10), QPoint(50, 10), QPoint(50, 50)})
            surface.AddPolygonPoint(point.x(), point.y());
        surface.AddPolygonPoint(10, 50); // closed back to (10, 10) by the surface
        surface.DrawPolygon();
        const QImage picture = RenderPicture(surface);
        EXPECT_EQ(Pixel(picture, 30, 30), row.inside) << row.name;
        for (const QPoint edge : {QPoint(10, 30), QPoint(50, 30), QPoint(30, 10), QPoint(30, 50)})
            EXPECT_EQ(Pixel(picture, edge.x(), edge.y()), QColor(Qt::red))
                << row.name << edge.x() << "," << edge.y();
        for (const QPoint outside : {QPoint(5, 30), QPoint(55, 30), QPoint(30, 5), QPoint(30, 55)})
            EXPECT_EQ(Pixel(picture, outside.x(), outside.y()), QColor(Qt::blue)) << row.name;
    }
}

TEST(SurfacePainter, TurnedTextLiesOnItsMeasuredBox)
{
    // Where the box of a text w wide and h high drawn at (x, y) lies, by angle.
    struct Row
    {
        float angle;
        QRect (*box)(QPoint at, int w, int h);
    };
    const Row rows[] = {
        {0, [](QPoint at, int w, int h) { return QRect(at.x(), at.y(), w, h); }},
        {90, [](QPoint at, int w, int h) { return QRect(at.x(), at.y() - w, h, w); }},
        {180, [](QPoint at, int w, int h) { return QRect(at.x() - w, at.y() - h, w, h); }},
        {270, [](QPoint at, int w, int h) { return QRect(at.x() - h, at.y(), h, w); }},
    };
    PictureFolder folder;
    const QString path = folder.Write("chart.bmp", Plain({200, 200}, Qt::blue));
    const QPoint at(100, 100);
    const QColor white(Qt::white);
    for (const Row &row : rows) {
        RecordingSurface surface;
        surface.LoadImageFile(path);
        surface.SetFontName("arial");
        surface.SetFontSize(11.111104);
        surface.SetFontBold(true);
        surface.SetBrushColor(SurfaceWhite);
        surface.SetTextAngle(row.angle);
        const int w = surface.TextWidth("2.5");
        const int h = surface.TextHeight("2.5");
        surface.DrawText(at.x(), at.y(), "2.5");
        const QImage picture = RenderPicture(surface);
        const QRect box = row.box(at, w, h);

        int whites = 0, darks = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                const QColor c = Pixel(picture, x, y);
                whites += c == white;
                darks += c.blue() < 128; // black glyphs, not the blue picture
            }
        EXPECT_GT(whites, box.width() * box.height() / 2) << row.angle;
        EXPECT_GT(darks, 10) << row.angle << ": no text in the box";
        for (const QPoint corner :
             {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()})
            EXPECT_EQ(Pixel(picture, corner.x(), corner.y()), white) << row.angle;
        const QRect around = box.adjusted(-1, -1, 1, 1);
        for (const QPoint side :
             {QPoint(around.left(), box.center().y()), QPoint(around.right(), box.center().y()),
              QPoint(box.center().x(), around.top()), QPoint(box.center().x(), around.bottom())})
            EXPECT_EQ(Pixel(picture, side.x(), side.y()), QColor(Qt::blue)) << row.angle;
    }
}

// The devices the painter serves: an image, a page at printer resolution, the screen view
// with its cache, a high-density screen.
struct Device
{
    const char *name;
    int dpi;
    qreal pixelRatio;
    double scale; // device-independent pixels per picture pixel
    bool cached;
};

TEST(SurfacePainter, PaintsThePictureAndTheDrawingThroughOneTransform)
{
    const Device devices[] = {
        {"an image at half size", 96, 1, 0.5, false},
        {"a page magnified", 600, 1, 600 / 96.0 * 0.5, false},
        {"the screen at the first zoom level", 96, 1, Level1 / 100, true},
        {"a high-density screen at half size", 96, 2, 0.5, true},
    };
    PictureFolder folder;
    RecordingSurface surface;
    surface.LoadImageFile(folder.Write("chart.bmp", Blocks({1000, 750})));
    surface.SetPenColor(SurfaceBlack);
    surface.SetBrushColor(SurfaceBlack);
    for (const QPoint point :
         {QPoint(400, 300), QPoint(600, 300), QPoint(600, 450), QPoint(400, 450)})
        surface.AddPolygonPoint(point.x(), point.y());
    surface.DrawPolygon();

    // The square's top-left corner in the middle of every device.
    const QSize logical(300, 200);
    for (const Device &device : devices) {
        const QTransform toDevice = QTransform()
                                        .translate(150 - std::round(400 * device.scale),
                                                   100 - std::round(300 * device.scale))
                                        .scale(device.scale, device.scale);
        const QImage image =
            PaintOn(surface, logical, device.dpi, device.pixelRatio, toDevice, device.cached);
        const QTransform toPicture = toDevice.inverted();
        // Three device pixels and the smoothing of one picture pixel, in picture pixels.
        const double edge = 3 / device.scale + 1;
        int square = 0, blocks = 0;
        for (int y = 2; y < logical.height(); y += 5)
            for (int x = 2; x < logical.width(); x += 5) {
                const QPointF p = toPicture.map(QPointF(x, y));
                const QColor shown =
                    Pixel(image, int(x * device.pixelRatio), int(y * device.pixelRatio));
                const bool inSquare = p.x() > 400 + edge && p.x() < 600 - edge && p.y() > 300 + edge
                    && p.y() < 450 - edge;
                const bool nearSquare = p.x() > 400 - edge && p.x() < 600 + edge
                    && p.y() > 300 - edge && p.y() < 450 + edge;
                const double bx = std::fmod(p.x(), Block), by = std::fmod(p.y(), Block);
                const bool nearBlockEdge =
                    bx < edge || bx > Block - edge || by < edge || by > Block - edge;
                if (p.x() < edge || p.y() < edge || p.x() > 1000 - edge || p.y() > 750 - edge)
                    continue;
                if (inSquare) {
                    EXPECT_EQ(shown, QColor(Qt::black)) << device.name << ": " << x << "," << y;
                    ++square;
                } else if (!nearSquare && !nearBlockEdge) {
                    EXPECT_EQ(shown, BlockColor(int(p.x()), int(p.y())))
                        << device.name << ": " << x << "," << y;
                    ++blocks;
                }
            }
        EXPECT_GT(square, 10) << device.name;
        EXPECT_GT(blocks, 50) << device.name;
    }
}

TEST(SurfacePainter, LabelsFitTheirMeasuredBoxOnEveryDevice)
{
    // Text is laid out for the device's own resolution: a label neither spills out of the box
    // it was measured with nor shrinks into a corner of it.
    const Device devices[] = {
        {"a page at printer resolution", 600, 1, 600 / 96.0 * 0.5, false},
        {"the screen magnified", 96, 1, 2, true},
        {"a high-density screen", 96, 2, 1, true},
    };
    PictureFolder folder;
    RecordingSurface surface;
    surface.LoadImageFile(folder.Write("chart.bmp", Plain({60, 40}, Qt::blue)));
    surface.SetFontSize(11.111104);
    surface.SetFontBold(true);
    surface.SetBrushColor(SurfaceWhite);
    surface.DrawText(10, 10, "2.5");
    const QRectF box(10, 10, surface.TextWidth("2.5"), surface.TextHeight("2.5"));

    for (const Device &device : devices) {
        const double toPixels = device.scale * device.pixelRatio;
        const QImage image =
            PaintOn(surface, QSize(60, 40) * device.scale, device.dpi, device.pixelRatio,
                    QTransform::fromScale(device.scale, device.scale), device.cached);
        const QRectF deviceBox(box.topLeft() * toPixels, box.size() * toPixels);
        const QRectF inner = deviceBox.adjusted(2, 2, -2, -2);
        const QRectF outer = deviceBox.adjusted(-2, -2, 2, 2);
        QRect glyphs;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor shown = Pixel(image, x, y);
                const QPointF centre(x + 0.5, y + 0.5);
                if (!outer.contains(centre)) {
                    ASSERT_EQ(shown, QColor(Qt::blue)) << device.name << ": " << x << "," << y;
                } else if (inner.contains(centre)) {
                    ASSERT_NE(shown, QColor(Qt::blue)) << device.name << ": " << x << "," << y;
                }
                if (shown.lightness() < 100 && shown.blue() < 128)
                    glyphs |= QRect(x, y, 1, 1);
            }
        EXPECT_GT(glyphs.width(), deviceBox.width() / 2) << device.name;
        EXPECT_GT(glyphs.height(), deviceBox.height() / 3) << device.name;
    }
}

} // namespace
} // namespace brenlow
