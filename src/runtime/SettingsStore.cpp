#include "runtime/SettingsStore.h"

#include <QSettings>

namespace ondal {
namespace {

QString keyPath(const QString &section, const QString &key)
{
    return section + u'/' + key;
}

} // namespace

QString SettingsStore::get(const QString &application, const QString &section, const QString &key,
                           const QString &defaultValue) const
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, application, application);
    const QVariant stored = settings.value(keyPath(section, key));
    return stored.isValid() ? stored.toString() : defaultValue;
}

void SettingsStore::save(const QString &application, const QString &section, const QString &key,
                         const QString &value)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, application, application);
    settings.setValue(keyPath(section, key), value);
    settings.sync();
}

} // namespace ondal
