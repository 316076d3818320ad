#pragma once

#include <QString>

namespace brenlow {

// Per-user named text values, addressed by application, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // The stored value, or defaultValue when the key has never been stored. Never fails.
    virtual QString GetSetting(const QString &application, const QString &section,
                               const QString &key, const QString &defaultValue) const = 0;
    // Creates or replaces the value; it is on disk when this returns.
    virtual void SaveSetting(const QString &application, const QString &section, const QString &key,
                             const QString &value) = 0;
};

// One INI file per application in the user's configuration folder
// ($XDG_CONFIG_HOME/Brenlow/<application>.ini), one INI section per section.
class QtSettingsStore : public SettingsStore
{
public:
    QString GetSetting(const QString &application, const QString &section, const QString &key,
                       const QString &defaultValue) const override;
    void SaveSetting(const QString &application, const QString &section, const QString &key,
                     const QString &value) override;
};

} // namespace brenlow
