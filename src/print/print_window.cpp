#include "print/print_window.h"

#include "core/program_info.h"
#include "platform/house_style.h"
#include "platform/picture_check_box.h"
#include "print/print_run.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

namespace brenlow {
namespace {

const QString Title = ProgramTitleText() + QStringLiteral(" Print");

// Window pixels. Option 1 is a column of boxes with their labels on the right; option 2 a row
// of the thirteen whole hours with their labels under the boxes, the half-hour box below it.
constexpr int SectionLeft = 24;
constexpr int Option1Heading = 64;
constexpr int ColumnLeft = 40;
constexpr int ColumnTop = 76;
constexpr int ColumnPitch = 26;
constexpr QSize ColumnBox{300, 22};
constexpr int Option2Heading = 200;
constexpr int RowLeft = 22;
constexpr int RowTop = 214;
constexpr QSize RowBox{26, 34};
constexpr int HalfHoursTop = 256;
constexpr int NoteTop = 296;

const char *const Option1Labels[] = {"This step", "3 hours after", "3 hours before",
                                     "Every half hour"};
const char *const HourLabels[] = {"-6", "-5", "-4", "-3", "-2", "-1", "HW",
                                  "+1", "+2", "+3", "+4", "+5", "+6"};

} // namespace

PrintScreen::PrintScreen(AppState &state, const PrintServices &services, QWidget *parent)
    : FramelessWindow(ClientSize, parent), state_(state), services_(services)
{
    setWindowTitle(Title);
    SetBackgroundPainter(&PaintPrintBackground);

    for (int i = 0; i < 4; ++i) {
        checks_[static_cast<std::size_t>(i + 1)] = new PictureCheckBox(
            QString::fromLatin1(Option1Labels[i]), PictureCheckBox::LabelPlace::Right, this);
        checks_[static_cast<std::size_t>(i + 1)]->setGeometry(
            QRect(QPoint(ColumnLeft, ColumnTop + i * ColumnPitch), ColumnBox));
    }
    for (int i = 0; i < 13; ++i) {
        auto *box = new PictureCheckBox(QString::fromLatin1(HourLabels[i]),
                                        PictureCheckBox::LabelPlace::Below, this);
        box->setGeometry(QRect(QPoint(RowLeft + i * RowBox.width(), RowTop), RowBox));
        checks_[static_cast<std::size_t>(FirstFixedBox + i)] = box;
    }
    checks_[HalfHoursBox] = new PictureCheckBox(QStringLiteral("and the half hours towards HW"),
                                                PictureCheckBox::LabelPlace::Right, this);
    checks_[HalfHoursBox]->setGeometry(QRect(QPoint(ColumnLeft, HalfHoursTop), ColumnBox));

    PictureCheckBox **named[] = {&Check1,  &Check2,  &Check3,  &Check4,  &Check5,  &Check6,
                                 &Check7,  &Check8,  &Check9,  &Check10, &Check11, &Check12,
                                 &Check13, &Check14, &Check15, &Check16, &Check17, &Check18};
    for (int number = 1; number <= HalfHoursBox; ++number)
        *named[number - 1] = Check(number);

    // The step shown always prints with option 1; the user cannot untick it.
    Check1->setChecked(true);
    Check1->setEnabled(false);
    Check1->setToolTip(QStringLiteral("The step now shown is always printed with option 1"));

    // toggled, not clicked: a box the program changes notifies as a user's click does.
    for (int number = 2; number <= 4; ++number)
        connect(Check(number), &QAbstractButton::toggled, this, &PrintScreen::RelativeBoxClicked);
    for (int number = FirstFixedBox; number <= HalfHoursBox; ++number)
        connect(Check(number), &QAbstractButton::toggled, this, &PrintScreen::FixedBoxClicked);

    cancel = AddPictureButton(ButtonArt::Cancel, QRect(51, 389, 61, 32),
                              QStringLiteral("Cancel print and exit"));
    printb = AddPictureButton(ButtonArt::PrintPages, QRect(256, 389, 76, 32),
                              QStringLiteral("Print options selected"));
    closebutton = AddPictureButton(ButtonArt::Close, QRect(338, 7, 23, 18),
                                   QStringLiteral("Close print window"));
    connect(cancel, &QAbstractButton::clicked, this, &PrintScreen::closebutton_Click);
    connect(closebutton, &QAbstractButton::clicked, this, &PrintScreen::closebutton_Click);
    connect(printb, &QAbstractButton::clicked, this, &PrintScreen::printb_Click);

    ClearDrag();
    ClearRelativeGroup();
    ClearFixedGroup();
}

PictureCheckBox *PrintScreen::Check(int number) const
{
    return checks_.at(static_cast<std::size_t>(number));
}

void PrintScreen::ClearRelativeGroup()
{
    clearing_ = true;
    for (int number = 2; number <= 4; ++number)
        Check(number)->setChecked(false);
    clearing_ = false;
}

void PrintScreen::ClearFixedGroup()
{
    clearing_ = true;
    for (int number = FirstFixedBox; number <= HalfHoursBox; ++number)
        Check(number)->setChecked(false);
    clearing_ = false;
}

void PrintScreen::RelativeBoxClicked()
{
    if (!clearing_)
        ClearFixedGroup();
}

void PrintScreen::FixedBoxClicked()
{
    if (!clearing_)
        ClearRelativeGroup();
}

PrintBoxes PrintScreen::Boxes() const
{
    PrintBoxes boxes{};
    for (int number = 1; number <= HalfHoursBox; ++number)
        boxes[static_cast<std::size_t>(number)] = Check(number)->isChecked();
    return boxes;
}

void PrintScreen::printb_Click()
{
    if (printing_)
        return;
    // The run lets window events through while each page is composed: nothing in this window
    // may start a second run or close it meanwhile. (The window itself stays enabled: the
    // printer dialog opens over it.)
    printing_ = true;
    for (PictureButton *button : {printb, cancel, closebutton})
        button->setEnabled(false);
    const PrintRunEnd end =
        PrintSelectedSteps(state_, services_.View, services_.Printing, services_.Messages, Boxes());
    for (PictureButton *button : {printb, cancel, closebutton})
        button->setEnabled(true);
    printing_ = false;
    if (end != PrintRunEnd::NoOptionChosen)
        close();
}

void PrintScreen::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        closebutton_Click();
        return;
    }
    FramelessWindow::keyPressEvent(event);
}

void PrintScreen::closeEvent(QCloseEvent *event)
{
    if (printing_) {
        event->ignore();
        return;
    }
    FramelessWindow::closeEvent(event);
}

void OpenPrintWindow(QWidget &mainWindow, AppState &state, const PrintServices &services)
{
    PrintScreen screen(state, services, &mainWindow);
    screen.PlaceCentredOver(mainWindow);
    screen.ShowModal();
}

QPixmap PaintPrintBackground()
{
    QPixmap picture = PaintFramelessBackground(PrintScreen::ClientSize, Title);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QColor &ink = House::Now().Ink;
    const QColor &rule = House::Now().Rule;
    const int width = PrintScreen::ClientSize.width();

    painter.setPen(ink);
    painter.setFont(House::Font(12, true));
    painter.drawText(SectionLeft, Option1Heading,
                     QStringLiteral("Option 1: around the step shown"));
    painter.drawText(SectionLeft, Option2Heading,
                     QStringLiteral("Option 2: whole hours from high water"));
    painter.setPen(rule);
    painter.drawLine(SectionLeft, Option2Heading - 22, width - SectionLeft, Option2Heading - 22);
    painter.drawLine(SectionLeft, NoteTop - 10, width - SectionLeft, NoteTop - 10);

    painter.setPen(ink);
    painter.setFont(House::Font(11, false));
    painter.drawText(QRect(SectionLeft, NoteTop, width - 2 * SectionLeft, 80),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Each step prints as one page: the part of the chart the "
                                    "main window shows, at its zoom, with the time from high "
                                    "water. Ticking a box of one option clears the other "
                                    "option. The printer dialog opens before the first page."));
    return picture;
}

} // namespace brenlow
