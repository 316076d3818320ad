#include "platform/chart_surface_widget.h"

#include "core/app_error.h"
#include "platform/picture_cache.h"

#include <QDateTime>
#include <QFile>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTransform>

#include <gtest/gtest.h>

#include <variant>

namespace brenlow {
namespace {

constexpr double Level1 = 19.444432; // the zoom ladder's levels: 14 and 36 × 1.388888
constexpr double Level2 = 49.999968;

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

QImage Plain(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Blocks of 250 × 250 picture pixels, each with its own colour.
constexpr int Block = 250;
QColor BlockColor(int x, int y)
{
    return QColor(40 * (x / Block) % 256, 40 * (y / Block) % 256, 128);
}
QImage Blocks(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int y = 0; y < size.height(); y += Block)
        for (int x = 0; x < size.width(); x += Block)
            painter.fillRect(x, y, Block, Block, BlockColor(x, y));
    return image;
}

QColor Pixel(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

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

TEST(ChartSurfaceWidget, StartsWithTheProgramsLoadSettings)
{
    ChartSurfaceWidget surface;
    EXPECT_FALSE(surface.FitOnLoad());
    EXPECT_TRUE(surface.KeepViewOnLoad());
    EXPECT_EQ(surface.Zoom(), 100.0);
}

TEST(ChartSurfaceWidget, ReadsBackExactlyWhatWasWritten)
{
    PictureFolder folder;
    ChartSurfaceWidget surface;
    surface.resize(780, 497);
    surface.LoadImageFile(folder.Write("chart.bmp", Blocks({2000, 1500})));
    for (double zoom : {Level1, Level2, 74.999952, 99.999936}) {
        surface.SetZoom(zoom);
        EXPECT_EQ(surface.Zoom(), zoom);
    }
    for (float angle : {271.0f, 0.0f, 90.0f, 359.5f}) {
        surface.SetTextAngle(angle);
        EXPECT_EQ(surface.TextAngle(), angle);
    }
    for (double points : {11.111104, 9.722216}) {
        surface.SetFontSize(points);
        EXPECT_EQ(surface.FontSize(), points);
    }
}

TEST(ChartSurfaceWidget, LoadClearsTheDrawingAndPendingPoints)
{
    PictureFolder folder;
    const QString path = folder.Write("chart.bmp", Plain({200, 100}, Qt::blue));
    ChartSurfaceWidget surface;
    surface.LoadImageFile(path);
    surface.AddPolygonPoint(10, 10);
    surface.AddPolygonPoint(40, 10);
    surface.AddPolygonPoint(40, 40);
    surface.DrawPolygon();
    surface.DrawText(50, 50, "2.5");
    ASSERT_EQ(surface.DisplayList().size(), 2u);
    ASSERT_TRUE(std::holds_alternative<DrawnPolygon>(surface.DisplayList()[0]));
    ASSERT_TRUE(std::holds_alternative<DrawnText>(surface.DisplayList()[1]));

    surface.AddPolygonPoint(1, 1); // left pending across the load
    surface.LoadImageFile(path);
    EXPECT_TRUE(surface.DisplayList().empty());
    EXPECT_EQ(surface.RenderPicture().pixel(20, 15), QColor(Qt::blue).rgb());
    surface.DrawPolygon();
    EXPECT_TRUE(surface.DisplayList().empty()) << "a point from before the load was drawn";
}

TEST(ChartSurfaceWidget, UnchangedFileIsNotDecodedAgainButAChangedOneIs)
{
    PictureFolder folder;
    const QString path = folder.Write("chart.bmp", Plain({300, 200}, Qt::red));
    ChartSurfaceWidget surface;
    surface.LoadImageFile(path);
    const int decodes = PictureDecodeCount();

    ChartSurfaceWidget other; // the cache serves every surface of the process
    surface.LoadImageFile(path);
    other.LoadImageFile(folder.Path("./chart.bmp"));
    EXPECT_EQ(PictureDecodeCount(), decodes);

    folder.Write("chart.bmp", Plain({320, 210}, Qt::green));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                 QFileDevice::FileModificationTime));
    file.close();
    surface.LoadImageFile(path);
    EXPECT_EQ(PictureDecodeCount(), decodes + 1);
    EXPECT_EQ(surface.PictureSize(), QSize(320, 210));
    EXPECT_EQ(surface.RenderPicture().pixel(5, 5), QColor(Qt::green).rgb());
}

TEST(ChartSurfaceWidget, UnreadableFilesFailAndKeepThePicture)
{
    struct Row
    {
        const char *name;
        const char *file;
        QByteArray content; // empty: the file is not written
        int number;
    };
    const Row rows[] = {
        {"missing file", "absent.bmp", {}, 53},
        {"not a picture", "garbage.bmp", QByteArray("BM this is no picture at all"), 75},
    };
    PictureFolder folder;
    const QString good = folder.Write("chart.bmp", Plain({60, 40}, Qt::blue));
    for (const Row &row : rows) {
        const QString path = folder.Path(row.file);
        if (!row.content.isEmpty()) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(row.content);
        }
        ChartSurfaceWidget surface;
        surface.LoadImageFile(good);
        surface.DrawText(1, 1, "x");
        try {
            surface.LoadImageFile(path);
            ADD_FAILURE() << row.name << ": no error";
        } catch (const AppError &error) {
            EXPECT_EQ(error.Number(), row.number) << row.name;
            EXPECT_TRUE(error.Description().contains(row.file)) << row.name;
            EXPECT_EQ(error.Source(), "Brenlow") << row.name;
        }
        EXPECT_EQ(surface.PictureSize(), QSize(60, 40)) << row.name;
        EXPECT_EQ(surface.DisplayList().size(), 1u) << row.name;
    }
}

TEST(ChartSurfaceWidget, PolygonIsFilledWithTheBrushAndOutlinedWithThePen)
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
        ChartSurfaceWidget surface;
        surface.LoadImageFile(path);
        surface.SetPenColor(0x0000FF);   // &HBBGGRR: red
        surface.SetBrushColor(0x10FF00); // RGB(0, 255, 16)
        surface.SetBrushStyle(row.brushStyle);
        for (const QPoint point : {QPoint(10, 10), QPoint(50, 10), QPoint(50, 50)})
            surface.AddPolygonPoint(point.x(), point.y());
        surface.AddPolygonPoint(10, 50); // closed back to (10, 10) by the surface
        surface.DrawPolygon();
        const QImage picture = surface.RenderPicture();
        EXPECT_EQ(Pixel(picture, 30, 30), row.inside) << row.name;
        for (const QPoint edge : {QPoint(10, 30), QPoint(50, 30), QPoint(30, 10), QPoint(30, 50)})
            EXPECT_EQ(Pixel(picture, edge.x(), edge.y()), QColor(Qt::red))
                << row.name << edge.x() << "," << edge.y();
        for (const QPoint outside : {QPoint(5, 30), QPoint(55, 30), QPoint(30, 5), QPoint(30, 55)})
            EXPECT_EQ(Pixel(picture, outside.x(), outside.y()), QColor(Qt::blue)) << row.name;
    }
}

TEST(ChartSurfaceWidget, TurnedTextLiesOnItsMeasuredBox)
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
        ChartSurfaceWidget surface;
        surface.LoadImageFile(path);
        surface.SetFontName("arial");
        surface.SetFontSize(11.111104);
        surface.SetFontBold(true);
        surface.SetBrushColor(SurfaceWhite);
        surface.SetTextAngle(row.angle);
        const int w = surface.TextWidth("2.5");
        const int h = surface.TextHeight("2.5");
        surface.DrawText(at.x(), at.y(), "2.5");
        const QImage picture = surface.RenderPicture();
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

TEST(ChartSurfaceWidget, TextIsMeasuredAtNinetySixDotsPerInchWhateverTheWidget)
{
    ChartSurfaceWidget surface;
    surface.SetFontName("arial");
    surface.SetFontSize(11.111104); // 14.81 pixels
    surface.SetFontBold(true);
    const int width = surface.TextWidth("2.5");
    const int height = surface.TextHeight("2.5");
    EXPECT_GE(height, 16);
    EXPECT_LE(height, 18);
    EXPECT_GE(width, 20);
    EXPECT_LE(width, 24);

    surface.resize(780, 497);
    surface.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&surface));
    EXPECT_EQ(surface.TextWidth("2.5"), width);
    EXPECT_EQ(surface.TextHeight("2.5"), height);
    surface.SetFontSize(9.722216);
    EXPECT_LT(surface.TextWidth("2.5"), width);
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

TEST(ChartSurfaceWidget, PointerEventsReportViewPixels)
{
    ChartSurfaceWidget surface;
    surface.resize(300, 200);
    surface.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&surface));
    QSignalSpy downs(&surface, &ChartSurfaceWidget::MouseDown);
    QSignalSpy moves(&surface, &ChartSurfaceWidget::MouseMove);
    QSignalSpy ups(&surface, &ChartSurfaceWidget::MouseUp);

    QTest::mouseMove(&surface, QPoint(40, 50)); // no button held
    QTest::mousePress(&surface, Qt::LeftButton, Qt::ShiftModifier, QPoint(12, 34));
    QTest::mouseRelease(&surface, Qt::RightButton, Qt::NoModifier, QPoint(250, 190));

    ASSERT_GE(moves.count(), 1);
    EXPECT_EQ(moves.last(), (QList<QVariant>{int(Qt::NoModifier), 40, 50}));
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs.first(),
              (QList<QVariant>{int(Qt::LeftButton), int(Qt::ShiftModifier), 12, 34}));
    ASSERT_EQ(ups.count(), 1);
    EXPECT_EQ(ups.first(), (QList<QVariant>{int(Qt::RightButton), int(Qt::NoModifier), 250, 190}));
}

} // namespace
} // namespace brenlow
