#pragma once

#include "platform/Registry.h"

namespace ondal::platform {

// The real registry through advapi32's ANSI functions. Built on Windows only.
class WinRegistry final : public Registry
{
public:
    long regOpenKeyEx(RegHandle root, const char *subKey, std::uint32_t options,
                      std::uint32_t samDesired, RegHandle *result) override;
    long regQueryValueEx(RegHandle key, const char *valueName, std::uint32_t *reserved,
                         std::uint32_t *type, unsigned char *data,
                         std::uint32_t *dataSize) override;
    long regCloseKey(RegHandle key) override;
};

} // namespace ondal::platform
