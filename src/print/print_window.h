#pragma once

#include "platform/frameless_window.h"
#include "print/compose_step_page.h"
#include "print/print_selection.h"

#include <QString>

#include <array>
#include <functional>

class QSpinBox;

namespace brenlow {

struct AppState;
class FileDialogs;
class MessageBoxes;
class PagePictures;
class PictureCheckBox;
class SettingsStore;
class StepView;
class SurfacePrinting;

// What the print window prints with: the main window's step view and its surface's printing
// and pictures; where it asks for a folder and keeps its choices.
struct PrintServices
{
    StepView &View;
    SurfacePrinting &Printing;
    MessageBoxes &Messages;
    PagePictures &Pictures;
    FileDialogs &Files;
    SettingsStore &Settings;
    QString AppName;
};

// Where the user chooses the steps to print, one page each: option 1 around the step shown,
// or option 2 by whole hours from high water. The two groups never hold ticks together: a
// box of one clears the other, whether the user or the program ticks it.
class PrintScreen : public FramelessWindow
{
    Q_OBJECT
public:
    static constexpr QSize ClientSize{383, 526};

    PrintScreen(AppState &state, const PrintServices &services, QWidget *parent = nullptr);

    // Clears Check2 to Check4, or Check5 to Check18, with the clearing flag set so that the
    // boxes' own notifications do nothing meanwhile.
    void ClearRelativeGroup();
    void ClearFixedGroup();

    // The ticks as they stand, [1] .. [18].
    PrintBoxes Boxes() const;
    // How the pages show the chart, as the boxes stand.
    PageChoices Choices() const;

    // Check1 the step shown (always ticked), Check2 three hours after, Check3 three hours
    // before, Check4 every half hour; Check5 .. Check17 the whole hours -6 .. +6; Check18 the
    // half hours towards high water.
    PictureCheckBox *Check1 = nullptr;
    PictureCheckBox *Check2 = nullptr;
    PictureCheckBox *Check3 = nullptr;
    PictureCheckBox *Check4 = nullptr;
    PictureCheckBox *Check5 = nullptr;
    PictureCheckBox *Check6 = nullptr;
    PictureCheckBox *Check7 = nullptr;
    PictureCheckBox *Check8 = nullptr;
    PictureCheckBox *Check9 = nullptr;
    PictureCheckBox *Check10 = nullptr;
    PictureCheckBox *Check11 = nullptr;
    PictureCheckBox *Check12 = nullptr;
    PictureCheckBox *Check13 = nullptr;
    PictureCheckBox *Check14 = nullptr;
    PictureCheckBox *Check15 = nullptr;
    PictureCheckBox *Check16 = nullptr;
    PictureCheckBox *Check17 = nullptr;
    PictureCheckBox *Check18 = nullptr;
    // Beside the eighteen boxes: all thirteen hours at once; how the pages show the chart; the
    // steps saved as pictures of a chosen width.
    PictureCheckBox *allhours = nullptr;
    PictureCheckBox *fitpage = nullptr;
    PictureCheckBox *wholechart = nullptr;
    QSpinBox *picturewidth = nullptr;
    PictureButton *savepictures = nullptr;
    PictureButton *printb = nullptr;
    PictureButton *cancel = nullptr;
    PictureButton *closebutton = nullptr;

    // The box of a number 1..18.
    PictureCheckBox *Check(int number) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void RelativeBoxClicked();
    void FixedBoxClicked();
    // The print button: runs the print, then closes unless no option was chosen.
    void printb_Click();
    // Save pictures: asks for a folder and saves the chosen steps there.
    void savepictures_Click();
    void AllHoursClicked(bool all);
    // Runs work with the buttons that could start another run or close the window disabled.
    void WhileRunning(const std::function<void()> &work);

    AppState &state_;
    PrintServices services_;
    std::array<PictureCheckBox *, 19> checks_{}; // [1..18]
    bool clearing_ = false;
    bool printing_ = false;
};

// The main window's print button: the print window modally over the main window. Whatever
// happens in it, the main window shows the same step, zoom and scroll afterwards.
void OpenPrintWindow(QWidget &mainWindow, AppState &state, const PrintServices &services);

// The print window's background: title band, the captions of the two options.
QPixmap PaintPrintBackground();

} // namespace brenlow
