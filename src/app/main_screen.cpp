#include "app/main_screen.h"

#include "app/startup.h"
#include "core/program_info.h"
#include "options/options_window.h"
#include "platform/chart_surface_widget.h"
#include "platform/clock.h"
#include "platform/picture_button.h"
#include "platform/please_wait_window.h"
#include "platform/rich_text_panel.h"
#include "tide/present_step.h"

#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

namespace brenlow {
namespace {

constexpr QSize ClientSize(797, 601);
constexpr int ClockIntervalMs = 1000;

// Palette of the window's own artwork.
const QColor Navy(0x12, 0x2b, 0x4a);
const QColor Teal(0x1f, 0x6f, 0x8b);
const QColor Panel(0xe4, 0xee, 0xf3);

QLabel *MakeLabel(QWidget *parent, const QRect &geometry, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    QFont font = label->font();
    font.setPixelSize(10); // eight characters of "hh:mm:ss" fit the 44-pixel labels
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

PictureButton *MakeButton(QWidget *parent, ButtonArt art, const QRect &geometry,
                          const QString &tooltip)
{
    auto *button = new PictureButton(art, parent);
    button->setGeometry(geometry);
    if (!tooltip.isEmpty())
        button->setToolTip(tooltip);
    return button;
}

} // namespace

MainScreen::MainScreen(AppState &state, AppServices &services, QWidget *parent)
    : FramelessWindow(ClientSize, parent), state_(state), services_(services)
{
    setWindowTitle(QString::fromLatin1(ProgramTitle));

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
    Label1->setStyleSheet(QStringLiteral("color: white;"));
    showinghw = MakeLabel(this, QRect(443, 68, 34, 13), QStringLiteral("+3.5"));
    showinghw->setToolTip(QStringLiteral("CLICK for JUMP TO"));
    showingtime = MakeLabel(this, QRect(373, 69, 44, 13), QStringLiteral("00:00:00"));
    timenow = MakeLabel(this, QRect(722, 55, 44, 13), QString());
    highwater = MakeLabel(this, QRect(722, 69, 45, 13), QStringLiteral("00:00:00"));

    zoomout = MakeButton(this, ButtonArt::ZoomOut, QRect(26, 44, 49, 45),
                         QStringLiteral("Zoom out by 200%"));
    hand = MakeButton(this, ButtonArt::Hand, QRect(79, 44, 46, 44),
                      QStringLiteral("Select Pan mode to scroll around map"));
    zoomin = MakeButton(this, ButtonArt::ZoomIn, QRect(131, 43, 46, 44),
                        QStringLiteral("Zoom in by 200%"));
    skipleft = MakeButton(this, ButtonArt::Back, QRect(196, 46, 51, 42),
                          QStringLiteral("Previous HW time in 30 minuites"));
    shownow = MakeButton(this, ButtonArt::Now, QRect(250, 44, 50, 43),
                         QStringLiteral("Goto HW at current time"));
    skipright = MakeButton(this, ButtonArt::Forward, QRect(305, 45, 50, 44),
                           QStringLiteral("Next HW time in 30 minuites"));
    play = MakeButton(this, ButtonArt::Play, QRect(483, 44, 50, 43),
                      QStringLiteral("Play HW animation in 30 minuite steps"));
    StopButton = MakeButton(this, ButtonArt::Stop, QRect(483, 44, 50, 45), QString());
    StopButton->hide();
    printbt =
        MakeButton(this, ButtonArt::Print, QRect(551, 46, 50, 42), QStringLiteral("Print window"));
    options = MakeButton(this, ButtonArt::Options, QRect(604, 46, 49, 42),
                         QStringLiteral("Options window"));
    helpbutton = MakeButton(this, ButtonArt::Help, QRect(648, 16, 42, 15),
                            QStringLiteral("Help toggle button"));
    minimise =
        MakeButton(this, ButtonArt::Minimise, QRect(705, 14, 25, 17), QStringLiteral("Minimise"));
    closebutton =
        MakeButton(this, ButtonArt::Close, QRect(731, 14, 23, 18), QStringLiteral("Close Brenlow"));

    Timer1 = new QTimer(this);
    Timer1->setInterval(ClockIntervalMs);
    Timer2 = new QTimer(this);

    connect(closebutton, &PictureButton::clicked, this, &MainScreen::closebutton_Click);
    connect(minimise, &PictureButton::clicked, this, &MainScreen::minimise_Click);
    connect(options, &PictureButton::clicked, this, &MainScreen::options_Click);
    connect(shownow, &PictureButton::clicked, this,
            [this] { ShowNowClicked(state_, services_.Clock, *this, services_.Messages); });
    connect(Timer1, &QTimer::timeout, this, &MainScreen::ClockTick);

    PlaceCentredOnScreen();
}

MainScreen::~MainScreen() = default;

bool MainScreen::Load()
{
    try {
        RunStartupSequence(state_, services_, *RB1, *this);
    } catch (const AppError &error) {
        FatalErrorReport(error, services_.Messages);
        return false;
    } catch (const std::exception &error) {
        // Anything else that stops start-up is reported the same way.
        FatalErrorReport(
            AppError(ErrorNumber::InternalError,
                     QStringLiteral("Internal error: %1").arg(QString::fromLocal8Bit(error.what())),
                     QString::fromLatin1(ProgramTitle)),
            services_.Messages);
        return false;
    }
    Timer1->start();
    ClearDrag();
    return true;
}

ImageSurface &MainScreen::Surface()
{
    return *IB1;
}

TimeLabels &MainScreen::Labels()
{
    return *this;
}

bool MainScreen::IsShown() const
{
    return isVisible();
}

void MainScreen::ShowPleaseWait()
{
    if (!pleaseWait_)
        pleaseWait_ = std::make_unique<PleaseWaitWindow>();
    pleaseWait_->ShowOver(*this);
}

void MainScreen::ClosePleaseWait()
{
    pleaseWait_.reset();
}

void MainScreen::SetShowingHw(const QString &caption)
{
    showinghw->setText(caption);
}

void MainScreen::SetShowingTime(const QString &caption)
{
    showingtime->setText(caption);
}

void MainScreen::SetHighWater(const QString &caption)
{
    highwater->setText(caption);
}

void MainScreen::options_Click()
{
    OpenOptionsWindow(
        *this, *this, state_,
        OptionsServices{services_.Settings, services_.Program, services_.Messages, webBrowser_});
}

void MainScreen::ClockTick()
{
    timenow->setText(services_.Clock.TimeOfDay().toString(QStringLiteral("HH:mm:ss")));
}

bool MainScreen::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Label1->setText(VersionText());
    return QWidget::event(event);
}

void MainScreen::paintEvent(QPaintEvent *)
{
    // The window's own background: title band, tool band and a frame round the chart.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Panel);

    QLinearGradient band(0, 0, 0, 40);
    band.setColorAt(0, Teal);
    band.setColorAt(1, Navy);
    painter.fillRect(QRect(0, 0, width(), 40), band);

    QFont titleFont(QStringLiteral("Liberation Serif"));
    titleFont.setPixelSize(22);
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(Qt::white);
    painter.drawText(QRect(14, 6, 170, 28), Qt::AlignVCenter | Qt::AlignLeft,
                     QString::fromLatin1(ProgramTitle));

    QFont captionFont(QStringLiteral("Liberation Sans"));
    captionFont.setPixelSize(10);
    painter.setFont(captionFont);
    painter.setPen(Navy);
    painter.drawText(QRect(365, 54, 60, 13), Qt::AlignCenter, QStringLiteral("Stream time"));
    painter.drawText(QRect(430, 54, 60, 13), Qt::AlignCenter, QStringLiteral("From HW"));
    painter.drawText(QRect(664, 55, 56, 13), Qt::AlignVCenter | Qt::AlignRight,
                     QStringLiteral("Time now"));
    painter.drawText(QRect(664, 69, 56, 13), Qt::AlignVCenter | Qt::AlignRight,
                     QStringLiteral("High water"));

    painter.setPen(QPen(Navy, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(9, 96, 783, 500));
    painter.setPen(QPen(Navy, 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace brenlow
