#include "print/print_window.h"

#include "app/main_screen.h"
#include "core/app_state.h"
#include "core/chart_geometry.h"
#include "core/program_info.h"
#include "options/stored_options.h"
#include "platform/chart_surface_widget.h"
#include "platform/house_style.h"
#include "platform/picture_check_box.h"
#include "platform/surface_printer.h"
#include "render/redraw.h"
#include "support/program_files.h"
#include "support/program_process.h"
#include "support/program_run.h"
#include "tide/step_conventions.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace brenlow {
namespace {

int PdfPages(const QString &pdf)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
            .match(test::ToolOutput(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The step of each page, read back from the page's first caption line.
std::vector<std::int32_t> PrintedSteps(const QString &pdf)
{
    std::vector<std::int32_t> steps;
    const QString text = test::ToolOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    for (const QString &page : text.split(QLatin1Char('\f'), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("Highwater: ([+-]\\d+\\.\\d)")).match(page);
        if (match.hasMatch())
            steps.push_back(std::int32_t(match.captured(1).toDouble() * 2) + HighWaterStep);
    }
    return steps;
}

// The main window after start-up on one steady station, at zoom level 2 scrolled into the
// chart, printing to pages.pdf in the program folder.
struct PrintingRun : test::ProgramRun
{
    PrintingRun() : test::ProgramRun(QStringLiteral("brenlow-print"))
    {
        test::WriteInstallation(folder, {test::StationLine(test::SteadyStation("1.5", "90"))});
        screen = std::make_unique<MainScreen>(state, services);
        EXPECT_TRUE(screen->Load());
        screen->show();
        messages.Shown.clear(); // the plain flow database's warning
        state.HighWater1Text = QStringLiteral("10:00");
        screen->IB1->SetZoom(49.999968);
        screen->IB1->SetScrollX(300);
        screen->IB1->SetScrollY(200);
    }

    void Show(std::int32_t step)
    {
        RedrawStep(state, screen->View(), {step, false}, {true, false});
    }

    // Presses the print button and lets act do what the user does in the print window; returns
    // once the window has closed.
    void Print(std::function<void(PrintScreen &)> act)
    {
        QFile::remove(printer.FilePath);
        auto *timer = new QTimer(screen.get());
        QObject::connect(timer, &QTimer::timeout, [this, timer, act] {
            if (auto *window = qobject_cast<PrintScreen *>(QApplication::activeModalWidget())) {
                timer->deleteLater();
                timer->stop();
                centredOverMain =
                    window->frameGeometry().center() == screen->frameGeometry().center();
                act(*window);
            }
        });
        timer->start(10);
        screen->printbt->click();
    }

    // After a run: the main window shows the saved step as before, and no caption is left.
    void ExpectShowing(std::int32_t saved) const
    {
        EXPECT_EQ(state.CurrentStep, saved);
        EXPECT_EQ(screen->showinghw->text(), HourOffsetText(saved));
        EXPECT_EQ(screen->IB1->Zoom(), 49.999968);
        EXPECT_EQ(screen->IB1->ScrollX(), 300);
        EXPECT_EQ(screen->IB1->ScrollY(), 200);
        for (const DisplayItem &item : screen->IB1->DisplayList()) {
            if (const auto *text = std::get_if<DrawnText>(&item)) {
                EXPECT_FALSE(text->Text.startsWith(QStringLiteral("Highwater"))) << "caption left";
            }
        }
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the print window closed";
    }

    std::unique_ptr<MainScreen> screen;
    bool centredOverMain = false;
};

// The All box, clicked as the boxes are by their numbers.
constexpr int AllBox = 19;

PrintBoxes Ticked(const std::vector<int> &numbers)
{
    PrintBoxes boxes{};
    for (const int number : numbers)
        boxes[static_cast<std::size_t>(number)] = true;
    return boxes;
}

TEST(PrintWindow, PrintsTheChosenStepsAsOneDocumentAndShowsTheSavedStepAgain)
{
    struct Row
    {
        const char *name;
        std::int32_t saved;
        std::vector<int> clicks; // by the user, in this order
        int setByProgram;        // then this box ticked by the program (0: none)
        std::vector<int> ticked; // what the window then holds
        std::vector<std::int32_t> steps;
    };
    const Row rows[] = {
        {"print at once", 9, {}, 0, {1}, {9}},
        {"half-hourly alone", 9, {4}, 0, {1, 4}, {9}},
        {"half hours alone", 9, {18}, 0, {1, 18}, {9}},
        {"Check7 clears option 1", 9, {2, 3, 4, 7}, 0, {1, 7}, {5}},
        {"Check3 from the program clears option 2", 9, {7, 18}, 3, {1, 3}, {3, 5, 7, 9}},
        {"high water with half hours", 9, {11, 18}, 0, {1, 11, 18}, {13}},
        {"all of option 2",
         9,
         {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18},
         0,
         {1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18},
         {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
          15, 14, 17, 16, 19, 18, 21, 20, 23, 22, 25, 24}},
        {"2, 3 and 4 at 13",
         13,
         {2, 3, 4},
         0,
         {1, 2, 3, 4},
         {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
        {"saved 2: hourly both ways", 2, {3, 2}, 0, {1, 2, 3}, {20, 22, 24, 2, 4, 6, 8}},
        {"saved 25: half-hourly after", 25, {2, 4}, 0, {1, 2, 4}, {25, 1, 2, 3, 4, 5, 6}},
        {"All ticks the hours and clears option 1",
         9,
         {2, AllBox},
         0,
         {1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17},
         {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25}},
        {"All twice clears them", 9, {AllBox, AllBox}, 0, {1}, {9}},
        {"an hour cleared after All",
         9,
         {AllBox, 5},
         0,
         {1, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17},
         {3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25}},
    };
    PrintingRun run;
    int runs = 0;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        run.Show(row.saved);
        run.Print([&row](PrintScreen &window) {
            for (const int box : row.clicks)
                QTest::mouseClick(box == AllBox ? window.allhours : window.Check(box),
                                  Qt::LeftButton);
            if (row.setByProgram != 0)
                window.Check(row.setByProgram)->setChecked(true);
            EXPECT_EQ(window.Boxes(), Ticked(row.ticked));
            const PrintBoxes boxes = window.Boxes();
            EXPECT_EQ(window.allhours->isChecked(),
                      std::all_of(&boxes[FirstFixedBox], &boxes[LastFixedBox + 1],
                                  [](bool ticked) { return ticked; }));
            window.printb->click();
        });
        EXPECT_EQ(run.printer.Asked, ++runs) << "the dialog once per run";
        EXPECT_EQ(PdfPages(run.printer.FilePath), int(row.steps.size()));
        EXPECT_EQ(PrintedSteps(run.printer.FilePath), row.steps);
        run.ExpectShowing(row.saved);
        EXPECT_TRUE(run.messages.Shown.empty());
    }
}

TEST(PrintWindow, EachPageSaysTheDayAndTheTimeOfItsStream)
{
    PrintingRun run;
    run.Show(9);
    run.Print([](PrintScreen &window) {
        QTest::mouseClick(window.Check(2), Qt::LeftButton); // 3 hours after: 9, 11, 13, 15
        window.printb->click();
    });
    const QString text =
        test::ToolOutput(QStringLiteral("pdftotext"), {run.printer.FilePath, QStringLiteral("-")});
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 4);
    const char *const streams[] = {"08:00", "09:00", "10:00", "11:00"};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Wed 9 Dec 2026, stream at %1 (HW 10:00)")
                                          .arg(QLatin1String(streams[i]))))
            << pages[i].toStdString();
}

TEST(PrintWindow, RunsThatPrintNothing)
{
    struct Row
    {
        const char *name;
        bool accept;
        QString file; // in the program folder
        std::function<void(PrintScreen &)> act;
        QString message;
        int asked;
    };
    const Row rows[] = {
        {"cancel button", true, QStringLiteral("pages.pdf"),
         [](PrintScreen &w) {
             EXPECT_EQ(w.size(), QSize(383, 526));
             EXPECT_EQ(w.cancel->geometry(), QRect(51, 389, 61, 32));
             EXPECT_EQ(w.cancel->toolTip(), QStringLiteral("Cancel print and exit"));
             EXPECT_EQ(w.closebutton->geometry(), QRect(338, 7, 23, 18));
             EXPECT_EQ(w.closebutton->toolTip(), QStringLiteral("Close print window"));
             EXPECT_EQ(w.printb->toolTip(), QStringLiteral("Print options selected"));
             QTest::mouseClick(w.Check1, Qt::LeftButton);
             EXPECT_EQ(w.Boxes(), Ticked({1})) << "opens with the step shown, for good";
             w.cancel->click();
         },
         QString(), 0},
        {"printer dialog cancelled", false, QStringLiteral("pages.pdf"),
         [](PrintScreen &w) { w.printb->click(); }, QString(), 1},
        {"page cannot be printed", true, QStringLiteral("gone/pages.pdf"),
         [](PrintScreen &w) { w.printb->click(); },
         QStringLiteral("The page for Highwater: -2.0 could not be printed.\n"), 1},
        {"no option chosen: the window stays open", true, QStringLiteral("pages.pdf"),
         [](PrintScreen &w) {
             w.Check1->setChecked(false);
             w.printb->click();
             EXPECT_TRUE(w.isVisible());
             w.closebutton->click();
         },
         QStringLiteral("Please select Print options 1 or 2"), 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        PrintingRun run;
        run.Show(9);
        run.printer.Accept = row.accept;
        run.printer.FilePath = run.folder.FilePath(row.file);
        run.Print(row.act);
        EXPECT_TRUE(run.centredOverMain);
        EXPECT_EQ(run.printer.Asked, row.asked);
        EXPECT_FALSE(QFile::exists(run.printer.FilePath));
        run.ExpectShowing(9);
        if (row.message.isEmpty()) {
            EXPECT_TRUE(run.messages.Shown.empty());
        } else {
            ASSERT_EQ(run.messages.Shown.size(), 1U);
            EXPECT_TRUE(run.messages.Shown[0].Text.startsWith(row.message))
                << run.messages.Shown[0].Text.toStdString();
            EXPECT_EQ(run.messages.Shown[0].Title, QString::fromLatin1(ProgramTitle));
        }
    }
}

// Guards: a run that could not write its file said nothing, left the file cut short, and every
// later run wrote an empty file.
TEST(PrintWindow, AFileNotWrittenWholeIsSaidAndTheNextRunPrintsWhole)
{
    PrintingRun run;
    run.Show(9);
    const auto printOne = [&run] { run.Print([](PrintScreen &w) { w.printb->click(); }); };
    printOne();
    const qint64 wholeSize = QFileInfo(run.printer.FilePath).size();
    ASSERT_GT(wholeSize, 0);
    // Files of this process may not grow past half a page: the writes fail as on a full disk.
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = static_cast<rlim_t>(wholeSize / 2);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    printOne();
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &before), 0);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_EQ(run.messages.Shown.size(), 1U);
    EXPECT_TRUE(run.messages.Shown[0].Text.startsWith(
        QStringLiteral("The page for Highwater: -2.0 could not be printed.\n")))
        << run.messages.Shown[0].Text.toStdString();
    EXPECT_FALSE(QFile::exists(run.printer.FilePath));
    EXPECT_EQ(QDir(run.folder.Info().Folder)
                  .entryList({QStringLiteral("*.part")}, QDir::Hidden | QDir::Files),
              QStringList());
    run.ExpectShowing(9);

    run.messages.Shown.clear();
    printOne();
    EXPECT_TRUE(run.messages.Shown.empty());
    EXPECT_EQ(PdfPages(run.printer.FilePath), 1);
}

// Pixels of a page of the given colour (within a small tolerance) inside a rectangle.
int PixelsOfColour(const QImage &page, const QRect &rect, QColor colour)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = page.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green())
                    + std::abs(c.blue() - colour.blue())
                < 12;
        }
    return count;
}

TEST(PrintWindow, PageShowsTheViewWithTheArrowAndTheCaptionBox)
{
    PrintingRun run;
    run.screen->IB1->SetZoom(99.999936);
    run.Show(9);
    const auto &items = run.screen->IB1->DisplayList();
    const auto arrow = std::find_if(items.begin(), items.end(), [](const DisplayItem &item) {
        return std::holds_alternative<DrawnPolygon>(item);
    });
    ASSERT_NE(arrow, items.end());
    const DrawnPolygon polygon = std::get<DrawnPolygon>(*arrow);
    const QRect arrowBox =
        QPolygon(QList<QPoint>(polygon.Points.begin(), polygon.Points.end())).boundingRect();
    run.screen->IB1->SetScrollX(arrowBox.left() - 300); // the arrow some way into the view
    run.screen->IB1->SetScrollY(arrowBox.top() - 200);
    const QPoint scroll(run.screen->IB1->ScrollX(), run.screen->IB1->ScrollY());

    run.Print([](PrintScreen &window) { window.printb->click(); });
    ASSERT_EQ(PdfPages(run.printer.FilePath), 1);
    const QString png = run.folder.FilePath(QStringLiteral("page"));
    test::ToolOutput(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                      QStringLiteral("-singlefile"), run.printer.FilePath, png});
    const QImage page(png + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());

    // At 96 dots per inch one page pixel is one view pixel, from the printable area's corner.
    auto &printer = dynamic_cast<SurfacePrinter &>(run.screen->Printing()).Printer();
    const QPoint corner =
        (printer.pageLayout().paintRect(QPageLayout::Inch).topLeft() * 96).toPoint();
    const QColor brush(int(polygon.Brush & 0xFF), int((polygon.Brush >> 8) & 0xFF),
                       int((polygon.Brush >> 16) & 0xFF));
    const QRect onPage = arrowBox.translated(corner - scroll);
    const int arrowPixels = PixelsOfColour(page, onPage.adjusted(-1, -1, 1, 1), brush);
    EXPECT_GT(arrowPixels, arrowBox.width() * arrowBox.height() / 5);
    EXPECT_EQ(PixelsOfColour(page, onPage.adjusted(-40, -40, 40, 40), brush), arrowPixels)
        << "the arrow where the display list put it";

    // The first caption line: a white box at the corner with dark text in it. The chart fills
    // the view's 780 x 497 pixels from the corner, and the paper is white beyond.
    const QColor chart(0xcc, 0xe6, 0xf5);
    EXPECT_EQ(page.pixelColor(corner + QPoint(1, 1)), QColor(Qt::white));
    EXPECT_GT(PixelsOfColour(page, QRect(corner, QSize(200, 14)), Qt::black), 50);
    EXPECT_EQ(page.pixelColor(corner + QPoint(1, 60)), chart);
    EXPECT_EQ(page.pixelColor(corner + QPoint(779, 496)), chart);
    EXPECT_EQ(page.pixelColor(corner + QPoint(781, 200)), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(corner + QPoint(300, 498)), QColor(Qt::white));
}

// The smallest rectangle holding every pixel of about colour (the picture may be stored with
// a lossy compression).
QRect ColourBox(const QImage &page, QColor colour)
{
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (std::max({std::abs(c.red() - colour.red()), std::abs(c.green() - colour.green()),
                          std::abs(c.blue() - colour.blue())})
                <= 6)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

// The height in points of the first word text of a PDF's first page, from pdftotext's boxes.
double WordHeight(const QString &pdf, const QString &text)
{
    const QString boxes = test::ToolOutput(QStringLiteral("pdftotext"),
                                           {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral(R"re(yMin="([\d.]+)"[^>]*yMax="([\d.]+)">%1<)re")
                               .arg(QRegularExpression::escape(text)))
            .match(boxes);
    return match.hasMatch() ? match.captured(2).toDouble() - match.captured(1).toDouble() : 0;
}

TEST(PrintWindow, AFittedPageFillsThePrintableAreaAndTheWholeChartIsLevelOnesArea)
{
    struct Row
    {
        const char *name;
        int level;
        bool whole;
        bool night; // the program in the night colours: pages are in the day's
    };
    const Row rows[] = {
        {"level 1", 1, false, false},
        {"level 2", 2, false, true},
        {"level 3", 3, false, false},
        {"level 4", 4, false, false},
        {"whole chart from level 3", 3, true, false},
    };
    const QColor chart(0xcc, 0xe6, 0xf5);
    PrintingRun run;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        run.screen->IB1->SetZoom(ZoomLevelPercent(run.state, row.level));
        run.screen->IB1->SetScrollX(0);
        run.screen->IB1->SetScrollY(0);
        run.Show(9);
        HouseStyle::Instance().SetScheme(row.night ? ColourScheme::Night : ColourScheme::Day);
        run.Print([&row](PrintScreen &window) {
            window.fitpage->setChecked(true);
            window.wholechart->setChecked(row.whole);
            window.printb->click();
        });
        HouseStyle::Instance().SetScheme(ColourScheme::Day);

        auto &printer = dynamic_cast<SurfacePrinter &>(run.screen->Printing());
        const double level1 = 100 / ZoomLevelPercent(run.state, FirstZoomLevel);
        const QRect area = row.whole
            ? QRect(QPoint(qRound(56 * level1), qRound(83 * level1)),
                    QPoint(qRound((56 + OpeningViewWidth) * level1) - 1,
                           qRound((83 + OpeningViewHeight) * level1) - 1))
            : QRect(QPoint(0, 0),
                    QPoint(qRound(780 * 100 / run.screen->IB1->Zoom()) - 1,
                           qRound(497 * 100 / run.screen->IB1->Zoom()) - 1));
        EXPECT_EQ(printer.PrintArea(), area);

        constexpr int Dpi = 36;
        const QString png = run.folder.FilePath(QStringLiteral("fitted"));
        test::ToolOutput(QStringLiteral("pdftoppm"),
                         {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-png"),
                          QStringLiteral("-singlefile"), run.printer.FilePath, png});
        const QImage page(png + QStringLiteral(".png"));
        ASSERT_FALSE(page.isNull());
        const QRectF paper = printer.Printer().pageLayout().paintRect(QPageLayout::Inch);
        const QRect printable((paper.topLeft() * Dpi).toPoint(), (paper.size() * Dpi).toSize());
        const QRect box = ColourBox(page, chart);
        // The chart's corner at the printable area's, one side spanning it, in proportion.
        EXPECT_LE((box.topLeft() - printable.topLeft()).manhattanLength(), 2);
        EXPECT_TRUE(std::abs(box.right() - printable.right()) <= 2
                    || std::abs(box.bottom() - printable.bottom()) <= 2)
            << box.right() << " " << box.bottom();
        EXPECT_TRUE(printable.adjusted(-1, -1, 1, 1).contains(box));
        EXPECT_NEAR(double(box.width()) / box.height(), double(area.width()) / area.height(), 0.02);
        // The station's rate label, in the area from level 1 out, no smaller than 6 points (the
        // chart's own is 2 at level 1).
        if (row.level == 1 || row.whole) {
            EXPECT_GE(WordHeight(run.printer.FilePath, QStringLiteral("1.5")), 6.0);
        }
    }
    // The fit is kept for the next start.
    EXPECT_TRUE(ReadFitToPage(run.settings, run.folder.Info().AppName));
    run.Print([](PrintScreen &window) {
        EXPECT_TRUE(window.fitpage->isChecked());
        EXPECT_FALSE(window.wholechart->isChecked());
        window.closebutton->click();
    });
}

TEST(PrintWindow, SavesThePicturesOfTheChosenStepsAndNeverReplacesOneUnasked)
{
    PrintingRun run;
    run.Show(9);
    const QString folder = run.folder.FilePath(QStringLiteral("pictures"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const auto pictures = [&folder] {
        return QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    };
    const auto save = [&run](int width) {
        run.Print([width](PrintScreen &window) {
            for (const int hour : {10, 11, 12}) // -1, HW, +1
                QTest::mouseClick(window.Check(hour), Qt::LeftButton);
            window.picturewidth->setValue(width);
            window.savepictures->click();
            window.closebutton->click();
        });
    };

    run.files.Answer = folder;
    save(400);
    const QStringList names = pictures();
    ASSERT_EQ(names.size(), 3);
    EXPECT_TRUE(names[0].endsWith(QStringLiteral("_HW1000_11_-1.0.png"))) << names[0].toStdString();
    for (const QString &name : names) {
        const QImage picture(QDir(folder).filePath(name));
        EXPECT_EQ(picture.size(), QSize(400, qRound(400.0 * 497 / 780)));
        EXPECT_EQ(picture.pixelColor(399, 200), QColor(0xcc, 0xe6, 0xf5));
    }
    ASSERT_EQ(run.messages.Shown.size(), 1u);
    EXPECT_EQ(run.messages.Shown[0].Text, QStringLiteral("3 pictures saved in %1.").arg(folder));
    run.ExpectShowing(9);
    EXPECT_EQ(ReadPictureWidth(run.settings, run.folder.Info().AppName), 400);

    struct Row
    {
        const char *name;
        QString chosen;
        bool replace;
        QString said;      // the message, or the question when files are there
        QSize pictureSize; // of the pictures afterwards
    };
    const QString notAFolder = QDir(folder).filePath(names[0]);
    const Row rows[] = {
        {"kept when the user says no", folder, false,
         QStringLiteral("3 of the pictures are in %1 already").arg(folder), QSize(400, 255)},
        {"replaced when the user says yes", folder, true,
         QStringLiteral("3 of the pictures are in %1 already").arg(folder), QSize(200, 127)},
        {"not a folder", notAFolder, true, QStringLiteral("%1 is not a folder.").arg(notAFolder),
         QSize(200, 127)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        run.messages.Shown.clear();
        run.messages.Questions.clear();
        run.messages.Answer = row.replace;
        run.files.Answer = row.chosen;
        save(200);
        const QString said = run.messages.Questions.empty() ? run.messages.Shown.front().Text
                                                            : run.messages.Questions.front();
        EXPECT_TRUE(said.startsWith(row.said)) << said.toStdString();
        EXPECT_EQ(pictures(), names);
        for (const QString &name : names)
            EXPECT_EQ(QImage(QDir(folder).filePath(name)).size(), row.pictureSize);
    }
}

} // namespace
} // namespace brenlow
