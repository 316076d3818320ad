#pragma once

#include "options/day_high_waters.h"
#include "platform/frameless_window.h"

#include <QDate>

#include <optional>

class QLineEdit;
class QSlider;

namespace brenlow {

class PictureCheckBox;

struct AppState;
struct ProgramInfo;
class Browser;
class MessageBoxes;
class SettingsStore;
class StepView;

// What the options window works with besides the program state.
struct OptionsServices
{
    SettingsStore &Settings;
    const ProgramInfo &Program;
    MessageBoxes &Messages;
    Browser &WebBrowser;
    const DayHighWaters &HighWaters; // the day's high waters, typed or predicted
};

// Where the user enters the high-water times and heights, the pressure and the animation
// speed. Filled from the settings store each time it opens; saving checks every entry, stores
// all six values and reloads them into AppState. Beside them it keeps whether the program
// predicts high waters and the day the typed ones are for, both set in the tide prediction
// window it opens and stored with the options.
class OptionsScreen : public FramelessWindow
{
    Q_OBJECT
public:
    static constexpr QSize ClientSize{382, 526};

    OptionsScreen(AppState &state, const OptionsServices &services, QWidget *parent = nullptr);

    // Puts the stored values into the inputs (empty texts, speed 1 when none is stored).
    void LoadOptions();
    // Opens the administration instead when the first height holds the access word;
    // otherwise checks, saves, reloads AppState and closes, or reports the first bad entry and
    // stays open. The high waters are stored as typed for the day TypedDate() names, and
    // AppState then works from the high waters of today.
    void SaveOptions();

    // Opens the tide prediction window modally over this one.
    void OpenTidePrediction();
    // Puts a day's prediction into the four high-water inputs; asks first when an input holds
    // a typed value the prediction would change, and changes nothing on No. Returns whether
    // the inputs now hold the prediction. Saving then stores them as typed for that day.
    bool UsePrediction(const DayPrediction &prediction);
    // The day the high waters in the inputs would be saved for; not valid when no time is
    // entered.
    QDate TypedDate() const;
    // Whether the program is to predict high waters, as it will be saved.
    bool PredictHighWaters() const { return predict_; }

    QLineEdit *highwater1 = nullptr;
    QLineEdit *highwater2 = nullptr;
    QLineEdit *height1 = nullptr;
    QLineEdit *height2 = nullptr;
    QLineEdit *pressure = nullptr;
    QSlider *animationspeed = nullptr; // 1 slowest .. 4 fastest
    // The chart's arrows in colours told apart without red and green; saved with the options.
    PictureCheckBox *colourblind = nullptr;
    // The whole program in the night colours: switched and kept at once, as the N key does.
    PictureCheckBox *nightcolours = nullptr;

    PictureButton *saveandexit = nullptr;
    PictureButton *closebutton = nullptr;
    PictureButton *ARButton1 = nullptr;      // download page
    PictureButton *ARButton2 = nullptr;      // home page
    PictureButton *ARButton3 = nullptr;      // feedback page
    PictureButton *ARButton4 = nullptr;      // customer resources page
    PictureButton *tideprediction = nullptr; // the tide prediction window

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void OpenAdministration();
    HighWaterTexts EnteredHighWaters() const;

    AppState &state_;
    OptionsServices services_;
    TypedHighWaters loaded_;              // as the store held them when the window opened
    bool predict_ = true;                 // predicthw as it will be saved
    std::optional<QDate> predictionUsed_; // the day of the prediction put into the inputs
};

// The main window's options button: the options window modally over the main window, then,
// however it was closed, the chart backdrop reloaded and the current step redrawn behind the
// please-wait window so that new times and heights show at once. The caller applies the
// stored palette afterwards.
void OpenOptionsWindow(QWidget &mainWindow, StepView &view, AppState &state,
                       const OptionsServices &services);

// Switches the whole program to the night colours or back and keeps the choice for the next
// start; a store that cannot keep it is told in a plain message (the colours switch all the
// same).
void UseNightColours(bool night, SettingsStore &settings, const QString &application,
                     MessageBoxes &messages);

// The options window's background: title band and the captions of its inputs and links.
QPixmap PaintOptionsBackground();

} // namespace brenlow
