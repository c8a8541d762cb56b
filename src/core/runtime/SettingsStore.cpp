#include "core/runtime/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>

using namespace Qt::StringLiterals;

namespace ondal {
namespace {

QString keyPath(const QString &section, const QString &key)
{
    return section + u'/' + key;
}

// Whether the second holds exactly the keys and values of the first.
bool sameValues(const QSettings &meant, const QSettings &read)
{
    QStringList meantKeys = meant.allKeys();
    QStringList readKeys = read.allKeys();
    if (read.status() != QSettings::NoError || meantKeys.size() != readKeys.size())
        return false;
    meantKeys.sort();
    readKeys.sort();
    if (meantKeys != readKeys)
        return false;
    return std::all_of(meantKeys.cbegin(), meantKeys.cend(),
                       [&](const QString &key) { return meant.value(key) == read.value(key); });
}

QString readWhole(const QString &path, QByteArray &bytes)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return failureReason(file, errno);
    errno = 0;
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failureReason(file, errno);
    return QString();
}

} // namespace

SettingsStore::SettingsStore(FileWriter writer, TimeSource now)
    : m_writer(std::move(writer)), m_now(std::move(now))
{}

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
    saveAll(application, section, {{key, value}});
}

void SettingsStore::saveAll(const QString &application, const QString &section,
                            const SettingsValues &values)
{
    m_lastKeptAside.clear();
    m_lastSaveError = write(application, section, values);
}

QString SettingsStore::write(const QString &application, const QString &section,
                             const SettingsValues &values)
{
    const QString path = fileName(application);
    const QFileInfo info(path);
    if (info.isDir())
        return u"it is a folder, not a file"_s;
    if (!QDir().mkpath(info.absolutePath()))
        return u"its folder cannot be created"_s;
    const bool existed = info.exists();
    const qint64 sizeBefore = info.size();
    const QDateTime timeBefore = info.lastModified();

    // The file is read, laid out anew and read back in a scratch folder
    // beside it, under names QSettings has not seen: it keeps what it read
    // of a file in memory, by name, and says a file could not be read in
    // full only to the first reader.
    QTemporaryDir scratch(path + u".XXXXXX"_s);
    if (!scratch.isValid())
        return scratch.errorString();

    // What the file holds now, as far as it can be read: another window, or
    // another Ondal, may have saved since.
    QByteArray held;
    const QString readNow = scratch.filePath(u"read-now.ini"_s);
    if (existed) {
        const QString reason = readWhole(path, held);
        if (!reason.isEmpty())
            return reason; // written now, the file would lose every value it holds
        QFile copy(readNow);
        if (!copy.open(QIODevice::WriteOnly) || copy.write(held) != held.size() || !copy.flush())
            return failureReason(copy, errno);
    }
    const QSettings current(readNow, QSettings::IniFormat);
    const QStringList keys = current.allKeys();
    // Lines QSettings cannot read would be lost on the rewrite: the file is
    // kept as it is, once, under a name that says when.
    if (current.status() == QSettings::FormatError && !m_keptAside.contains(path)) {
        const QString aside = keptAsideName(path, m_now());
        const QString reason =
            QFileInfo::exists(aside) ? u"that name is taken"_s : m_writer(aside, held);
        if (!reason.isEmpty())
            return u"it could not be read in full, and could not be kept as %1 before being "
                   u"written over: %2"_s.arg(QDir::toNativeSeparators(aside), reason);
        m_keptAside.insert(path);
        m_lastKeptAside = aside;
    }

    // Laid out by QSettings with one sync. It may let a write that a size
    // limit or a full disk cuts short pass as complete, so what it wrote is
    // read back, under another name, before it is put in place.
    const QString laidOut = scratch.filePath(u"laid-out.ini"_s);
    const QString readBack = scratch.filePath(u"read-back.ini"_s);
    QSettings meant(laidOut, QSettings::IniFormat);
    for (const QString &key : keys)
        meant.setValue(key, current.value(key));
    for (const auto &[key, value] : values)
        meant.setValue(keyPath(section, key), value);
    meant.sync();
    bool whole = meant.status() == QSettings::NoError && QFile::rename(laidOut, readBack);
    if (whole) {
        const QSettings read(readBack, QSettings::IniFormat);
        whole = sameValues(meant, read);
    }
    if (!whole) {
        // The system's reason, from a file as large as the one it cut.
        const qint64 cut = std::max(QFileInfo(laidOut).size(), QFileInfo(readBack).size());
        const QString reason =
            m_writer(scratch.filePath(u"probe"_s), QByteArray(qsizetype(cut) + 64 * 1024, '\n'));
        return reason.isEmpty() ? u"the new file was cut short while it was written"_s : reason;
    }

    QByteArray bytes;
    QString reason = readWhole(readBack, bytes);
    if (reason.isEmpty())
        reason = m_writer(path, bytes);
    if (!reason.isEmpty())
        return reason;

    // QSettings takes a file of the same size and time to the millisecond
    // for the one it read before, and would go on answering from that: a new
    // file written within the millisecond is told apart by its time.
    const QFileInfo after(path);
    if (existed && after.size() == sizeBefore && after.lastModified() == timeBefore) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            file.setFileTime(timeBefore.addMSecs(1), QFileDevice::FileModificationTime);
    }
    return QString();
}

QString SettingsStore::fileName(const QString &application) const
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, application, application)
        .fileName();
}

} // namespace ondal
