#include "core/about/SysInfoLauncher.h"

#include "core/runtime/MessageBoxService.h"
#include "core/runtime/NumberRules.h"
#include "core/runtime/RuntimeError.h"
#include "platform/SystemServices.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <exception>

namespace ondal {
namespace {

// Closes an opened key however the reading is left.
class KeyCloser
{
public:
    KeyCloser(platform::Registry &registry, platform::RegHandle key)
        : m_registry(registry), m_key(key)
    {}
    ~KeyCloser() { m_registry.regCloseKey(m_key); }
    KeyCloser(const KeyCloser &) = delete;
    KeyCloser &operator=(const KeyCloser &) = delete;

private:
    platform::Registry &m_registry;
    platform::RegHandle m_key;
};

// The number text of a REG_DWORD's bytes as far as its first NUL: from the
// last byte to the first, each byte's code in hexadecimal (one digit below
// 16, two otherwise) is appended to what keyVal held, and "&h" followed by
// the whole is read by the number-entry rule and written back as a result
// text. Four bytes between 16 and 127 give the number's decimal digits.
QString dwordText(const QByteArray &bytes, const QString &keyVal)
{
    QString digits = keyVal;
    for (auto it = bytes.crbegin(); it != bytes.crend(); ++it)
        digits += QString::number(static_cast<unsigned char>(*it), 16).toUpper();
    return resultText(numberEntry(QStringLiteral("&h") + digits));
}

} // namespace

QByteArray toAnsi(const QString &text)
{
    return text.toLocal8Bit();
}

QString fromAnsi(const QByteArray &bytes)
{
    return QString::fromLocal8Bit(bytes);
}

SysInfoLauncher::SysInfoLauncher(platform::Registry &registry, platform::FileTest &files,
                                 platform::ProgramStarter &starter, MessageBoxService &messages)
    : m_registry(registry), m_files(files), m_starter(starter), m_messages(messages)
{}

void SysInfoLauncher::startSysInfo()
{
    try {
        QString sysInfoPath;
        bool found = getKeyValue(platform::HKeyLocalMachine, QString::fromUtf16(SysInfoKey),
                                 QString::fromUtf16(SysInfoValue), sysInfoPath);
        if (!found &&
            getKeyValue(platform::HKeyLocalMachine, QString::fromUtf16(SysInfoLocationKey),
                        QString::fromUtf16(SysInfoLocationValue), sysInfoPath)) {
            const QString candidate = sysInfoPath + QString::fromUtf16(SysInfoFileName);
            if (!m_files.findFile(candidate).isEmpty()) {
                sysInfoPath = candidate;
                found = true;
            }
        }
        // A path read from "PATH" is started as it is; whether it names a
        // program shows only in the start.
        if (found && m_starter.start(sysInfoPath))
            return;
    } catch (const std::exception &) {
        // Falls through to the message, as every failure does.
    }
    m_messages.msgBox(QString::fromUtf16(UnavailableMessage));
}

bool SysInfoLauncher::getKeyValue(std::uint32_t keyRoot, const QString &keyName,
                                  const QString &subKeyRef, QString &keyVal)
{
    const QByteArray keyNameAnsi = toAnsi(keyName);
    platform::RegHandle key = 0;
    if (m_registry.regOpenKeyEx(platform::rootHandle(keyRoot), keyNameAnsi.constData(), 0,
                                AccessMask, &key) != platform::ErrorSuccess) {
        keyVal.clear();
        return false;
    }
    const KeyCloser closer(m_registry, key);

    std::array<unsigned char, ValueBufferSize> buffer{};
    std::uint32_t size = ValueBufferSize;
    std::uint32_t type = platform::RegNone;
    const QByteArray valueNameAnsi = toAnsi(subKeyRef);
    if (m_registry.regQueryValueEx(key, valueNameAnsi.constData(), nullptr, &type, buffer.data(),
                                   &size) != platform::ErrorSuccess) {
        keyVal.clear();
        return false;
    }

    // Only what stands before the first NUL counts; a buffer without one
    // has no end to cut at.
    const auto nul = std::find(buffer.begin(), buffer.end(), 0);
    if (nul == buffer.end())
        throw RuntimeError(RuntimeError::InvalidProcedureCall);
    const QByteArray cut(reinterpret_cast<const char *>(buffer.data()),
                         static_cast<qsizetype>(nul - buffer.begin()));

    switch (type) {
    case platform::RegSz:
        keyVal = fromAnsi(cut);
        break;
    case platform::RegDword:
        keyVal = dwordText(cut, keyVal);
        break;
    default:
        // Other types count as read and leave keyVal as it was.
        break;
    }
    return true;
}

} // namespace ondal
