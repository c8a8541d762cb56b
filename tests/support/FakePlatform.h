#pragma once

// Fakes of the registry, the file test and the program start that record
// how they were called.

#include "platform/RegFile.h"
#include "platform/Registry.h"
#include "platform/SystemServices.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace ondal::test {

// Keys by full path under HKEY_LOCAL_MACHINE ("SOFTWARE\..."), names without
// regard to case. Every call is logged in order.
class FakeRegistry final : public ondal::platform::Registry
{
public:
    struct Open
    {
        ondal::platform::RegHandle root;
        std::string subKey;
        std::uint32_t options;
        std::uint32_t mask;
    };

    void setValue(const std::string &key, const std::string &name, std::uint32_t type,
                  const QByteArray &data)
    {
        m_keys[key][name] = {type, std::vector<unsigned char>(data.begin(), data.end())};
    }
    void addKey(const std::string &key) { m_keys[key]; }

    long regOpenKeyEx(ondal::platform::RegHandle root, const char *subKey, std::uint32_t options,
                      std::uint32_t samDesired, ondal::platform::RegHandle *result) override
    {
        opens.push_back({root, subKey ? subKey : "", options, samDesired});
        log << QStringLiteral("open %1").arg(QString::fromUtf8(subKey));
        if (root != ondal::platform::rootHandle(ondal::platform::HKeyLocalMachine) ||
            m_keys.find(subKey ? subKey : "") == m_keys.end())
            return ondal::platform::ErrorFileNotFound;
        *result = m_next;
        m_openHandles[m_next] = subKey;
        opened.push_back(m_next++);
        return ondal::platform::ErrorSuccess;
    }

    long regQueryValueEx(ondal::platform::RegHandle key, const char *valueName,
                         std::uint32_t *reserved, std::uint32_t *type, unsigned char *data,
                         std::uint32_t *dataSize) override
    {
        log << QStringLiteral("query %1").arg(QString::fromUtf8(valueName));
        if (reserved || !type || !data || !dataSize)
            return ondal::platform::ErrorInvalidParameter;
        bufferSizes.push_back(*dataSize);
        const auto open = m_openHandles.find(key);
        if (open == m_openHandles.end())
            return ondal::platform::ErrorInvalidHandle;
        const auto &values = m_keys.at(open->second);
        const auto value = values.find(valueName);
        if (value == values.end())
            return ondal::platform::ErrorFileNotFound;
        *type = value->second.type;
        const auto size = static_cast<std::uint32_t>(value->second.data.size());
        if (size > *dataSize) {
            *dataSize = size;
            return ondal::platform::ErrorMoreData;
        }
        std::memcpy(data, value->second.data.data(), size);
        *dataSize = size;
        return ondal::platform::ErrorSuccess;
    }

    long regCloseKey(ondal::platform::RegHandle key) override
    {
        log << QStringLiteral("close");
        closed.push_back(key);
        if (m_openHandles.erase(key) == 0)
            return ondal::platform::ErrorInvalidHandle;
        return ondal::platform::ErrorSuccess;
    }

    // Every handle opened was closed exactly once, and nothing else was.
    bool closedEveryKeyOnce() const
    {
        auto a = opened, b = closed;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        return a == b;
    }

    std::vector<Open> opens;
    std::vector<ondal::platform::RegHandle> opened;
    std::vector<ondal::platform::RegHandle> closed;
    std::vector<std::uint32_t> bufferSizes;
    QStringList log;

private:
    std::map<std::string, ondal::platform::RegValues, ondal::platform::CaseInsensitiveLess> m_keys;
    std::map<ondal::platform::RegHandle, std::string> m_openHandles;
    ondal::platform::RegHandle m_next = 1;
};

class FakeFileTest final : public ondal::platform::FileTest
{
public:
    QSet<QString> existing;
    QStringList asked;
    QString findFile(const QString &pathName) override
    {
        asked << pathName;
        return existing.contains(pathName) ? pathName.section(QLatin1Char('\\'), -1) : QString();
    }
};

// Starts anything but the empty path, unless told to fail.
class FakeStarter final : public ondal::platform::ProgramStarter
{
public:
    bool fails = false;
    QStringList started;
    bool start(const QString &pathName) override
    {
        started << pathName;
        return !fails && !pathName.isEmpty();
    }
};

} // namespace ondal::test
