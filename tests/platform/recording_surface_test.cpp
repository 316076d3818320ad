#include "platform/recording_surface.h"

#include "core/app_error.h"
#include "platform/picture_cache.h"
#include "platform/surface_painter.h"
#include "platform/test_pictures.h"

#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>

#include <variant>

namespace brenlow {
namespace {

using test::Blocks;
using test::Level1;
using test::Level2;
using test::PictureFolder;
using test::Plain;

TEST(RecordingSurface, StartsWithTheProgramsLoadSettings)
{
    RecordingSurface surface;
    EXPECT_FALSE(surface.FitOnLoad());
    EXPECT_TRUE(surface.KeepViewOnLoad());
    EXPECT_EQ(surface.Zoom(), 100.0);
}

TEST(RecordingSurface, ReadsBackExactlyWhatWasWritten)
{
    PictureFolder folder;
    RecordingSurface surface;
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

TEST(RecordingSurface, LoadKeepsOrResetsTheViewNumbersWithoutAView)
{
    struct Row
    {
        const char *name;
        bool fit;
        bool keep;
        int scroll; // both offsets after the load
    };
    const Row rows[] = {
        {"a reload keeps the offsets, even beyond the picture", false, true, 5000},
        {"not keeping the view scrolls home", false, false, 0},
        {"fitting has nothing to fit to and scrolls home", true, true, 0},
    };
    PictureFolder folder;
    const QString path = folder.Write("chart.bmp", Plain({200, 100}, Qt::blue));
    for (const Row &row : rows) {
        RecordingSurface surface;
        surface.SetZoom(Level2);
        surface.SetScrollX(5000);
        surface.SetScrollY(5000);
        surface.SetFitOnLoad(row.fit);
        surface.SetKeepViewOnLoad(row.keep);
        surface.LoadImageFile(path);
        EXPECT_EQ(surface.Zoom(), Level2) << row.name;
        EXPECT_EQ(surface.ScrollX(), row.scroll) << row.name;
        EXPECT_EQ(surface.ScrollY(), row.scroll) << row.name;
    }
}

TEST(RecordingSurface, LoadClearsTheDrawingAndPendingPoints)
{
    PictureFolder folder;
    const QString path = folder.Write("chart.bmp", Plain({200, 100}, Qt::blue));
    RecordingSurface surface;
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
    EXPECT_EQ(RenderPicture(surface).pixel(20, 15), QColor(Qt::blue).rgb());
    surface.DrawPolygon();
    EXPECT_TRUE(surface.DisplayList().empty()) << "a point from before the load was drawn";
}

TEST(RecordingSurface, UnchangedFileIsNotDecodedAgainButAChangedOneIs)
{
    PictureFolder folder;
    const QString path = folder.Write("chart.bmp", Plain({300, 200}, Qt::red));
    RecordingSurface surface;
    surface.LoadImageFile(path);
    const int decodes = surface.PictureDecodes();

    surface.LoadImageFile(path);
    surface.LoadImageFile(folder.Path("./chart.bmp"));
    EXPECT_EQ(surface.PictureDecodes(), decodes);

    folder.Write("chart.bmp", Plain({320, 210}, Qt::green));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                 QFileDevice::FileModificationTime));
    file.close();
    surface.LoadImageFile(path);
    EXPECT_EQ(surface.PictureDecodes(), decodes + 1);
    EXPECT_EQ(surface.PictureSize(), QSize(320, 210));
    EXPECT_EQ(RenderPicture(surface).pixel(5, 5), QColor(Qt::green).rgb());
}

TEST(RecordingSurface, UnreadableFilesFailAndKeepThePicture)
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
        RecordingSurface surface;
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

TEST(RecordingSurface, TextIsMeasuredAtNinetySixDotsPerInch)
{
    RecordingSurface surface;
    surface.SetFontName("arial");
    surface.SetFontSize(11.111104); // 14.81 pixels
    surface.SetFontBold(true);
    const int width = surface.TextWidth("2.5");
    const int height = surface.TextHeight("2.5");
    EXPECT_GE(height, 16);
    EXPECT_LE(height, 18);
    EXPECT_GE(width, 20);
    EXPECT_LE(width, 24);

    surface.SetFontSize(9.722216);
    EXPECT_LT(surface.TextWidth("2.5"), width);
}

} // namespace
} // namespace brenlow
