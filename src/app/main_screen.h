#pragma once

#include "platform/browser.h"
#include "platform/frameless_window.h"
#include "render/step_view.h"

#include <cstdint>
#include <memory>

class QLabel;
class QTimer;

namespace brenlow {

struct AppServices;
struct AppState;
class ChartSurfaceWidget;
class PictureButton;
class PleaseWaitWindow;
class RichTextPanel;

// The main window: the chart surface with its arrows, the time labels and the buttons.
class MainScreen : public FramelessWindow, public StepView, private TimeLabels
{
    Q_OBJECT
public:
    MainScreen(AppState &state, AppServices &services, QWidget *parent = nullptr);
    ~MainScreen() override;

    // Runs the start-up sequence before the window is first shown. On failure shows the fatal
    // report and returns false; the window must then be closed without being shown.
    bool Load();

    // StepView
    ImageSurface &Surface() override;
    TimeLabels &Labels() override;
    bool IsShown() const override;
    void ShowPleaseWait() override;
    void ClosePleaseWait() override;

    // Controls, named as the program names them.
    ChartSurfaceWidget *IB1 = nullptr;
    RichTextPanel *RB1 = nullptr;
    RichTextPanel *RichTextBox1 = nullptr;
    QLabel *Label1 = nullptr;
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
    PictureButton *helpbutton = nullptr;
    PictureButton *minimise = nullptr;
    PictureButton *closebutton = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;

    // Form-level pointer and animation state.
    std::int16_t playing = 0;     // -1 while the animation runs
    std::int16_t mouse_state = 0; // 0 normal, 1 pan mode, 17 dragging
    std::int32_t mouse_x = 0;     // view pixels at the previous drag step
    std::int32_t mouse_y = 0;
    std::int32_t dragtimer = 0; // clock ticks left before an idle pan mode ends

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // TimeLabels
    void SetShowingHw(const QString &caption) override;
    void SetShowingTime(const QString &caption) override;
    void SetHighWater(const QString &caption) override;

    void ClockTick();
    void options_Click();

    AppState &state_;
    AppServices &services_;
    std::unique_ptr<PleaseWaitWindow> pleaseWait_;
    XdgBrowser webBrowser_; // the user's browser, for the options window's links
};

} // namespace brenlow
