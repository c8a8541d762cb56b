#pragma once

#include "platform/Registry.h"

#include <QString>

#include <cstdint>

namespace ondal {

class MessageBoxService;

namespace platform {
class FileTest;
class ProgramStarter;
} // namespace platform

// Finds the system-information tool through two registry values and starts
// it, or tells the user it is unavailable. Widget-free; the About box hands
// it the services of this system, tests hand it fakes.
class SysInfoLauncher
{
public:
    static constexpr char16_t SysInfoKey[] = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    static constexpr char16_t SysInfoValue[] = u"PATH";
    static constexpr char16_t SysInfoLocationKey[] = u"SOFTWARE\\Microsoft\\Shared Tools Location";
    static constexpr char16_t SysInfoLocationValue[] = u"MSINFO";
    static constexpr char16_t SysInfoFileName[] = u"\\MSINFO32.EXE";
    static constexpr char16_t UnavailableMessage[] =
        u"System Information Is Unavailable At This Time";

    // Keys are opened for reading only; asking for write rights as well
    // makes the open fail for a standard user.
    static constexpr std::uint32_t AccessMask = platform::KeyRead;
    static constexpr std::uint32_t ValueBufferSize = 1024;

    SysInfoLauncher(platform::Registry &registry, platform::FileTest &files,
                    platform::ProgramStarter &starter, MessageBoxService &messages);

    // The tool's path from "PATH", else the "MSINFO" folder's MSINFO32.EXE if
    // the file is there; started without waiting. Every failure on the way,
    // errors included, ends in the one message.
    void startSysInfo();

    // Reads the value subKeyRef of the key keyName under the predefined root
    // keyRoot (its 32-bit value) into keyVal. False, with keyVal emptied,
    // when the key cannot be opened or the value cannot be read. A REG_SZ
    // gives its text up to the first NUL; a REG_DWORD a number text; any
    // other type leaves keyVal as it was. Data that fills the whole buffer
    // without a NUL throws RuntimeError(InvalidProcedureCall). The key is
    // closed on every way out.
    bool getKeyValue(std::uint32_t keyRoot, const QString &keyName, const QString &subKeyRef,
                     QString &keyVal);

private:
    platform::Registry &m_registry;
    platform::FileTest &m_files;
    platform::ProgramStarter &m_starter;
    MessageBoxService &m_messages;
};

// Texts to and from the ANSI code page of the registry calls: the system's
// code page on Windows, UTF-8 elsewhere.
QByteArray toAnsi(const QString &text);
QString fromAnsi(const QByteArray &bytes);

} // namespace ondal
