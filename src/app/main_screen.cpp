#include "app/main_screen.h"

#include "anim/animation_player.h"
#include "app/main_step_view.h"
#include "app/startup.h"
#include "app/tide_label_sweep.h"
#include "core/app_state.h"
#include "core/program_info.h"
#include "options/day_high_waters.h"
#include "options/options_window.h"
#include "options/stored_options.h"
#include "plan/passage_planning.h"
#include "platform/chart_surface_widget.h"
#include "platform/house_style.h"
#include "platform/picture_button.h"
#include "platform/rich_text_panel.h"
#include "platform/surface_printer.h"
#include "print/print_window.h"
#include "render/redraw.h"
#include "tide/clock_tick.h"
#include "tide/high_water_in_use.h"
#include "tide/jump_list_window.h"
#include "tide/present_step.h"
#include "tide/step_conventions.h"
#include "tide/step_navigation.h"
#include "view/chart_input.h"
#include "view/map_window.h"
#include "view/station_info.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QStringList>
#include <QTimer>
#include <QToolTip>

#include <algorithm>

namespace brenlow {
namespace {

constexpr QSize ClientSize(797, 601);
constexpr int ClockIntervalMs = 1000;

// The time labels' values, and their captions drawn on the background clear of the labels and
// the buttons (the play button starts at x 483).
constexpr int ValuePixels = 10; // eight characters of "hh:mm:ss" fit the 44-pixel labels
constexpr int CaptionPixels = 9;
constexpr QRect StreamTimeCaption(365, 54, 60, 13); // over showingtime
constexpr QRect FromHwCaption(432, 54, 50, 13);     // over showinghw
constexpr QRect TimeNowCaption(640, 55, 76, 13);    // left of timenow, ending 6 pixels short
constexpr QRect HighWaterCaption(640, 69, 76, 13);  // left of highwater

// The day and the high water in use, in the title band between the version label (which ends
// at x 387) and the help button (x 648): one line, and a second for a notice.
// Between the version label and the planner's button (596).
constexpr QRect DayTideGeometry(392, 7, 200, 30);
constexpr int DayTidePixels = 10;

QLabel *MakeLabel(QWidget *parent, const QRect &geometry, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    QFont font = label->font();
    font.setPixelSize(ValuePixels);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// A 12-hour clock's "10:48:05 PM" is wider than the 24-hour text the labels are sized for: the
// face shrinks until the text fits, never below a readable size.
void SetFittingText(QLabel &label, const QString &text)
{
    constexpr int SmallestPixels = 7;
    QFont font = label.font();
    int pixels = ValuePixels;
    for (; pixels > SmallestPixels; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(text) <= label.width())
            break;
    }
    font.setPixelSize(pixels);
    label.setFont(font);
    label.setText(text);
}

} // namespace

MainScreen::MainScreen(AppState &state, AppServices &services, QWidget *parent)
    : FramelessWindow(ClientSize, parent), state_(state), services_(services)
{
    setWindowTitle(QString::fromLatin1(ProgramTitle));
    // The colours the user last chose, for the whole program from its first window on.
    HouseStyle::Instance().SetScheme(ReadNightColours(services_.Settings, services_.Program.AppName)
                                         ? ColourScheme::Night
                                         : ColourScheme::Day);
    LayOutControls();
    AllowResizing(ClientSize);

    highWaters_ =
        std::make_unique<DayHighWaters>(services_.Settings, services_.Program, services_.Clock);
    view_ = std::make_unique<MainStepView>(*this, *IB1, *showinghw, *showingtime, *highwater,
                                           services_.Printer, [this] { ShowDayTide(); });
    clock_ = std::make_unique<ClockTick>(
        services_.Clock, [this](const QString &time) { SetFittingText(*timenow, time); });
    player_ =
        std::make_unique<AnimationPlayer>(state_, services_.Program, *view_, services_.Messages,
                                          *Timer2, [this](bool playing) { ShowPlaying(playing); });
    redraw_ = std::make_unique<StepRedraw>(state_, *view_, services_.Messages);
    navigator_ = std::make_unique<StepNavigator>(state_, *redraw_, *player_);
    input_ = std::make_unique<ChartInput>(
        state_, *IB1, *this, services_.Pointers, services_.Program,
        PointerPanels{[this](std::int32_t station) {
                          const StationRecord &record =
                              state_.StationTable[static_cast<std::size_t>(station)];
                          RichTextBox1->SetRtf(StationInfoRtf(record));
                          // Over the tool band's buttons and labels, made after it.
                          RichTextBox1->raise();
                          RichTextBox1->show();
                      },
                      [this] { RichTextBox1->hide(); }, [this] { ShowMapWindow(); }},
        [this](RouteChange change) {
            if (planning_)
                planning_->RouteChanged(change);
        });
    planning_ = std::make_unique<PassagePlanning>(
        state_,
        PlanningServices{services_.Program, services_.Messages, services_.Clock, services_.Files},
        PlanningViews{*this, *IB1, *input_, *view_, view_->Printer()},
        [this](bool on) { planbutton->setChecked(on); });
    clock_->SetPanCountdown([this] { input_->Modes().PanTimerTick(); });
    labelSweep_ = std::make_unique<TideLabelSweep>(state_);
    IB1->SetLabelSweepSource([this] { return labelSweep_->Current(); });
    view_->Printer().SetLabelSweepSource([this] { return labelSweep_->Current(); });
    ApplyStoredPalette();
    connect(&HouseStyle::Instance(), &HouseStyle::SchemeChanged, this,
            &MainScreen::ApplyStoredPalette);
    clock_->SetDayWatch([this] { FollowDay(); });
    ConnectControls();
    ConnectKeys();
    const QScreen *screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr)
        PlaceInside(screen->availableGeometry());
}

MainScreen::~MainScreen() = default;

void MainScreen::LayOutControls()
{
    IB1 = new ChartSurfaceWidget(this);
    IB1->setGeometry(11, 98, 780, 497);
    RB1 = new RichTextPanel(this);
    RB1->setGeometry(18, 101, 763, 487);
    RB1->setToolTip(QStringLiteral("Brenlow FAQ"));
    RB1->hide();
    RichTextBox1 = new RichTextPanel(this);
    RichTextBox1->setGeometry(187, 14, 354, 83);
    RichTextBox1->hide();

    Label1 = MakeLabel(this, QRect(182, 14, 205, 19), QString());
    daytide = new QLabel(this);
    daytide->setObjectName(QStringLiteral("daytide"));
    daytide->setGeometry(DayTideGeometry);
    daytide->setFont(House::Font(DayTidePixels));
    daytide->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The version and the day are written on the title band, in its ink.
    HouseStyle::Follow(this, [this] {
        const QString ink = QStringLiteral("color: %1;").arg(House::Now().TitleInk.name());
        Label1->setStyleSheet(ink);
        daytide->setStyleSheet(ink);
    });
    // The title band drags the window over the label too; its tooltip comes from the window.
    daytide->setAttribute(Qt::WA_TransparentForMouseEvents);
    showinghw = MakeLabel(this, QRect(443, 68, 34, 13), QStringLiteral("+3.5"));
    showinghw->setToolTip(QStringLiteral("CLICK for JUMP TO"));
    showingtime = MakeLabel(this, QRect(373, 69, 44, 13), QStringLiteral("00:00:00"));
    timenow = MakeLabel(this, QRect(722, 55, 44, 13), QString());
    highwater = MakeLabel(this, QRect(722, 69, 45, 13), QStringLiteral("00:00:00"));

    zoomout = AddPictureButton(ButtonArt::ZoomOut, QRect(26, 44, 49, 45),
                               QStringLiteral("Zoom out by 200%"));
    hand = AddPictureButton(ButtonArt::Hand, QRect(79, 44, 46, 44),
                            QStringLiteral("Select Pan mode to scroll around map"));
    zoomin = AddPictureButton(ButtonArt::ZoomIn, QRect(131, 43, 46, 44),
                              QStringLiteral("Zoom in by 200%"));
    skipleft = AddPictureButton(ButtonArt::Back, QRect(196, 46, 51, 42),
                                QStringLiteral("Previous HW time in 30 minuites"));
    shownow = AddPictureButton(ButtonArt::Now, QRect(250, 44, 50, 43),
                               QStringLiteral("Goto HW at current time"));
    skipright = AddPictureButton(ButtonArt::Forward, QRect(305, 45, 50, 44),
                                 QStringLiteral("Next HW time in 30 minuites"));
    play = AddPictureButton(ButtonArt::Play, QRect(483, 44, 50, 43),
                            QStringLiteral("Play HW animation in 30 minuite steps"));
    StopButton = AddPictureButton(ButtonArt::Stop, QRect(483, 44, 50, 45), QString());
    StopButton->hide();
    printbt =
        AddPictureButton(ButtonArt::Print, QRect(551, 46, 50, 42), QStringLiteral("Print window"));
    options = AddPictureButton(ButtonArt::Options, QRect(604, 46, 49, 42),
                               QStringLiteral("Options window"));
    // In the title band left of the help button, clear of the labels before x 590.
    planbutton = AddPictureButton(ButtonArt::Route, QRect(596, 16, 46, 15),
                                  QStringLiteral("Passage planner: plan mode on or off (P)"));
    planbutton->setCheckable(true);
    helpbutton = AddPictureButton(ButtonArt::Help, QRect(648, 16, 42, 15),
                                  QStringLiteral("Help toggle button"));
    minimise =
        AddPictureButton(ButtonArt::Minimise, QRect(705, 14, 25, 17), QStringLiteral("Minimise"));
    closebutton =
        AddPictureButton(ButtonArt::Close, QRect(731, 14, 23, 18), QStringLiteral("Close Brenlow"));

    Timer1 = new QTimer(this);
    Timer1->setInterval(ClockIntervalMs);
    Timer2 = new QTimer(this); // its interval is set when the animation starts
}

void MainScreen::ConnectControls()
{
    connect(closebutton, &PictureButton::clicked, this, &MainScreen::closebutton_Click);
    connect(minimise, &PictureButton::clicked, this, &MainScreen::minimise_Click);
    connect(options, &PictureButton::clicked, this, [this] {
        OpenOptionsWindow(*this, *view_, state_,
                          OptionsServices{services_.Settings, services_.Program, services_.Messages,
                                          webBrowser_, *highWaters_});
        ApplyStoredPalette();
        ShowDayTide(); // also when the redraw failed
        // The high waters typed there are the plan's on today.
        planning_->Refresh();
    });
    connect(printbt, &PictureButton::clicked, this, &MainScreen::OpenPrintWindow);
    connect(shownow, &PictureButton::clicked, this,
            [this] { ShowNowClicked(state_, services_.Clock, *redraw_, services_.Messages); });
    connect(zoomin, &PictureButton::clicked, this, [this] { input_->ZoomIn(); });
    connect(zoomout, &PictureButton::clicked, this, [this] { input_->ZoomOut(); });
    connect(hand, &PictureButton::clicked, this, [this] { input_->Modes().TogglePanMode(); });
    connect(helpbutton, &PictureButton::clicked, this, &MainScreen::ToggleHelp);
    connect(planbutton, &PictureButton::clicked, this, [this] { planning_->TogglePlanMode(); });
    connect(skipleft, &PictureButton::clicked, this, [this] { navigator_->SkipLeft(); });
    connect(skipright, &PictureButton::clicked, this, [this] { navigator_->SkipRight(); });
    showinghw->installEventFilter(this);
    connect(play, &PictureButton::clicked, this, [this] { player_->StartAnimation(); });
    connect(StopButton, &PictureButton::clicked, this, [this] { player_->StopAnimation(); });
    connect(Timer1, &QTimer::timeout, this, [this] { clock_->Tick(); });
    connect(Timer2, &QTimer::timeout, this, [this] { player_->AnimationTick(); });
}

// Keys act as their buttons whenever the main window is active, whatever has the focus: the
// arrows step (not while the animation plays), Home goes to the present step, Space plays
// and stops, P switches plan mode, N the night colours. The zoom keys and Delete belong to the
// chart's input.
void MainScreen::ConnectKeys()
{
    const auto onKey = [this](Qt::Key key, auto action) {
        auto *shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    onKey(Qt::Key_Left, [this] { navigator_->SkipLeft(); });
    onKey(Qt::Key_Right, [this] { navigator_->SkipRight(); });
    onKey(Qt::Key_Home, [this] { shownow->click(); });
    onKey(Qt::Key_P, [this] { planning_->TogglePlanMode(); });
    onKey(Qt::Key_N, [this] {
        UseNightColours(!House::IsNight(), services_.Settings, services_.Program.AppName,
                        services_.Messages);
    });
    onKey(Qt::Key_Space, [this] {
        if (player_->Playing())
            player_->StopAnimation();
        else
            player_->StartAnimation();
    });
}

void MainScreen::ShowPlaying(bool playing)
{
    printbt->setEnabled(!playing);
    play->setVisible(!playing);
    StopButton->setVisible(playing);
}

void MainScreen::ShowDayTide()
{
    // The day and the high water on a line each where one line would not fit; a notice takes
    // the second line. Each line is cut to the label's width; the tooltip holds them whole.
    const QFontMetrics metrics(daytide->font());
    const QString whole = DayTideText(state_);
    QStringList lines{whole};
    if (!state_.HighWaterDay.PredictionNotice.isEmpty())
        lines << QStringLiteral("no prediction: ") + state_.HighWaterDay.PredictionNotice;
    else if (metrics.horizontalAdvance(whole) > daytide->width())
        lines = whole.split(QStringLiteral(" \u00b7 "));
    QStringList shown;
    for (const QString &line : lines)
        shown << metrics.elidedText(line, Qt::ElideRight, daytide->width());
    daytide->setText(shown.join(QLatin1Char('\n')));
    daytide->setToolTip(lines.join(QLatin1Char('\n')));
}

void MainScreen::FollowDay()
{
    const QDate before = state_.HighWaterDay.Date;
    if (highWaters_->FollowDay(state_)) {
        // The chart's time labels follow the new high waters; the step stays.
        redraw_->RedrawOrReport(
            ShownStep{state_.CurrentStep, OneSidedTide(state_, state_.SecondTideActive)},
            RedrawWay{.KeepView = true, .PleaseWait = false});
    }
    if (state_.HighWaterDay.Date != before)
        ShowDayTide();
}

void MainScreen::showinghw_Click()
{
    if (!jumpList_)
        jumpList_ = new hwselect(*this, *view_, *navigator_);
    jumpList_->ShowList();
}

void MainScreen::ToggleHelp()
{
    // The help panel takes the chart's place; zoom and scroll stay as they are.
    const bool help = !RB1->isVisible();
    RB1->setVisible(help);
    IB1->setVisible(!help);
}

void MainScreen::OpenPrintWindow()
{
    // The print run shows each step on this window's chart and puts the saved one back.
    brenlow::OpenPrintWindow(*this, state_,
                             PrintServices{*view_, view_->Printing(), services_.Messages,
                                           view_->Printer(), services_.Files, services_.Settings,
                                           services_.Program.AppName});
}

void MainScreen::ShowMapWindow()
{
    const std::size_t spot = static_cast<std::size_t>(state_.MapPictureSpot);
    if (spot >= state_.PictureSpotTable.size())
        return;
    Map map(services_.Program, state_.PictureSpotTable[spot], this);
    map.PlaceCentredOver(*this);
    map.ShowModal(); // the main window's timers go on meanwhile
}

bool MainScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == showinghw && event->type() == QEvent::MouseButtonRelease
        && showinghw->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint()))
        showinghw_Click();
    return FramelessWindow::eventFilter(watched, event);
}

bool MainScreen::Load()
{
    if (!RunStartup(state_, services_, *highWaters_, *RB1, *view_))
        return false;
    ShowDayTide();
    Timer1->start();
    ClearDrag();
    return true;
}

StepView &MainScreen::View()
{
    return *view_;
}

AnimationPlayer &MainScreen::Player()
{
    return *player_;
}

ClockTick &MainScreen::Clock()
{
    return *clock_;
}

PointerModes &MainScreen::Pointer()
{
    return input_->Modes();
}

SurfacePrinting &MainScreen::Printing()
{
    return view_->Printing();
}

hwselect *MainScreen::JumpList() const
{
    return jumpList_;
}

void MainScreen::PlaceInside(const QRect &available)
{
    const QSize wanted =
        ReadWindowSize(services_.Settings, services_.Program.AppName).value_or(ClientSize);
    setMinimumSize(ClientSize.boundedTo(available.size()));
    resize(FittedWindowSize(wanted, ClientSize, available.size()));
    FollowSize(); // a hidden window hears of its size only when shown
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(available.center());
    move(frame.topLeft());
}

void MainScreen::ApplyStoredPalette()
{
    // At night the arrows are told apart by lightness, which serves colour-blind eyes as well.
    if (House::IsNight())
        IB1->SetArrowPalette(ArrowPalette::Night);
    else if (ReadColourBlindPalette(services_.Settings, services_.Program.AppName))
        IB1->SetArrowPalette(ArrowPalette::ColourBlindSafe);
    else
        IB1->SetArrowPalette(ArrowPalette::Standard);
}

void MainScreen::FollowSize()
{
    const QSize grown = size() - ClientSize;
    IB1->setGeometry(11, 98, std::max(1, 780 + grown.width()), std::max(1, 497 + grown.height()));
    RB1->setGeometry(18, 101, std::max(1, 763 + grown.width()), std::max(1, 487 + grown.height()));
    const int pulledIn = std::min(0, grown.width());
    helpbutton->move(648 + pulledIn, 16);
    minimise->move(705 + pulledIn, 14);
    closebutton->move(731 + pulledIn, 14);
}

void MainScreen::resizeEvent(QResizeEvent *event)
{
    FramelessWindow::resizeEvent(event);
    FollowSize();
}

void MainScreen::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    const ColourScheme scheme = HouseStyle::Instance().Scheme();
    if (background_.isNull() || background_.deviceIndependentSize().toSize() != size()
        || background_.devicePixelRatio() != ratio || backgroundScheme_ != scheme) {
        background_ = PaintMainScreenBackground(size(), ratio);
        backgroundScheme_ = scheme;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

void MainScreen::closeEvent(QCloseEvent *event)
{
    // The size is kept once the user has made it differ from the window's own.
    const QSize shown = size();
    if (shown != ClientSize || ReadWindowSize(services_.Settings, services_.Program.AppName))
        WriteWindowSize(services_.Settings, services_.Program.AppName, shown);
    FramelessWindow::closeEvent(event);
}

PassagePlanning &MainScreen::Planning()
{
    return *planning_;
}

bool MainScreen::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Label1->setText(VersionText());
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        if (daytide->geometry().contains(help->pos())) {
            QToolTip::showText(help->globalPos(), daytide->toolTip(), this, daytide->geometry());
            return true;
        }
    }
    return FramelessWindow::event(event);
}

QPixmap PaintMainScreenBackground(QSize size, qreal pixelRatio)
{
    QPixmap picture(size * pixelRatio);
    picture.setDevicePixelRatio(pixelRatio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const House::Colours &colours = House::Now();
    const QRect whole(QPoint(0, 0), size);
    painter.fillRect(whole, colours.Panel);

    QLinearGradient band(0, 0, 0, 40);
    band.setColorAt(0, colours.ToolBandTop);
    band.setColorAt(1, colours.BandBottom);
    painter.fillRect(QRect(0, 0, size.width(), 40), band);

    // The same sans serif face as every other window of the program.
    painter.setFont(House::Font(22, true));
    painter.setPen(colours.TitleInk);
    painter.drawText(QRect(14, 6, 170, 28), Qt::AlignVCenter | Qt::AlignLeft,
                     QString::fromLatin1(ProgramTitle));

    painter.setFont(House::Font(CaptionPixels));
    painter.setPen(colours.Ink);
    painter.drawText(StreamTimeCaption, Qt::AlignCenter, QStringLiteral("Stream time"));
    painter.drawText(FromHwCaption, Qt::AlignCenter, QStringLiteral("From HW"));
    painter.drawText(TimeNowCaption, Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("Time now"));
    painter.drawText(HighWaterCaption, Qt::AlignVCenter | Qt::AlignRight,
                     QStringLiteral("High water"));

    // The frame round the chart follows the chart view as the window grows.
    const QSize grown = size - ClientSize;
    painter.setPen(QPen(colours.Frame, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(9, 96, 783 + grown.width(), 500 + grown.height()));
    painter.setPen(QPen(colours.Frame, 1));
    painter.drawRect(QRectF(whole).adjusted(0.5, 0.5, -0.5, -0.5));
    return picture;
}

} // namespace brenlow
