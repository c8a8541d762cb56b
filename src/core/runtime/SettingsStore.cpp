#include "core/runtime/SettingsStore.h"

#include <QSettings>
#include <QStringList>

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
    if (!stored.isValid())
        return defaultValue;
    // What save() writes is always quoted where it needs to be, but a value
    // typed into the file by hand as MainLeft=1,5 reads back as the list
    // ("1", "5"): give the text back as it stood.
    if (stored.userType() == QMetaType::QStringList)
        return stored.toStringList().join(u',');
    if (!stored.canConvert<QString>())
        return defaultValue;
    return stored.toString();
}

void SettingsStore::save(const QString &application, const QString &section, const QString &key,
                         const QString &value)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, application, application);
    settings.setValue(keyPath(section, key), value);
    settings.sync();
    m_lastSaveSucceeded = settings.status() == QSettings::NoError;
}

} // namespace ondal
