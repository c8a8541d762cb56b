#pragma once

#include <QString>

namespace ondal {

// Per-user, persistent text values, kept by application, section and key.
// On Linux an INI file under the user's config folder
// (~/.config/<application>/<application>.ini). Writes go through QSettings,
// which replaces the file atomically.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultValue when nothing is stored under the key.
    virtual QString get(const QString &application, const QString &section, const QString &key,
                        const QString &defaultValue) const;
    virtual void save(const QString &application, const QString &section, const QString &key,
                      const QString &value);
};

} // namespace ondal
