#include "platform/chart_surface_widget.h"

#include "platform/recording_surface.h"
#include "platform/surface_painter.h"
#include "platform/test_pictures.h"

#include <QTest>
#include <QTransform>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

namespace brenlow {
namespace {

using test::Block;
using test::BlockColor;
using test::Blocks;
using test::Level1;
using test::Level2;
using test::PictureFolder;
using test::Pixel;
using test::Plain;

TEST(ChartSurfaceWidget, LoadAppliesFitAndKeepView)
{
    struct Row
    {
        const char *name;
        bool fit;
        bool keep;
        double zoom;
        int scrollX;
        int scrollY;
    };
    // The view is 780 × 497 and the picture 2000 × 1500: fitting it takes 497 / 1500.
    const Row rows[] = {
        {"a reload keeps zoom and scroll", false, true, Level2, 56, 83},
        {"not keeping the view scrolls home", false, false, Level2, 0, 0},
        {"fitting shows the whole picture", true, true, 100.0 * 497 / 1500, 0, 0},
    };
    PictureFolder folder;
    const QString path = folder.Write("chart.bmp", Blocks({2000, 1500}));
    for (const Row &row : rows) {
        ChartSurfaceWidget surface;
        surface.resize(780, 497);
        surface.LoadImageFile(path);
        surface.SetZoom(Level2);
        surface.SetScrollX(56);
        surface.SetScrollY(83);
        surface.SetFitOnLoad(row.fit);
        surface.SetKeepViewOnLoad(row.keep);
        surface.LoadImageFile(path);
        if (row.fit)
            EXPECT_DOUBLE_EQ(surface.Zoom(), row.zoom) << row.name;
        else
            EXPECT_EQ(surface.Zoom(), row.zoom) << row.name; // exactly: levels compare by ==
        EXPECT_EQ(surface.ScrollX(), row.scrollX) << row.name;
        EXPECT_EQ(surface.ScrollY(), row.scrollY) << row.name;
    }
}

TEST(ChartSurfaceWidget, HalvedCopiesAreMadeOncePerPicture)
{
    // Every step reloads the chart, which must not halve it again: that would cost more than
    // the step.
    PictureFolder folder;
    const QString chart = folder.Write("chart.bmp", Blocks({2000, 1500}));
    const QString other = folder.Write("other.bmp", Blocks({1000, 750}));
    struct Row
    {
        const char *name;
        const QString &path;
        int made;
    };
    const Row rows[] = {
        {"the first load", chart, 1},
        {"a reload of the same picture", chart, 0},
        {"another picture", other, 1},
        {"the first again, its copies dropped meanwhile", chart, 1},
    };
    ChartSurfaceWidget surface;
    surface.resize(300, 200);
    for (const Row &row : rows) {
        const int before = surface.PictureReductions();
        surface.LoadImageFile(row.path);
        EXPECT_EQ(surface.PictureReductions() - before, row.made) << row.name;
    }
}

TEST(ChartSurfaceWidget, MeasuresTextAsWithoutAViewWhateverTheScreen)
{
    RecordingSurface reference;
    ChartSurfaceWidget surface;
    for (ImageSurface *each : std::initializer_list<ImageSurface *>{&reference, &surface}) {
        each->SetFontName("arial");
        each->SetFontSize(11.111104);
        each->SetFontBold(true);
    }
    const int width = reference.TextWidth("2.5");
    const int height = reference.TextHeight("2.5");

    surface.resize(780, 497);
    surface.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&surface));
    EXPECT_EQ(surface.TextWidth("2.5"), width);
    EXPECT_EQ(surface.TextHeight("2.5"), height);
}

TEST(ChartSurfaceWidget, ScrollStaysInsideTheMagnifiedPicture)
{
    PictureFolder folder;
    const QString path = folder.Write("chart.bmp", Blocks({2000, 1500}));
    ChartSurfaceWidget surface;
    surface.resize(300, 200);
    surface.LoadImageFile(path);
    surface.SetZoom(50); // 1000 × 750 view pixels: offsets up to 700 and 550

    struct Row
    {
        int written;
        int readX;
        int readY;
    };
    const Row rows[] = {
        {-1, 0, 0}, {0, 0, 0}, {550, 550, 550}, {551, 551, 550}, {700, 700, 550}, {701, 700, 550},
    };
    for (const Row &row : rows) {
        surface.SetScrollX(row.written);
        surface.SetScrollY(row.written);
        EXPECT_EQ(surface.ScrollX(), row.readX) << row.written;
        EXPECT_EQ(surface.ScrollY(), row.readY) << row.written;
    }

    surface.SetZoom(Level1); // 389 × 292: offsets up to 89 and 92
    EXPECT_EQ(surface.ScrollX(), 89);
    EXPECT_EQ(surface.ScrollY(), 92);
    surface.resize(340, 250);
    EXPECT_EQ(surface.ScrollX(), 49);
    EXPECT_EQ(surface.ScrollY(), 42);
    surface.LoadImageFile(folder.Write("small.bmp", Blocks({1000, 1500})));
    EXPECT_EQ(surface.ScrollX(), 0);
    EXPECT_EQ(surface.ScrollY(), 42);
}

// Guards against the view moving by itself: whatever limits the offsets for a while, the ones
// written come back when it is undone.
TEST(ChartSurfaceWidget, OffsetsWrittenAreKeptWhileLimited)
{
    constexpr double Level4 = 99.999936; // 72 × 1.388888
    PictureFolder folder;
    const QString chart = folder.Write("chart.bmp", Blocks({2000, 1500}));
    const QString small = folder.Write("small.bmp", Blocks({1000, 750}));
    struct Row
    {
        const char *name;
        std::function<void(ChartSurfaceWidget &)> limit;
        std::function<void(ChartSurfaceWidget &)> undo;
        QPoint limited;
    };
    const Row rows[] = {
        {"zoom to the first level and back", [](ChartSurfaceWidget &s) { s.SetZoom(Level1); },
         [](ChartSurfaceWidget &s) { s.SetZoom(Level4); }, QPoint(89, 92)},
        {"a larger view and back", [](ChartSurfaceWidget &s) { s.resize(700, 600); },
         [](ChartSurfaceWidget &s) { s.resize(300, 200); }, QPoint(1300, 900)},
        {"a smaller picture and the chart again",
         [&](ChartSurfaceWidget &s) { s.LoadImageFile(small); },
         [&](ChartSurfaceWidget &s) { s.LoadImageFile(chart); }, QPoint(700, 550)},
    };
    for (const Row &row : rows) {
        ChartSurfaceWidget surface;
        surface.resize(300, 200);
        surface.LoadImageFile(chart);
        surface.SetZoom(Level4);
        surface.SetScrollX(1700); // the far corner
        surface.SetScrollY(1300);
        const QImage corner = surface.grab().toImage();
        row.limit(surface);
        EXPECT_EQ(QPoint(surface.ScrollX(), surface.ScrollY()), row.limited) << row.name;
        row.undo(surface);
        EXPECT_EQ(QPoint(surface.ScrollX(), surface.ScrollY()), QPoint(1700, 1300)) << row.name;
        EXPECT_EQ(surface.grab().toImage(), corner) << row.name;
    }

    // A drag past the edge adds to the offset shown, so the way back starts at once.
    ChartSurfaceWidget surface;
    surface.resize(300, 200);
    surface.LoadImageFile(chart);
    surface.SetScrollX(surface.ScrollX() + 5000);
    surface.SetScrollX(surface.ScrollX() - 10);
    EXPECT_EQ(surface.ScrollX(), 1690);
}

TEST(ChartSurfaceWidget, ViewShowsTheScrolledPartOfTheMagnifiedPicture)
{
    PictureFolder folder;
    ChartSurfaceWidget surface;
    surface.resize(300, 200);
    surface.LoadImageFile(folder.Write("chart.bmp", Blocks({2000, 1500})));
    surface.SetZoom(Level1);
    surface.SetScrollX(56);
    surface.SetScrollY(83);
    // A black square drawn on the picture, picture pixels 1010-1190 × 760-940.
    surface.SetPenColor(SurfaceBlack);
    surface.SetBrushColor(SurfaceBlack);
    for (const QPoint point :
         {QPoint(1010, 760), QPoint(1190, 760), QPoint(1190, 940), QPoint(1010, 940)})
        surface.AddPolygonPoint(point.x(), point.y());
    surface.DrawPolygon();

    const QImage view = surface.grab().toImage();
    ASSERT_EQ(view.size(), QSize(300, 200));
    int checked = 0;
    for (int y = 5; y < 200; y += 15)
        for (int x = 5; x < 300; x += 15) {
            const double px = (56 + x) * 100 / Level1;
            const double py = (83 + y) * 100 / Level1;
            const bool inSquare = px > 1030 && px < 1170 && py > 780 && py < 920;
            const bool nearSquare = px > 990 && px < 1210 && py > 740 && py < 960;
            const int bx = int(px) % Block, by = int(py) % Block;
            const bool nearBlockEdge = bx < 20 || bx > Block - 20 || by < 20 || by > Block - 20;
            if (inSquare) {
                EXPECT_EQ(Pixel(view, x, y), QColor(Qt::black)) << x << "," << y;
                ++checked;
            } else if (!nearSquare && !nearBlockEdge) {
                EXPECT_EQ(Pixel(view, x, y), BlockColor(int(px), int(py))) << x << "," << y;
                ++checked;
            }
        }
    EXPECT_GT(checked, 100);
}

TEST(ChartSurfaceWidget, ViewMagnifiedBeyondFullSizeShowsTheScrolledPart)
{
    PictureFolder folder;
    ChartSurfaceWidget surface;
    surface.resize(300, 200);
    surface.LoadImageFile(folder.Write("chart.bmp", Blocks({2000, 1500})));
    surface.SetZoom(400);
    surface.SetScrollX(3900); // the corner of four blocks, picture (1000, 750), at view (100, 100)
    surface.SetScrollY(2900);
    const QImage view = surface.grab().toImage();
    for (const QPoint at : {QPoint(50, 50), QPoint(150, 50), QPoint(50, 150), QPoint(250, 190)})
        EXPECT_EQ(Pixel(view, at.x(), at.y()), BlockColor((3900 + at.x()) / 4, (2900 + at.y()) / 4))
            << at.x() << "," << at.y();
}

TEST(ChartSurfaceWidget, ViewShowsLabelBoxesWhereThePictureHasThem)
{
    // A label of spaces is a bare box of the brush colour; in 100 pt type it is about 26 × 14
    // view pixels at the first zoom level.
    const QString spaces = "    ";
    PictureFolder folder;
    const QString path = folder.Write("chart.bmp", Blocks({2000, 1500}));
    for (const float angle : {0.0f, 90.0f, 225.0f}) {
        ChartSurfaceWidget surface;
        surface.resize(300, 200);
        surface.LoadImageFile(path);
        surface.SetZoom(Level1);
        surface.SetScrollX(56);
        surface.SetScrollY(83);
        surface.SetFontSize(100);
        surface.SetBrushColor(SurfaceWhite);
        surface.SetTextAngle(angle);
        surface.DrawText(1000, 700, spaces);
        const int w = surface.TextWidth(spaces);
        const int h = surface.TextHeight(spaces);

        const QImage picture = surface.RenderPicture();
        const QImage view = surface.grab().toImage();
        // Every view pixel whose picture point lies well inside or well outside the box shows
        // the same as the picture there.
        const double border = 2 * 100 / Level1; // two view pixels, in picture pixels
        const QTransform toLabel = QTransform::fromTranslate(1000, 700).rotate(-angle).inverted();
        int inside = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x) {
                const QPointF p((56 + x) * 100 / Level1, (83 + y) * 100 / Level1);
                const QPointF local = toLabel.map(p);
                const bool in = local.x() > border && local.x() < w - border && local.y() > border
                    && local.y() < h - border;
                const bool out = local.x() < -border || local.x() > w + border
                    || local.y() < -border || local.y() > h + border;
                const int bx = int(p.x()) % Block, by = int(p.y()) % Block;
                const bool nearBlockEdge = bx < 12 || bx > Block - 12 || by < 12 || by > Block - 12;
                if (in) {
                    ++inside;
                    EXPECT_EQ(Pixel(view, x, y), QColor(Qt::white))
                        << angle << ": " << x << "," << y;
                } else if (out && !nearBlockEdge) {
                    EXPECT_EQ(Pixel(view, x, y), Pixel(picture, int(p.x()), int(p.y())))
                        << angle << ": " << x << "," << y;
                }
            }
        EXPECT_GT(inside, 100) << angle;
    }
}

TEST(ChartSurfaceWidget, PaintsAtTheDevicesOwnResolution)
{
    // At the second level on a screen of pixel ratio 2, a picture pixel is a device pixel: a
    // stripe one picture pixel wide stays one device pixel wide, and edges at odd picture
    // pixels fall on odd device pixels, where a doubled view would blur or move them.
    QImage picture = Plain({400, 300}, Qt::blue);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            picture.setPixelColor(x, y, x % 2 == 1 ? Qt::black : Qt::white);
    PictureFolder folder;
    ChartSurfaceWidget surface;
    surface.resize(200, 150);
    surface.LoadImageFile(folder.Write("chart.bmp", picture));
    surface.SetZoom(Level2);
    surface.SetPenColor(SurfaceBlack);
    surface.SetBrushColor(SurfaceBlack);
    const auto square = [&](int left, int top, int side) {
        for (const QPoint point : {QPoint(left, top), QPoint(left + side, top),
                                   QPoint(left + side, top + side), QPoint(left, top + side)})
            surface.AddPolygonPoint(point.x(), point.y());
        surface.DrawPolygon();
    };
    surface.SetPenStyle(5); // filled, no outline
    square(201, 101, 100);
    surface.SetPenStyle(0);
    surface.SetBrushStyle(1); // outlined, hollow
    square(121, 121, 60);
    surface.SetBrushStyle(0);
    surface.SetBrushColor(SurfaceWhite);
    surface.DrawText(221, 241, "    "); // a bare box of the brush colour
    QImage device(400, 300, QImage::Format_RGB32);
    device.setDevicePixelRatio(2);
    surface.render(&device);

    struct Row
    {
        const char *name;
        QPoint in; // device pixels
        QPoint out;
        QColor shown;
    };
    const Row rows[] = {
        {"a stripe of the picture", {11, 50}, {10, 50}, Qt::black},
        {"a polygon's left edge", {201, 150}, {200, 150}, Qt::black},
        {"a polygon's top edge", {250, 101}, {250, 100}, Qt::black},
        {"an outline one device pixel wide", {120, 150}, {121, 150}, Qt::black},
        {"the label box's left edge", {221, 245}, {220, 245}, Qt::white},
        {"the label box's top edge", {225, 241}, {225, 240}, Qt::white},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(Pixel(device, row.in.x(), row.in.y()), row.shown) << row.name;
        EXPECT_NE(Pixel(device, row.out.x(), row.out.y()), row.shown) << row.name;
    }
}

} // namespace
} // namespace brenlow
