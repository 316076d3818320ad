#include "print/print_window.h"

#include "core/app_state.h"
#include "core/file_dialogs.h"
#include "core/message_boxes.h"
#include "core/program_info.h"
#include "core/surface_printing.h"
#include "options/stored_options.h"
#include "platform/house_style.h"
#include "platform/picture_check_box.h"
#include "print/print_run.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QSpinBox>

#include <algorithm>

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
// The window's free space: the All box right of option 2's heading, the page and picture
// choices under the buttons.
constexpr QRect AllHoursBox(300, 186, 60, 20);
constexpr int ChoicesRule = 432;
constexpr QRect FitPageBox(SectionLeft, 440, 200, 20);
constexpr QRect WholeChartBox(236, 440, 124, 20);
constexpr int PictureRowTop = 474;
constexpr QRect PictureWidthCaption(SectionLeft, PictureRowTop, 84, 28);
constexpr QRect PictureWidthBox(108, PictureRowTop + 2, 96, 24);
constexpr QRect SavePicturesButton(224, PictureRowTop, 136, 28);

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

    allhours = new PictureCheckBox(QStringLiteral("All"), PictureCheckBox::LabelPlace::Right, this);
    allhours->setObjectName(QStringLiteral("allhours"));
    allhours->setGeometry(AllHoursBox);
    allhours->setToolTip(QStringLiteral("Tick or clear all thirteen whole hours"));
    // clicked, not toggled: the box follows the hours without ticking them again.
    connect(allhours, &QAbstractButton::clicked, this, &PrintScreen::AllHoursClicked);
    for (int number = FirstFixedBox; number <= LastFixedBox; ++number)
        connect(Check(number), &QAbstractButton::toggled, this, [this] {
            bool all = true;
            for (int hour = FirstFixedBox; hour <= LastFixedBox; ++hour)
                all = all && Check(hour)->isChecked();
            allhours->setChecked(all);
        });

    fitpage = new PictureCheckBox(QStringLiteral("Fit the chart to the page"),
                                  PictureCheckBox::LabelPlace::Right, this);
    fitpage->setObjectName(QStringLiteral("fitpage"));
    fitpage->setGeometry(FitPageBox);
    fitpage->setToolTip(QStringLiteral("Scale the chart to fill the printable area of the page"));
    fitpage->setChecked(ReadFitToPage(services_.Settings, services_.AppName));
    connect(fitpage, &QAbstractButton::toggled, this, [this](bool fit) {
        if (const std::optional<QString> failure =
                WriteFitToPage(services_.Settings, services_.AppName, fit))
            services_.Messages.Inform(
                QStringLiteral("The choice could not be kept for the next start: ") + *failure);
    });
    wholechart = new PictureCheckBox(QStringLiteral("Whole chart"),
                                     PictureCheckBox::LabelPlace::Right, this);
    wholechart->setObjectName(QStringLiteral("wholechart"));
    wholechart->setGeometry(WholeChartBox);
    wholechart->setToolTip(
        QStringLiteral("Print the whole chart as the program opens on it, whatever the view"));

    picturewidth = new QSpinBox(this);
    picturewidth->setObjectName(QStringLiteral("picturewidth"));
    picturewidth->setGeometry(PictureWidthBox);
    picturewidth->setRange(SmallestPictureWidth, LargestPictureWidth);
    picturewidth->setSingleStep(100);
    picturewidth->setSuffix(QStringLiteral(" px"));
    picturewidth->setToolTip(QStringLiteral("The width of each saved picture in pixels"));
    picturewidth->setValue(std::clamp(
        ReadPictureWidth(services_.Settings, services_.AppName).value_or(DefaultPictureWidth),
        SmallestPictureWidth, LargestPictureWidth));
    savepictures = AddPictureButton(ButtonArt::SavePictures, SavePicturesButton,
                                    QStringLiteral("Save the chosen steps as pictures (PNG)"));
    connect(savepictures, &QAbstractButton::clicked, this, &PrintScreen::savepictures_Click);

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

PageChoices PrintScreen::Choices() const
{
    return PageChoices{.FitToPage = fitpage->isChecked(), .WholeChart = wholechart->isChecked()};
}

void PrintScreen::AllHoursClicked(bool all)
{
    // Each hour's box follows the existing rule as it is ticked: option 1 is cleared.
    for (int number = FirstFixedBox; number <= LastFixedBox; ++number)
        Check(number)->setChecked(all);
}

void PrintScreen::WhileRunning(const std::function<void()> &work)
{
    // A run lets window events through while each page is composed: nothing in this window
    // may start a second run or close it meanwhile. (The window itself stays enabled: the
    // printer and folder dialogs open over it.)
    printing_ = true;
    const std::array<PictureButton *, 4> buttons = {printb, savepictures, cancel, closebutton};
    for (PictureButton *button : buttons)
        button->setEnabled(false);
    work();
    for (PictureButton *button : buttons)
        button->setEnabled(true);
    printing_ = false;
}

void PrintScreen::printb_Click()
{
    if (printing_)
        return;
    PrintRunEnd end = PrintRunEnd::NoOptionChosen;
    WhileRunning([&] {
        end = PrintSelectedSteps(state_, services_.View, services_.Printing, services_.Messages,
                                 Boxes(), Choices());
    });
    if (end != PrintRunEnd::NoOptionChosen)
        close();
}

void PrintScreen::savepictures_Click()
{
    if (printing_)
        return;
    const std::vector<std::int32_t> steps = SelectedSteps(Boxes(), state_.CurrentStep);
    if (steps.empty()) {
        services_.Messages.Inform(QStringLiteral("Please select Print options 1 or 2"));
        return;
    }
    const int width = picturewidth->value();
    if (const std::optional<QString> failure =
            WritePictureWidth(services_.Settings, services_.AppName, width))
        services_.Messages.Inform(
            QStringLiteral("The picture width could not be kept for the next start: ") + *failure);
    WhileRunning([&] {
        const QString folder =
            services_.Files.ChooseFolder(QStringLiteral("Save the pictures in the folder"));
        if (folder.isEmpty())
            return;
        if (SaveStepPictures(state_, services_.View, services_.Printing, services_.Pictures,
                             services_.Messages, steps, folder, width, Choices())
            == PictureRunEnd::Saved)
            services_.Messages.Inform(
                QStringLiteral("%1 %2 saved in %3.")
                    .arg(steps.size())
                    .arg(steps.size() == 1 ? QStringLiteral("picture") : QStringLiteral("pictures"),
                         folder));
    });
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
    painter.drawLine(SectionLeft, ChoicesRule, width - SectionLeft, ChoicesRule);

    painter.setPen(ink);
    painter.setFont(House::Font(11, false));
    painter.drawText(QRect(SectionLeft, NoteTop, width - 2 * SectionLeft, 80),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Each step prints as one page: the part of the chart the "
                                    "main window shows, at its zoom, with the time from high "
                                    "water. Ticking a box of one option clears the other "
                                    "option. The printer dialog opens before the first page."));
    painter.drawText(PictureWidthCaption, Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Pictures"));
    return picture;
}

} // namespace brenlow
