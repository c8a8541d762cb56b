#include "platform/RegFileRegistry.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace ondal::platform {
namespace {

struct PredefinedRoot
{
    std::uint32_t value;
    std::string_view name;
};

constexpr std::array<PredefinedRoot, 5> PredefinedRoots = {{
    {0x80000000u, "HKEY_CLASSES_ROOT"},
    {0x80000001u, "HKEY_CURRENT_USER"},
    {HKeyLocalMachine, "HKEY_LOCAL_MACHINE"},
    {0x80000003u, "HKEY_USERS"},
    {0x80000005u, "HKEY_CURRENT_CONFIG"},
}};

// Rights that would let the caller change the key: set value, create
// sub-key, create link, DELETE, WRITE_DAC, WRITE_OWNER.
constexpr std::uint32_t WriteRights =
    KeySetValue | KeyCreateSubKey | KeyCreateLink | 0x00010000u | 0x00040000u | 0x00080000u;

const PredefinedRoot *predefinedRoot(RegHandle handle)
{
    const auto it =
        std::find_if(PredefinedRoots.begin(), PredefinedRoots.end(),
                     [&](const PredefinedRoot &r) { return rootHandle(r.value) == handle; });
    return it == PredefinedRoots.end() ? nullptr : &*it;
}

// A key exists when it has a section of its own or when a section lies below
// it, as a .reg export lists only keys that hold values.
bool keyExists(const RegKeys &keys, const std::string &path)
{
    if (keys.find(path) != keys.end())
        return true;
    const std::string prefix = path + '\\';
    const auto below = keys.lower_bound(prefix);
    return below != keys.end() && below->first.size() > prefix.size() &&
           equalsIgnoringCase(std::string_view(below->first).substr(0, prefix.size()), prefix);
}

bool validSubKey(std::string_view subKey)
{
    return subKey.front() != '\\' && subKey.back() != '\\' &&
           subKey.find("\\\\") == std::string_view::npos;
}

} // namespace

RegFileRegistry::RegFileRegistry(Source source) : m_source(std::move(source)) {}

long RegFileRegistry::regOpenKeyEx(RegHandle root, const char *subKey, std::uint32_t /*options*/,
                                   std::uint32_t samDesired, RegHandle *result)
{
    if (!result)
        return ErrorInvalidParameter;
    *result = 0;

    OpenKey opened;
    if (const PredefinedRoot *predefined = predefinedRoot(root)) {
        opened.keys = std::make_shared<const RegKeys>(m_source ? m_source() : RegKeys{});
        opened.path = std::string(predefined->name);
    } else if (const auto parent = m_open.find(root); parent != m_open.end()) {
        opened = parent->second;
    } else {
        return ErrorInvalidHandle;
    }

    const std::string_view sub = subKey ? std::string_view(subKey) : std::string_view();
    if (!sub.empty()) {
        if (!validSubKey(sub))
            return ErrorFileNotFound;
        opened.path += '\\';
        opened.path += sub;
    }
    if (!sub.empty() && !keyExists(*opened.keys, opened.path))
        return ErrorFileNotFound;
    if (samDesired & WriteRights)
        return ErrorAccessDenied;

    const RegHandle handle = m_nextHandle++;
    m_open.emplace(handle, std::move(opened));
    *result = handle;
    return ErrorSuccess;
}

long RegFileRegistry::regQueryValueEx(RegHandle key, const char *valueName, std::uint32_t *reserved,
                                      std::uint32_t *type, unsigned char *data,
                                      std::uint32_t *dataSize)
{
    const auto open = m_open.find(key);
    if (open == m_open.end())
        return ErrorInvalidHandle;
    if (reserved || (data && !dataSize))
        return ErrorInvalidParameter;

    const RegKeys &keys = *open->second.keys;
    const auto values = keys.find(open->second.path);
    if (values == keys.end())
        return ErrorFileNotFound;
    const auto value = values->second.find(std::string_view(valueName ? valueName : ""));
    if (value == values->second.end())
        return ErrorFileNotFound;

    if (type)
        *type = value->second.type;
    const std::size_t needed = value->second.data.size();
    if (!dataSize)
        return ErrorSuccess;
    if (!data) {
        *dataSize = static_cast<std::uint32_t>(needed);
        return ErrorSuccess;
    }
    if (needed > *dataSize) {
        *dataSize = static_cast<std::uint32_t>(needed);
        return ErrorMoreData;
    }
    if (needed > 0)
        std::memcpy(data, value->second.data.data(), needed);
    *dataSize = static_cast<std::uint32_t>(needed);
    return ErrorSuccess;
}

long RegFileRegistry::regCloseKey(RegHandle key)
{
    if (predefinedRoot(key))
        return ErrorSuccess;
    return m_open.erase(key) ? ErrorSuccess : ErrorInvalidHandle;
}

RegFileRegistry::Source regFileSource(std::vector<std::string> candidates)
{
    return [candidates = std::move(candidates)] { return readRegFile(candidates).keys; };
}

} // namespace ondal::platform
