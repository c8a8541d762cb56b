#pragma once

// The registry as the About box's launcher reads it: the three ANSI calls of
// advapi32 with their shapes kept (long results, 0 for success, handles as
// integers, an access mask, a value type out, a data buffer with an in/out
// size in bytes). Free of Qt on purpose: the Windows backend and the .reg
// stand-in build with nothing but the standard library.

#include <cstdint>

namespace ondal::platform {

// A key handle. Predefined roots are 32-bit values that Windows sign-extends
// to pointer width, so HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002 on 64-bit.
using RegHandle = std::uintptr_t;

// The 32-bit value of HKEY_LOCAL_MACHINE as the program passes it around.
inline constexpr std::uint32_t HKeyLocalMachine = 0x80000002u;

// The handle of a predefined root given by its 32-bit value, widened the way
// Windows does it: (HKEY)(ULONG_PTR)(LONG)value.
constexpr RegHandle rootHandle(std::uint32_t rootValue) noexcept
{
    return static_cast<RegHandle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(rootValue)));
}

// Results (Win32 error codes).
inline constexpr long ErrorSuccess = 0;
inline constexpr long ErrorFileNotFound = 2;
inline constexpr long ErrorAccessDenied = 5;
inline constexpr long ErrorInvalidHandle = 6;
inline constexpr long ErrorInvalidParameter = 87;
inline constexpr long ErrorMoreData = 234;

// Access rights: read, and the write rights the .reg stand-in refuses.
inline constexpr std::uint32_t KeySetValue = 0x0002;
inline constexpr std::uint32_t KeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t KeyCreateLink = 0x0020;
inline constexpr std::uint32_t KeyRead = 0x20019;

// Value types.
inline constexpr std::uint32_t RegNone = 0;
inline constexpr std::uint32_t RegSz = 1;
inline constexpr std::uint32_t RegExpandSz = 2;
inline constexpr std::uint32_t RegBinary = 3;
inline constexpr std::uint32_t RegDword = 4;
inline constexpr std::uint32_t RegMultiSz = 7;

class Registry
{
public:
    virtual ~Registry() = default;

    // RegOpenKeyExA: opens subKey under root with the access mask; the new
    // handle goes to *result.
    virtual long regOpenKeyEx(RegHandle root, const char *subKey, std::uint32_t options,
                              std::uint32_t samDesired, RegHandle *result) = 0;

    // RegQueryValueExA: the type and data of the value valueName (null or
    // empty for the default value). *dataSize holds the buffer's size on
    // entry and the data's size on return; a buffer too small for the data
    // gives ErrorMoreData with the needed size in *dataSize. Text values come
    // back in the ANSI code page, with their terminating NUL.
    virtual long regQueryValueEx(RegHandle key, const char *valueName, std::uint32_t *reserved,
                                 std::uint32_t *type, unsigned char *data,
                                 std::uint32_t *dataSize) = 0;

    // RegCloseKey.
    virtual long regCloseKey(RegHandle key) = 0;
};

} // namespace ondal::platform
