#pragma once

#include "core/runtime/WholeFile.h"

#include <QList>
#include <QSet>
#include <QString>

#include <utility>

namespace ondal {

// Keys and their texts, in the order they are written.
using SettingsValues = QList<std::pair<QString, QString>>;

// Per-user, persistent text values, kept by application, section and key.
// On Linux an INI file under the user's config folder
// (~/.config/<application>/<application>.ini).
//
// A save writes the file once, whole: the values the file holds now (as far
// as they can be read) and the new ones are laid out by QSettings in a
// scratch file beside it, read back, and put in place by the writer, so a
// failed write (a full disk, a size limit) leaves the old file whole and is
// told with the system's reason. A file that cannot be read in full is
// copied aside once before it is first written over, and the values that
// could be read are kept.
class SettingsStore
{
public:
    explicit SettingsStore(
        FileWriter writer = writeWholeFile,
        TimeSource now = [] { return QDateTime::currentDateTime(); });
    virtual ~SettingsStore() = default;

    // The stored text, or defaultValue when nothing (or nothing readable as
    // text) is stored under the key.
    virtual QString get(const QString &application, const QString &section, const QString &key,
                        const QString &defaultValue) const;
    // Stores the texts exactly under their keys, in one write of the file;
    // blanks, commas, "=" and the like come back from get() unchanged.
    virtual void saveAll(const QString &application, const QString &section,
                         const SettingsValues &values);
    // One value: saveAll() with one key.
    void save(const QString &application, const QString &section, const QString &key,
              const QString &value);

    // Whether the last save reached the disk, and if not, why not in a few
    // words from the system ("Permission denied", "File too large", "it is a
    // folder, not a file"). A failed write is never taken for success: the
    // window tells the user.
    bool lastSaveSucceeded() const noexcept { return m_lastSaveError.isEmpty(); }
    QString lastSaveError() const { return m_lastSaveError; }
    // Where the last save kept a settings file it could not read in full
    // before writing over it; empty when it kept none.
    QString lastSaveKeptAside() const { return m_lastKeptAside; }

    // The file that holds the application's settings.
    virtual QString fileName(const QString &application) const;

private:
    QString write(const QString &application, const QString &section, const SettingsValues &values);

    FileWriter m_writer;
    TimeSource m_now;
    QString m_lastSaveError;
    QString m_lastKeptAside;
    // The unreadable files already copied aside, each only once.
    QSet<QString> m_keptAside;
};

} // namespace ondal
