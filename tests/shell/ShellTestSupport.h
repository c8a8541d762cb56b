#pragma once

#include "runtime/SettingsStore.h"
#include "support/RecordingMessages.h"

#include <QHash>
#include <QStringList>

#include <functional>

namespace ondal::test {

// A settings store in memory, for application "Ondal", section "Settings",
// that remembers the order of its saves.
class MemoryStore final : public SettingsStore
{
public:
    QString get(const QString &, const QString &, const QString &key,
                const QString &defaultValue) const override
    {
        return values.value(key, defaultValue);
    }
    void save(const QString &, const QString &, const QString &key, const QString &value) override
    {
        if (onSave)
            onSave(key);
        values.insert(key, value);
        savedKeys << key;
    }
    void put(const QString &key, const QString &value) { values.insert(key, value); }
    QString stored(const QString &key) const { return values.value(key); }

    QHash<QString, QString> values;
    QStringList savedKeys;
    std::function<void(const QString &key)> onSave;
};

} // namespace ondal::test
