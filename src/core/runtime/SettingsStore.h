#pragma once

#include <QString>

namespace ondal {

// Per-user, persistent text values, kept by application, section and key.
// On Linux an INI file under the user's config folder
// (~/.config/<application>/<application>.ini). Writes go through QSettings,
// which replaces the file atomically, so a failed write leaves the old file
// whole.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultValue when nothing (or nothing readable as
    // text) is stored under the key.
    virtual QString get(const QString &application, const QString &section, const QString &key,
                        const QString &defaultValue) const;
    // Stores the text exactly; blanks, commas, "=" and the like come back
    // from get() unchanged.
    virtual void save(const QString &application, const QString &section, const QString &key,
                      const QString &value);

    // Whether the last save() reached the disk, and if not, why not in a few
    // words from the system ("Permission denied", "No space left on device",
    // "it is a folder, not a file"). A failed write is never taken for
    // success: the main window tells the user.
    bool lastSaveSucceeded() const noexcept { return m_lastSaveError.isEmpty(); }
    QString lastSaveError() const { return m_lastSaveError; }

    // The file that holds the application's settings.
    virtual QString fileName(const QString &application) const;

private:
    QString m_lastSaveError;
};

} // namespace ondal
