#include "options/options_window.h"

#include "core/app_error.h"
#include "core/app_state.h"
#include "core/program_info.h"
#include "data/config_window.h"
#include "options/option_checks.h"
#include "options/web_links.h"
#include "platform/message_boxes.h"
#include "platform/settings_store.h"
#include "render/chart_surface.h"
#include "render/flow_renderer.h"
#include "render/step_view.h"

#include <QLineEdit>
#include <QPainter>
#include <QSlider>

#include <array>
#include <cmath>

namespace brenlow {
namespace {

constexpr char Section[] = "config";
constexpr int SlowestSpeed = 1;
constexpr int FastestSpeed = 4;

// Window pixels of the inputs and their captions.
constexpr int CaptionLeft = 24;
constexpr int InputLeft = 214;
constexpr int InputWidth = 140;
constexpr int InputHeight = 22;
constexpr std::array<int, 5> InputTops = {70, 102, 150, 182, 230};
constexpr int SpeedTop = 276;
constexpr int LinksTop = 420;
constexpr std::array<int, 4> LinkLefts = {26, 112, 198, 284};
constexpr QSize LinkSize{72, 40};

const std::array<const char *, 5> InputCaptions = {
    "First high water (hh:mm)",     "Second high water (hh:mm)", "First high water height (m)",
    "Second high water height (m)", "Barometric pressure (mb)",
};
const std::array<const char *, 4> LinkCaptions = {"Download", "Home page", "Feedback", "Resources"};
const std::array<const char *, 4> LinkTooltips = {"Brenlow download page", "Brenlow home page",
                                                  "Send us your feedback",
                                                  "Brenlow customer resources"};

// A stored speed as a slider position: the nearest whole number (halves to even), kept
// within 1..4; a text that is no number at all gives the slowest speed.
int SpeedFromText(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return SlowestSpeed;
    const double position = std::nearbyint(value);
    if (position < SlowestSpeed)
        return SlowestSpeed;
    if (position > FastestSpeed)
        return FastestSpeed;
    return static_cast<int>(position);
}

QLineEdit *AddInput(QWidget *window, const char *name, int top)
{
    auto *input = new QLineEdit(window);
    input->setObjectName(QString::fromLatin1(name));
    input->setGeometry(InputLeft, top, InputWidth, InputHeight);
    return input;
}

} // namespace

OptionsScreen::OptionsScreen(AppState &state, const OptionsServices &services, QWidget *parent)
    : FramelessWindow(ClientSize, parent), state_(state), services_(services)
{
    setWindowTitle(QStringLiteral("Brenlow Options"));
    SetBackgroundPicture(PaintOptionsBackground());

    highwater1 = AddInput(this, "highwater1", InputTops[0]);
    highwater2 = AddInput(this, "highwater2", InputTops[1]);
    height1 = AddInput(this, "height1", InputTops[2]);
    height2 = AddInput(this, "height2", InputTops[3]);
    pressure = AddInput(this, "pressure", InputTops[4]);

    animationspeed = new QSlider(Qt::Horizontal, this);
    animationspeed->setObjectName(QStringLiteral("animationspeed"));
    animationspeed->setRange(SlowestSpeed, FastestSpeed);
    animationspeed->setPageStep(1);
    animationspeed->setSingleStep(1);
    animationspeed->setTickPosition(QSlider::TicksBelow);
    animationspeed->setTickInterval(1);
    animationspeed->setGeometry(InputLeft - 40, SpeedTop, InputWidth + 40, 28);

    saveandexit = AddPictureButton(ButtonArt::Save, QRect(150, 336, 82, 36),
                                   QStringLiteral("Save options and exit"));
    closebutton = AddPictureButton(ButtonArt::Close, QRect(346, 9, 23, 18),
                                   QStringLiteral("Close options window"));
    connect(saveandexit, &QAbstractButton::clicked, this, &OptionsScreen::SaveOptions);
    connect(closebutton, &QAbstractButton::clicked, this, &OptionsScreen::closebutton_Click);

    std::array<PictureButton **, 4> links = {&ARButton1, &ARButton2, &ARButton3, &ARButton4};
    for (int i = 0; i < 4; ++i) {
        PictureButton *button =
            AddPictureButton(ButtonArt::Link, QRect(QPoint(LinkLefts[i], LinksTop), LinkSize),
                             QString::fromLatin1(LinkTooltips[i]));
        *links[i] = button;
        const int number = i + 1;
        connect(button, &QAbstractButton::clicked, this, [this, number] {
            OpenWebPage(LinkAddress(number), services_.WebBrowser, services_.Messages);
        });
    }

    LoadOptions();
}

QString OptionsScreen::Setting(const char *key, const QString &defaultValue) const
{
    return services_.Settings.GetSetting(services_.Program.AppName, QString::fromLatin1(Section),
                                         QString::fromLatin1(key), defaultValue);
}

void OptionsScreen::LoadOptions()
{
    highwater1->setText(Setting("highwater1", QString()));
    highwater2->setText(Setting("highwater2", QString()));
    height1->setText(Setting("height1", QString()));
    height2->setText(Setting("height2", QString()));
    pressure->setText(Setting("pressure", QString()));
    animationspeed->setValue(SpeedFromText(Setting("animspeed", QStringLiteral("1"))));
    ClearDrag();
}

void OptionsScreen::OpenAdministration()
{
    Config config(services_.Program, services_.Messages, this);
    config.exec();
}

void OptionsScreen::SaveOptions()
{
    if (height1->text() == QLatin1String(AdministratorAccessWord)) {
        OpenAdministration();
        height1->clear();
        return;
    }

    const OptionsEntry entry{highwater1->text(), highwater2->text(), height1->text(),
                             height2->text(), pressure->text()};
    if (const std::optional<OptionsFailure> failure = CheckOptions(entry)) {
        services_.Messages.Inform(failure->Message);
        QLineEdit *const inputs[] = {highwater1, highwater2, height1, height2, pressure};
        inputs[static_cast<int>(failure->Focus)]->setFocus();
        return;
    }

    SettingsStore &store = services_.Settings;
    const QString app = services_.Program.AppName;
    const QString section = QString::fromLatin1(Section);
    store.SaveSetting(app, section, QStringLiteral("highwater1"), entry.HighWater1);
    store.SaveSetting(app, section, QStringLiteral("highwater2"), entry.HighWater2);
    store.SaveSetting(app, section, QStringLiteral("height1"), entry.Height1);
    store.SaveSetting(app, section, QStringLiteral("height2"), entry.Height2);
    store.SaveSetting(app, section, QStringLiteral("pressure"), entry.Pressure);
    store.SaveSetting(app, section, QStringLiteral("animspeed"),
                      QString::number(animationspeed->value()));

    state_.HighWater1Text = Setting("highwater1", QString());
    state_.HighWater2Text = Setting("highwater2", QString());
    state_.Height1Text = Setting("height1", QString());
    state_.Height2Text = Setting("height2", QString());
    state_.AnimSpeedText = Setting("animspeed", QString());
    state_.PressureText = Setting("pressure", QString());
    close();
}

void OpenOptionsWindow(QWidget &mainWindow, StepView &view, AppState &state,
                       const OptionsServices &services)
{
    {
        OptionsScreen screen(state, services, &mainWindow);
        screen.PlaceCentredOver(mainWindow);
        screen.ShowModal();
    }

    // Saved or not, the chart is drawn again from the stored texts; the step stays.
    view.ShowPleaseWait();
    try {
        ImageSurface &surface = view.Surface();
        surface.SetFitOnLoad(false);
        surface.SetKeepViewOnLoad(true);
        surface.LoadImageFile(state.BackdropPath);
        Draw_flows(state, surface, view.Labels(), state.CurrentStep);
    } catch (const AppError &error) {
        // Only a chart picture or flow database damaged since start-up gets here.
        view.ClosePleaseWait();
        services.Messages.Inform(error.Description());
        return;
    }
    view.ClosePleaseWait();
}

QPixmap PaintOptionsBackground()
{
    QPixmap picture =
        PaintFramelessBackground(OptionsScreen::PictureSize, QStringLiteral("Brenlow Options"));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QColor ink(0x0E, 0x2A, 0x47);

    QFont heading(QStringLiteral("Sans Serif"));
    heading.setPixelSize(12);
    heading.setBold(true);
    QFont body(QStringLiteral("Sans Serif"));
    body.setPixelSize(11);

    painter.setPen(ink);
    painter.setFont(heading);
    painter.drawText(CaptionLeft, 60, QStringLiteral("High water at Portsmouth"));
    painter.drawText(CaptionLeft, 140, QStringLiteral("High water heights"));
    painter.drawText(CaptionLeft, 220, QStringLiteral("Weather"));
    painter.drawText(CaptionLeft, 266, QStringLiteral("Animation"));
    painter.drawText(CaptionLeft, 410, QStringLiteral("Brenlow on the web"));

    painter.setFont(body);
    for (std::size_t i = 0; i < InputTops.size(); ++i)
        painter.drawText(QRect(CaptionLeft, InputTops[i], InputLeft - CaptionLeft - 6, InputHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(InputCaptions[i]));
    painter.drawText(QRect(CaptionLeft, SpeedTop, 140, 28), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Speed"));
    painter.drawText(InputLeft - 40, SpeedTop + 44, QStringLiteral("slow"));
    painter.drawText(QRect(InputLeft - 40, SpeedTop + 32, InputWidth + 40, 16), Qt::AlignRight,
                     QStringLiteral("fast"));
    for (std::size_t i = 0; i < LinkLefts.size(); ++i)
        painter.drawText(
            QRect(LinkLefts[i], LinksTop + LinkSize.height() + 4, LinkSize.width(), 16),
            Qt::AlignHCenter | Qt::AlignTop, QString::fromLatin1(LinkCaptions[i]));
    return picture;
}

} // namespace brenlow
