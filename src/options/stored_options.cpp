#include "options/stored_options.h"

#include "core/app_state.h"
#include "core/settings_store.h"
#include "options/option_checks.h"

#include <QStringList>

#include <array>
#include <vector>

namespace brenlow {
namespace {

// The keys of the section, each with the member it fills, in the order they are read: the
// six options, then the two additions.
struct OptionKey
{
    const char *Key;
    QString StoredOptions::*Member;
};
constexpr OptionKey ReadOrder[] = {
    {"highwater1", &StoredOptions::HighWater1},
    {"highwater2", &StoredOptions::HighWater2},
    {"height1", &StoredOptions::Height1},
    {"height2", &StoredOptions::Height2},
    {"animspeed", &StoredOptions::AnimSpeed},
    {"pressure", &StoredOptions::Pressure},
    {TypedDateKey, &StoredOptions::TypedDate},
    {PredictHighWatersKey, &StoredOptions::PredictHighWaters},
};
// Written with the pressure before the speed.
constexpr std::array<int, 8> WriteOrder = {0, 1, 2, 3, 5, 4, 6, 7};

} // namespace

StoredOptions ReadStoredOptions(const SettingsStore &store, const QString &application,
                                const QString &animSpeedDefault)
{
    StoredOptions options;
    for (const OptionKey &key : ReadOrder) {
        const QString defaultValue =
            key.Member == &StoredOptions::AnimSpeed ? animSpeedDefault : QString();
        options.*key.Member = store.GetSetting(application, QString::fromLatin1(SettingsSection),
                                               QString::fromLatin1(key.Key), defaultValue);
    }
    return options;
}

void ReadOptionsIntoState(AppState &state, const SettingsStore &store, const QString &application,
                          const QString &animSpeedDefault)
{
    const StoredOptions options = ReadStoredOptions(store, application, animSpeedDefault);
    state.HighWater1Text = options.HighWater1;
    state.HighWater2Text = options.HighWater2;
    // Numbers stored by older versions in the user's locale are read as the chart reads them.
    state.Height1Text = CanonicalNumberText(options.Height1);
    state.Height2Text = CanonicalNumberText(options.Height2);
    state.AnimSpeedText = options.AnimSpeed;
    state.PressureText = CanonicalNumberText(options.Pressure);
}

StoredOptions ReadOptionsForWindow(const SettingsStore &store, const QString &application)
{
    return ReadStoredOptions(store, application, QString::fromLatin1(WindowAnimSpeed));
}

std::optional<QString> WriteOptions(SettingsStore &store, const QString &application,
                                    const StoredOptions &options)
{
    std::vector<SettingValue> values;
    for (const int i : WriteOrder) {
        const OptionKey &key = ReadOrder[std::size_t(i)];
        values.push_back({QString::fromLatin1(key.Key), options.*key.Member});
    }
    return store.SaveSettings(application, QString::fromLatin1(SettingsSection), values);
}

namespace {

QString ReadView(const SettingsStore &store, const QString &application, const char *key)
{
    return store.GetSetting(application, QString::fromLatin1(SettingsSection),
                            QString::fromLatin1(key), QString());
}

} // namespace

bool ReadColourBlindPalette(const SettingsStore &store, const QString &application)
{
    return ReadView(store, application, PaletteKey) == QLatin1String(ColourBlindPaletteValue);
}

std::optional<QString> WriteColourBlindPalette(SettingsStore &store, const QString &application,
                                               bool colourBlind)
{
    if (ReadColourBlindPalette(store, application) == colourBlind)
        return std::nullopt;
    return store.SaveSetting(
        application, QString::fromLatin1(SettingsSection), QString::fromLatin1(PaletteKey),
        QString::fromLatin1(colourBlind ? ColourBlindPaletteValue : StandardPaletteValue));
}

std::optional<QSize> ReadWindowSize(const SettingsStore &store, const QString &application)
{
    const QStringList parts = ReadView(store, application, WindowSizeKey).split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    bool wide = false;
    bool high = false;
    const QSize size(parts[0].trimmed().toInt(&wide), parts[1].trimmed().toInt(&high));
    if (!wide || !high || size.isEmpty())
        return std::nullopt;
    return size;
}

std::optional<QString> WriteWindowSize(SettingsStore &store, const QString &application, QSize size)
{
    if (ReadWindowSize(store, application) == size)
        return std::nullopt;
    return store.SaveSetting(application, QString::fromLatin1(SettingsSection),
                             QString::fromLatin1(WindowSizeKey),
                             QStringLiteral("%1,%2").arg(size.width()).arg(size.height()));
}

namespace {

constexpr char Ticked[] = "1";
constexpr char Clear[] = "0";

bool ReadTicked(const SettingsStore &store, const QString &application, const char *key)
{
    return ReadView(store, application, key) == QLatin1String(Ticked);
}

QString TickedText(bool ticked)
{
    return QString::fromLatin1(ticked ? Ticked : Clear);
}

// A choice stored as "1" or "0", written only when it changes.
std::optional<QString> WriteTicked(SettingsStore &store, const QString &application,
                                   const char *key, bool ticked)
{
    if (ReadTicked(store, application, key) == ticked)
        return std::nullopt;
    return store.SaveSetting(application, QString::fromLatin1(SettingsSection),
                             QString::fromLatin1(key), TickedText(ticked));
}

} // namespace

bool ReadNightColours(const SettingsStore &store, const QString &application)
{
    return ReadTicked(store, application, NightColoursKey);
}

std::optional<QString> WriteNightColours(SettingsStore &store, const QString &application,
                                         bool night)
{
    return WriteTicked(store, application, NightColoursKey, night);
}

bool ReadFitToPage(const SettingsStore &store, const QString &application)
{
    return ReadTicked(store, application, FitToPageKey);
}

std::optional<QString> WriteFitToPage(SettingsStore &store, const QString &application, bool fit)
{
    return WriteTicked(store, application, FitToPageKey, fit);
}

std::optional<int> ReadPictureWidth(const SettingsStore &store, const QString &application)
{
    bool ok = false;
    const int width = ReadView(store, application, PictureWidthKey).trimmed().toInt(&ok);
    return ok && width > 0 ? std::optional<int>(width) : std::nullopt;
}

std::optional<QString> WritePictureWidth(SettingsStore &store, const QString &application,
                                         int width)
{
    if (ReadPictureWidth(store, application) == width)
        return std::nullopt;
    return store.SaveSetting(application, QString::fromLatin1(SettingsSection),
                             QString::fromLatin1(PictureWidthKey), QString::number(width));
}

} // namespace brenlow
