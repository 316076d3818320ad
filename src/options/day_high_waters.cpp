#include "options/day_high_waters.h"

#include "core/app_state.h"
#include "core/clock.h"
#include "core/program_info.h"
#include "core/settings_store.h"
#include "options/option_checks.h"
#include "options/stored_options.h"

namespace brenlow {
namespace {

QString DateText(QDate date)
{
    return date.toString(Qt::ISODate);
}

HighWaterTexts TextsOf(const AppState &state)
{
    return {state.HighWater1Text, state.Height1Text, state.HighWater2Text, state.Height2Text};
}

// Heights read as the chart reads them, as at start-up.
HighWaterTexts Canonical(HighWaterTexts texts)
{
    texts.Height1 = CanonicalNumberText(texts.Height1);
    texts.Height2 = CanonicalNumberText(texts.Height2);
    return texts;
}

HighWaterDay TypedDay(const TypedHighWaters &typed, QDate today, QString notice)
{
    return {today, typed.Given() ? HighWaterOrigin::Typed : HighWaterOrigin::None,
            std::move(notice)};
}

} // namespace

bool TypedHighWaters::Given() const
{
    return !Texts.HighWater1.isEmpty() || !Texts.HighWater2.isEmpty();
}

TypedHighWaters TypedHighWatersOf(const StoredOptions &stored)
{
    return {Canonical({stored.HighWater1, stored.Height1, stored.HighWater2, stored.Height2}),
            QDate::fromString(stored.TypedDate, Qt::ISODate),
            stored.PredictHighWaters != QLatin1String(PredictionOff)};
}

HighWaterChoice ChooseHighWaters(const TypedHighWaters &typed, QDate today,
                                 const HighWaterPredictor &predictor)
{
    if (!typed.Predict || (typed.Given() && typed.Date == today))
        return {typed.Texts, TypedDay(typed, today, {})};
    const DayPrediction prediction = predictor.Predict(today);
    if (!prediction.Available())
        return {typed.Texts, TypedDay(typed, today, prediction.Unavailable)};
    return {PredictedTexts(prediction), {today, HighWaterOrigin::Predicted, {}}};
}

QString TypedDateToSave(const HighWaterTexts &saved, const TypedHighWaters &loaded,
                        std::optional<QDate> predictionUsed, QDate today)
{
    if (saved.HighWater1.isEmpty() && saved.HighWater2.isEmpty())
        return {};
    if (predictionUsed)
        return DateText(*predictionUsed);
    if (Canonical(saved) == loaded.Texts && loaded.Date.isValid())
        return DateText(loaded.Date);
    return DateText(today);
}

DayHighWaters::DayHighWaters(SettingsStore &settings, const ProgramInfo &program,
                             const Clock &clock)
    : settings_(settings),
      program_(program),
      clock_(clock),
      predictor_(TideConstantsResult{std::nullopt,
                                     QStringLiteral("the tidal constants have not been read")})
{ }

void DayHighWaters::LoadConstants()
{
    predictor_ = HighWaterPredictor::FromProgramFolder(program_);
}

QDate DayHighWaters::Today() const
{
    return clock_.Today();
}

std::optional<QString> DayHighWaters::DateUndatedTypedValues()
{
    const StoredOptions stored =
        ReadStoredOptions(settings_, program_.AppName, QString::fromLatin1(StartupAnimSpeed));
    const TypedHighWaters typed = TypedHighWatersOf(stored);
    if (!typed.Given() || typed.Date.isValid())
        return std::nullopt;
    return settings_.SaveSetting(program_.AppName, QString::fromLatin1(SettingsSection),
                                 QString::fromLatin1(TypedDateKey), DateText(clock_.Today()));
}

void DayHighWaters::Use(AppState &state) const
{
    const StoredOptions stored =
        ReadStoredOptions(settings_, program_.AppName, QString::fromLatin1(StartupAnimSpeed));
    const HighWaterChoice choice =
        ChooseHighWaters(TypedHighWatersOf(stored), clock_.Today(), predictor_);
    state.HighWater1Text = choice.Texts.HighWater1;
    state.Height1Text = choice.Texts.Height1;
    state.HighWater2Text = choice.Texts.HighWater2;
    state.Height2Text = choice.Texts.Height2;
    state.HighWaterDay = choice.Day;
}

bool DayHighWaters::FollowDay(AppState &state) const
{
    if (clock_.Today() == state.HighWaterDay.Date)
        return false;
    const HighWaterTexts before = TextsOf(state);
    Use(state);
    return TextsOf(state) != before;
}

} // namespace brenlow
