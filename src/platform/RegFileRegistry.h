#pragma once

#include "platform/RegFile.h"
#include "platform/Registry.h"

#include <functional>
#include <map>
#include <memory>

namespace ondal::platform {

// A read-only registry over keys read from a .reg file, for systems without a
// registry of their own. Each opening of a key under a predefined root takes
// a fresh look at the source, so an edited file counts from the next look-up
// on; a handle keeps the keys it was opened over until it is closed.
//
// Like HKEY_LOCAL_MACHINE for a standard user, it grants read rights only: an
// access mask asking to set values, create sub-keys or links, or change the
// key's security is refused with ErrorAccessDenied.
class RegFileRegistry final : public Registry
{
public:
    using Source = std::function<RegKeys()>;

    explicit RegFileRegistry(Source source);

    long regOpenKeyEx(RegHandle root, const char *subKey, std::uint32_t options,
                      std::uint32_t samDesired, RegHandle *result) override;
    long regQueryValueEx(RegHandle key, const char *valueName, std::uint32_t *reserved,
                         std::uint32_t *type, unsigned char *data,
                         std::uint32_t *dataSize) override;
    long regCloseKey(RegHandle key) override;

    // Handles opened and not yet closed.
    std::size_t openKeyCount() const noexcept { return m_open.size(); }

private:
    struct OpenKey
    {
        std::shared_ptr<const RegKeys> keys;
        std::string path;
    };

    Source m_source;
    std::map<RegHandle, OpenKey> m_open;
    RegHandle m_nextHandle = 1;
};

// The machine registry file's keys from the first candidate that exists;
// none when there is no such file or it is unreadable or malformed.
RegFileRegistry::Source regFileSource(std::vector<std::string> candidates);

} // namespace ondal::platform
