// The chart picture, picture spots and their plans, cursors and help as the build installs them.
#include "content_files.h"

#include "data/auxiliary_files.h"
#include "platform/cursor_file.h"
#include "platform/rtf_reader.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QTextBlock>
#include <QTextDocument>

namespace brenlow::test {
namespace {

QPoint PictureOf(double lonMinutesWest, double latMinutesNorth)
{
    return QPoint(qRound(PictureX((38 - lonMinutesWest) / 2)),
                  qRound(PictureY((54 - latMinutesNorth) / 2)));
}

TEST(Backdrop, IsA24BitBmpOfTheChartSize)
{
    const QByteArray bytes = BuiltFile(QStringLiteral("backdrop.bmp"));
    ASSERT_GE(bytes.size(), 30);
    EXPECT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24); // bits per pixel
    const QImage &chart = BuiltBackdrop();
    EXPECT_EQ(chart.size(), QSize(4750, 4300));
}

TEST(Backdrop, PutsLandAndSeaWhereTheyAre)
{
    const struct
    {
        const char *Place;
        double LonMinutesWest;
        double LatMinutesNorth;
        bool Land;
    } rows[] = {
        // Off the 5' graticule lines, which are drawn over land and sea.
        {"West Solent off Lymington", 28.0, 44.4, false},
        {"Spithead", 7.0, 45.3, false},
        {"English Channel south of the Island", 21.0, 32.5, false},
        {"Isle of Wight, Newport", 17.5, 41.5, true},
        {"New Forest", 34.0, 47.5, true},
        {"Portsea Island", 4.5, 47.9, true},
    };
    const QImage &chart = BuiltBackdrop();
    for (const auto &row : rows) {
        const QRgb pixel = chart.pixel(PictureOf(row.LonMinutesWest, row.LatMinutesNorth));
        EXPECT_EQ(IsLandColour(pixel), row.Land) << row.Place;
        EXPECT_EQ(IsSeaColour(pixel), !row.Land) << row.Place;
    }
}

TEST(PictureSpots, LieInsideTheChartOverTheirHarboursWithReadablePlans)
{
    TempProgramFolder folder;
    folder.CopyFromBuiltProgram(QStringLiteral("temp2.bmp"));
    PictureSpotTable spots;
    LoadPictureSpots(folder.Info(), spots);
    ASSERT_GE(spots.size(), 5u); // element 0 and four spots at least
    EXPECT_LE(spots.size(), 7u);
    const QImage &chart = BuiltBackdrop();
    for (std::size_t i = 1; i < spots.size(); ++i) {
        const PictureSpot &spot = spots[i];
        SCOPED_TRACE(spot.PictureFile.toStdString());
        const QRectF rect(QPointF(PictureX(spot.Left), PictureY(spot.Top)),
                          QPointF(PictureX(spot.Right), PictureY(spot.Bottom)));
        EXPECT_LT(spot.Left, spot.Right);
        EXPECT_LT(spot.Top, spot.Bottom);
        EXPECT_TRUE(QRectF(chart.rect()).contains(rect));
        // A harbour: both land and water inside the rectangle.
        int land = 0;
        int sea = 0;
        for (double y = rect.top(); y < rect.bottom(); y += 4)
            for (double x = rect.left(); x < rect.right(); x += 4) {
                land += IsLandColour(chart.pixel(int(x), int(y))) ? 1 : 0;
                sea += IsSeaColour(chart.pixel(int(x), int(y))) ? 1 : 0;
            }
        EXPECT_GT(land, 0);
        EXPECT_GT(sea, 0);

        QImageReader reader(BuiltProgramFolder() + QLatin1Char('/')
                            + QString::fromLatin1(spot.PictureFile));
        const QImage plan = reader.read();
        ASSERT_FALSE(plan.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(plan.size(), QSize(620, 431));
    }
}

TEST(Cursors, LoadWithTheirHotspotsOnThePicture)
{
    const struct
    {
        const char *File;
        QPoint Hotspot;
    } rows[] = {
        {"handopen.cur", {18, 21}}, // centre of the palm
        {"handshut.cur", {18, 20}},
        {"camera.cur", {16, 18}}, // centre of the lens
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.File);
        const QString path = BuiltProgramFolder() + QLatin1Char('/') + QLatin1String(row.File);
        const auto cursor = LoadCursorFile(path);
        ASSERT_TRUE(cursor.has_value());
        EXPECT_EQ(cursor->hotSpot(), row.Hotspot);
        const auto decoded = DecodeCursorFile(BuiltFile(QLatin1String(row.File)));
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->Image.size(), QSize(32, 32));
        EXPECT_EQ(decoded->Hotspot, row.Hotspot);
        EXPECT_EQ(qAlpha(decoded->Image.pixel(row.Hotspot)), 255)
            << "the hotspot lies on the drawing";
        EXPECT_EQ(qAlpha(decoded->Image.pixel(0, 0)), 0) << "the corner is transparent";
    }
}

TEST(Help, ReadsIntoADocumentWithBoldHeadingsAndTheWarning)
{
    QTextDocument document;
    ReadRtf(BuiltFile(QStringLiteral("help.rtf")), document);
    const QString text = document.toPlainText();
    for (const char *phrase : {"SLACK", "Green arrows", "Red arrows", "knots", "high water",
                               "jump list", "illustrative", "not for navigation"})
        EXPECT_TRUE(text.contains(QLatin1String(phrase), Qt::CaseInsensitive)) << phrase;

    const QStringList headings{"Brenlow help",
                               "Reading the chart",
                               "The time labels",
                               "Entering the high waters",
                               "Predicted high waters",
                               "The tide prediction window",
                               "Stepping through the tide",
                               "The jump list",
                               "Animation",
                               "Zoom and pan",
                               "Station information",
                               "Harbour plans",
                               "Printing",
                               "About the data"};
    for (const QString &heading : headings) {
        bool found = false;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            if (block.text() != heading)
                continue;
            found = true;
            for (auto it = block.begin(); !it.atEnd(); ++it)
                EXPECT_GE(it.fragment().charFormat().fontWeight(), QFont::Bold)
                    << heading.toStdString();
        }
        EXPECT_TRUE(found) << heading.toStdString();
    }
    // The body text is not bold.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.text().startsWith(QLatin1String("Each arrow is one tidal station"))) {
            EXPECT_LT(block.begin().fragment().charFormat().fontWeight(), QFont::Bold);
        }
}

} // namespace
} // namespace brenlow::test
