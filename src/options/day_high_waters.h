#pragma once

#include "core/high_water_day.h"
#include "options/high_water_prediction.h"

#include <QDate>
#include <QString>

#include <optional>

namespace brenlow {

struct AppState;
struct ProgramInfo;
struct StoredOptions;
class Clock;
class SettingsStore;

// The high waters as the store holds them: the typed texts, the day they were typed for (not
// valid when the store names none) and whether prediction is on.
struct TypedHighWaters
{
    HighWaterTexts Texts;
    QDate Date;
    bool Predict = true;

    // At least one high-water time is typed.
    bool Given() const;
};
TypedHighWaters TypedHighWatersOf(const StoredOptions &stored);

// The texts the program works from today and the day they belong to.
struct HighWaterChoice
{
    HighWaterTexts Texts;
    HighWaterDay Day;
};

// Which high waters the program works from on the day today:
// - prediction off: the typed texts, whatever their date, as the program always did;
// - typed high-water times for today win;
// - otherwise today's prediction (times and heights; only the first pair on a day of one high
//   water), the typed values staying stored as they are;
// - without a prediction (no constants file, a damaged one) the typed texts, whatever their
//   date, with the reason in the day's notice.
HighWaterChoice ChooseHighWaters(const TypedHighWaters &typed, QDate today,
                                 const HighWaterPredictor &predictor);

// The date an options save stores with its high waters ("YYYY-MM-DD"): empty when no high-water
// time is saved; the day of the prediction put into the inputs when there was one; the date
// they were stored with when the four high-water inputs are saved as they were loaded (opening
// the options on another day to change the speed does not make old times today's); today when
// they were changed or had no date.
QString TypedDateToSave(const HighWaterTexts &saved, const TypedHighWaters &loaded,
                        std::optional<QDate> predictionUsed, QDate today);

// Which high waters the program works from, day by day: reads the store and the clock, keeps
// the tidal constants read at start-up.
class DayHighWaters
{
public:
    DayHighWaters(SettingsStore &settings, const ProgramInfo &program, const Clock &clock);

    // Reads the constants file of the program folder (start-up, once). A missing or damaged
    // file is no error: the prediction is then unavailable and says why.
    void LoadConstants();
    const HighWaterPredictor &Predictor() const { return predictor_; }
    QDate Today() const;

    // Typed high waters that an older version stored without a date count as typed on the day
    // the program first meets them: that date is stored now. Returns why it could not be.
    std::optional<QString> DateUndatedTypedValues();

    // Puts the high waters of today into AppState's four texts and HighWaterDay.
    void Use(AppState &state) const;

    // The clock's tick: on a new day, the high waters of that day. Returns whether the texts
    // changed (the chart's time labels then need a redraw).
    bool FollowDay(AppState &state) const;

private:
    SettingsStore &settings_;
    const ProgramInfo &program_;
    const Clock &clock_;
    HighWaterPredictor predictor_;
};

} // namespace brenlow
