#include "options/stored_options.h"

#include "core/app_state.h"
#include "core/settings_store.h"
#include "options/option_checks.h"

namespace brenlow {
namespace {

QString Read(const SettingsStore &store, const QString &application, const char *key,
             const QString &defaultValue)
{
    return store.GetSetting(application, QString::fromLatin1(SettingsSection),
                            QString::fromLatin1(key), defaultValue);
}

} // namespace

void ReadOptionsIntoState(AppState &state, const SettingsStore &store, const QString &application,
                          const QString &animSpeedDefault)
{
    state.HighWater1Text = Read(store, application, "highwater1", QString());
    state.HighWater2Text = Read(store, application, "highwater2", QString());
    // Numbers stored by older versions in the user's locale are read as the chart reads them.
    state.Height1Text = CanonicalNumberText(Read(store, application, "height1", QString()));
    state.Height2Text = CanonicalNumberText(Read(store, application, "height2", QString()));
    state.AnimSpeedText = Read(store, application, "animspeed", animSpeedDefault);
    state.PressureText = CanonicalNumberText(Read(store, application, "pressure", QString()));
}

StoredOptions ReadOptionsForWindow(const SettingsStore &store, const QString &application)
{
    StoredOptions options;
    options.HighWater1 = Read(store, application, "highwater1", QString());
    options.HighWater2 = Read(store, application, "highwater2", QString());
    options.Height1 = Read(store, application, "height1", QString());
    options.Height2 = Read(store, application, "height2", QString());
    options.Pressure = Read(store, application, "pressure", QString());
    options.AnimSpeed = Read(store, application, "animspeed", QString::fromLatin1(WindowAnimSpeed));
    return options;
}

std::optional<QString> WriteOptions(SettingsStore &store, const QString &application,
                                    const StoredOptions &options)
{
    return store.SaveSettings(application, QString::fromLatin1(SettingsSection),
                              {
                                  {QStringLiteral("highwater1"), options.HighWater1},
                                  {QStringLiteral("highwater2"), options.HighWater2},
                                  {QStringLiteral("height1"), options.Height1},
                                  {QStringLiteral("height2"), options.Height2},
                                  {QStringLiteral("pressure"), options.Pressure},
                                  {QStringLiteral("animspeed"), options.AnimSpeed},
                              });
}

} // namespace brenlow
