#include "platform/WinRegistry.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
static_assert(sizeof(HKEY) == sizeof(ondal::platform::RegHandle));

namespace ondal::platform {
namespace {

// RegHandle values are HKEY bit patterns: the predefined roots arrive already
// sign-extended by rootHandle(), so HKEY_LOCAL_MACHINE matches on 64-bit too.
HKEY toHkey(RegHandle handle)
{
    return reinterpret_cast<HKEY>(handle);
}

} // namespace

long WinRegistry::regOpenKeyEx(RegHandle root, const char *subKey, std::uint32_t options,
                               std::uint32_t samDesired, RegHandle *result)
{
    if (!result)
        return ErrorInvalidParameter;
    HKEY opened = nullptr;
    const LSTATUS status = RegOpenKeyExA(toHkey(root), subKey, static_cast<DWORD>(options),
                                         static_cast<REGSAM>(samDesired), &opened);
    *result = status == ERROR_SUCCESS ? reinterpret_cast<RegHandle>(opened) : RegHandle{0};
    return static_cast<long>(status);
}

long WinRegistry::regQueryValueEx(RegHandle key, const char *valueName, std::uint32_t *reserved,
                                  std::uint32_t *type, unsigned char *data, std::uint32_t *dataSize)
{
    DWORD valueType = 0;
    DWORD size = dataSize ? static_cast<DWORD>(*dataSize) : 0;
    const LSTATUS status =
        RegQueryValueExA(toHkey(key), valueName, reinterpret_cast<LPDWORD>(reserved), &valueType,
                         reinterpret_cast<LPBYTE>(data), dataSize ? &size : nullptr);
    if (type)
        *type = static_cast<std::uint32_t>(valueType);
    if (dataSize)
        *dataSize = static_cast<std::uint32_t>(size);
    return static_cast<long>(status);
}

long WinRegistry::regCloseKey(RegHandle key)
{
    return static_cast<long>(RegCloseKey(toHkey(key)));
}

} // namespace ondal::platform
