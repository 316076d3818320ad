#include "platform/settings_store.h"

#include <QSettings>

namespace brenlow {
namespace {

constexpr char Organization[] = "Brenlow";

QString KeyPath(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString QtSettingsStore::GetSetting(const QString &application, const QString &section,
                                    const QString &key, const QString &defaultValue) const
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope,
                             QString::fromLatin1(Organization), application);
    const QVariant value = settings.value(KeyPath(section, key));
    // A stored empty text is a value of its own, not the default.
    return value.isValid() ? value.toString() : defaultValue;
}

void QtSettingsStore::SaveSetting(const QString &application, const QString &section,
                                  const QString &key, const QString &value)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromLatin1(Organization), application);
    settings.setValue(KeyPath(section, key), value);
    settings.sync();
}

} // namespace brenlow
