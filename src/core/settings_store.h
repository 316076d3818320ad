#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace brenlow {

// One named value of the store.
struct SettingValue
{
    QString Key;
    QString Value;
};

// Per-user named text values, addressed by application, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // The stored value, or defaultValue when the key has never been stored. Never fails.
    virtual QString GetSetting(const QString &application, const QString &section,
                               const QString &key, const QString &defaultValue) const = 0;
    // Creates or replaces the values, in the given order, and puts them on disk together.
    // Returns why they could not be stored; the store then holds what it held before.
    virtual std::optional<QString> SaveSettings(const QString &application, const QString &section,
                                                const std::vector<SettingValue> &values) = 0;

    // One value; see SaveSettings.
    std::optional<QString> SaveSetting(const QString &application, const QString &section,
                                       const QString &key, const QString &value)
    {
        return SaveSettings(application, section, {SettingValue{key, value}});
    }
};

} // namespace brenlow
