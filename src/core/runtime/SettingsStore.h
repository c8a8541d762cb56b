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

    // Whether the last save() reached the disk. The windows carry on either
    // way; this is here so that a failed write is not mistaken for success.
    bool lastSaveSucceeded() const noexcept { return m_lastSaveSucceeded; }

private:
    bool m_lastSaveSucceeded = true;
};

} // namespace ondal
