#pragma once

#include "core/settings_store.h"

namespace brenlow {

// One INI file per application in the user's configuration folder
// ($XDG_CONFIG_HOME/Brenlow/<application>.ini), one INI section per section.
class QtSettingsStore : public SettingsStore
{
public:
    QString GetSetting(const QString &application, const QString &section, const QString &key,
                       const QString &defaultValue) const override;
    std::optional<QString> SaveSettings(const QString &application, const QString &section,
                                        const std::vector<SettingValue> &values) override;
};

} // namespace brenlow
