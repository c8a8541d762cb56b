#pragma once

#include "core/runtime/SettingsStore.h"

#include <QHash>
#include <QStringList>

#include <functional>

namespace ondal::test {

// A settings store in memory for application "Ondal". Keys are kept by
// section; put() and stored() name section "Settings" unless told another.
// It remembers the keys in the order saved, and how many saves wrote them.
class MemoryStore final : public SettingsStore
{
public:
    QString get(const QString &, const QString &section, const QString &key,
                const QString &defaultValue) const override
    {
        return values.value(path(section, key), defaultValue);
    }
    void saveAll(const QString &, const QString &section, const SettingsValues &saved) override
    {
        ++saves;
        for (const auto &[key, value] : saved) {
            if (onSave)
                onSave(key);
            values.insert(path(section, key), value);
            savedKeys << key;
        }
    }
    void put(const QString &key, const QString &value,
             const QString &section = QStringLiteral("Settings"))
    {
        values.insert(path(section, key), value);
    }
    QString stored(const QString &key, const QString &section = QStringLiteral("Settings")) const
    {
        return values.value(path(section, key));
    }

    QHash<QString, QString> values; // by "section/key"
    QStringList savedKeys;
    int saves = 0; // each a write of the whole settings file
    std::function<void(const QString &key)> onSave;

private:
    static QString path(const QString &section, const QString &key) { return section + u'/' + key; }
};

} // namespace ondal::test
