#pragma once

#include "platform/browser.h"
#include "platform/frameless_window.h"
#include "platform/house_style.h"

#include <QPointer>

#include <memory>

class QLabel;
class QTimer;

namespace brenlow {

struct AppServices;
struct AppState;
class AnimationPlayer;
class ChartInput;
class ChartSurfaceWidget;
class ClockTick;
class DayHighWaters;
class hwselect;
class MainStepView;
class PassagePlanning;
class PictureButton;
class PointerModes;
class RichTextPanel;
class StepNavigator;
class StepRedraw;
class StepView;
class SurfacePrinting;
class TideLabelSweep;

// The main window: lays out the chart surface, the panels, the time labels and the buttons
// under their names, and connects them to the features that own the program's behaviour.
class MainScreen : public FramelessWindow
{
    Q_OBJECT
public:
    MainScreen(AppState &state, AppServices &services, QWidget *parent = nullptr);
    ~MainScreen() override;

    // Runs the start-up sequence before the window is first shown. On failure shows the fatal
    // report and returns false; the window must then be closed without being shown.
    bool Load();

    // The window's side of showing a step: chart surface, time labels, please-wait window.
    StepView &View();
    // The features the window connects.
    AnimationPlayer &Player();
    ClockTick &Clock();
    PointerModes &Pointer();
    // The chart surface's printing group.
    SurfacePrinting &Printing();
    // The jump list while it is open, else null.
    hwselect *JumpList() const;
    // The passage planner on the chart.
    PassagePlanning &Planning();

    // Sizes the window for a screen whose available area is available (pixels) and centres it
    // there: the size last used, else the window's own, never outside the area; the window may
    // be made smaller than its own size only where the area is.
    void PlaceInside(const QRect &available);
    // The chart's arrows in the palette the settings hold, or the night's.
    void ApplyStoredPalette();

    // Controls, named as the program names them.
    ChartSurfaceWidget *IB1 = nullptr;
    RichTextPanel *RB1 = nullptr;
    RichTextPanel *RichTextBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *daytide = nullptr; // the date and the high water in use, in the title band
    QLabel *showinghw = nullptr;
    QLabel *showingtime = nullptr;
    QLabel *timenow = nullptr;
    QLabel *highwater = nullptr;
    PictureButton *zoomout = nullptr;
    PictureButton *hand = nullptr;
    PictureButton *zoomin = nullptr;
    PictureButton *skipleft = nullptr;
    PictureButton *shownow = nullptr;
    PictureButton *skipright = nullptr;
    PictureButton *play = nullptr;
    PictureButton *StopButton = nullptr;
    PictureButton *printbt = nullptr;
    PictureButton *options = nullptr;
    PictureButton *planbutton = nullptr; // plan mode on and off, beside the help button
    PictureButton *helpbutton = nullptr;
    PictureButton *minimise = nullptr;
    PictureButton *closebutton = nullptr;
    QTimer *Timer1 = nullptr; // the clock, every second
    QTimer *Timer2 = nullptr; // the animation's frames

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void LayOutControls();
    // Past the window's own size the chart view and the help panel take the room; below it
    // (only on a screen too small for it) the chrome buttons keep to the right edge.
    void FollowSize();
    void ConnectControls();
    void ConnectKeys();
    void ShowPlaying(bool playing);
    void ShowDayTide();
    void FollowDay();
    void showinghw_Click();
    void ToggleHelp();
    void ShowMapWindow();
    void OpenPrintWindow();

    AppState &state_;
    AppServices &services_;
    std::unique_ptr<DayHighWaters> highWaters_;
    std::unique_ptr<MainStepView> view_;
    std::unique_ptr<ClockTick> clock_;
    std::unique_ptr<AnimationPlayer> player_;
    std::unique_ptr<StepRedraw> redraw_;
    std::unique_ptr<StepNavigator> navigator_;
    std::unique_ptr<ChartInput> input_;
    std::unique_ptr<TideLabelSweep> labelSweep_;
    std::unique_ptr<PassagePlanning> planning_;
    QPointer<hwselect> jumpList_;
    QPixmap background_; // at the window's size, the screen's pixel ratio, in the scheme
    ColourScheme backgroundScheme_ = ColourScheme::Day;
    XdgBrowser webBrowser_; // the user's browser, for the options window's links
};

// The main window's background at size (pixels) for a screen of pixelRatio: title band, tool
// band with the captions of the time labels, and a frame round the chart. The title and the
// captions are drawn as text at the device's resolution.
QPixmap PaintMainScreenBackground(QSize size, qreal pixelRatio);

} // namespace brenlow
