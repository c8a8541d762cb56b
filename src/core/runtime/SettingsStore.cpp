#include "core/runtime/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStringList>

namespace ondal {
namespace {

QString keyPath(const QString &section, const QString &key)
{
    return section + u'/' + key;
}

// QSettings says only that a write failed. Ask the file system the way
// QSettings writes (a new file beside the old, then a rename) what stops it,
// without touching the settings file itself.
QString whyNotWritten(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("it is a folder, not a file");
    if (!QDir().mkpath(info.absolutePath()))
        return QStringLiteral("its folder cannot be created");
    QSaveFile probe(path);
    probe.setDirectWriteFallback(false);
    if (!probe.open(QIODevice::WriteOnly))
        return probe.errorString();
    // A full disk shows only once data goes out.
    const QByteArray block(64 * 1024, '\n');
    QString reason;
    if (probe.write(block) != block.size() || !probe.flush())
        reason = probe.errorString();
    probe.cancelWriting();
    return reason.isEmpty() ? QStringLiteral("the file could not be written") : reason;
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
    m_lastSaveError =
        settings.status() == QSettings::NoError ? QString() : whyNotWritten(settings.fileName());
}

QString SettingsStore::fileName(const QString &application) const
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, application, application)
        .fileName();
}

} // namespace ondal
