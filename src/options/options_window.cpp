#include "options/options_window.h"

#include "core/app_state.h"
#include "core/message_boxes.h"
#include "core/program_info.h"
#include "core/rounding.h"
#include "data/config_window.h"
#include "data/field_conversions.h"
#include "options/option_checks.h"
#include "options/stored_options.h"
#include "options/tide_prediction_window.h"
#include "options/web_links.h"
#include "platform/house_style.h"
#include "platform/picture_check_box.h"
#include "render/redraw.h"
#include "tide/high_water_in_use.h"
#include "tide/high_water_time.h"
#include "tide/step_conventions.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionSlider>

#include <array>
#include <cmath>

namespace brenlow {
namespace {

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
// The free band under the link captions: the check boxes take its right half.
constexpr QRect ColourBlindBox(196, 486, 170, 16);
constexpr QRect NightColoursBox(196, 504, 170, 16);
// In the band under the links' captions, left of x 190 (the right of it is kept for check
// boxes).
constexpr QRect TidePredictionButton(24, 486, 150, 30);

// Both forms of a time are read, so both are named; the ranges are the ones the checks accept.
const std::array<const char *, 5> InputCaptions = {
    "First (hh:mm or hh.mm)",     "Second (hh:mm or hh.mm)", "First height (m, 3.4-5.0)",
    "Second height (m, 3.4-5.0)", "Pressure (mb, 940-1050)",
};
const std::array<const char *, 4> LinkCaptions = {"Download", "Home page", "Feedback", "Resources"};
const std::array<const char *, 4> LinkTooltips = {"Brenlow download page", "Brenlow home page",
                                                  "Send us your feedback",
                                                  "Brenlow customer resources"};

// A stored speed as a slider position: the nearest whole number (halves to even), kept
// within the speeds; a text that is no number at all gives the slowest speed.
int SpeedFromText(const QString &text)
{
    return NearestInt32(ReadAnimationSpeed(text).value_or(SlowestAnimationSpeed));
}

// Whether an input already says what the prediction would put there: the same text, the same
// time of day, or the same height.
bool SameEntry(const QString &entered, const QString &predicted, bool time)
{
    if (entered.trimmed() == predicted)
        return true;
    if (entered.trimmed().isEmpty() || predicted.isEmpty())
        return false;
    if (time) {
        const std::optional<HighWaterTime> a = ReadHighWaterTime(entered);
        const std::optional<HighWaterTime> b = ReadHighWaterTime(predicted);
        return a && b && !a->HasDate && a->TimeOfDay == b->TimeOfDay;
    }
    bool enteredOk = false;
    bool predictedOk = false;
    const double a = CanonicalNumberText(entered).trimmed().toDouble(&enteredOk);
    const double b = predicted.toDouble(&predictedOk);
    return enteredOk && predictedOk && a == b;
}

QLineEdit *AddInput(QWidget *window, const char *name, int top)
{
    auto *input = new QLineEdit(window);
    input->setObjectName(QString::fromLatin1(name));
    input->setGeometry(InputLeft, top, InputWidth, InputHeight);
    return input;
}

// The slider's positions 1 to 4 written under its tick marks, which the style places half a
// handle in from either end.
void AddSpeedPositions(QSlider *slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    const int handle = slider->style()->pixelMetric(QStyle::PM_SliderLength, &option, slider);
    const QRect track = slider->geometry();
    const int span = track.width() - handle;
    constexpr int LabelWidth = 16;
    for (int speed = SlowestAnimationSpeed; speed <= FastestAnimationSpeed; ++speed) {
        const int centre = track.left() + handle / 2
            + span * (speed - SlowestAnimationSpeed)
                / (FastestAnimationSpeed - SlowestAnimationSpeed);
        auto *label = new QLabel(QString::number(speed), slider->parentWidget());
        label->setObjectName(QStringLiteral("speed%1").arg(speed));
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(centre - LabelWidth / 2, track.bottom() + 1, LabelWidth, 14);
    }
}

} // namespace

OptionsScreen::OptionsScreen(AppState &state, const OptionsServices &services, QWidget *parent)
    : FramelessWindow(ClientSize, parent), state_(state), services_(services)
{
    setWindowTitle(ProgramTitleText() + QStringLiteral(" Options"));
    SetBackgroundPainter(&PaintOptionsBackground);

    highwater1 = AddInput(this, "highwater1", InputTops[0]);
    highwater2 = AddInput(this, "highwater2", InputTops[1]);
    height1 = AddInput(this, "height1", InputTops[2]);
    height2 = AddInput(this, "height2", InputTops[3]);
    pressure = AddInput(this, "pressure", InputTops[4]);

    animationspeed = new QSlider(Qt::Horizontal, this);
    animationspeed->setObjectName(QStringLiteral("animationspeed"));
    animationspeed->setRange(SlowestAnimationSpeed, FastestAnimationSpeed);
    animationspeed->setPageStep(1);
    animationspeed->setSingleStep(1);
    animationspeed->setTickPosition(QSlider::TicksBelow);
    animationspeed->setTickInterval(1);
    animationspeed->setGeometry(InputLeft - 40, SpeedTop, InputWidth + 40, 28);
    AddSpeedPositions(animationspeed);

    colourblind = new PictureCheckBox(QStringLiteral("Colour-blind-safe colours"),
                                      PictureCheckBox::LabelPlace::Right, this);
    colourblind->setObjectName(QStringLiteral("colourblind"));
    colourblind->setGeometry(ColourBlindBox);
    colourblind->setToolTip(QStringLiteral("Show the arrows in blue and orange"));

    nightcolours = new PictureCheckBox(QStringLiteral("Night colours"),
                                       PictureCheckBox::LabelPlace::Right, this);
    nightcolours->setObjectName(QStringLiteral("nightcolours"));
    nightcolours->setGeometry(NightColoursBox);
    nightcolours->setToolTip(
        QStringLiteral("Dim red on black, to keep your eyes used to the dark (N in the main "
                       "window)"));
    nightcolours->setChecked(House::IsNight());
    connect(nightcolours, &QAbstractButton::toggled, this, [this](bool night) {
        UseNightColours(night, services_.Settings, services_.Program.AppName, services_.Messages);
    });

    saveandexit = AddPictureButton(ButtonArt::Save, QRect(150, 336, 82, 36),
                                   QStringLiteral("Save options and exit"));
    closebutton = AddPictureButton(ButtonArt::Close, QRect(346, 9, 23, 18),
                                   QStringLiteral("Close options window"));
    connect(saveandexit, &QAbstractButton::clicked, this, &OptionsScreen::SaveOptions);
    connect(closebutton, &QAbstractButton::clicked, this, &OptionsScreen::closebutton_Click);

    tideprediction = AddPictureButton(ButtonArt::TidePrediction, TidePredictionButton,
                                      QStringLiteral("Predicted high waters at Portsmouth"));
    connect(tideprediction, &QAbstractButton::clicked, this, &OptionsScreen::OpenTidePrediction);

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

void OptionsScreen::LoadOptions()
{
    const StoredOptions stored =
        ReadOptionsForWindow(services_.Settings, services_.Program.AppName);
    highwater1->setText(stored.HighWater1);
    highwater2->setText(stored.HighWater2);
    height1->setText(stored.Height1);
    height2->setText(stored.Height2);
    pressure->setText(stored.Pressure);
    animationspeed->setValue(SpeedFromText(stored.AnimSpeed));
    colourblind->setChecked(ReadColourBlindPalette(services_.Settings, services_.Program.AppName));
    loaded_ = TypedHighWatersOf(stored);
    predict_ = loaded_.Predict;
    predictionUsed_.reset();
    ClearDrag();
}

HighWaterTexts OptionsScreen::EnteredHighWaters() const
{
    return {highwater1->text(), height1->text(), highwater2->text(), height2->text()};
}

QDate OptionsScreen::TypedDate() const
{
    return QDate::fromString(TypedDateToSave(EnteredHighWaters(), loaded_, predictionUsed_,
                                             services_.HighWaters.Today()),
                             Qt::ISODate);
}

void OptionsScreen::OpenTidePrediction()
{
    TidePredictionScreen window(services_.HighWaters.Predictor(), services_.HighWaters.Today(),
                                predict_, TypedDate(), this);
    connect(window.predicthw, &QAbstractButton::toggled, this,
            [this](bool checked) { predict_ = checked; });
    window.SetUsePrediction(
        [this](const DayPrediction &prediction) { return UsePrediction(prediction); });
    window.PlaceCentredOver(*this);
    window.ShowModal();
}

bool OptionsScreen::UsePrediction(const DayPrediction &prediction)
{
    if (!prediction.Available())
        return false;
    const HighWaterTexts predicted = PredictedTexts(prediction);
    struct Field
    {
        const char *Name;
        QLineEdit *Input;
        const QString &Value;
        bool Time;
    };
    const Field fields[] = {{"First high water", highwater1, predicted.HighWater1, true},
                            {"First height", height1, predicted.Height1, false},
                            {"Second high water", highwater2, predicted.HighWater2, true},
                            {"Second height", height2, predicted.Height2, false}};

    QStringList changed;
    for (const Field &field : fields) {
        const QString entered = field.Input->text();
        if (entered.trimmed().isEmpty() || SameEntry(entered, field.Value, field.Time))
            continue;
        changed << QStringLiteral("%1: %2 \u2192 %3")
                       .arg(QString::fromLatin1(field.Name), entered.trimmed(),
                            field.Value.isEmpty() ? QStringLiteral("(none)") : field.Value);
    }
    if (!changed.isEmpty()
        && !services_.Messages.Ask(QStringLiteral("The options hold typed values that differ from "
                                                  "the prediction for %1:\n")
                                       .arg(DayText(prediction.Date))
                                   + changed.join(QLatin1Char('\n'))
                                   + QStringLiteral("\nReplace them with the prediction?")))
        return false;

    for (const Field &field : fields)
        field.Input->setText(field.Value);
    predictionUsed_ = prediction.Date;
    return true;
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

    // Numbers are stored in the one form the chart reads back, whatever the user's locale.
    const OptionsEntry entry{
        highwater1->text(), highwater2->text(), CanonicalNumberText(height1->text()),
        CanonicalNumberText(height2->text()), CanonicalNumberText(pressure->text())};
    if (const std::optional<OptionsFailure> failure = CheckOptions(entry)) {
        services_.Messages.Inform(failure->Message);
        QLineEdit *const inputs[] = {highwater1, highwater2, height1, height2, pressure};
        inputs[static_cast<int>(failure->Focus)]->setFocus();
        return;
    }

    const HighWaterTexts saved{entry.HighWater1, entry.Height1, entry.HighWater2, entry.Height2};
    const StoredOptions options{
        entry.HighWater1,
        entry.HighWater2,
        entry.Height1,
        entry.Height2,
        entry.Pressure,
        QString::number(animationspeed->value()),
        TypedDateToSave(saved, loaded_, predictionUsed_, services_.HighWaters.Today()),
        predict_ ? QStringLiteral("1") : QString::fromLatin1(PredictionOff)};
    if (const std::optional<QString> failure =
            WriteOptions(services_.Settings, services_.Program.AppName, options)) {
        // Nothing reached the store: the entries stay for the user and the program goes on
        // with the options it had.
        services_.Messages.Inform(QStringLiteral("The options could not be saved: ") + *failure);
        return;
    }
    if (const std::optional<QString> failure = WriteColourBlindPalette(
            services_.Settings, services_.Program.AppName, colourblind->isChecked())) {
        // The options are saved; only the palette stays as it was.
        services_.Messages.Inform(QStringLiteral("The colours could not be saved: ") + *failure);
    }
    ReadOptionsIntoState(state_, services_.Settings, services_.Program.AppName, QString());
    services_.HighWaters.Use(state_);
    close();
}

void OptionsScreen::keyPressEvent(QKeyEvent *event)
{
    // Enter saves as the save button does and Escape closes as the close button does, from
    // whichever input has the focus (the inputs pass these keys on).
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SaveOptions();
        return;
    case Qt::Key_Escape:
        closebutton_Click();
        return;
    default:
        FramelessWindow::keyPressEvent(event);
    }
}

void OpenOptionsWindow(QWidget &mainWindow, StepView &view, AppState &state,
                       const OptionsServices &services)
{
    {
        OptionsScreen screen(state, services, &mainWindow);
        screen.PlaceCentredOver(mainWindow);
        screen.ShowModal();
    }

    // Saved or not, the chart is drawn again from the stored texts; the step stays, counted
    // from the one high water left when the other was cleared.
    RedrawStepOrReport(state, view, services.Messages,
                       ShownStep{state.CurrentStep, OneSidedTide(state, state.SecondTideActive)},
                       RedrawWay{});
}

void UseNightColours(bool night, SettingsStore &settings, const QString &application,
                     MessageBoxes &messages)
{
    HouseStyle::Instance().SetScheme(night ? ColourScheme::Night : ColourScheme::Day);
    if (const std::optional<QString> failure = WriteNightColours(settings, application, night))
        messages.Inform(QStringLiteral("The colours could not be kept for the next start: ")
                        + *failure);
}

QPixmap PaintOptionsBackground()
{
    QPixmap picture = PaintFramelessBackground(OptionsScreen::ClientSize,
                                               ProgramTitleText() + QStringLiteral(" Options"));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFont heading = House::Font(12, true);
    const QFont body = House::Font(11);

    painter.setPen(House::Now().Ink);
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
    painter.drawText(QRect(InputLeft - 40, SpeedTop + 44, InputWidth + 40, 16), Qt::AlignLeft,
                     QStringLiteral("slow"));
    painter.drawText(QRect(InputLeft - 40, SpeedTop + 44, InputWidth + 40, 16), Qt::AlignRight,
                     QStringLiteral("fast"));
    for (std::size_t i = 0; i < LinkLefts.size(); ++i)
        painter.drawText(
            QRect(LinkLefts[i], LinksTop + LinkSize.height() + 4, LinkSize.width(), 16),
            Qt::AlignHCenter | Qt::AlignTop, QString::fromLatin1(LinkCaptions[i]));
    return picture;
}

} // namespace brenlow
