#pragma once

#include "options/high_water_prediction.h"
#include "platform/frameless_window.h"

#include <QDate>

#include <functional>

class QDateEdit;
class QLabel;

namespace brenlow {

class PictureCheckBox;

// The options window's tide prediction: whether the program predicts high waters, and the
// predicted high waters of a chosen day (today at first), which "Use predicted" puts into the
// options window's inputs.
class TidePredictionScreen : public FramelessWindow
{
    Q_OBJECT
public:
    static constexpr QSize ClientSize{340, 290};

    // predict: the box's first state; typedFor: the day the options' typed high waters are
    // for, not valid when none is typed.
    TidePredictionScreen(const HighWaterPredictor &predictor, QDate today, bool predict,
                         QDate typedFor, QWidget *parent = nullptr);

    // What "Use predicted" does with the chosen day's prediction; the window closes when it
    // returns true.
    void SetUsePrediction(std::function<bool(const DayPrediction &)> use);

    // The prediction shown, for the day chosen.
    const DayPrediction &Shown() const { return shown_; }

    PictureCheckBox *predicthw = nullptr;
    QDateEdit *predictiondate = nullptr;
    QLabel *predicted = nullptr; // the prediction, or why there is none
    QLabel *typednote = nullptr; // what the program works from, day by day
    PictureButton *usepredicted = nullptr;
    PictureButton *closebutton = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ShowPrediction(QDate date);
    void ShowTypedNote();
    void usepredicted_Click();

    const HighWaterPredictor &predictor_;
    QDate typedFor_;
    DayPrediction shown_;
    std::function<bool(const DayPrediction &)> use_;
};

// What the program works from, as the window says it: "The program predicts the high waters
// of each day, except Wed 9 Dec 2026, for which high waters are typed." and the like.
QString TypedNoteText(bool predict, QDate typedFor);

// The window's background: title band and the caption of the date.
QPixmap PaintTidePredictionBackground();

} // namespace brenlow
