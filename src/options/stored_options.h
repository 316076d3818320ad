#pragma once

#include <QSize>
#include <QString>

#include <optional>

namespace brenlow {

struct AppState;
class SettingsStore;

// The section of the settings store that holds the user's options.
inline constexpr char SettingsSection[] = "config";

// The user's six options as the store holds them: texts exactly as accepted; and beside them
// the date the typed high waters are for and whether the program predicts high waters.
struct StoredOptions
{
    QString HighWater1;
    QString HighWater2;
    QString Height1;
    QString Height2;
    QString Pressure;
    QString AnimSpeed; // the speed slider's position, "1" to "4"
    // "YYYY-MM-DD": the day the typed high waters were typed for; empty when none is typed,
    // and absent in the stores of older versions.
    QString TypedDate{};
    // "0": the program works from the typed high waters only; anything else, or absent: on
    // days without typed high waters it predicts them.
    QString PredictHighWaters{};
};

// The keys of the two additions, and the value that switches the prediction off.
inline constexpr char TypedDateKey[] = "typeddate";
inline constexpr char PredictHighWatersKey[] = "predicthw";
inline constexpr char PredictionOff[] = "0";

// The speed start-up assumes when none was ever saved, and the slider's position then.
inline constexpr char StartupAnimSpeed[] = "2";
inline constexpr char WindowAnimSpeed[] = "1";

// Reads the eight stored values: absent keys give the empty text, except animspeed, which
// gives animSpeedDefault. The six options are read in the order highwater1, highwater2,
// height1, height2, animspeed, pressure, the two additions after them.
StoredOptions ReadStoredOptions(const SettingsStore &store, const QString &application,
                                const QString &animSpeedDefault);

// Reads the six options into AppState's texts in the order highwater1, highwater2, height1,
// height2, animspeed, pressure; absent keys give the empty text, except animspeed, which gives
// animSpeedDefault ("2" at start-up, empty after a save).
void ReadOptionsIntoState(AppState &state, const SettingsStore &store, const QString &application,
                          const QString &animSpeedDefault);

// What the options window shows when it opens: absent keys give the empty text, and an absent
// animspeed the slider's first position.
StoredOptions ReadOptionsForWindow(const SettingsStore &store, const QString &application);

// Writes all six, changed or not, in the order highwater1, highwater2, height1, height2,
// pressure, animspeed, then typeddate and predicthw, and puts them on disk at once. Returns
// why they could not be stored; the store then holds what it held before.
std::optional<QString> WriteOptions(SettingsStore &store, const QString &application,
                                    const StoredOptions &options);

// The view's own preferences, kept in the same section beside the options: the arrows'
// palette ("colourblind" for the colour-blind-safe one; absent or anything else, the
// program's own colours) and the main window's size ("width,height" in pixels). Each is
// written only when it changes, so that a user who never changes them keeps the store as it
// was.
inline constexpr char PaletteKey[] = "palette";
inline constexpr char ColourBlindPaletteValue[] = "colourblind";
inline constexpr char StandardPaletteValue[] = "standard";
inline constexpr char WindowSizeKey[] = "windowsize";

bool ReadColourBlindPalette(const SettingsStore &store, const QString &application);
std::optional<QString> WriteColourBlindPalette(SettingsStore &store, const QString &application,
                                               bool colourBlind);
// The stored size, if one was stored and reads as two positive whole numbers.
std::optional<QSize> ReadWindowSize(const SettingsStore &store, const QString &application);
std::optional<QString> WriteWindowSize(SettingsStore &store, const QString &application,
                                       QSize size);

// The colour scheme of the whole program: "1" the night colours; absent or anything else, the
// day's. Written only when it changes, as the view's other preferences are.
inline constexpr char NightColoursKey[] = "nightcolours";
bool ReadNightColours(const SettingsStore &store, const QString &application);
std::optional<QString> WriteNightColours(SettingsStore &store, const QString &application,
                                         bool night);

// The print window's choices: the chart fitted to the page ("1"; absent or anything else, not)
// and the width of saved pictures in pixels (a positive whole number, or nothing stored).
// Written only when they change.
inline constexpr char FitToPageKey[] = "fitpage";
inline constexpr char PictureWidthKey[] = "picturewidth";
bool ReadFitToPage(const SettingsStore &store, const QString &application);
std::optional<QString> WriteFitToPage(SettingsStore &store, const QString &application, bool fit);
std::optional<int> ReadPictureWidth(const SettingsStore &store, const QString &application);
std::optional<QString> WritePictureWidth(SettingsStore &store, const QString &application,
                                         int width);

} // namespace brenlow
