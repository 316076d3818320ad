#include "options/tide_prediction_window.h"

#include "core/program_info.h"
#include "platform/house_style.h"
#include "platform/picture_check_box.h"
#include "tide/high_water_in_use.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPainter>

#include <utility>

namespace brenlow {
namespace {

const QString Title = ProgramTitleText() + QStringLiteral(" Tide prediction");

// Window pixels.
constexpr int Left = 24;
constexpr int Width = TidePredictionScreen::ClientSize.width() - 2 * Left;
constexpr QRect PredictBox(Left, 52, Width, 20);
constexpr QRect TypedNote(Left, 74, Width, 42);
constexpr QRect DateCaption(Left, 126, 60, 24);
constexpr QRect DateInput(Left + 64, 126, 160, 24);
// Three lines, for a reason naming the constants file's path.
constexpr QRect PredictedText(Left, 158, Width, 50);
constexpr QRect Remark(Left, 210, Width, 30);
constexpr QRect UseButton(Left, 246, 130, 30);
constexpr QRect CloseButton(TidePredictionScreen::ClientSize.width() - 36, 9, 23, 18);

QLabel *AddText(QWidget *window, const char *name, const QRect &geometry, int pixels, bool bold)
{
    auto *label = new QLabel(window);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(House::Font(pixels, bold));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, House::Now().Ink);
    label->setPalette(palette);
    return label;
}

} // namespace

TidePredictionScreen::TidePredictionScreen(const HighWaterPredictor &predictor, QDate today,
                                           bool predict, QDate typedFor, QWidget *parent)
    : FramelessWindow(ClientSize, parent), predictor_(predictor), typedFor_(typedFor)
{
    setWindowTitle(Title);
    SetBackgroundPainter(&PaintTidePredictionBackground);

    predicthw = new PictureCheckBox(QStringLiteral("Predict high waters"),
                                    PictureCheckBox::LabelPlace::Right, this);
    predicthw->setObjectName(QStringLiteral("predicthw"));
    predicthw->setGeometry(PredictBox);
    predicthw->setChecked(predict);
    predicthw->setToolTip(
        QStringLiteral("On days without typed high waters, use the predicted ones"));
    typednote = AddText(this, "typednote", TypedNote, 11, false);

    predictiondate = new QDateEdit(today, this);
    predictiondate->setObjectName(QStringLiteral("predictiondate"));
    predictiondate->setGeometry(DateInput);
    // Dates are written in English, as everywhere in the program.
    predictiondate->setLocale(QLocale::c());
    predictiondate->setDisplayFormat(QStringLiteral("ddd d MMM yyyy"));
    predictiondate->setCalendarPopup(true);
    predictiondate->calendarWidget()->setLocale(QLocale::c());
    predictiondate->setToolTip(QStringLiteral("The day to predict; the arrow opens a calendar"));

    predicted = AddText(this, "predicted", PredictedText, 12, true);
    AddText(this, "remark", Remark, 10, false)
        ->setText(QStringLiteral("High waters at Portsmouth in local time; heights in metres above "
                                 "chart datum (lowest astronomical tide)"));

    usepredicted = AddPictureButton(ButtonArt::UsePredicted, UseButton,
                                    QStringLiteral("Put these high waters into the options"));
    closebutton =
        AddPictureButton(ButtonArt::Close, CloseButton, QStringLiteral("Close tide prediction"));
    connect(usepredicted, &QAbstractButton::clicked, this,
            &TidePredictionScreen::usepredicted_Click);
    connect(closebutton, &QAbstractButton::clicked, this, &TidePredictionScreen::closebutton_Click);
    connect(predictiondate, &QDateEdit::dateChanged, this, &TidePredictionScreen::ShowPrediction);
    connect(predicthw, &QAbstractButton::toggled, this, &TidePredictionScreen::ShowTypedNote);

    ShowTypedNote();
    ShowPrediction(today);
    ClearDrag();
}

void TidePredictionScreen::SetUsePrediction(std::function<bool(const DayPrediction &)> use)
{
    use_ = std::move(use);
}

void TidePredictionScreen::ShowPrediction(QDate date)
{
    shown_ = predictor_.Predict(date);
    predicted->setText(PredictionText(shown_));
    usepredicted->setEnabled(shown_.Available());
}

void TidePredictionScreen::ShowTypedNote()
{
    typednote->setText(TypedNoteText(predicthw->isChecked(), typedFor_));
}

void TidePredictionScreen::usepredicted_Click()
{
    if (use_ && shown_.Available() && use_(shown_))
        close();
}

void TidePredictionScreen::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        closebutton_Click();
        return;
    }
    FramelessWindow::keyPressEvent(event);
}

QString TypedNoteText(bool predict, QDate typedFor)
{
    if (!predict)
        return QStringLiteral("Prediction off: the program works from the typed high waters "
                              "only, on every day.");
    if (!typedFor.isValid())
        return QStringLiteral("The program uses the predicted high waters of each day.");
    return QStringLiteral("The program uses the predicted high waters of each day, except on "
                          "%1, for which high waters are typed.")
        .arg(DayText(typedFor));
}

QPixmap PaintTidePredictionBackground()
{
    QPixmap picture = PaintFramelessBackground(TidePredictionScreen::ClientSize, Title);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(House::Now().Ink);
    painter.setFont(House::Font(12));
    painter.drawText(DateCaption, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Date"));
    return picture;
}

} // namespace brenlow
