#include "platform/qt_settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace brenlow {
namespace {

constexpr char Organization[] = "Brenlow";

QString KeyPath(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

// Why the settings file could not be written, in words a user can act on.
QString WriteFailure(const QString &path)
{
    const QFileInfo file(path);
    if (file.isDir())
        return QStringLiteral("%1 is a folder").arg(QDir::toNativeSeparators(path));
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        return QStringLiteral("the folder %1 could not be made")
            .arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (!folder.isWritable())
        return QStringLiteral("the folder %1 cannot be written")
            .arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (file.exists() && (!file.isReadable() || !file.isWritable()))
        return QStringLiteral("%1 cannot be read or written").arg(QDir::toNativeSeparators(path));
    return QStringLiteral("%1 could not be written (is the disk full?)")
        .arg(QDir::toNativeSeparators(path));
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

std::optional<QString> QtSettingsStore::SaveSettings(const QString &application,
                                                     const QString &section,
                                                     const std::vector<SettingValue> &values)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromLatin1(Organization), application);
    // The file that could not be read is as bad as one that cannot be written: writing it
    // would lose the values it holds.
    const bool readable = settings.status() == QSettings::NoError;
    std::vector<QVariant> before;
    before.reserve(values.size());
    for (const SettingValue &value : values) {
        const QString path = KeyPath(section, value.Key);
        before.push_back(settings.value(path));
        if (readable)
            settings.setValue(path, value.Value);
    }
    if (readable)
        settings.sync(); // once for all the values
    if (readable && settings.status() == QSettings::NoError)
        return std::nullopt;

    // Every store of this process shares what it holds in memory: put the old values back so
    // that nothing reads what never reached the disk.
    for (std::size_t i = 0; i < values.size(); ++i) {
        const QString path = KeyPath(section, values[i].Key);
        if (before[i].isValid())
            settings.setValue(path, before[i]);
        else
            settings.remove(path);
    }
    return WriteFailure(settings.fileName());
}

} // namespace brenlow
